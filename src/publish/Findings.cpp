#include "publish/Findings.h"

#include <algorithm>
#include <cstdio>

#include "core/TextCodec.h"
#include "publish/TerminalText.h"

namespace zepo::publish {

void SortByLine(std::vector<Finding>& findings) {
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
}

std::string FindingLine(const Finding& f) {
    return Printable(f.file) + ":" + std::to_string(f.line) + ": " + Printable(f.kind) + ": " + Printable(f.text);
}

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (size_t pos = 0; pos < text.size();) {
        const Utf8Char c = Utf8At(text, pos);
        const bool broken = c.code == 0xFFFD && c.length == 1;
        switch (c.code) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c.code < 0x20 || (c.code >= 0x7F && c.code < 0xA0) || broken) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", broken ? 0xFFFDu : static_cast<unsigned>(c.code));
                    out += buf;
                } else {
                    out.append(text.substr(pos, c.length));
                }
        }
        pos += c.length;
    }
    return out + "\"";
}

namespace {

const char* SeverityName(Severity s) {
    switch (s) {
        case Severity::Error: return "\"error\"";
        case Severity::Warning: return "\"warning\"";
        case Severity::Note: return "\"note\"";
    }
    return "\"error\"";
}

}  // namespace

std::string FindingsJson(const std::vector<Finding>& findings) {
    std::string out = "[";
    for (size_t i = 0; i < findings.size(); ++i) {
        const Finding& f = findings[i];
        out += i ? ",\n " : "\n ";
        out += "{\"file\": " + JsonString(f.file) + ", \"line\": " + std::to_string(f.line) +
               ", \"kind\": " + JsonString(f.kind) + ", \"severity\": " + SeverityName(f.severity) +
               ", \"text\": " + JsonString(f.text) + "}";
    }
    return out + (findings.empty() ? "]\n" : "\n]\n");
}

}  // namespace zepo::publish
