#pragma once
// The exporter writes only inside the site it was given: a folder or file there that is a link
// leading elsewhere (planted, or left from before) is never written through.

#include <filesystem>

namespace zepo::publish {

// Whether `path`, following every link along it that exists, lies inside `root` (canonical).
bool LeadsInside(const std::filesystem::path& root, const std::filesystem::path& path);

// Whether `a` and `b` are one folder, by device and inode: a bind mount is the same folder
// under another path.
bool SameFolder(const std::filesystem::path& a, const std::filesystem::path& b);

// Whether `path` (absolute, links resolved; its missing tail is judged by what exists) is
// `folder` or lies below it, comparing device and inode of `path` and of each folder above it.
bool SameOrBelow(const std::filesystem::path& folder, const std::filesystem::path& path);

}  // namespace zepo::publish
