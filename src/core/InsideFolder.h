#pragma once
// Where a name really leads. A card set comes from anyone, often unpacked from an archive
// that can hold links; a name is looked at where it lives once every link is followed, so a
// link pointing out of the save folder reads (or writes) nothing, whatever reads the name.

#include <filesystem>

namespace zepo {

// True when `path`, every link in it followed, lies below `folder`, whose own links are
// followed too (a save folder opened through a link keeps its files). The folder itself is
// not below itself. A path that does not exist yet is judged by the part of it that exists
// (a new file in a linked-out subfolder is outside); a folder that does not exist holds
// nothing.
bool RealPathInside(const std::filesystem::path& folder, const std::filesystem::path& path);

}  // namespace zepo
