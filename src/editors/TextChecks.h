#pragma once
// The checks both text kinds make of their characters before they are applied: the Latin
// typefaces hold only single-byte characters, and vertical writing only two-byte ones in a
// Japanese typeface. Each refusal beeps and shows its message; the caller corrects the choice
// and goes on.

#include <string>
#include <vector>

namespace zepo {

class MessageSink;

inline bool IsLatin(int typeface) { return typeface == 2 || typeface == 3; }

// True (after the message) when some line holds a two-byte character.
bool RefuseLatin(const std::vector<std::string>& lines, MessageSink& messages);

// True (after its messages) when the lines cannot be written vertically: a Latin typeface,
// or a line with a single-byte character. A one-line text shows only the first reason that
// applies; a text block (`both`) tests its lines even after refusing the typeface, so that
// both messages can appear.
bool RefuseVertical(const std::vector<std::string>& lines, int typeface, MessageSink& messages, bool both);

}  // namespace zepo
