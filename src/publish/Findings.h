#pragma once
// What `zepocard check` reports: one finding per line as "file:line: kind: text", or the same
// findings as a JSON array for scripts.

#include <string>
#include <vector>

namespace zepo::publish {

// Only errors make the check fail; a warning is worth a look, a note tells what is so.
enum class Severity { Error, Warning, Note };

struct Finding {
    std::string file;  // as the user named it (UTF-8)
    int line = 0;      // 1-based
    std::string kind;
    std::string text;  // UTF-8
    Severity severity = Severity::Error;
};

// Findings of one card by line; the order among findings of one line is kept.
void SortByLine(std::vector<Finding>& findings);
// One line for a terminal: whatever came from the card or a file name is Printable.
std::string FindingLine(const Finding& finding);
std::string FindingsJson(const std::vector<Finding>& findings);
// A JSON string literal: control characters (C1 too) escaped, bytes that are no UTF-8 as
// U+FFFD, so that the output stays valid JSON whatever a file is named.
std::string JsonString(std::string_view text);

}  // namespace zepo::publish
