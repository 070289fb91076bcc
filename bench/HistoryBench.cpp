// Memory of the undo history: 100 steps on a card with five text blocks of 10,000 lines
// each, against the memory of the card itself. The steps move a frame, retitle the card and
// bring objects to the front, as a user does between reloads of the text files; the lines
// must be shared between the states, not copied into each.

#include <malloc.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "document/CardHistory.h"
#include "model/Card.h"

namespace {

size_t LiveHeapBytes() { return mallinfo2().uordblks; }

}  // namespace

int main() {
    using namespace zepo;
    const size_t start = LiveHeapBytes();
    auto card = std::make_unique<Card>();
    for (int b = 1; b <= 5; ++b) {
        std::vector<std::string> lines;
        lines.reserve(10000);
        for (int i = 0; i < 10000; ++i)
            lines.push_back("text block " + std::to_string(b) + ", line " + std::to_string(i) + " of the file");
        Slot& slot = card->slot(SlotKind::TextBlock, b);
        slot.inUse = true;
        slot.lines = std::move(lines);
        slot.block.fileName = "block" + std::to_string(b) + ".txt";
    }
    card->slot(SlotKind::Frame, 1).inUse = true;
    const size_t cardBytes = LiveHeapBytes() - start;

    const size_t beforeHistory = LiveHeapBytes();
    CardHistory history(*card);
    for (int step = 1; step <= 100; ++step) {
        switch (step % 3) {
            case 0: card->slot(SlotKind::Frame, 1).bounds.left = step; break;
            case 1: card->settings.title = "title " + std::to_string(step); break;
            case 2: card->BringToFront(SlotId(SlotKind::TextBlock, 1 + step % 5)); break;
        }
        if (!history.Record(*card)) {
            std::fprintf(stderr, "step %d was not recorded\n", step);
            return 1;
        }
    }
    const size_t historyBytes = LiveHeapBytes() - beforeHistory;
    std::printf("card with five 10,000-line text blocks: %zu bytes\n", cardBytes);
    std::printf("history of %zu steps: %zu bytes (%.3f x the card)\n", history.steps(), historyBytes,
                double(historyBytes) / double(cardBytes));
    std::printf("card and history together: %.3f x the card (target: under 2)\n",
                double(cardBytes + historyBytes) / double(cardBytes));
    return cardBytes + historyBytes < 2 * cardBytes ? 0 : 1;
}
