#pragma once
// What `zepocard check` reports: one finding per line as "file:line: kind: text", or the same
// findings as a JSON array for scripts.

#include <string>
#include <vector>

namespace zepo::cli {

struct Finding {
    std::string file;  // as the user named it (UTF-8)
    int line = 0;      // 1-based
    std::string kind;
    std::string text;  // UTF-8
    bool warning = false;  // does not make the check fail
};

// Findings of one card by line; the order among findings of one line is kept.
void SortByLine(std::vector<Finding>& findings);
std::string FindingLine(const Finding& finding);
std::string FindingsJson(const std::vector<Finding>& findings);
// A JSON string literal; control characters are escaped, other bytes pass unchanged.
std::string JsonString(std::string_view text);

}  // namespace zepo::cli
