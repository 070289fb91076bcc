#pragma once
// Kanji among the two-byte characters of a Shift-JIS text.

#include <string>
#include <string_view>
#include <vector>

namespace zepo {

// True when some two-byte character is a kanji: JIS levels 1 and 2 (889F–EAA4) and the kanji
// code page 932 adds (ED40–EEFC, FA5C–FC4B). Kana, full-width letters and symbols are not.
bool HasKanji(std::string_view text);

// Why a Latin typeface cannot take these lines, as the message that refuses it says (UTF-8):
// the kanji in them, or else the other full-width characters.
const char* LatinRefusalText(const std::vector<std::string>& lines);

}  // namespace zepo
