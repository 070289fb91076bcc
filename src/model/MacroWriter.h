#pragma once
// Turns the card into the lines of its macro file, byte for byte.

#include <string>
#include <vector>

#include "model/Card.h"

namespace zepo {

struct WriteOutcome {
    bool ok = true;
    std::string error;  // Shift-JIS message when !ok
};

// Appends the card's lines to `lines` (callers empty it first). A main card with an empty
// title gets the default title, in the card itself too. The only failure is a movie-2
// scale that is not a number; then `lines` may hold a part of the file and must not be saved.
WriteOutcome WriteMacro(Card& card, std::vector<std::string>& lines);

}  // namespace zepo
