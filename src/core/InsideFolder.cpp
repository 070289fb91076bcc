#include "core/InsideFolder.h"

#include <system_error>

namespace zepo {

bool RealPathInside(const std::filesystem::path& folder, const std::filesystem::path& path) {
    if (path.empty()) return false;
    std::error_code ec;
    const std::filesystem::path base = std::filesystem::canonical(folder, ec);
    if (ec) return false;
    const std::filesystem::path real = std::filesystem::weakly_canonical(std::filesystem::absolute(path, ec), ec);
    if (ec) return false;
    // Compared part by part: "/set-2/x" does not lie in "/set".
    auto p = real.begin();
    for (auto f = base.begin(); f != base.end(); ++f, ++p)
        if (p == real.end() || *f != *p) return false;
    return p != real.end() && !p->empty();
}

}  // namespace zepo
