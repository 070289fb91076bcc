#pragma once
// The movies of old sets (AVI, MPEG, WMV) turned into WebM (VP8 and Vorbis), which browsers
// play, with the ffmpeg program. The program runs without a shell, niced, on one thread, with
// limits on its time, its memory, its output, the picture size and the demuxers and protocols
// it may use, so a hostile file can neither hang the export, nor take the machine's memory, nor
// make ffmpeg read anything but the movie itself. It ends with the program that started it.

#include <QString>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>

#include "core/Result.h"

namespace zepo::publish {

struct TranscodeLimits {
    double maxSeconds = 10 * 60;  // longer movies are cut here
    // Wall clock: a fixed part plus so much per second of movie, never more than the cap.
    std::chrono::milliseconds baseTime = std::chrono::seconds(30);
    double timePerMovieSecond = 2.0;
    std::chrono::milliseconds maxTime = std::chrono::minutes(20);
    // The picture is scaled down to fit this (what a card shows: at most the export's screen);
    // a source with a side beyond maxSourceSide is refused before a frame is decoded.
    int maxWidth = 1024, maxHeight = 768;
    int maxSourceSide = 8192;
    // Address space of each ffmpeg and ffprobe run: a frame or a buffer beyond it fails there.
    uint64_t maxAddressSpace = uint64_t{1} << 30;
    std::chrono::milliseconds probeTime = std::chrono::seconds(20);
    uint64_t maxOutputBytes = uint64_t{1} << 30;
    QString ffmpeg = QStringLiteral("ffmpeg"), ffprobe = QStringLiteral("ffprobe");
};

struct TranscodedMovie {
    double seconds = 0;         // of the source, as ffprobe reports it (0 when it cannot tell)
    int width = 0, height = 0;  // of the picture; 0 for a movie without one
    bool cut = false;           // longer than the limit
};

// Whether a file of this name is a movie format browsers do not play and we convert.
bool NeedsWebConversion(const std::filesystem::path& file);

// The name the converted movie gets in the site: "clip.avi" → "clip.avi.webm", so that
// "clip.avi" and "clip.mpg" never meet.
std::filesystem::path WebMovieName(const std::filesystem::path& file);

// Converts `input` into `output` (written to a file beside it that has no name until it is
// complete, then renamed into place: an interrupted export leaves nothing behind). Errors
// name the input by its file name.
Result<TranscodedMovie> TranscodeToWebm(const std::filesystem::path& input, const std::filesystem::path& output,
                                        const TranscodeLimits& limits = {});

}  // namespace zepo::publish
