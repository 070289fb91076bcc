#include "cli/OutputChecks.h"

#include <map>
#include <system_error>

#include "core/Ascii.h"
#include "document/CardFile.h"
#include "publish/CardLinks.h"
#include "publish/TerminalText.h"

namespace zepo::cli {
using namespace zepo::publish;
namespace fs = std::filesystem;

std::string RefusedOutput(const fs::path& output, const std::vector<fs::path>& inputs) {
    const std::string shown = "「" + ShownName(output.string()) + "」";
    if (AsciiLower(output.extension().string()) == ".zep")
        return shown + "はカードのファイルです。カードに画像を書くことはしません";
    return InputAt(output, inputs);
}

std::vector<fs::path> CardsAndTheirFiles(const std::vector<fs::path>& cards) {
    std::vector<fs::path> inputs = cards;
    for (const fs::path& card : cards) {
        auto text = ReadCardFileText(card);
        const CardFileText* read = std::get_if<CardFileText>(&text);
        if (!read) continue;  // the command itself says it cannot read the card
        for (const CardLink& link : FindCardLinks(read->lines)) {
            FolderFile found = LookUpInFolder(read->folder, link.target);
            if (found.state == Lookup::Found) inputs.push_back(found.path);
        }
    }
    return inputs;
}

std::string InputAt(const fs::path& output, const std::vector<fs::path>& inputs) {
    // An output that is not there yet is none of the inputs: a thousand cards rendered into a
    // new folder are not each compared with every picture of the set.
    std::error_code missing;
    if (!fs::exists(output, missing)) return {};
    for (const fs::path& input : inputs) {
        std::error_code ec;
        if (fs::equivalent(output, input, ec) && !ec)
            return "「" + ShownName(output.string()) + "」は入力の「" + ShownName(input.string()) +
                   "」です。入力に上書きはしません";
    }
    return {};
}

std::optional<std::pair<size_t, size_t>> SharedOutput(const std::vector<fs::path>& inputs,
                                                      const std::vector<fs::path>& outputs,
                                                      std::vector<bool>& repeated) {
    repeated.assign(inputs.size(), false);
    std::map<std::string, size_t> first;
    for (size_t i = 0; i < outputs.size(); ++i) {
        auto [at, added] = first.emplace(AsciiLower(outputs[i].lexically_normal().string()), i);
        if (added) continue;
        std::error_code ec;
        if (!fs::equivalent(inputs[at->second], inputs[i], ec) || ec) return std::pair{at->second, i};
        repeated[i] = true;
    }
    return std::nullopt;
}

}  // namespace zepo::cli
