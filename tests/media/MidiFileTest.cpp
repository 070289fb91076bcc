#include <gtest/gtest.h>

#include "MidiBytes.h"
#include "media/MidiFile.h"

namespace zepo {
namespace {

using test::Bytes;
using test::operator+;
using test::Chunk;
using test::Header;
using test::kEndOfTrack;
using test::OneNoteTrack;

Bytes Track(const Bytes& events) { return Chunk("MTrk", events + kEndOfTrack); }

TEST(MidiFile, SoundFilesGiveTheirLengthWithEveryTempoChange) {
    // Tempo changes stand in a track of their own and apply to the notes of the other.
    const Bytes tempoTrack = Track({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,          // 500000 µs a quarter
                                    0x83, 0x60, 0xFF, 0x51, 0x03, 0x03, 0xD0, 0x90});  // tick 480: 250000
    const Bytes runningStatus = Track({0x00, 0x90, 60, 100, 0x60, 64, 100, 0x60, 60, 0, 0x60, 64, 0});
    struct Case {
        const char* what;
        Bytes file;
        int tracks;
        long long events;
        double seconds;
    } cases[] = {
        {"one note of ten quarters", Header(0, 1, 96) + OneNoteTrack(500000, 7, 64), 1, 5, 5.0},
        {"tempo map in another track", Header(1, 2, 96) + tempoTrack + OneNoteTrack(500000, 7, 64), 2, 8, 3.75},
        {"running status", Header(0, 1, 96) + runningStatus, 1, 5, 3 * 0.5},
        {"foreign chunk passed over", Header(0, 1, 96) + Chunk("XFIH", {1, 2, 3}) + OneNoteTrack(1000000, 0, 96), 1, 5,
         1.0},
        {"no end of track", Header(0, 1, 96) + Chunk("MTrk", {0x00, 0x90, 60, 100, 0x60, 0x80, 60, 0}), 1, 2, 0.5},
        {"sysex and text",
         Header(0, 1, 96) + Track({0x00, 0xF0, 0x03, 0x7E, 0x7F, 0xF7, 0x00, 0xFF, 0x01, 0x02, 'h', 'i'}), 1, 3, 0.0},
    };
    for (const Case& c : cases) {
        auto facts = InspectMidi(c.file);
        ASSERT_TRUE(facts.ok()) << c.what << ": " << facts.error().message;
        EXPECT_EQ(facts.value().tracks, c.tracks) << c.what;
        EXPECT_EQ(facts.value().events, c.events) << c.what;
        EXPECT_NEAR(facts.value().seconds, c.seconds, 1e-9) << c.what;
    }
}

TEST(MidiFile, BrokenFilesAreRefusedWithTheirReason) {
    const char* truncated = "途中で切れています";
    const char* broken = "壊れたところがあります";
    const Bytes good = Header(0, 1, 96) + OneNoteTrack(500000, 7, 64);
    Bytes cut(good.begin(), good.end() - 5);
    Bytes longHeader = Chunk("MThd", {0, 0, 0, 1, 0, 96, 0, 0}) + OneNoteTrack(500000, 7, 64);
    Bytes manyEvents = {0x00, 0xC0, 0x00};
    for (long long i = 0; i < kMaxMidiEvents; ++i) manyEvents.insert(manyEvents.end(), {0x00, 0x00});
    Bytes manyTracks = Header(1, 5000, 96);
    for (int i = 0, n = int(manyTracks.size()); i < 5000; ++i, n = int(manyTracks.size()))
        manyTracks.insert(manyTracks.begin() + n, good.begin() + 14, good.end());
    struct Case {
        const char* what;
        Bytes file;
        std::string reason;
    } cases[] = {
        {"a wave file", test::Bytes{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 0, 0, 0},
         "MIDI ファイルではありません"},
        {"header only, shorter than a header", Bytes(good.begin(), good.begin() + 10), "MIDI ファイルではありません"},
        {"file cut inside the track", cut, truncated},
        {"second track missing", Header(1, 2, 96) + OneNoteTrack(500000, 7, 64), truncated},
        {"event cut at the chunk's end", Header(0, 1, 96) + Chunk("MTrk", {0x00, 0x90, 60}), truncated},
        {"meta longer than its chunk", Header(0, 1, 96) + Chunk("MTrk", {0x00, 0xFF, 0x01, 0x7F, 'a'}), truncated},
        {"header of eight bytes", longHeader, broken},
        {"no tracks", Header(0, 0, 96), broken},
        {"division zero", Header(0, 1, 0) + OneNoteTrack(500000, 0, 1), broken},
        {"format 3", Header(3, 1, 96) + OneNoteTrack(500000, 0, 1), broken},
        {"SMPTE time", Header(0, 1, 0xE728) + OneNoteTrack(500000, 0, 1), "SMPTE の時間単位には対応していません"},
        {"data byte with its top bit", Header(0, 1, 96) + Track({0x00, 0x90, 60, 0xE4}), broken},
        {"running status before any status", Header(0, 1, 96) + Track({0x00, 60, 100}), broken},
        {"running status after a meta event", Header(0, 1, 96) + Track({0x00, 0xFF, 0x01, 0x00, 0x00, 60, 100}),
         broken},
        {"five-byte delta time", Header(0, 1, 96) + Track({0x81, 0x81, 0x81, 0x81, 0x01, 0x90, 60, 100}), broken},
        {"real-time message in a file", Header(0, 1, 96) + Track({0x00, 0xF8}), broken},
        {"tempo of two bytes", Header(0, 1, 96) + Track({0x00, 0xFF, 0x51, 0x02, 0x07, 0xA1}), broken},
        {"tempo zero", Header(0, 1, 96) + Track({0x00, 0xFF, 0x51, 0x03, 0, 0, 0}), broken},
        {"a million and one events", Header(0, 1, 96) + Chunk("MTrk", manyEvents), "イベントが多すぎます"},
        {"5,000 tracks", manyTracks, "トラックが多すぎます (5000 本、128 本まで)"},
    };
    for (const Case& c : cases) {
        auto facts = InspectMidi(c.file);
        ASSERT_FALSE(facts.ok()) << c.what;
        EXPECT_EQ(facts.error().message, c.reason) << c.what;
    }
}

}  // namespace
}  // namespace zepo
