#pragma once
// The one way this program writes a file: whole or not at all. Cards, converted and reduced
// pictures and screen pictures all come through here.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

#include "core/Result.h"

namespace zepo {

// Writes to a temporary file created exclusively beside `target` (never a fixed name that
// someone could plant as a link) and renames it over `target` only when every byte is on
// disk. An existing target must be a plain file with a write bit; it is replaced where it
// really lives (a link stays a link) and keeps its permissions. On failure `target` is
// untouched, the temporary file is gone and the error says why.
Status WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes);
Status WriteFileAtomically(const std::filesystem::path& target, std::span<const uint8_t> bytes);

}  // namespace zepo
