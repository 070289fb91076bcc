#include <iostream>

#include "cli/Commands.h"
#include "cli/StandardOutput.h"
#include "cli/TerminalProgress.h"
#include "publish/CardReading.h"
#include "publish/CardSet.h"
#include "publish/TerminalText.h"

namespace zepo::cli {
using namespace zepo::publish;

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
    for (const SetCard& card : *cards) {
        if (card.read) continue;
        std::cerr << "zepocard: " << Printable(card.error) << "\n";
        unreadable = true;
    }
    size_t unchecked = 0;
    std::vector<Finding> findings;
    for (auto& group : SetFindings(*cards, unchecked)) findings.insert(findings.end(), group.begin(), group.end());
    size_t counts[3] = {};
    for (const Finding& f : findings) ++counts[static_cast<size_t>(f.severity)];
    const size_t errors = counts[0], warnings = counts[1], notes = counts[2];
    if (json) {
        std::cout << FindingsJson(findings);
    } else {
        for (const Finding& f : findings) std::cout << FindingLine(f) << "\n";
        // Beside the findings, not among them: a script reading standard output sees findings only.
        std::cerr << "カード " << cards->size() << " 枚: エラー " << errors << " 件、警告 " << warnings << " 件";
        if (notes) std::cerr << "、注記 " << notes << " 件";
        if (unchecked)
            std::cerr << " (" << unchecked
                      << " 枚は、フォルダのカードがそろわないか main.zep がないため、たどれるかを点検していません)";
        std::cerr << "\n";
    }
    return FinishStandardOutput(unreadable ? 2 : errors ? 1 : 0);
}

}  // namespace zepo::cli
