#pragma once
// How the controls of texts size themselves: shared by the reader and the canvas.

#include <string>
#include <vector>

#include "model/Card.h"
#include "model/Environment.h"

namespace zepo {

struct Size {
    int width = 0, height = 0;
};

// The characters of a text, one or two bytes each.
std::vector<std::string> SplitCharacters(std::string_view text);

// Auto-size of a one-line text label: a horizontal text is one line as wide as the text;
// a vertical one (word wrap on) has one character per row, rows spaced by the font height,
// and is exactly one font height wide.
Size OneLineTextSize(std::string_view caption, const FontSpec& font, bool vertical, TextMeasurer& measurer);

struct TextBlockLayout {
    size_t widestIndex = 0;  // first of equal widths
    int widestWidth = 0;
    int total = 0;  // lines × height + (lines − 1) × pitch
    Size size;      // W × T horizontally, T × W vertically
};

// The block's size from its lines. An empty file still gives a one-pixel object, so that
// it can be seen, picked and removed.
TextBlockLayout LayoutTextBlock(const std::vector<std::string>& lines, const FontSpec& font, int linePitch,
                                bool vertical, TextMeasurer& measurer);

}  // namespace zepo
