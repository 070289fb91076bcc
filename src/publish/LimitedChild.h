#pragma once
// ffmpeg and ffprobe run as limited children (defined in MovieTranscode.cpp, shared with
// SoundTranscode.cpp): without a shell, niced, with a bounded output file, a bounded address
// space and no core file.

#include <QProcess>
#include <QString>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>

namespace zepo::publish {

// "file:" and the absolute path: a name such as "concat:a|b" or "http://…" is never read as a
// protocol.
QString FileUrl(const std::filesystem::path& p);

// To be called before start: the child runs at a lower priority, cannot grow a file beyond
// `maxFileBytes` (the write fails and ffmpeg stops) nor its memory beyond `maxAddressSpace`,
// leaves no core file, reads /dev/null, and is killed when the thread that started it ends (an
// interrupted export). `keep` is a descriptor it inherits.
void Limit(QProcess& process, uint64_t maxFileBytes, uint64_t maxAddressSpace, int keep = -1);

enum class Ran { Finished, Failed, TimedOut, NotStarted };

// Waits for the started child; kills it when `time` runs out.
Ran RunToEnd(QProcess& process, std::chrono::milliseconds time);

// Where a child writes: an unnamed file in the output's folder (a named temporary one where the
// file system has none), named only once it is complete, so an interrupted export or a failed
// conversion leaves nothing in the site.
struct ChildOutputFile {
    explicit ChildOutputFile(const std::filesystem::path& target);
    ~ChildOutputFile();
    ChildOutputFile(const ChildOutputFile&) = delete;
    ChildOutputFile& operator=(const ChildOutputFile&) = delete;
    // The name the child opens (it inherits the descriptor).
    std::string ChildPath() const;
    // Empty, or the reason the file could not be put in place.
    std::string PutInPlace();

    std::filesystem::path target, named;
    int fd = -1;
};

// Waits for the started converter writing into `file` and puts the file in place. Empty, or
// why not in the words of the `medium` ("動画", "音声"); `unreadable` when the converter failed.
std::string FinishConversion(QProcess& process, std::chrono::milliseconds time, ChildOutputFile& file,
                             uint64_t maxOutputBytes, const std::string& medium, const std::string& unreadable);

}  // namespace zepo::publish
