#pragma once
// The process's current folder, folder creation, card file names between the cards'
// Shift-JIS and the file system's UTF-8. Files are written by core/AtomicFile.h.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/Result.h"

namespace zepo {

// chdir; false when the folder cannot be entered.
bool EnterFolder(const std::filesystem::path& folder);
std::filesystem::path CurrentFolder();
// The folder itself when it can be entered, else the nearest folder above it that can, else
// the root. A save folder that vanished (a stick pulled out) still leaves a place to start from.
std::filesystem::path NearestEnterableFolder(const std::filesystem::path& folder);
// MakePrivateFolder of UserFolders.h, under the name older callers use.
Status MakeOwnerOnlyFolder(const std::filesystem::path& folder);
// Creates exactly one level: fails when the parent is missing or the folder exists.
bool CreateOneFolder(const std::filesystem::path& folder);

// A folder as the user types it: "~" and "~/…" start at `home`, a relative name at `base`
// (the folder the question was asked in). Empty text gives an empty path.
std::filesystem::path FolderOfTypedText(const std::string& text, const std::filesystem::path& base,
                                        const std::filesystem::path& home);

// The folder text as the editor shows it: no trailing separator except for the root.
std::filesystem::path WithoutTrailingSeparator(const std::filesystem::path& folder);

// A Shift-JIS file name (no folder) as a path of the file system.
std::filesystem::path PathOfSjisName(const std::filesystem::path& folder, std::string_view sjisName);
// The Shift-JIS form of a file system name (a UTF-8 one converted, a raw Shift-JIS one as
// it is); nothing when it has characters code page 932 cannot hold.
std::optional<std::string> SjisNameOfPath(const std::filesystem::path& name);

enum class CardNameProblem { None, Empty, Separator, Nul };
// Whether a card name can be the stem of a file in the save folder. "\" counts as a
// separator too: card files name each other by bare name and "\" separates folders there.
CardNameProblem CheckCardFileName(std::string_view sjisName);

}  // namespace zepo
