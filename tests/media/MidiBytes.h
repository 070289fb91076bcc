#pragma once
// Standard MIDI files made byte by byte for the tests.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace zepo::test {

using Bytes = std::vector<uint8_t>;

inline Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline Bytes Chunk(const char* id, const Bytes& body) {
    Bytes out(id, id + 4);
    const uint32_t n = uint32_t(body.size());
    for (int shift : {24, 16, 8, 0}) out.push_back(uint8_t(n >> shift));
    return out + body;
}

// format, tracks, ticks per quarter note
inline Bytes Header(int format, int tracks, int division) {
    return Chunk(
        "MThd", {0, uint8_t(format), uint8_t(tracks >> 8), uint8_t(tracks), uint8_t(division >> 8), uint8_t(division)});
}

inline const Bytes kEndOfTrack = {0x00, 0xFF, 0x2F, 0x00};

// A note of `ticks` on channel 1 (piano), after a tempo of `tempo` microseconds per quarter.
inline Bytes OneNoteTrack(uint32_t tempo, uint8_t ticksHigh, uint8_t ticksLow) {
    return Chunk("MTrk", Bytes{0x00, 0xFF, 0x51, 0x03, uint8_t(tempo >> 16), uint8_t(tempo >> 8), uint8_t(tempo), 0x00,
                               0xC0, 0x00, 0x00, 0x90, 60, 100, uint8_t(0x80 | ticksHigh), ticksLow, 0x80, 60, 0} +
                             kEndOfTrack);
}

inline std::string AsString(const Bytes& b) { return std::string(b.begin(), b.end()); }

}  // namespace zepo::test
