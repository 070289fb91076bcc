#include "publish/InsideSite.h"

#include <sys/stat.h>

#include <system_error>

namespace zepo::publish {
namespace fs = std::filesystem;

bool LeadsInside(const fs::path& root, const fs::path& path) {
    std::error_code ec;
    const fs::path real = fs::weakly_canonical(path, ec);
    if (ec) return false;
    auto r = root.begin();
    auto p = real.begin();
    for (; r != root.end(); ++r, ++p)
        if (p == real.end() || *r != *p) return false;
    return true;
}

bool SameFolder(const fs::path& a, const fs::path& b) {
    struct stat sa {
    }, sb{};
    return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && S_ISDIR(sa.st_mode) && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

bool SameOrBelow(const fs::path& folder, const fs::path& path) {
    for (fs::path at = path;; at = at.parent_path()) {
        if (SameFolder(folder, at)) return true;
        if (at == at.parent_path() || at.empty()) return false;
    }
}

}  // namespace zepo::publish
