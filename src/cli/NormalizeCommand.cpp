#include <unistd.h>

#include <iostream>

#include "cli/Commands.h"
#include "cli/OutputChecks.h"
#include "cli/StandardOutput.h"
#include "core/TextCodec.h"
#include "document/CardFile.h"
#include "model/MacroFile.h"
#include "publish/CardReading.h"
#include "publish/TerminalText.h"

namespace zepo::cli {
using namespace zepo::publish;

// Reads a card as the open command does and writes it as the save command would.
int RunNormalize(const NormalizeOptions& options) {
    const std::string& input = options.card;
    const std::string& output = options.out;
    // The card is written elsewhere: never over itself nor a file it names, nor through a link.
    if (!output.empty()) {
        std::string why = LinkAt(output);
        if (why.empty()) why = InputAt(output, CardsAndTheirFiles({input}));
        if (!why.empty()) {
            std::cerr << "zepocard normalize: " << Printable(why) << "\n";
            return 2;
        }
    }
    std::string error;
    auto read = ReadCardFile(input, error);
    if (!read) {
        std::cerr << "zepocard: " << Printable(error) << "\n";
        return 2;
    }
    const std::string shown = Printable(ShownName(input));
    if (!read->hasHeader) std::cerr << shown << ":1: note: " << MissingMarkerNote() << "\n";
    bool messages = false;
    // Besides the messages: an object with no free slot left, and a file named with a folder
    // (the written card would keep only its bare name and point nowhere).
    for (const auto& d : read->outcome.diagnostics)
        if (d.kind == ReadNote::Message || d.kind == ReadNote::Stopped || d.kind == ReadNote::NoFreeSlot ||
            d.kind == ReadNote::LinkBreaksOnSave) {
            std::cerr << shown << ":" << d.line << ": " << ForTerminal(d.text) << "\n";
            messages = true;
        }
    if (!read->outcome.completed) {
        // Writing only what was read before the stop would lose the rest of the card.
        std::cerr << shown << ": 読み込みが途中で止まったため、何も書いていません\n";
        return 1;
    }
    if (messages) {
        // Each message stands for an object or a setting that the written card would lose or
        // change; the editor shows them before a save, a script would not see them in time.
        std::cerr << shown << ": 読み込みで問題があったため、何も書いていません\n";
        return 1;
    }

    auto written = CardLines(WithDefaultTitle(read->card));
    if (!written) {
        std::cerr << shown << ": " << ForTerminal(written.error().message) << "\n";
        return 1;
    }
    const std::vector<std::string>& lines = written.value();
    if (auto longLine = FindLongLine(lines)) {
        std::cerr << shown << ": " << ForTerminal(LongLineMessage(lines[*longLine])) << "\n";
        return 1;
    }
    std::string bytes = JoinMacroLines(lines);
    if (output.empty()) {
        // On a terminal the card is read, not kept: UTF-8 as all zepocard prints, its control
        // characters shown rather than obeyed. A pipe or a file gets the card's own bytes.
        if (::isatty(STDOUT_FILENO)) bytes = Printable(SjisToUtf8(bytes), /*keepLayout=*/true);
        std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return FinishStandardOutput(0);
    }
    // Saved as the editor saves: a failed write (a full disk, a read-only card) leaves the
    // file that was there untouched.
    if (Status written = WriteCardFile(output, lines); !written) {
        std::cerr << "zepocard: 「" << Printable(ShownName(output))
                  << "」に書き込めません: " << Printable(written.error().message) << "\n";
        return 2;
    }
    return 0;
}

}  // namespace zepo::cli
