#include "cli/Findings.h"

#include <algorithm>
#include <cstdio>

namespace zepo::cli {

void SortByLine(std::vector<Finding>& findings) {
    std::stable_sort(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) { return a.line < b.line; });
}

std::string FindingLine(const Finding& f) {
    return f.file + ":" + std::to_string(f.line) + ": " + f.kind + ": " + f.text;
}

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned char>(c));
                    out += buf;
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

std::string FindingsJson(const std::vector<Finding>& findings) {
    std::string out = "[";
    for (size_t i = 0; i < findings.size(); ++i) {
        const Finding& f = findings[i];
        out += i ? ",\n " : "\n ";
        out += "{\"file\": " + JsonString(f.file) + ", \"line\": " + std::to_string(f.line) +
               ", \"kind\": " + JsonString(f.kind) + ", \"severity\": " + (f.warning ? "\"warning\"" : "\"error\"") +
               ", \"text\": " + JsonString(f.text) + "}";
    }
    return out + (findings.empty() ? "]\n" : "\n]\n");
}

}  // namespace zepo::cli
