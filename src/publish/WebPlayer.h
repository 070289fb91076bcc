#pragma once
// The exporter's side of the web player: the element that shows movie 2 on a card page (its
// place, magnification and frame rings) and the names the player's script and style sheet are
// written under in the site. The player itself is src/publish/web/player.js and player.css,
// built in (WebAssets.h): it draws the cards in place, fits them to the window, plays each
// medium on its own channel, and runs full screen, the slide show and the marker pen;
// present.js adds the presenter's keys, swipes, the overview and the presenter's view.

#include <string>
#include <string_view>
#include <utility>

namespace zepo::publish {

struct Movie2Placement {
    std::string href;    // percent-encoded, relative to the page
    bool onCard = true;  // false: a window of its own over the card, at the same place
    int x = 10, y = 10;  // card pixels of the movie's top left corner
    int frame = 0;       // the movie frame's index: 0 none, 1 FA, 2 FA2, 3 FB, 4 FB2, 5 FC, 6 FC2
    double scalePercent = 100;
    int width = 0, height = 0;  // of the movie's picture when known; else sized when it loads
};

// The magnification a card gives as text ("100.0"), held to what the movie-2 dialog allows;
// text that is not a number shows the movie at its own size.
double Movie2ScalePercent(std::string_view text);

// The element that shows movie 2, for the inside of the card's <div class="card">: the movie
// at its place and magnification inside the rings of its frame, drawn as a picture's border is.
std::string Movie2Html(const Movie2Placement& placement);

inline constexpr const char* kPlayerScriptName = "player.js";
inline constexpr const char* kPlayerStyleName = "player.css";
// Beside the pages: the player, the presenter's keys and views over it, its style and the
// site's icon (the editor's own), as {name in the site, built-in file}.
inline constexpr std::pair<const char*, const char*> kPlayerFiles[] = {{"player.js", "player.js"},
                                                                       {"present.js", "present.js"},
                                                                       {"player.css", "player.css"},
                                                                       {"favicon.svg", "zepoed.svg"}};

}  // namespace zepo::publish
