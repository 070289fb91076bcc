#pragma once
// The files of the web player kept under src/publish/web (script, style sheets, page
// templates), built into the program: the bytes of the file of that name, empty when none.

#include <string_view>

namespace zepo::publish {

std::string_view WebAsset(std::string_view name);

}  // namespace zepo::publish
