#pragma once
// What an export of a set writes, decided before anything is written: each file of the site
// by its path relative to the site, what it is made from and with which recipe, and what an
// earlier export wrote there that is no longer wanted. A plain value made from the cards as
// read, the site's record and a few facts of this machine (fonts, SoundFont, how a medium is
// found and what it has to become), so that it can be made and examined without a disk or a
// converter. SiteWriter (Exporter.cpp) carries it out.

#include <QSize>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "publish/CardSet.h"
#include "publish/MapDrawing.h"
#include "publish/SiteFolder.h"
#include "publish/WebPages.h"

namespace zepo::publish {

// What a medium becomes in the site: a copy, or Ogg Vorbis (MIDI pieces, sounds browsers may
// not play), or WebM (old movies).
enum class Conversion { None, Midi, Sound, Movie };

struct PlannedMedium {
    std::filesystem::path from;  // canonical, in the set's folder
    std::string copy;            // "media/" and its path in the folder: the copy, or the base of the converted file
    std::string output;          // what is written: `copy`, or `copy` with ".ogg" or ".webm"
    Conversion conversion = Conversion::None;
    std::string recipe;
    // How pages link to `output`: the links a note replaces when it cannot be made.
    std::string href;
};

struct PlannedCard {
    size_t card = 0;                            // in the set
    std::string page, picture, thumb;           // "cards/NAME.html", "pictures/NAME.png", "thumbs/NAME.png"
    std::vector<std::filesystem::path> inputs;  // what the picture is drawn from, missing files too
    CardPage content;                           // its links resolved
    IndexEntry entry;                           // its line in the index
};

struct ExportPlanInputs {
    const std::vector<SetCard>* cards = nullptr;  // read by ReadCards
    std::filesystem::path folder;                 // the set's, canonical
    QSize screen{1024, 768};
    std::string fonts;      // what the pictures are drawn with (a fingerprint)
    std::string soundFont;  // what MIDI pieces are played with (its name and size)
    SiteRecord earlier;     // the site's record, as loaded
    // Where a name a card gives leads from the card's folder, and what a medium found there
    // has to become.
    std::function<FolderFile(const std::filesystem::path& folder, std::string_view sjisName)> find;
    std::function<Conversion(const std::filesystem::path& medium)> conversionOf;
    OverviewLayouts* layouts = nullptr;  // the last layout of the overview, kept by the caller
};

struct ExportPlan {
    static constexpr int kThumbnailWidth = 160;
    int thumbnailHeight = 1;
    std::string pictureRecipe;
    // What the cards and their links lack, in the order found (the pages say it where it shows).
    std::vector<std::string> problems;
    std::vector<PlannedCard> cards;               // in presentation order
    std::vector<PlannedMedium> media;             // by their path in the folder, each once
    std::string indexTitle, overview;             // the overview's SVG, or empty when it could not be drawn
    std::string overviewProblem;                  // why it could not
    std::set<std::string> outputs;                // every file written, relative to the site
    std::map<std::string, WrittenFile> unwanted;  // written by an earlier export and not by this one
    std::map<std::filesystem::path, std::filesystem::path> pages;  // ExportReport::pages
};

ExportPlan PlanExport(const ExportPlanInputs& inputs);

// The name a medium converted to `conversion` gets beside the original's.
std::string ConvertedSuffix(Conversion conversion);

// A link that shows `note` where it would have led (a medium that cannot be played).
PageLink NoteLink(PageLink link, std::string note);

// What an output was made with besides its inputs: the program (a new version may draw
// differently) and, for pictures and movies, the screen.
std::string Recipe(std::string_view kind, std::string_view detail = {});

}  // namespace zepo::publish
