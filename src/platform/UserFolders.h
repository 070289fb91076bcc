#pragma once
// What belongs to the user rather than to a card or the program: the settings file in the
// user's configuration folder, the copies of unsaved cards in the user's state folder, and the
// home folder a first start saves in.

#include <filesystem>

#include "core/Result.h"

namespace zepo {

struct UserPlaces {
    std::filesystem::path settingsFile;    // the user's ZEPOED.INI; empty: none is read or written
    std::filesystem::path recoveryFolder;  // copies of unsaved cards; empty: none are made
    std::filesystem::path home;            // the save folder when none is remembered
};

// $XDG_CONFIG_HOME/zepoed/ZEPOED.INI, $XDG_STATE_HOME/zepoed/recovery and $HOME, each with the
// usual fallback under the home folder when its variable is unset or not absolute.
UserPlaces PlacesOfThisUser();

// Makes `folder` and every missing folder above it, readable by the owner only; an existing
// folder is left as it is.
Status MakePrivateFolder(const std::filesystem::path& folder);
// Whether `folder` may hold private files: a real folder (not a link to one) owned by the user
// running the program. The error (UTF-8) says why not.
Status CheckPrivateFolder(const std::filesystem::path& folder);

}  // namespace zepo
