#include "publish/MovieTranscode.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <system_error>

#include "core/Ascii.h"
#include "core/AtomicFile.h"
#include "publish/LimitedChild.h"

namespace zepo::publish {
namespace fs = std::filesystem;
namespace {

// The demuxers of the formats old sets hold. Anything else (a playlist, a concatenation list,
// an image sequence) could make ffmpeg open other files, so it is not even probed.
const QString kDemuxers = QStringLiteral("avi,mpeg,mpegts,mpegvideo,asf,mov,matroska,flv,ogg,m4v,h264");
constexpr qint64 kMaxProbeOutput = 64 * 1024;

QStringList InputOptions() { return {"-protocol_whitelist", "file", "-format_whitelist", kDemuxers}; }

std::string Named(const fs::path& input, const std::string& why) {
    return "「" + input.filename().string() + "」を WebM にできません: " + why;
}

}  // namespace

QString FileUrl(const fs::path& p) { return "file:" + QString::fromStdString(fs::absolute(p).string()); }

void Limit(QProcess& process, uint64_t maxFileBytes, uint64_t maxAddressSpace, int keep) {
    process.setChildProcessModifier([maxFileBytes, maxAddressSpace, keep] {
        (void)prctl(PR_SET_PDEATHSIG, SIGKILL);
        (void)setpriority(PRIO_PROCESS, 0, 10);
        rlimit fsize{maxFileBytes, maxFileBytes};
        (void)setrlimit(RLIMIT_FSIZE, &fsize);
        rlimit as{maxAddressSpace, maxAddressSpace};
        (void)setrlimit(RLIMIT_AS, &as);
        if (keep >= 0) (void)fcntl(keep, F_SETFD, 0);
        rlimit core{0, 0};
        (void)setrlimit(RLIMIT_CORE, &core);
        signal(SIGXFSZ, SIG_IGN);  // ignored signals stay ignored across exec: a failed write, not a kill
    });
    process.setStandardInputFile(QProcess::nullDevice());
}

Ran RunToEnd(QProcess& process, std::chrono::milliseconds time) {
    if (!process.waitForStarted(10000)) return Ran::NotStarted;
    if (!process.waitForFinished(int(std::min<long long>(time.count(), INT32_MAX)))) {
        process.kill();
        process.waitForFinished(5000);
        return Ran::TimedOut;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0 ? Ran::Finished : Ran::Failed;
}

ChildOutputFile::ChildOutputFile(const fs::path& target) : target(target) {
    fd = open(target.parent_path().c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
    if (fd >= 0) return;
    fd = CreateFileBeside(target, 0666, named);
    if (fd < 0) named.clear();
}

ChildOutputFile::~ChildOutputFile() {
    if (fd >= 0) close(fd);
    if (!named.empty()) unlink(named.c_str());
}

std::string ChildOutputFile::ChildPath() const {
    return named.empty() ? "/proc/self/fd/" + std::to_string(fd) : named.string();
}

std::string ChildOutputFile::PutInPlace() {
    if (named.empty()) {
        fs::path linked;
        const int placeholder = CreateFileBeside(target, 0600, linked);
        if (placeholder < 0) return std::generic_category().message(-placeholder);
        close(placeholder);
        unlink(linked.c_str());
        const std::string self = "/proc/self/fd/" + std::to_string(fd);
        if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, linked.c_str(), AT_SYMLINK_FOLLOW) != 0)
            return std::generic_category().message(errno);
        named = linked;
    }
    if (rename(named.c_str(), target.c_str()) != 0) return std::generic_category().message(errno);
    named.clear();
    return {};
}

std::string FinishConversion(QProcess& process, std::chrono::milliseconds time, ChildOutputFile& file,
                             uint64_t maxOutputBytes, const std::string& medium, const std::string& unreadable) {
    const Ran ran = RunToEnd(process, time);
    if (ran == Ran::NotStarted) return "ffmpeg を起動できません";
    if (ran == Ran::TimedOut) return "時間内に変換が終わりませんでした";
    struct stat st {};
    const bool sized = fstat(file.fd, &st) == 0;
    if (sized && uint64_t(st.st_size) >= maxOutputBytes) return "変換した" + medium + "が大きすぎます";
    if (ran == Ran::Failed || !sized || st.st_size == 0) return unreadable;
    if (std::string error = file.PutInPlace(); !error.empty())
        return "「" + file.target.filename().string() + "」に書けません: " + error;
    return {};
}

namespace {

struct Probe {
    double seconds = 0;
    int width = 0, height = 0;
    bool video = false, audio = false;
};

Result<Probe> ProbeMovie(const fs::path& input, const TranscodeLimits& limits) {
    QProcess process;
    Limit(process, 0, limits.maxAddressSpace);
    process.setStandardErrorFile(QProcess::nullDevice());
    QStringList args = {"-v", "error"};
    args << InputOptions() << "-show_entries"
         << "format=duration:stream=codec_type,width,height"
         << "-of"
         << "json" << FileUrl(input);
    process.start(limits.ffprobe, args);
    const Ran ran = RunToEnd(process, limits.probeTime);
    if (ran == Ran::NotStarted) return Fail(Named(input, "ffprobe を起動できません"));
    if (ran == Ran::TimedOut) return Fail(Named(input, "時間内に調べ終わりませんでした"));
    if (ran == Ran::Failed) return Fail(Named(input, "動画として読めません"));
    const QByteArray out = process.read(kMaxProbeOutput);
    const QJsonObject root = QJsonDocument::fromJson(out).object();
    Probe probe;
    bool ok = false;
    const double seconds = root["format"].toObject()["duration"].toString().toDouble(&ok);
    if (ok && std::isfinite(seconds) && seconds > 0) probe.seconds = seconds;
    for (const QJsonValue& v : root["streams"].toArray()) {
        const QJsonObject stream = v.toObject();
        const QString type = stream["codec_type"].toString();
        if (type == "video" && !probe.video) {
            probe.video = true;
            probe.width = stream["width"].toInt();
            probe.height = stream["height"].toInt();
        }
        if (type == "audio") probe.audio = true;
    }
    if (!probe.video && !probe.audio) return Fail(Named(input, "動画として読めません"));
    return probe;
}

}  // namespace

bool NeedsWebConversion(const fs::path& file) {
    const std::string ext = AsciiLower(file.extension().string());
    for (const char* known : {".avi", ".mpg", ".mpeg", ".mpe", ".m1v", ".wmv", ".asf", ".mov", ".flv"})
        if (ext == known) return true;
    return false;
}

fs::path WebMovieName(const fs::path& file) { return fs::path(file.string() + ".webm"); }

Result<TranscodedMovie> TranscodeToWebm(const fs::path& input, const fs::path& output, const TranscodeLimits& limits) {
    std::error_code ec;
    if (!fs::is_regular_file(input, ec)) return Fail(Named(input, "ファイルが読めません"));
    auto probe = ProbeMovie(input, limits);
    if (!probe) return probe.error();
    TranscodedMovie movie;
    movie.seconds = probe.value().seconds;
    movie.width = probe.value().width;
    movie.height = probe.value().height;
    movie.cut = movie.seconds > limits.maxSeconds;
    // A movie that cannot tell its length gets the time of the longest one allowed.
    const double movieSeconds = std::min(movie.seconds > 0 ? movie.seconds : limits.maxSeconds, limits.maxSeconds);
    const auto time = std::min(limits.maxTime, limits.baseTime + std::chrono::milliseconds(static_cast<long long>(
                                                                     movieSeconds * limits.timePerMovieSecond * 1000)));

    const Probe& p = probe.value();
    if (p.video && (p.width <= 0 || p.height <= 0 || p.width > limits.maxSourceSide || p.height > limits.maxSourceSide))
        return Fail(Named(input, "画面が大きすぎます (" + std::to_string(p.width) + "×" + std::to_string(p.height) +
                                     "、1 辺 " + std::to_string(limits.maxSourceSide) + " まで)"));

    // The file has no name while ffmpeg writes it: an export that is interrupted (or a
    // conversion that fails) leaves nothing in the site.
    ChildOutputFile file(output);
    if (file.fd < 0) return Fail(Named(input, "一時ファイルを作れません"));

    QProcess process;
    Limit(process, limits.maxOutputBytes, limits.maxAddressSpace, file.fd);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    QStringList args = {"-nostdin",  "-hide_banner",
                        "-loglevel", "error",
                        "-y",        "-threads",
                        "1",         "-filter_threads",
                        "1",         "-filter_complex_threads",
                        "1"};
    args << InputOptions() << "-i" << FileUrl(input) << "-t" << QString::number(limits.maxSeconds, 'f', 3) << "-map"
         << "0:v:0?"
         << "-map"
         << "0:a:0?"
         << "-sn"
         << "-dn"
         << "-map_metadata"
         << "-1";
    if (p.video) {
        // Never larger than the screen the card is shown on, the proportions kept, even sides.
        const QString w = QString::number(limits.maxWidth), h = QString::number(limits.maxHeight);
        args << "-vf"
             << "scale=w='min(iw," + w + ")':h='min(ih," + h +
                    ")':force_original_aspect_ratio=decrease,scale=w='max(2,trunc(iw/2)*2)':h='max(2,trunc(ih/2)*2)'"
             << "-c:v"
             << "libvpx"
             << "-pix_fmt"
             << "yuv420p"
             << "-deadline"
             << "good"
             << "-cpu-used"
             << "4"
             << "-b:v"
             << "1M"
             << "-crf"
             << "10";
    }
    if (p.audio)
        args << "-c:a"
             << "libvorbis"
             << "-q:a"
             << "4";
    args << "-threads"
         << "1"
         << "-f"
         << "webm"
         << "file:" + QString::fromStdString(file.ChildPath());
    process.start(limits.ffmpeg, args);
    if (std::string why = FinishConversion(process, time, file, limits.maxOutputBytes, "動画", "変換できませんでした");
        !why.empty())
        return Fail(Named(input, why));
    return movie;
}

}  // namespace zepo::publish
