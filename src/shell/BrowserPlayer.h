#pragma once
// The player on a desktop that has none: the save folder exported as web pages into the
// user's cache folder (again and again into the same one, so that only what changed is
// made) and a card's page shown in the web browser.

#include <QSize>

#include <filesystem>

#include "core/Result.h"
#include "model/Card.h"

class QWidget;

namespace zepo {
namespace publish {
struct ExportCaches;
}

// $XDG_CACHE_HOME/zepoed/NAME-HASH (~/.cache without the variable): the folder's own name
// for the reader, a hash of its full path so that two folders of one name never share.
std::filesystem::path PlayerCacheSite(const std::filesystem::path& saveFolder);

// Whether `file` holds exactly what saving `card` would write now: the player shows files,
// so a card that differs has to be saved before it can be seen as edited.
bool SavedAsShown(const Card& card, const std::filesystem::path& file);

// Exports the save folder into its cache site (a progress dialog over `parent` when that
// takes longer than a moment) and gives the page of `cardFile`. The error (UTF-8) says what
// stopped the export, or that the card has no page. `caches`, when given, are what the last
// export kept for this one (the cards as read, the overview's layout).
Result<std::filesystem::path> ExportForBrowser(const std::filesystem::path& saveFolder,
                                               const std::filesystem::path& cardFile, QSize screen, QWidget* parent,
                                               publish::ExportCaches* caches = nullptr);

}  // namespace zepo
