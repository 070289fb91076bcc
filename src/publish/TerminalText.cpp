#include "publish/TerminalText.h"

#include <cstdio>

#include "core/TextCodec.h"

namespace zepo::publish {
namespace {

bool Reorders(char32_t c) {
    return c == 0x2028 || c == 0x2029 || (c >= 0x200E && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069) || c == 0x061C;
}

}  // namespace

std::string Printable(std::string_view utf8, bool keepLayout) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t pos = 0; pos < utf8.size();) {
        const Utf8Char c = Utf8At(utf8, pos);
        const bool broken = c.code == 0xFFFD && c.length == 1;
        char escape[16] = {};
        const bool layout = c.code == '\t' || c.code == '\r' || c.code == '\n';
        if (broken || ((c.code < 0x20 || c.code == 0x7F) && !(keepLayout && layout)))
            std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned char>(utf8[pos]));
        else if ((c.code >= 0x80 && c.code < 0xA0) || Reorders(c.code))
            std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(c.code));
        if (escape[0]) out += escape;
        else out.append(utf8.substr(pos, c.length));
        pos += c.length;
    }
    return out;
}

std::string ShownName(std::string_view bytes) {
    if (IsUtf8(bytes)) return std::string(bytes);
    if (IsShiftJis(bytes)) return SjisToUtf8(bytes);
    std::string out;
    for (size_t pos = 0; pos < bytes.size();) {
        const Utf8Char c = Utf8At(bytes, pos);
        if (c.code == 0xFFFD && c.length == 1) out += "\xEF\xBF\xBD";
        else out.append(bytes.substr(pos, c.length));
        pos += c.length;
    }
    return out;
}

}  // namespace zepo::publish
