#include <algorithm>
#include <iostream>

#include "cli/CardReading.h"
#include "cli/Commands.h"
#include "model/MacroFile.h"
#include "core/TextCodec.h"

namespace zepo::cli {
namespace {

const char* Label(ReadNote kind) {
    switch (kind) {
        case ReadNote::Message: return "message";
        case ReadNote::UnknownStatement: return "unknown statement";
        case ReadNote::IgnoredStatement:
        case ReadNote::NoFreeSlot: return "ignored";
        case ReadNote::LinkBreaksOnSave: return "warning";
        case ReadNote::DroppedSlideEntry: return "dropped slide entry";
        case ReadNote::Stopped: return "stopped";
    }
    return "note";
}

}  // namespace

// Lists everything the editor would say or silently drop while reading the card.
int RunCheck(const std::vector<std::string>& args) {
    if (args.size() != 1 || args[0].empty() || args[0][0] == '-') {
        std::cerr << "usage: zepocard check CARD.zep\n";
        return 2;
    }
    const std::string& input = args[0];
    std::string error;
    auto read = ReadCardFile(input, error);
    if (!read) {
        std::cerr << "zepocard: " << error << "\n";
        return 2;
    }
    struct Report {
        int line;
        std::string text;
    };
    std::vector<Report> reports;
    auto report = [&](int line, const char* label, const std::string& text) {
        reports.push_back({line, input + ":" + std::to_string(line) + ": " + label + ": " + text});
    };
    if (!read->hasHeader)
        report(1, "message", ForTerminal(Sjis("ZEPOｴﾃﾞｨﾀで作成されたｶｰﾄﾞではありません。\r読み込みますか？")));
    for (size_t i = 0; i < read->lines.size(); ++i)
        if (read->lines[i].size() > kMaxMacroLineBytes)
            report(static_cast<int>(i + 1), "long line",
                   std::to_string(read->lines[i].size()) + " bytes (at most " + std::to_string(kMaxMacroLineBytes) + ")");
    for (const auto& d : read->outcome.diagnostics) report(d.line, Label(d.kind), ForTerminal(d.text));
    std::stable_sort(reports.begin(), reports.end(), [](auto& a, auto& b) { return a.line < b.line; });
    for (const auto& r : reports) std::cout << r.text << "\n";
    for (size_t kind = 0; kind < kReadNoteKinds; ++kind)
        if (size_t n = read->outcome.omitted[kind])
            std::cout << input << ": " << n << " more " << Label(static_cast<ReadNote>(kind)) << " notes left out\n";
    return reports.empty() ? 0 : 1;  // a note left out always follows kept ones
}

}  // namespace zepo::cli
