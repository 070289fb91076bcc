#pragma once
// The code tables through which the macro file names colours, typefaces and borders.

#include <array>
#include <cstdint>
#include <string_view>

namespace zepo {

constexpr int kColorCount = 16;
constexpr int kWhite = 15;
constexpr int kBlack = 0;
constexpr int kRed = 9;

// Index to name; any index outside 0..14 is "WHITE".
std::string_view ColorName(int index);
// Exact, case-sensitive; anything else (also "") is 15.
int ColorIndex(std::string_view name);
// 0xRRGGBB of the colour grid cell; indexes outside 0..15 give white.
uint32_t ColorRgb(int index);

enum class Typeface { Mincho = 0, Gothic = 1, TimesNewRoman = 2, Arial = 3 };

// Direction: 0 horizontal, anything else vertical.
std::string_view FontCode(Typeface face, int direction);
Typeface TypefaceOfCode(std::string_view code);
bool IsKnownFontCode(std::string_view code);
inline bool IsLatin(Typeface face) { return face == Typeface::TimesNewRoman || face == Typeface::Arial; }

// The four columns of the frame code table: each kind stores its own index for a code.
enum class FrameColumn {
    Decoration,    // one-line text: 0 "0", 1 "1", 2 "2", 3..8 "FA".."FC2"
    FrameStyle,    // frame: 0..5 "FA".."FC2", 6 "FD", 7 "0"
    PictureFrame,  // picture: 0 "0", 1..6 "FA".."FC2"
    MovieFrame,    // movie 2: same as picture
};

// The code written for an index; an index outside the column writes "0".
std::string_view FrameCode(FrameColumn column, int index);
// The index read for a code; a code outside the column (also "") reads as the column's 0.
int FrameIndex(FrameColumn column, std::string_view code);

}  // namespace zepo
