#pragma once
// What tells one file on disk from another, or from itself after a change: the device, the
// inode, the size and the time of the last change. A card remembers the stamp of the file it
// was read from or written to, and saving over a file with any other stamp asks first.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace zepo {

struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t changedNs = 0;  // the last change of contents, in nanoseconds since 1970
    bool operator==(const FileStamp&) const = default;
    bool SameFile(const FileStamp& other) const { return device == other.device && inode == other.inode; }
};

// The stamp of the file `file` names (links followed); nothing when it cannot be examined.
std::optional<FileStamp> StampOf(const std::filesystem::path& file);
// As text to keep in a record, and back; nothing for text that is not a stamp.
std::string StampText(const FileStamp& stamp);
std::optional<FileStamp> StampFromText(const std::string& text);

}  // namespace zepo
