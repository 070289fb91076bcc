#pragma once
// The one way this program writes a file: whole or not at all. Cards, converted and reduced
// pictures and screen pictures all come through here.

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "core/Result.h"

namespace zepo {

// Writes to a temporary file created exclusively beside `target` (never a fixed name that
// someone could plant as a link) and renames it over `target` only when every byte is on
// disk. An existing target must be a plain file with a write bit; it keeps its permissions.
// On failure `target` is untouched, the temporary file is gone and the error says why.
// Shared files get the permissions the umask allows (cards, pictures); private ones (the
// user's settings, recovery copies) are readable and writable by their owner only, also when
// they existed before.
enum class FileAccess { Shared, OwnerOnly };
// A link at the target's name is refused: someone else may have planted it where an output
// goes, pointing at a file of the user's. Only a file the user opened under that name (their
// card, reached through a link of their own) is written where the link leads; the link stays.
enum class AtLink { Refuse, Follow };
inline constexpr char kLinkRefused[] = "リンクのため、書きません";
Status WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                           FileAccess access = FileAccess::Shared, AtLink atLink = AtLink::Refuse);
Status WriteFileAtomically(const std::filesystem::path& target, std::span<const uint8_t> bytes);

// The same write with the bytes of the plain file `source`, copied in pieces so that a file
// of any size costs one piece of memory. A source that is no plain file or is larger than
// `maxBytes` (also one that grows past it while copied) is refused.
Status CopyFileAtomically(const std::filesystem::path& source, const std::filesystem::path& target,
                          std::uintmax_t maxBytes);

// The same write of file `name` in the open folder `folderFd`, created with `mode` (less the
// umask). The name is replaced, never followed: a link there is replaced by the file, and only
// a plain file with a write bit (or nothing) may be there. 0 or the error number.
int WriteFileAtomicallyAt(int folderFd, const std::string& name, std::string_view bytes, mode_t mode);

// A new file beside `target` (".NAME.RANDOM"), created exclusively under a name no one can
// foresee, never through a link, with `mode` less the process umask. The open descriptor and
// `created` set, or minus the error number.
int CreateFileBeside(const std::filesystem::path& target, mode_t mode, std::filesystem::path& created);

}  // namespace zepo
