#pragma once
// The text of the exported web presentation: one page per card, the index page, and the
// script and style sheet they share. All texts are UTF-8; every href is percent-encoded.

#include <string>
#include <string_view>
#include <vector>

namespace zepo::publish {

// What a click on an area or a card button does in the browser.
enum class AreaAction {
    Go,        // follow the link (another card's page, or this one again)
    Play,      // play the sound in the page
    StopSound,
    Download,  // a medium the browser cannot play: offered as a file
    Midi,      // a MIDI piece's rendition, played by the player script (cli/WebPlayer.h)
    Movie,     // a movie converted for the web, in the player's overlay
};

struct PageLink {
    int left = 0, top = 0, width = 0, height = 0;  // card pixels; unused for buttons
    std::string href;
    AreaAction action = AreaAction::Go;
    std::string label;  // tooltip and accessible name
};

struct CardPage {
    std::string title;
    std::string picture;  // href of the card's picture
    int width = 640, height = 480;
    std::string indexHref;
    std::vector<PageLink> areas;  // rearmost first
    // Index 0 is the right mouse button, 1..5 the buttons; an empty href is no button.
    std::vector<PageLink> buttons = std::vector<PageLink>(6);
    int slideSeconds = 0;
    std::vector<std::string> slidePages;  // hrefs, in showing order
    std::string sound;  // href of a sound started with the card, or empty
    // Started with the card by the player script (cli/WebPlayer.h): hrefs, or empty.
    std::string midi, movie;
    std::string movie2Html;  // Movie2Html(…), or empty
};

struct IndexEntry {
    std::string href, thumbnail, title, fileName;
    int thumbWidth = 0, thumbHeight = 0;
};

std::string CardPageHtml(const CardPage& page);
// `overview`: an <svg> of the set's links (MapDrawing.h) shown above the list, or empty.
std::string IndexHtml(const std::string& title, const std::vector<IndexEntry>& entries, std::string_view overview = {});

// Every byte but ASCII letters, digits and "-._~" as %XX, so names with blanks, "#", "?"
// or Japanese characters reach the file they name; "/" is kept between folders.
std::string PercentEncode(std::string_view utf8, bool keepSlashes = false);
std::string EscapeHtml(std::string_view utf8);

// zepo.js, knowing the pages of the presentation (their hrefs beside each other in cards/):
// a slide list in the address comes from whoever made the link, so the script only ever
// goes to a page of this list.
std::string PageScript(const std::vector<std::string>& pageHrefs);
extern const char* const kPageStyle;  // zepo.css

}  // namespace zepo::publish
