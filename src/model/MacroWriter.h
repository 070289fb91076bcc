#pragma once
// Turns the card into the lines of its macro file, byte for byte.

#include <string>
#include <vector>

#include "core/Result.h"
#include "model/Card.h"

namespace zepo {

// The card's lines, byte for byte. The only failure is a movie-2 scale that is not a
// number; the error then carries the Shift-JIS message and nothing may be saved.
Result<std::vector<std::string>> WriteMacro(const Card& card);

// A main card saved without a title gets the default title, in the card itself too: the
// player shows the title of the first card.
void SupplyDefaultTitle(Card& card);

}  // namespace zepo
