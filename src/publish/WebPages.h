#pragma once
// The text of the exported web presentation: one page per card, the index page, and the
// script and style sheet they share. All texts are UTF-8; every href is percent-encoded.

#include <string>
#include <string_view>
#include <vector>

namespace zepo::publish {

// What a click on an area or a card button does in the browser. Each medium has a channel of
// its own: stopping one leaves the others playing.
enum class AreaAction {
    Go,         // another card of the set (or this one again), drawn in place by the player
    Play,       // play the sound (WAV channel)
    StopSound,  // stop the WAV channel only
    Midi,       // a MIDI piece's rendition (MIDI channel)
    StopMidi,
    Movie,  // a movie in the player's overlay (movie channel)
    StopMovie,
    Note,  // what cannot play here (a CD track, a program, a medium that failed): a short note
};

struct PageLink {
    int left = 0, top = 0, width = 0, height = 0;  // card pixels; unused for buttons
    std::string href;
    AreaAction action = AreaAction::Go;
    std::string label;  // tooltip and accessible name
    std::string note;   // for AreaAction::Note: what is shown instead
};

struct CardPage {
    std::string page;  // the page's own name, percent-encoded ("main.html")
    std::string title;
    std::string picture;    // href of the card's picture
    std::string thumbnail;  // href of its small copy
    int width = 640, height = 480;
    std::string indexHref;
    std::vector<PageLink> areas;  // rearmost first
    // Index 0 is the right mouse button, 1..5 the buttons; an empty href is no button.
    std::vector<PageLink> buttons = std::vector<PageLink>(6);
    int slideSeconds = 0;
    std::vector<std::string> slidePages;  // hrefs, in showing order
    std::string sound;                    // href of a sound started with the card, or empty
    // Started with the card by the player script: hrefs, or empty.
    std::string midi, movie;
    std::string movie2Html;  // Movie2Html(…), or empty
    // The marker pen: "#rrggbb,WIDTH" to switch it on, "off", or empty when the card says nothing.
    std::string marker;
    bool fingerCursor = true;        // false: the card asks for the plain arrow over its areas
    std::vector<std::string> notes;  // shown as the card opens (a CD track, a program it would start)
    std::vector<std::string> stops;  // channels the card stops as it opens: "wave", "midi", "movie"
};

struct IndexEntry {
    std::string href, thumbnail, title, fileName;
    int thumbWidth = 0, thumbHeight = 0;
};

// The card's page from the template card.html: without script its areas are plain links.
std::string CardPageHtml(const CardPage& page);
// `overview`: an <svg> of the set's links (MapDrawing.h) shown above the list, or empty.
std::string IndexHtml(const std::string& title, const std::vector<IndexEntry>& entries, std::string_view overview = {});
// zepo.js: every card of the set as the player script draws it in place (ZEPO_SET), in order.
std::string SetScript(const std::vector<CardPage>& pages);

// Every byte but ASCII letters, digits and "-._~" as %XX, so names with blanks, "#", "?"
// or Japanese characters reach the file they name; "/" is kept between folders.
std::string PercentEncode(std::string_view utf8, bool keepSlashes = false);
std::string EscapeHtml(std::string_view utf8);

}  // namespace zepo::publish
