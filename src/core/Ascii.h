#pragma once
// Letter case of ASCII only: file names, extensions, switches and keywords are compared the
// way the cards' own system does, which folds A–Z and leaves every other byte (Shift-JIS and
// UTF-8 included) as it is.

#include <string>
#include <string_view>

namespace zepo {

inline char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

inline std::string AsciiLower(std::string s) {
    for (char& c : s) c = AsciiLower(c);
    return s;
}

inline bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

}  // namespace zepo
