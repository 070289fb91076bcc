#pragma once
// The macro file as bytes: lines ending in CR LF, at most 120 bytes each.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zepo {

constexpr size_t kMaxMacroLineBytes = 120;

// Splits at CR LF, at a lone CR and at a lone LF; a zero byte ends the text. A final line
// break does not start another line.
std::vector<std::string> SplitLines(std::string_view bytes);

// The same split fed piece by piece, so a big file never sits in memory twice (as bytes and
// as lines).
class LineSplitter {
public:
    // Lines past `maxLines` are not kept (nor split).
    explicit LineSplitter(size_t maxLines = SIZE_MAX) : maxLines_(maxLines) {}
    void Feed(std::string_view bytes);
    std::vector<std::string> Finish();
    // True once nothing more will be kept: a zero byte, or `maxLines` lines.
    bool Done() const { return ended_; }

private:
    std::vector<std::string> lines_;
    std::string open_;      // the line not yet ended
    bool afterCr_ = false;  // the last byte fed was a CR: an LF that follows belongs to it
    bool ended_ = false;    // a zero byte was met
    size_t maxLines_;
};

// Every line followed by CR LF.
std::string JoinMacroLines(const std::vector<std::string>& lines);

// Index of the first line longer than 120 bytes.
std::optional<size_t> FindLongLine(const std::vector<std::string>& lines);

// The editor's comment line that marks a file it wrote (Shift-JIS, 60 bytes).
const std::string& HeaderMarkerLine();
// True when the first or the second line is the header marker line.
bool HasHeaderMarker(const std::vector<std::string>& lines);

}  // namespace zepo

namespace zepo {
// The save command's refusal of a line over 120 bytes: quotes the line's first 42 bytes
// (never half a character) without surrounding blanks and control characters.
std::string LongLineMessage(std::string_view line);
}  // namespace zepo
