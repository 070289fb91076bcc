#pragma once
// Sounds of old sets that browsers may not play (ADPCM, GSM, µ-law and A-law, 24- and 32-bit
// or float samples, odd rates) turned into Ogg Vorbis with ffmpeg, limited as the movies are
// (LimitedChild.h): only the WAV demuxer, a bounded length, output size and time.

#include <QString>

#include <chrono>
#include <cstdint>
#include <filesystem>

#include "core/Result.h"

namespace zepo::publish {

struct SoundLimits {
    double maxSeconds = 30 * 60;  // longer sounds are cut here
    std::chrono::milliseconds maxTime = std::chrono::minutes(5);
    uint64_t maxOutputBytes = uint64_t{256} << 20;
    uint64_t maxAddressSpace = uint64_t{1} << 30;
    QString ffmpeg = QStringLiteral("ffmpeg");
};

bool IsWaveFile(const std::filesystem::path& file);

// Whether the file is a RIFF WAVE whose format says anything but 8- or 16-bit PCM, mono or
// stereo, at 8 to 48 kHz (what every browser plays as it is). A file that does not read as a
// WAVE at all is left as it is. Reads no more than the chunks before the format (1 MiB).
bool WaveNeedsConversion(const std::filesystem::path& file);

// Converts `input` into `output` (an unnamed file beside it, named when complete). Errors name the input by its file
// name.
Status TranscodeSoundToOgg(const std::filesystem::path& input, const std::filesystem::path& output,
                           const SoundLimits& limits = {});

}  // namespace zepo::publish
