#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>

#include "TempFolder.h"
#include "publish/MovieTranscode.h"

namespace zepo::publish {
namespace {

namespace fs = std::filesystem;

QString Run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

// A movie of the given codecs made by ffmpeg's own test sources: a counter and a tone.
fs::path MakeMovie(const fs::path& file, const QString& video, const QString& audio, int seconds = 2,
                   const QString& size = "160x120") {
    const QString d = QString::number(seconds);
    Run("ffmpeg", {"-v", "error", "-y", "-f", "lavfi", "-i", "testsrc=size=" + size + ":rate=25:duration=" + d, "-f",
                   "lavfi", "-i", "sine=frequency=440:duration=" + d, "-c:v", video, "-c:a", audio,
                   QString::fromStdString(file.string())});
    return file;
}

// "codec,codec duration" of a converted file, as a browser's demuxer would see it.
QString Streams(const fs::path& file) {
    const QString codecs = Run("ffprobe", {"-v", "error", "-show_entries", "stream=codec_name", "-of", "csv=p=0",
                                           QString::fromStdString(file.string())})
                               .replace('\n', ',');
    const double seconds = Run("ffprobe", {"-v", "error", "-show_entries", "format=duration", "-of", "csv=p=0",
                                           QString::fromStdString(file.string())})
                               .toDouble();
    return codecs + " " + QString::number(std::round(seconds));
}

std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class MovieTranscodeTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable("ffmpeg").isEmpty() || QStandardPaths::findExecutable("ffprobe").isEmpty())
            GTEST_SKIP() << "ffmpeg is not installed";
        fs::create_directory(in_);
        fs::create_directory(out_);
    }
    test::TempFolder folder_;
    fs::path in_ = folder_.path() / "in", out_ = folder_.path() / "site";
};

TEST_F(MovieTranscodeTest, OldFormatsBecomeWebmOfVp8AndVorbis) {
    TranscodeLimits oneSecond;
    oneSecond.maxSeconds = 1;
    struct Case {
        fs::path movie;
        TranscodeLimits limits;
        QString streams;
        bool cut;
    } cases[] = {
        {MakeMovie(in_ / "clip.avi", "mpeg4", "pcm_s16le"), {}, "vp8,vorbis 2", false},
        {MakeMovie(in_ / "名前 #1.mpg", "mpeg1video", "mp2"), {}, "vp8,vorbis 2", false},
        {MakeMovie(in_ / "old.wmv", "wmv2", "wmav2"), {}, "vp8,vorbis 2", false},
        {MakeMovie(in_ / "long.avi", "mpeg4", "pcm_s16le", 3), oneSecond, "vp8,vorbis 1", true},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(NeedsWebConversion(c.movie)) << c.movie;
        const fs::path target = out_ / WebMovieName(c.movie.filename());
        auto movie = TranscodeToWebm(c.movie, target, c.limits);
        ASSERT_TRUE(movie.ok()) << movie.error().message;
        EXPECT_EQ(movie.value().width, 160) << c.movie;
        EXPECT_EQ(movie.value().height, 120) << c.movie;
        EXPECT_EQ(movie.value().cut, c.cut) << c.movie;
        EXPECT_EQ(Streams(target), c.streams) << c.movie;
        EXPECT_EQ(fs::status(target).permissions() & fs::perms::others_read, fs::perms::others_read);
    }
    EXPECT_EQ(Names(out_),
              (std::vector<std::string>{"clip.avi.webm", "long.avi.webm", "old.wmv.webm", "名前 #1.mpg.webm"}));
    EXPECT_FALSE(NeedsWebConversion("movie.webm"));
    EXPECT_TRUE(NeedsWebConversion("MOVIE.AVI"));
}

// A movie is never converted larger than the screen it is shown on (ffmpeg's memory and time
// grow with the picture), and one of a size no screen has is not decoded at all.
TEST_F(MovieTranscodeTest, TheConvertedPictureFitsTheScreen) {
    TranscodeLimits screen;
    screen.maxWidth = 200;
    screen.maxHeight = 200;
    const fs::path wide = MakeMovie(in_ / "wide.avi", "mpeg4", "pcm_s16le", 1, "1600x400");
    auto movie = TranscodeToWebm(wide, out_ / "wide.webm", screen);
    ASSERT_TRUE(movie.ok()) << movie.error().message;
    EXPECT_EQ(publish::Run("ffprobe", {"-v", "error", "-show_entries", "stream=width,height", "-select_streams", "v",
                                       "-of", "csv=p=0", QString::fromStdString((out_ / "wide.webm").string())}),
              "200,50");
    screen.maxSourceSide = 1000;
    movie = TranscodeToWebm(wide, out_ / "refused.webm", screen);
    ASSERT_FALSE(movie.ok());
    EXPECT_EQ(movie.error().message, "「wide.avi」を WebM にできません: 画面が大きすぎます (1600×400、1 辺 1000 まで)");
    EXPECT_EQ(Names(out_), std::vector<std::string>{"wide.webm"});
}

TEST_F(MovieTranscodeTest, WhatCannotBeConvertedIsReportedAndLeavesNothingBehind) {
    const fs::path clip = MakeMovie(in_ / "clip.avi", "mpeg4", "pcm_s16le");
    const fs::path text = in_ / "notes.avi";
    test::WriteBytes(text, "これは動画ではありません\n");
    // A playlist dressed as a movie would have ffmpeg read another file into the output.
    const fs::path secret = in_ / "secret.txt";
    test::WriteBytes(secret, "secret\n");
    const fs::path playlist = in_ / "list.avi";
    test::WriteBytes(playlist,
                     "#EXTM3U\n#EXT-X-TARGETDURATION:1\n#EXTINF:1,\nfile:" + secret.string() + "\n#EXT-X-ENDLIST\n");
    const fs::path concat = in_ / "concat.mpg";
    test::WriteBytes(concat, "ffconcat version 1.0\nfile 'clip.avi'\n");
    TranscodeLimits small;
    small.maxOutputBytes = 2000;
    TranscodeLimits noTime;
    noTime.baseTime = std::chrono::milliseconds(1);
    noTime.timePerMovieSecond = 0;
    TranscodeLimits noProgram;
    noProgram.ffmpeg = "/nonexistent/ffmpeg";
    struct Case {
        fs::path movie;
        TranscodeLimits limits;
        std::string message;
    } cases[] = {
        {text, {}, "「notes.avi」を WebM にできません: 動画として読めません"},
        {playlist, {}, "「list.avi」を WebM にできません: 動画として読めません"},
        {concat, {}, "「concat.mpg」を WebM にできません: 動画として読めません"},
        {in_ / "gone.avi", {}, "「gone.avi」を WebM にできません: ファイルが読めません"},
        {clip, small, "「clip.avi」を WebM にできません: 変換した動画が大きすぎます"},
        {clip, noTime, "「clip.avi」を WebM にできません: 時間内に変換が終わりませんでした"},
        {clip, noProgram, "「clip.avi」を WebM にできません: ffmpeg を起動できません"},
    };
    for (const Case& c : cases) {
        auto movie = TranscodeToWebm(c.movie, out_ / "out.webm", c.limits);
        ASSERT_FALSE(movie.ok()) << c.movie;
        EXPECT_EQ(movie.error().message, c.message);
        EXPECT_TRUE(Names(out_).empty()) << c.message << ": " << Names(out_).front();
    }
}

}  // namespace
}  // namespace zepo::publish
