// The private folders of UserFolders.h, in plain POSIX: the settings file's reading and
// writing is built without Qt too (the settings fuzz target).

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <vector>

#include "platform/UserFolders.h"

namespace zepo {

Status MakePrivateFolder(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> missing;
    std::error_code ec;
    for (std::filesystem::path p = folder; !p.empty() && !std::filesystem::exists(p, ec); p = p.parent_path()) {
        missing.push_back(p);
        if (p == p.parent_path()) break;
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it)
        if (::mkdir(it->c_str(), 0700) != 0 && errno != EEXIST) return Fail(std::generic_category().message(errno));
    return {};
}

Status CheckPrivateFolder(const std::filesystem::path& folder) {
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0) return Fail(std::generic_category().message(errno));
    if (S_ISLNK(st.st_mode)) return Fail("リンクです");
    if (!S_ISDIR(st.st_mode)) return Fail("フォルダではありません");
    if (st.st_uid != ::geteuid()) return Fail("ほかのユーザーのフォルダです");
    return {};
}

}  // namespace zepo
