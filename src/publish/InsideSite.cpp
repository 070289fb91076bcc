#include "publish/InsideSite.h"

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

}  // namespace zepo::publish
