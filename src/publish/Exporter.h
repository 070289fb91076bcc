#pragma once
// A folder of cards as a static web presentation that works from the file system and from
// any web server: index.html, cards/NAME.html per card, pictures/ and thumbs/ (PNG), media/
// (sounds and files as they are, MIDI pieces as Ogg Vorbis, old movies as WebM), the shared
// script and style sheets. Exporting into the same site again makes only what changed
// (ExportManifest.h) and removes only what an earlier export wrote, while it is as written
// (SiteFolder.h); a folder holding other files and no record of an export, or one another
// user owns or may write in, is refused. Both zepocard and the editor's player command call it.
// What is written is decided first, as a plan (ExportPlan.h), and then carried out.

#include <QSize>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "publish/CardSet.h"
#include "publish/MapDrawing.h"

namespace zepo::publish {

struct ExportRequest {
    std::filesystem::path folder;  // the set: every "*.zep" of it
    std::filesystem::path site;    // made when missing
    QSize screen{1024, 768};
    // The editor's own cache folder, never one the user chose: it may lie in the set's folder
    // (a set saved in the home folder). Any other site must neither hold nor lie in the folder.
    bool privateSite = false;
};

// `done` of `total` steps of the stage named (a Japanese text for a progress line). Called
// from worker threads, never two at once.
using ExportProgress = std::function<void(std::string_view stage, size_t done, size_t total)>;

struct ExportReport {
    // What the pages lack or could not be converted (the export goes on): UTF-8 texts made
    // partly of card texts and file names, to be escaped where they are shown.
    std::vector<std::string> problems;
    // What stopped the export or left a file unwritten: the site is not complete.
    std::vector<std::string> failures;
    // The page of each card of the set, relative to the site ("cards/main.html"), by the
    // card's canonical path.
    std::map<std::filesystem::path, std::filesystem::path> pages;
    size_t cardsDrawn = 0, cardsKept = 0;  // pictures made now, found up to date
    size_t mediaMade = 0, mediaKept = 0;

    // 0 clean, 1 with problems, 2 when something could not be done.
    int ExitCode() const { return !failures.empty() ? 2 : problems.empty() ? 0 : 1; }
};

// What one export keeps for the next into the same site: the cards as read (a card that did
// not change since, nor what it names, is not read again) and the overview's layout. Owned by
// whoever exports again and again (the editor exports its set at every ゼポ).
struct ExportCaches {
    CardReadCache cards;
    OverviewLayouts layouts;
};

ExportReport ExportSet(const ExportRequest& request, const ExportProgress& progress = {},
                       ExportCaches* caches = nullptr);

}  // namespace zepo::publish
