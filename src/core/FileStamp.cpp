#include "core/FileStamp.h"

#include <sys/stat.h>

#include <cstdio>

namespace zepo {

std::optional<FileStamp> StampOf(const std::filesystem::path& file) {
    struct stat st;
    if (::stat(file.c_str(), &st) != 0) return std::nullopt;
    return FileStamp{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
                     static_cast<std::int64_t>(st.st_size),
                     static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

std::string StampText(const FileStamp& s) {
    char text[96];
    std::snprintf(text, sizeof text, "%llu:%llu:%lld:%lld", static_cast<unsigned long long>(s.device),
                  static_cast<unsigned long long>(s.inode), static_cast<long long>(s.size),
                  static_cast<long long>(s.changedNs));
    return text;
}

std::optional<FileStamp> StampFromText(const std::string& text) {
    unsigned long long device = 0, inode = 0;
    long long size = 0, changed = 0;
    int used = 0;
    if (std::sscanf(text.c_str(), "%llu:%llu:%lld:%lld%n", &device, &inode, &size, &changed, &used) != 4 ||
        used != static_cast<int>(text.size()))
        return std::nullopt;
    return FileStamp{device, inode, size, changed};
}

}  // namespace zepo
