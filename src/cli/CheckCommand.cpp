#include <iostream>

#include "publish/CardReading.h"
#include "publish/CardSet.h"
#include "cli/Commands.h"
#include "cli/StandardOutput.h"
#include "cli/TerminalProgress.h"
#include "publish/TerminalText.h"
#include "model/MacroFile.h"
#include "core/TextCodec.h"

namespace zepo::cli {
using namespace zepo::publish;
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

// Everything the editor would say or silently drop while reading the card.
std::vector<Finding> ReadingFindings(const std::string& shown, const ReadCard& read) {
    std::vector<Finding> findings;
    auto report = [&](int line, const char* label, const std::string& text) {
        findings.push_back({shown, line, label, text});
    };
    if (!read.hasHeader) {
        report(1, "note", MissingMarkerNote());
        findings.back().severity = Severity::Note;
    }
    for (size_t i = 0; i < read.lines.size(); ++i)
        if (read.lines[i].size() > kMaxMacroLineBytes)
            report(static_cast<int>(i + 1), "long line",
                   std::to_string(read.lines[i].size()) + " バイトあります (1 行は " +
                       std::to_string(kMaxMacroLineBytes) + " バイトまで)");
    int lastLine[kReadNoteKinds] = {};
    for (const auto& d : read.outcome.diagnostics) {
        report(d.line, Label(d.kind), ForTerminal(d.text));
        // A link that only breaks on the next save is told, not counted against the card.
        if (d.kind == ReadNote::LinkBreaksOnSave) findings.back().severity = Severity::Warning;
        lastLine[static_cast<size_t>(d.kind)] = d.line;
    }
    // Beyond the notes kept of one kind only their number is told, after the last one kept.
    for (size_t kind = 0; kind < kReadNoteKinds; ++kind)
        if (size_t n = read.outcome.omitted[kind])
            report(lastLine[kind], Label(static_cast<ReadNote>(kind)),
                   "同じ種類のものがほかに " + std::to_string(n) + " 件ありますが、省きました");
    return findings;
}

}  // namespace

// Checks each card as the editor reads it and the set as a whole: links that lead nowhere
// or out of the folder, and cards that main.zep never leads to.
int RunCheck(const CheckOptions& options) {
    const bool json = options.json;
    const std::vector<std::string>& inputs = options.inputs;
    std::string error;
    auto cards = CollectCards(inputs, error);
    if (!cards) {
        std::cerr << "zepocard: " << Printable(error) << "\n";
        return 2;
    }
    {
        TerminalProgress progress;
        ReadCards(*cards, [&](size_t done, size_t total) { progress.Show("カードを読んでいます", done, total); });
    }

    bool unreadable = false;
    const SetIndex index(*cards);
    std::vector<std::vector<Finding>> perCard(cards->size());
    for (size_t i = 0; i < cards->size(); ++i) {
        const SetCard& card = (*cards)[i];
        if (!card.read) {
            std::cerr << "zepocard: " << Printable(card.error) << "\n";
            unreadable = true;
            continue;
        }
        if (index.Find(card.canonical) != i) continue;  // named twice: reported once
        perCard[i] = ReadingFindings(card.shown, *card.read);
        auto links = LinkFindings(card);
        perCard[i].insert(perCard[i].end(), links.begin(), links.end());
    }
    size_t unchecked = 0;
    for (size_t i : UnreachableCards(*cards, unchecked))
        perCard[i].push_back({(*cards)[i].shown, 1, "unreachable", "main.zep からどのリンクでもたどれないカードです",
                               Severity::Warning});

    std::vector<Finding> findings;
    for (auto& group : perCard) {
        SortByLine(group);
        findings.insert(findings.end(), group.begin(), group.end());
    }
    size_t counts[3] = {};
    for (const Finding& f : findings) ++counts[static_cast<size_t>(f.severity)];
    const size_t errors = counts[0], warnings = counts[1], notes = counts[2];
    if (json) {
        std::cout << FindingsJson(findings);
    } else {
        for (const Finding& f : findings) std::cout << FindingLine(f) << "\n";
        // Beside the findings, not among them: a script reading standard output sees findings only.
        std::cerr << "カード " << cards->size() << " 枚: エラー " << errors << " 件, 警告 " << warnings << " 件";
        if (notes) std::cerr << ", 注記 " << notes << " 件";
        if (unchecked)
            std::cerr << " (" << unchecked << " 枚は、フォルダのカードがそろわないか main.zep がないため、たどれるかを調べていません)";
        std::cerr << "\n";
    }
    return FinishStandardOutput(unreadable ? 2 : errors ? 1 : 0);
}

}  // namespace zepo::cli
