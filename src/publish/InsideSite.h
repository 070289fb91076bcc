#pragma once
// The exporter writes only inside the site it was given: a folder or file there that is a link
// leading elsewhere (planted, or left from before) is never written through.

#include <filesystem>

namespace zepo::publish {

// Whether `path`, following every link along it that exists, lies inside `root` (canonical).
bool LeadsInside(const std::filesystem::path& root, const std::filesystem::path& path);

}  // namespace zepo::publish
