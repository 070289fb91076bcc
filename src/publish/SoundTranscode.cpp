#include "publish/SoundTranscode.h"

#include <QProcess>

#include <fstream>
#include <system_error>

#include "core/Ascii.h"
#include "publish/LimitedChild.h"

namespace zepo::publish {
namespace fs = std::filesystem;
namespace {

constexpr std::streamoff kMaxHeaderBytes = 1 << 20;

uint32_t Le32(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }
uint16_t Le16(const unsigned char* p) { return uint16_t(p[0] | p[1] << 8); }

std::string Named(const fs::path& input, const std::string& why) {
    return "「" + input.filename().string() + "」を再生できる音声にできません: " + why;
}

}  // namespace

bool IsWaveFile(const fs::path& file) { return AsciiLower(file.extension().string()) == ".wav"; }

bool WaveNeedsConversion(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    unsigned char riff[12];
    if (!in.read(reinterpret_cast<char*>(riff), sizeof riff) ||
        std::string_view(reinterpret_cast<char*>(riff), 4) != "RIFF" ||
        std::string_view(reinterpret_cast<char*>(riff) + 8, 4) != "WAVE")
        return false;
    std::streamoff at = 12;
    while (at < kMaxHeaderBytes) {
        unsigned char chunk[8];
        if (!in.read(reinterpret_cast<char*>(chunk), sizeof chunk)) return false;
        const uint32_t size = Le32(chunk + 4);
        if (std::string_view(reinterpret_cast<char*>(chunk), 4) == "fmt ") {
            unsigned char fmt[40] = {};
            if (size < 16 || !in.read(reinterpret_cast<char*>(fmt), std::min<uint32_t>(size, sizeof fmt))) return false;
            uint16_t format = Le16(fmt);
            const uint16_t channels = Le16(fmt + 2);
            const uint32_t rate = Le32(fmt + 4);
            const uint16_t bits = Le16(fmt + 14);
            // WAVE_FORMAT_EXTENSIBLE names its format in the first two bytes of its sub-format.
            if (format == 0xFFFE && size >= 40) format = Le16(fmt + 24);
            const bool plays = format == 1 && (bits == 8 || bits == 16) && channels >= 1 && channels <= 2 &&
                               rate >= 8000 && rate <= 48000;
            return !plays;
        }
        at += 8 + std::streamoff(size) + (size & 1);
        if (!in.seekg(at)) return false;
    }
    return false;
}

Status TranscodeSoundToOgg(const fs::path& input, const fs::path& output, const SoundLimits& limits) {
    std::error_code ec;
    if (!fs::is_regular_file(input, ec)) return Fail(Named(input, "ファイルが読めません"));
    ChildOutputFile file(output);
    if (file.fd < 0) return Fail(Named(input, "一時ファイルを作れません"));
    QProcess process;
    Limit(process, limits.maxOutputBytes, limits.maxAddressSpace, file.fd);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    const QStringList args = {"-nostdin",
                              "-hide_banner",
                              "-loglevel",
                              "error",
                              "-y",
                              "-threads",
                              "1",
                              "-protocol_whitelist",
                              "file",
                              "-format_whitelist",
                              "wav",
                              "-f",
                              "wav",
                              "-i",
                              FileUrl(input),
                              "-t",
                              QString::number(limits.maxSeconds, 'f', 3),
                              "-map",
                              "0:a:0",
                              "-vn",
                              "-sn",
                              "-dn",
                              "-map_metadata",
                              "-1",
                              "-ar",
                              "44100",
                              "-c:a",
                              "libvorbis",
                              "-q:a",
                              "4",
                              "-f",
                              "ogg",
                              "file:" + QString::fromStdString(file.ChildPath())};
    process.start(limits.ffmpeg, args);
    if (std::string why =
            FinishConversion(process, limits.maxTime, file, limits.maxOutputBytes, "音声", "音声として読めません");
        !why.empty())
        return Fail(Named(input, why));
    return {};
}

}  // namespace zepo::publish
