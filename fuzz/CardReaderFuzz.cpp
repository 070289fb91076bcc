// Any bytes as a card file: the reader must never crash, and whatever card it makes must
// survive a save: written, read back into a fresh card and written again, both files must be
// the same line for line; the only message of the second reading is the one of each object
// whose file is missing. A difference means the card changes a little on every save.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "ModelFakes.h"
#include "model/MacroFile.h"
#include "model/MacroReader.h"
#include "model/MacroWriter.h"

namespace zepo::fuzz {
namespace {

// Warnings are counted, questions answered with yes, as a user clicking through would.
struct CountingMessages : MessageSink {
    int warnings = 0;
    void Warn(std::string_view) override { ++warnings; }
    bool Ask(std::string_view) override { return true; }
};

// A save folder with a few text files and pictures whose names the seeds use: plain and
// two-byte text, an empty file, a line longer than a card line, pictures from one pixel to
// the largest side the decoders accept.
test::FakeFiles SaveFolder() {
    test::FakeFiles files;
    files.texts["aisatsu.txt"] = {test::S("本日はお集まりいただき"), test::S("ありがとうございます。"), "",
                                  test::S("次のカードへどうぞ。")};
    files.texts["memo.txt"] = {"first line", "second, with {braces}", test::S("かな混じり")};
    files.texts["tate.txt"] = {test::S("あいう"), test::S("えお")};
    files.texts["empty.txt"] = {};
    files.texts["long.txt"] = {std::string(300, 'x'), test::S("長い行") + std::string(200, 'y')};
    files.texts[test::S("文書.txt")] = {test::S("全角だけ")};
    files.pictures["sakura.bmp"] = {160, 120};
    files.pictures["SAKURA.BMP"] = {160, 120};
    files.pictures["photo.bmp"] = {320, 240};
    files.pictures["dot.jpg"] = {1, 1};
    files.pictures["wide.bmp"] = {32768, 1};
    files.pictures["huge.jpg"] = {8192, 8192};
    files.pictures[test::S("写真.jpg")] = {640, 480};
    return files;
}

std::string FirstDifference(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    for (size_t i = 0; i < a.size() || i < b.size(); ++i) {
        const std::string x = i < a.size() ? a[i] : "(none)", y = i < b.size() ? b[i] : "(none)";
        if (x != y) return "line " + std::to_string(i + 1) + ": [" + x + "] then [" + y + "]";
    }
    return "none";
}

}  // namespace
}  // namespace zepo::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zepo;
    using namespace zepo::fuzz;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // Both kinds of card: only "main" writes the player's title line and a default title.
    const std::string name = size % 2 ? "main.zep" : "next.zep";

    test::FakeFiles files = SaveFolder();
    test::GridMeasurer measurer;
    CountingMessages firstMessages;
    ReaderContext firstContext{firstMessages, files, measurer};
    Card card;
    const LoadOutcome read = LoadMacro(card, SplitLines(bytes), name, firstContext);
    // A file named with a folder is saved by its bare name, as the reading said: the saved card
    // names another file (perhaps one that is there), so it need not read back the same.
    const bool linksMove = read.omitted[size_t(ReadNote::LinkBreaksOnSave)] > 0 ||
                           std::any_of(read.diagnostics.begin(), read.diagnostics.end(),
                                       [](const ReadDiagnostic& d) { return d.kind == ReadNote::LinkBreaksOnSave; });

    // Written as saving writes it: an untitled main card gets its default title first. The only
    // refusal is a movie scale that is not a number; such a card is never saved.
    SupplyDefaultTitle(card);
    auto first = WriteMacro(card);
    if (!first) return 0;
    const std::vector<std::string>& written = first.value();

    CountingMessages messages;
    ReaderContext context{messages, files, measurer};
    Card back;
    // Saved, the card is the file of its own name (a file without "card" reads as "main").
    const LoadOutcome outcome = LoadMacro(back, written, card.settings.name + ".zep", context);
    Require(outcome.completed, "a written card stops the reading");
    if (linksMove) return 0;
    // An object whose file is missing is kept and written back; reading it says so again.
    int missing = 0;
    for (const Slot& s : card.slotList) missing += s.inUse && (s.picture.fileMissing || s.block.fileMissing);
    Require(messages.warnings == missing, "a written card shows a message when read");
    SupplyDefaultTitle(back);
    auto second = WriteMacro(back);
    Require(second.ok(), "a card read from a written card cannot be written");
    const std::vector<std::string>& rewritten = second.value();
    if (rewritten != written)
        fuzz::Fail("written, read and written again differs at " + FirstDifference(written, rewritten));
    return 0;
}
