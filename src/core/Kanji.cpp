#include "core/Kanji.h"

#include <algorithm>

#include "core/Moji.h"

namespace zepo {

bool HasKanji(std::string_view text) {
    for (size_t i = 0; i < text.size(); i += CharLength(text, i)) {
        if (CharLength(text, i) != 2) continue;
        const unsigned code = static_cast<unsigned char>(text[i]) << 8 | static_cast<unsigned char>(text[i + 1]);
        if ((code >= 0x889F && code <= 0xEAA4) || (code >= 0xED40 && code <= 0xEEFC) ||
            (code >= 0xFA5C && code <= 0xFC4B))
            return true;
    }
    return false;
}

const char* LatinRefusalText(const std::vector<std::string>& lines) {
    const bool kanji = std::any_of(lines.begin(), lines.end(), [](const std::string& l) { return HasKanji(l); });
    return kanji ? "漢字が含まれているため\r「英字」指定はできません"
                 : "全角文字が含まれているため\r「英字」指定はできません";
}

}  // namespace zepo
