#pragma once
// A standard MIDI file read only as far as needed to trust it: every chunk and event lies
// inside the file, the synthesizer will not meet anything it cannot parse, and the piece's
// length is known before a second of it is rendered. Plain C++; any bytes are safe here.

#include <cstdint>
#include <span>

#include "core/Result.h"

namespace zepo {

struct MidiFacts {
    int format = 0;  // 0, 1 or 2
    int tracks = 0;
    long long events = 0;
    double seconds = 0;  // from the start to the last event of any track, tempo changes applied
};

// More events than this would make the synthesizer's player hold hundreds of megabytes; the
// pieces of a presentation have a few ten thousand.
inline constexpr long long kMaxMidiEvents = 1'000'000;

// The synthesizer's player reads at most this many tracks.
inline constexpr int kMaxMidiTracks = 128;

// The facts of a file, or why it is not one to play; the reason is a Japanese phrase without
// the file's name ("途中で切れています" for a truncated file).
Result<MidiFacts> InspectMidi(std::span<const uint8_t> bytes);

}  // namespace zepo
