#pragma once
// Text blocks in the editor: their menu items, the placing button and the right press run the
// text-file dialog round trip, which reads the chosen file of the save folder once per
// confirmation.

#include <filesystem>
#include <functional>

#include "editors/SlotEditor.h"

namespace zepo {

class Card;
class DialogRunner;
class MessageSink;
class TextFileDialog;
class TextMeasurer;
struct Slot;

class TextBlockEditor : public SlotEditor {
public:
    TextBlockEditor(Card& card, TextFileDialog& dialog, DialogRunner& runner, MessageSink& messages,
                    TextMeasurer& measurer, std::function<std::filesystem::path()> saveFolder)
        : card_(card), dialog_(dialog), runner_(runner), messages_(messages), measurer_(measurer),
          saveFolder_(std::move(saveFolder)) {}

    void Edit(int id) override { EditBlock(id); }

    // Edits text block slot `id` (free or in use). A position field that is not a whole
    // number brings the dialog back with what was typed. No file chosen, or a file that cannot
    // be read (not a plain file, too large, gone): a message, and the card is left as it was.
    EditResult EditBlock(int id);

private:
    Card& card_;
    TextFileDialog& dialog_;
    DialogRunner& runner_;
    MessageSink& messages_;
    TextMeasurer& measurer_;
    std::function<std::filesystem::path()> saveFolder_;
};

}  // namespace zepo
