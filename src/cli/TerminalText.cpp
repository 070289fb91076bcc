#include "cli/TerminalText.h"

#include <cstdint>

namespace zepo::cli {
namespace {

// The length of the well-formed UTF-8 sequence at `at` (no overlong forms, no surrogates,
// nothing above U+10FFFF), 0 when there is none.
size_t SequenceLength(std::string_view s, size_t at) {
    auto byte = [&](size_t i) { return i < s.size() ? static_cast<uint8_t>(s[i]) : uint8_t{0}; };
    auto continuation = [&](size_t i, uint8_t low = 0x80, uint8_t high = 0xBF) {
        return byte(i) >= low && byte(i) <= high;
    };
    const uint8_t lead = byte(at);
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return continuation(at + 1) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        const uint8_t low = lead == 0xE0 ? 0xA0 : 0x80, high = lead == 0xED ? 0x9F : 0xBF;
        return continuation(at + 1, low, high) && continuation(at + 2) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const uint8_t low = lead == 0xF0 ? 0x90 : 0x80, high = lead == 0xF4 ? 0x8F : 0xBF;
        return continuation(at + 1, low, high) && continuation(at + 2) && continuation(at + 3) ? 4 : 0;
    }
    return 0;
}

// C1 controls (U+0080..U+009F) act like ESC sequences on many terminals; the embedding and
// isolate marks (U+202A..U+202E, U+2066..U+2069) make a line read other than it is.
bool Harmful(std::string_view sequence) {
    if (sequence.size() == 2)
        return static_cast<uint8_t>(sequence[0]) == 0xC2 && static_cast<uint8_t>(sequence[1]) < 0xA0;
    if (sequence.size() != 3 || sequence[0] != '\xE2') return false;
    const uint8_t second = static_cast<uint8_t>(sequence[1]), third = static_cast<uint8_t>(sequence[2]);
    return (second == 0x80 && third >= 0xAA && third <= 0xAE) || (second == 0x81 && third >= 0xA6 && third <= 0xA9);
}

void AppendEscaped(std::string& out, std::string_view bytes) {
    static const char kHex[] = "0123456789abcdef";
    for (char c : bytes) {
        const auto b = static_cast<uint8_t>(c);
        out += "\\x";
        out += kHex[b >> 4];
        out += kHex[b & 15];
    }
}

}  // namespace

std::string PrintableOnTerminal(std::string_view bytes, LineBreaks breaks) {
    std::string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size();) {
        const char c = bytes[i];
        const size_t length = SequenceLength(bytes, i);
        const std::string_view sequence = bytes.substr(i, length ? length : 1);
        const bool lineBreak = c == '\r' || c == '\n';
        const bool control = length == 1 && (static_cast<uint8_t>(c) < 0x20 || c == 0x7F) && c != '\t' &&
                             !(lineBreak && breaks == LineBreaks::Keep);
        if (length == 0 || control || Harmful(sequence)) AppendEscaped(out, sequence);
        else out += sequence;
        i += sequence.size();
    }
    return out;
}

}  // namespace zepo::cli
