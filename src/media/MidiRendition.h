#pragma once
// A MIDI piece played through a General MIDI SoundFont into Ogg Vorbis, which every browser
// plays. Runs in the calling thread with bounded length, time and memory: the file is checked
// first (media/MidiFile.h), then synthesized block by block and encoded as it goes.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/Result.h"

namespace zepo {

struct MidiRenditionLimits {
    double maxSeconds = 30 * 60;                                    // longer pieces are cut here
    std::chrono::milliseconds timeLimit = std::chrono::minutes(5);  // wall clock, whole rendition
    uint64_t maxFileBytes = 8u << 20;                               // a MIDI file is a few hundred kilobytes
    int sampleRate = 44100;
};

struct MidiRendition {
    std::string ogg;     // the whole Ogg Vorbis file
    double seconds = 0;  // of sound in it
    bool cut = false;    // the piece was longer than the limit
};

// The SoundFont the system points at as its General MIDI set, else the first of the known
// Debian ones that exists; empty when none is installed.
std::filesystem::path FindGmSoundFont(const std::vector<std::filesystem::path>& candidates = {
                                          "/usr/share/sounds/sf2/default-GM.sf2",
                                          "/usr/share/sounds/sf2/TimGM6mb.sf2",
                                          "/usr/share/sounds/sf2/FluidR3_GM.sf2",
                                          "/usr/share/sounds/sf3/default-GM.sf3",
                                      });

// Renders `midi` with `soundFont`. Every error names the MIDI file by its file name.
Result<MidiRendition> RenderMidi(const std::filesystem::path& midi, const std::filesystem::path& soundFont,
                                 const MidiRenditionLimits& limits = {});

}  // namespace zepo
