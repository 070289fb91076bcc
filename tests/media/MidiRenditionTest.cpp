#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>

#include "MidiBytes.h"
#include "TempFolder.h"
#include "media/MidiRendition.h"

namespace zepo {
namespace {

namespace fs = std::filesystem;
using test::AsString;
using test::operator+;
using test::Header;
using test::OneNoteTrack;

struct Decoded {
    int channels = 0;
    long rate = 0;
    double seconds = 0;
    double rmsFirstSecond = 0;
    double peakDb = -200;  // of the whole file, dB below full scale
};

// The Ogg Vorbis file decoded again, as a browser would.
Decoded Decode(const fs::path& file) {
    OggVorbis_File vf;
    Decoded d;
    if (ov_fopen(file.c_str(), &vf) != 0) return d;
    d.channels = ov_info(&vf, -1)->channels;
    d.rate = ov_info(&vf, -1)->rate;
    d.seconds = ov_time_total(&vf, -1);
    double sum = 0;
    long count = 0;
    float** pcm;
    int section;
    float peak = 0;
    for (;;) {
        long n = ov_read_float(&vf, &pcm, 1024, &section);
        if (n <= 0) break;
        for (long i = 0; i < n; ++i) {
            if (count + i < d.rate) sum += double(pcm[0][i]) * pcm[0][i];
            for (int c = 0; c < d.channels; ++c) peak = std::max(peak, std::abs(pcm[c][i]));
        }
        count += n;
    }
    count = std::min(count, d.rate);
    d.peakDb = peak > 0 ? 20 * std::log10(peak) : -200;
    d.rmsFirstSecond = count ? std::sqrt(sum / double(count)) : 0;
    ov_clear(&vf);
    return d;
}

class MidiRenditionTest : public ::testing::Test {
protected:
    void SetUp() override {
        soundFont_ = FindGmSoundFont();
        if (soundFont_.empty()) GTEST_SKIP() << "no General MIDI SoundFont installed (timgm6mb-soundfont)";
    }
    fs::path Midi(const std::string& name, const test::Bytes& bytes) {
        fs::path p = folder_.path() / name;
        test::WriteBytes(p, AsString(bytes));
        return p;
    }
    test::TempFolder folder_;
    fs::path soundFont_;
};

TEST_F(MidiRenditionTest, APieceBecomesAudibleVorbisOfItsLengthOrOfTheCap) {
    // A piano note of ten quarters at 120 beats a minute: five seconds, then its release.
    const fs::path midi = Midi("曲.mid", Header(0, 1, 96) + OneNoteTrack(500000, 7, 64));
    struct Case {
        double maxSeconds;
        bool cut;
        double least, most;
    } cases[] = {{30 * 60, false, 5.0, 8.1}, {2.0, true, 2.0, 2.0}};
    for (const Case& c : cases) {
        MidiRenditionLimits limits;
        limits.maxSeconds = c.maxSeconds;
        auto rendition = RenderMidi(midi, soundFont_, limits);
        ASSERT_TRUE(rendition.ok()) << rendition.error().message;
        EXPECT_EQ(rendition.value().cut, c.cut) << c.maxSeconds;
        EXPECT_GE(rendition.value().seconds, c.least) << c.maxSeconds;
        EXPECT_LE(rendition.value().seconds, c.most) << c.maxSeconds;
        const fs::path ogg = folder_.path() / "out.ogg";
        test::WriteBytes(ogg, rendition.value().ogg);
        Decoded d = Decode(ogg);
        EXPECT_EQ(d.channels, 2);
        EXPECT_EQ(d.rate, 44100);
        EXPECT_NEAR(d.seconds, rendition.value().seconds, 0.05) << c.maxSeconds;
        EXPECT_GT(d.rmsFirstSecond, 0.002) << "the note is not heard";
    }
}

// A piece is as loud as the sound files beside it (these peak around -6 dB), whether it was
// written soft or loud: without this a MIDI piece played some 30 dB quieter than a WAV.
TEST_F(MidiRenditionTest, SoftAndLoudPiecesPeakLikeSoundFiles) {
    struct Case {
        const char* what;
        uint8_t velocity;
    } cases[] = {{"a soft note", 30}, {"a loud note", 127}};
    for (const Case& c : cases) {
        test::Bytes track = OneNoteTrack(500000, 3, 0);
        const uint8_t noteOn[] = {0x90, 60, 100};
        std::search(track.begin(), track.end(), std::begin(noteOn), std::end(noteOn))[2] = c.velocity;
        const fs::path midi = Midi("piece.mid", Header(0, 1, 96) + track);
        auto rendition = RenderMidi(midi, soundFont_);
        ASSERT_TRUE(rendition.ok()) << rendition.error().message;
        const fs::path ogg = folder_.path() / "loud.ogg";
        test::WriteBytes(ogg, rendition.value().ogg);
        const double peak = Decode(ogg).peakDb;
        EXPECT_GT(peak, -9) << c.what;
        EXPECT_LT(peak, -0.5) << c.what;
    }
}

TEST_F(MidiRenditionTest, UnusableInputsEndInAMessageNamingTheFile) {
    const test::Bytes good = Header(0, 1, 96) + OneNoteTrack(500000, 7, 64);
    const fs::path cut = Midi("途中.mid", test::Bytes(good.begin(), good.end() - 3));
    const fs::path piece = Midi("piece.mid", good);
    const fs::path notSoundFont = Midi("notes.sf2", {'n', 'o'});
    MidiRenditionLimits tiny;
    tiny.maxFileBytes = 10;
    MidiRenditionLimits noTime;
    noTime.timeLimit = std::chrono::milliseconds(0);
    struct Case {
        fs::path midi, soundFont;
        MidiRenditionLimits limits;
        std::string message;
    } cases[] = {
        {cut, soundFont_, {}, "「途中.mid」を音声にできません: 途中で切れています"},
        {folder_.path() / "gone.mid", soundFont_, {}, "「gone.mid」を音声にできません: ファイルが読めません"},
        {folder_.path(), soundFont_, {}, "ファイルが読めません"},
        {piece, soundFont_, tiny, "「piece.mid」を音声にできません: MIDI ファイルとしては大きすぎます"},
        {piece, soundFont_, noTime, "「piece.mid」を音声にできません: 時間内に変換が終わりませんでした"},
        {piece,
         notSoundFont,
         {},
         "「piece.mid」を音声にできません: 音色ファイル「" + notSoundFont.string() + "」が読めません"},
    };
    for (const Case& c : cases) {
        auto rendition = RenderMidi(c.midi, c.soundFont, c.limits);
        ASSERT_FALSE(rendition.ok()) << c.midi;
        EXPECT_NE(rendition.error().message.find(c.message), std::string::npos) << rendition.error().message;
    }
}

TEST(SoundFont, TheFirstInstalledCandidateIsChosen) {
    test::TempFolder folder;
    folder.Touch("b.sf2");
    fs::create_directory(folder.path() / "dir.sf2");
    fs::create_symlink(folder.path() / "b.sf2", folder.path() / "default.sf2");
    const fs::path a = folder.path() / "a.sf2", b = folder.path() / "b.sf2", dir = folder.path() / "dir.sf2",
                   link = folder.path() / "default.sf2";
    EXPECT_EQ(FindGmSoundFont({a, dir, link, b}), link);
    EXPECT_EQ(FindGmSoundFont({a, dir}), fs::path());
}

}  // namespace
}  // namespace zepo
