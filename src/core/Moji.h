#pragma once
// Shift-JIS character classes. Every text of the card is Shift-JIS bytes and every limit
// counts bytes, so these are the only notion of "character" the model has.

#include <string>
#include <string_view>

namespace zepo {

// A lead byte and the byte after it form one two-byte character.
constexpr bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
inline bool IsLeadByte(char c) { return IsLeadByte(static_cast<unsigned char>(c)); }

// True when no byte at all (trail bytes included) is a lead byte; true for "".
bool IsSingleByteText(std::string_view text);

// True when every byte at the odd 1-based positions 1, 3, 5 … is a lead byte, i.e. the text
// is made of two-byte characters only; true for "".
bool IsDoubleByteText(std::string_view text);

// The first `limit` bytes of `text`, never ending in the middle of a two-byte character:
// a character that would be split is dropped whole. A lone lead byte would otherwise
// swallow the "," or "}" written after it and corrupt the macro file.
std::string CutBytes(std::string_view text, size_t limit);

// The text without a lone lead byte at its end (a line that ended inside an argument can
// leave one). Written back before "}" it would swallow the brace on the next reading.
std::string WithoutLoneLeadByte(std::string_view text);
// Length of the character starting at `pos` (1 or 2; 1 for a lead byte at the very end).
size_t CharLength(std::string_view text, size_t pos);

// The file name without its folder: whatever follows the last "\" or "/" that is a character
// of its own (the second byte of ソ is 0x5C and must not count as a separator).
std::string BareFileName(std::string_view path);

}  // namespace zepo
