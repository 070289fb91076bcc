#pragma once
// ffmpeg and ffprobe run as limited children (defined in MovieTranscode.cpp, shared with
// SoundTranscode.cpp): without a shell, niced, with a bounded output file and no core file.

#include <QProcess>
#include <QString>

#include <chrono>
#include <cstdint>
#include <filesystem>

namespace zepo::publish {

// "file:" and the absolute path: a name such as "concat:a|b" is never read as a protocol.
QString FileUrl(const std::filesystem::path& p);

// To be called before start: the child's limits, stdin from /dev/null.
void Limit(QProcess& process, uint64_t maxFileBytes);

enum class Ran { Finished, Failed, TimedOut, NotStarted };

// Waits for the started child; kills it when `time` runs out.
Ran RunToEnd(QProcess& process, std::chrono::milliseconds time);

}  // namespace zepo::publish
