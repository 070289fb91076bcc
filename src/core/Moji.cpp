#include "core/Moji.h"

namespace zepo {

bool IsSingleByteText(std::string_view text) {
    for (char c : text)
        if (IsLeadByte(c)) return false;
    return true;
}

bool IsDoubleByteText(std::string_view text) {
    for (size_t i = 0; i < text.size(); i += 2)
        if (!IsLeadByte(text[i])) return false;
    return true;
}

size_t CharLength(std::string_view text, size_t pos) {
    return (IsLeadByte(text[pos]) && pos + 1 < text.size()) ? 2 : 1;
}

std::string CutBytes(std::string_view text, size_t limit) {
    if (text.size() <= limit) {
        // Even an uncut text may end in a lone lead byte; it stays as it is, since nothing
        // was cut and the caller's text is what the user typed.
        return std::string(text);
    }
    size_t end = 0;
    while (end < limit) {
        size_t len = IsLeadByte(text[end]) ? 2 : 1;
        if (end + len > limit) break;
        end += len;
    }
    return std::string(text.substr(0, end));
}

std::string WithoutLoneLeadByte(std::string_view text) {
    size_t i = 0;
    while (i + 1 < text.size()) i += IsLeadByte(text[i]) ? 2 : 1;
    // i is at the end, or at the last byte when it starts a character of its own.
    if (i + 1 == text.size() && IsLeadByte(text[i])) text.remove_suffix(1);
    return std::string(text);
}

std::string BareFileName(std::string_view path) {
    size_t start = 0;
    for (size_t i = 0; i < path.size(); i += CharLength(path, i))
        if (path[i] == '\\' || path[i] == '/') start = i + 1;
    return std::string(path.substr(start));
}

}  // namespace zepo
