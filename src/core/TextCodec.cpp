#include "core/TextCodec.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <map>
#include <mutex>
#include <stdexcept>
#include <vector>

namespace zepo {
namespace {

class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~Iconv() { iconv_close(cd_); }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    // Converts as much as possible; returns the number of input bytes consumed and
    // appends the output. Stops at the first byte sequence that cannot be converted.
    size_t convert(std::string_view in, std::string& out) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        char buffer[1024];
        while (srcLeft > 0) {
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, dst - buffer);
            if (r == static_cast<size_t>(-1) && errno != E2BIG) break;
        }
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        iconv(cd_, nullptr, nullptr, &dst, &dstLeft);
        out.append(buffer, dst - buffer);
        return in.size() - srcLeft;
    }

private:
    iconv_t cd_;
};

size_t Utf8SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 1;
}

bool IsSjisLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

}  // namespace

SjisConversion Utf8ToSjis(std::string_view utf8) {
    thread_local Iconv cv("CP932", "UTF-8");
    SjisConversion result;
    while (!utf8.empty()) {
        size_t used = cv.convert(utf8, result.bytes);
        utf8.remove_prefix(used);
        if (utf8.empty()) break;
        size_t bad = std::min(Utf8SequenceLength(static_cast<unsigned char>(utf8.front())), utf8.size());
        result.lost.append(utf8.substr(0, bad));
        utf8.remove_prefix(bad);
    }
    return result;
}

std::string SjisToUtf8(std::string_view sjis) {
    thread_local Iconv cv("UTF-8", "CP932");
    std::string out;
    while (!sjis.empty()) {
        size_t used = cv.convert(sjis, out);
        sjis.remove_prefix(used);
        if (sjis.empty()) break;
        // Skip one character's worth of undecodable input.
        size_t bad = (IsSjisLead(static_cast<unsigned char>(sjis.front())) && sjis.size() >= 2) ? 2 : 1;
        out.append("\xEF\xBF\xBD");
        sjis.remove_prefix(bad);
    }
    return out;
}

Utf8Char Utf8At(std::string_view text, size_t pos) {
    const auto b = [&](size_t i) { return static_cast<unsigned char>(text[pos + i]); };
    const unsigned char lead = b(0);
    if (lead < 0x80) return {lead, 1};
    size_t length = 0;
    char32_t code = 0, least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) length = 2, code = lead & 0x1F, least = 0x80;
    else if (lead >= 0xE0 && lead <= 0xEF) length = 3, code = lead & 0x0F, least = 0x800;
    else if (lead >= 0xF0 && lead <= 0xF4) length = 4, code = lead & 0x07, least = 0x10000;
    else return {};
    if (pos + length > text.size()) return {};
    for (size_t i = 1; i < length; ++i) {
        if ((b(i) & 0xC0) != 0x80) return {};
        code = (code << 6) | (b(i) & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return {};
    return {code, length};
}

bool IsUtf8(std::string_view bytes) {
    for (size_t pos = 0; pos < bytes.size();) {
        const Utf8Char c = Utf8At(bytes, pos);
        if (c.code == 0xFFFD && c.length == 1) return false;
        pos += c.length;
    }
    return true;
}

bool IsShiftJis(std::string_view bytes) {
    thread_local Iconv cv("UTF-8", "CP932");
    std::string out;
    return cv.convert(bytes, out) == bytes.size();
}

const std::string& Sjis(std::string_view utf8Literal) {
    static std::mutex lock;
    static std::map<std::string, std::string, std::less<>> cache;
    std::lock_guard<std::mutex> guard(lock);
    auto it = cache.find(utf8Literal);
    if (it == cache.end()) {
        SjisConversion c = Utf8ToSjis(utf8Literal);
        it = cache.emplace(std::string(utf8Literal), std::move(c.bytes)).first;
    }
    return it->second;
}

namespace {

// The code point of the UTF-8 character at the start of `utf8` (U+FFFD for a broken one).
char32_t CodePoint(std::string_view utf8, size_t length) {
    const auto b = [&](size_t i) { return static_cast<unsigned char>(utf8[i]); };
    if (length == 1) return b(0) < 0x80 ? b(0) : 0xFFFD;
    char32_t c = b(0) & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        if ((b(i) & 0xC0) != 0x80) return 0xFFFD;
        c = (c << 6) | (b(i) & 0x3F);
    }
    return c;
}

// A character code page 932 lacks travels through a Shift-JIS message between two 0xFF bytes,
// which no code page 932 text contains.
constexpr char kCarried = '\xFF';

// Whether a character shows as something on its own in a message.
bool Visible(char32_t c) {
    const struct {
        char32_t first, last;
    } hidden[] = {{0x0000, 0x001F},   {0x007F, 0x009F},   {0x00AD, 0x00AD}, {0x0300, 0x036F}, {0x061C, 0x061C},
                  {0x180E, 0x180E},   {0x200B, 0x200F},   {0x2028, 0x202E}, {0x2060, 0x206F}, {0x20D0, 0x20FF},
                  {0xD800, 0xF8FF},   {0xFE00, 0xFE0F},   {0xFE20, 0xFE2F}, {0xFEFF, 0xFEFF}, {0xFFF0, 0xFFFF},
                  {0xE0000, 0xE01EF}, {0xF0000, 0x10FFFF}};
    return std::none_of(std::begin(hidden), std::end(hidden), [c](auto r) { return c >= r.first && c <= r.last; });
}

std::string CodePointText(char32_t c) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
    return code;
}

// The one character of `one` if a message may show it: well-formed, visible and not in code page 932.
std::optional<char32_t> Carriable(std::string_view one) {
    const Utf8Char c = Utf8At(one, 0);
    if (c.length != one.size() || (c.code == 0xFFFD && one != "\xEF\xBF\xBD")) return std::nullopt;
    if (!Visible(c.code) || Utf8ToSjis(one).ok()) return std::nullopt;
    return c.code;
}

}  // namespace

std::string MessageToUtf8(std::string_view sjis) {
    std::string out;
    while (!sjis.empty()) {
        const size_t open = sjis.find(kCarried);
        const size_t close = open == std::string_view::npos ? open : sjis.find(kCarried, open + 1);
        if (close == std::string_view::npos) break;
        const std::string_view inside = sjis.substr(open + 1, close - open - 1);
        if (!Carriable(inside)) {
            // Not a carried character: the first 0xFF is an undecodable byte like any other.
            out += SjisToUtf8(sjis.substr(0, open + 1));
            sjis.remove_prefix(open + 1);
            continue;
        }
        out += SjisToUtf8(sjis.substr(0, open));
        out += inside;
        sjis.remove_prefix(close + 1);
    }
    return out + SjisToUtf8(sjis);
}

std::string ShownInSjis(std::string_view utf8) {
    std::string shown;
    while (!utf8.empty()) {
        const size_t length = std::min(Utf8SequenceLength(static_cast<unsigned char>(utf8.front())), utf8.size());
        const std::string_view one = utf8.substr(0, length);
        SjisConversion c = Utf8ToSjis(one);
        if (c.ok()) shown += c.bytes;
        else if (Carriable(one)) shown += kCarried + std::string(one) + kCarried;
        else shown += CodePointText(CodePoint(one, length));
        utf8.remove_prefix(length);
    }
    return shown;
}

std::string UnwritableCharacterNames(std::string_view utf8, std::string_view refused) {
    std::string named;
    std::vector<std::string_view> seen;
    while (!utf8.empty()) {
        const size_t length = std::min(Utf8SequenceLength(static_cast<unsigned char>(utf8.front())), utf8.size());
        const std::string_view one = utf8.substr(0, length);
        utf8.remove_prefix(length);
        const bool isRefused = length == 1 && refused.find(one.front()) != std::string_view::npos;
        if (!isRefused && Utf8ToSjis(one).ok()) continue;
        if (std::find(seen.begin(), seen.end(), one) != seen.end()) continue;
        seen.push_back(one);
        if (!named.empty()) named += " ";
        // A refused comma or brace in brackets: bare, it would read as part of the list.
        if (isRefused) named += Sjis("「") + std::string(one) + Sjis("」");
        else if (Carriable(one))
            named += Sjis("「") + kCarried + std::string(one) + kCarried + Sjis("」(") +
                     CodePointText(CodePoint(one, length)) + ")";
        else named += "(" + CodePointText(CodePoint(one, length)) + ")";
    }
    return named;
}

std::string UnwritableCharactersMessage(std::string_view utf8, std::string_view refused) {
    return Sjis("カードに書けない文字が含まれています: ") + UnwritableCharacterNames(utf8, refused);
}

}  // namespace zepo
