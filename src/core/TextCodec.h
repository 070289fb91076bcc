#pragma once
// Conversion between the file system's and the widgets' UTF-8 and the cards' Shift-JIS
// (code page 932, the Microsoft variant: ～ is 8160, ＼ 815F, － 817C, ① 8740).
// Built on glibc iconv so that the model and the command-line tool can use it without Qt.

#include <optional>
#include <string>
#include <string_view>

namespace zepo {

struct SjisConversion {
    std::string bytes;  // the Shift-JIS text; only complete when `lost` is empty
    std::string lost;   // UTF-8 characters that code page 932 cannot hold, in order
    bool ok() const { return lost.empty(); }
};

// UTF-8 to Shift-JIS. Characters outside code page 932 are never dropped silently:
// they are collected in `lost` so that the caller can refuse the text with a message.
SjisConversion Utf8ToSjis(std::string_view utf8);

// Shift-JIS to UTF-8 for display. Bytes that are not valid code page 932 (a lone lead byte,
// an unassigned code) become U+FFFD; the Shift-JIS original is what the model keeps.
std::string SjisToUtf8(std::string_view sjis);

// Whether the bytes are well-formed UTF-8 (no overlong form, surrogate or code beyond
// U+10FFFF), and whether each of them belongs to a character of code page 932. A file name
// can be either, both (plain ASCII) or neither.
bool IsUtf8(std::string_view bytes);
bool IsShiftJis(std::string_view bytes);

// The UTF-8 character at `pos`: its code point and length; U+FFFD of length 1 for a byte
// that starts no well-formed character.
struct Utf8Char {
    char32_t code = 0xFFFD;
    size_t length = 1;
};
Utf8Char Utf8At(std::string_view text, size_t pos);

// The system's own fixed texts, written as UTF-8 in the sources: converts one that is known to
// fit code page 932 (the tests check every one of them). Results are cached.
const std::string& Sjis(std::string_view utf8Literal);

// A typed UTF-8 text for a Shift-JIS message, shown as typed: a character code page 932 cannot
// hold is carried through the message for MessageToUtf8 to show; one that would show as
// nothing on its own (a control, a joiner, a combining mark) is written as its code point
// ("U+202E").
std::string ShownInSjis(std::string_view utf8);
// The characters of a typed UTF-8 text that a card cannot hold, each named once in the order
// typed (Shift-JIS, separated by blanks): those code page 932 lacks, in brackets with their
// code points ("「😀」(U+1F600)", or "(U+202E)" alone for one that shows as nothing), and those of
// `refused` (ASCII characters the field cannot give back), in brackets. Empty when the text
// can be written.
std::string UnwritableCharacterNames(std::string_view utf8, std::string_view refused = {});
// The one message for a text with characters a card cannot hold, naming them (Shift-JIS).
std::string UnwritableCharactersMessage(std::string_view utf8, std::string_view refused = {});

// A Shift-JIS message as the user reads it (UTF-8), with the characters ShownInSjis and
// UnwritableCharacterNames carried through it. Elsewhere as SjisToUtf8.
std::string MessageToUtf8(std::string_view sjis);

}  // namespace zepo
