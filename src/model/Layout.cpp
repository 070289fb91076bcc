#include "model/Layout.h"

#include <algorithm>

#include "core/Moji.h"
#include "core/Numbers.h"

namespace zepo {

std::vector<std::string> SplitCharacters(std::string_view text) {
    std::vector<std::string> chars;
    for (size_t i = 0; i < text.size();) {
        size_t len = CharLength(text, i);
        chars.emplace_back(text.substr(i, len));
        i += len;
    }
    return chars;
}

Size OneLineTextSize(std::string_view caption, const FontSpec& font, bool vertical, TextMeasurer& measurer) {
    if (!vertical) return {measurer.TextWidth(caption, font), font.height};
    // Cells exactly one font height wide, whatever a glyph measures: the file gives a vertical
    // text's right edge, and reading takes one font height off it to find the left edge. A
    // column as wide as its widest glyph ("∑" is narrower than the height) would move on
    // every save.
    const int rows = std::max<int>(1, static_cast<int>(SplitCharacters(caption).size()));
    return {font.height, SaturatedInt(static_cast<long long>(rows) * font.height)};
}

TextBlockLayout LayoutTextBlock(const std::vector<std::string>& lines, const FontSpec& font, int linePitch,
                                bool vertical, TextMeasurer& measurer) {
    TextBlockLayout layout;
    for (size_t i = 0; i < lines.size(); ++i) {
        int w = measurer.TextWidth(lines[i], font);
        if (i == 0 || w > layout.widestWidth) {
            layout.widestWidth = w;
            layout.widestIndex = i;
        }
    }
    const long long n = static_cast<long long>(lines.size());
    layout.total = SaturatedInt(n * font.height + (n - 1) * linePitch);
    int w = std::max(1, layout.widestWidth);
    int t = std::max(1, layout.total);
    layout.size = vertical ? Size{t, w} : Size{w, t};
    return layout;
}

}  // namespace zepo
