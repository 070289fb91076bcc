#include "cli/OutputChecks.h"

#include <map>
#include <system_error>

#include "core/Ascii.h"
#include "core/AtomicFile.h"
#include "platform/CardFilesOnDisk.h"
#include "publish/CardLinks.h"
#include "publish/CardReading.h"
#include "publish/TerminalText.h"

namespace zepo::cli {
using namespace zepo::publish;
namespace fs = std::filesystem;

std::string RefusedOutput(const fs::path& output, const std::vector<fs::path>& inputs) {
    if (std::string link = LinkAt(output); !link.empty()) return link;
    const std::string shown = "「" + ShownName(output.string()) + "」";
    if (AsciiLower(output.extension().string()) == ".zep")
        return shown + "はカードのファイルです。カードに画像を書くことはしません";
    return InputAt(output, inputs);
}

std::string LinkAt(const fs::path& output) {
    std::error_code ec;
    if (!fs::is_symlink(output, ec)) return {};
    return "「" + ShownName(output.string()) + "」は" + kLinkRefused;
}

fs::path NamedFile(const fs::path& folder, std::string_view sjisName, const FolderFile& found) {
    if (found.state == Lookup::Found) return found.path;
    if (found.state == Lookup::Missing) return ResolveInFolder(folder, sjisName);
    return {};
}

std::vector<fs::path> CardsAndTheirFiles(const std::vector<fs::path>& cards) {
    std::vector<fs::path> inputs = cards;
    for (const fs::path& card : cards) {
        std::string error;
        // Sizes only: the pixels are read when the card is drawn.
        const auto read = ReadCardFile(card, error, /*pixels=*/false);
        if (!read) continue;  // the command itself says it cannot read the card
        const fs::path folder = fs::absolute(card).parent_path();
        for (const CardLink& link : FindCardLinks(read->card, read->outcome.sources))
            if (fs::path named = NamedFile(folder, link.target, LookUpInFolder(folder, link.target)); !named.empty())
                inputs.push_back(std::move(named));
    }
    return inputs;
}

namespace {

// The same name in the same folder but for ASCII letter case ("SAKURA.BMP", "Sakura.bmp").
bool CaseTwins(const fs::path& a, const fs::path& b) {
    if (!SameIgnoringAsciiCase(a.filename().string(), b.filename().string())) return false;
    std::error_code ec;
    const fs::path folderA = a.has_parent_path() ? a.parent_path() : ".";
    const fs::path folderB = b.has_parent_path() ? b.parent_path() : ".";
    return fs::equivalent(folderA, folderB, ec) && !ec;
}

}  // namespace

std::string InputAt(const fs::path& output, const std::vector<fs::path>& inputs) {
    // An output that is not there yet is none of the inputs (a thousand cards rendered into a
    // new folder are not each looked up against every picture of the set), but it may still be
    // the name of one in another letter case.
    std::error_code missing;
    const bool exists = fs::exists(output, missing);
    for (const fs::path& input : inputs) {
        std::error_code ec;
        const std::string shown = "「" + ShownName(output.string()) + "」";
        if (exists && fs::equivalent(output, input, ec) && !ec)
            return shown + "は入力の「" + ShownName(input.string()) + "」です。入力を上書きはしません";
        // Also a file a card names that is not there yet: the output would be read as it.
        if (CaseTwins(output, input))
            return shown + "はカードが「" + ShownName(input.string()) +
                   "」として読む名前です。入力と取り違えるため、書きません";
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
