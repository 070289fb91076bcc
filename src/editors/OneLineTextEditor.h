#pragma once
// One-line texts in the editor: their menu items, the placing button and the right press run
// the text dialog round trip.

#include "editors/SlotEditor.h"

namespace zepo {

class Card;
class DialogRunner;
class MessageSink;
class OneLineTextDialog;
class TextMeasurer;

class OneLineTextEditor : public SlotEditor {
public:
    OneLineTextEditor(Card& card, OneLineTextDialog& dialog, DialogRunner& runner, MessageSink& messages,
                      TextMeasurer& measurer)
        : card_(card), dialog_(dialog), runner_(runner), messages_(messages), measurer_(measurer) {}

    void Edit(int id) override { EditText(id); }

    // Edits one-line text slot `id` (free or in use). A free slot starts as "１行文字" at
    // (10, 10) in Mincho 20, black. A field the card cannot take brings the dialog back with
    // what was typed; a Latin typeface with kanji, or vertical writing the text or typeface
    // does not allow, is corrected with a message and the confirmation goes on.
    EditResult EditText(int id);

private:
    Card& card_;
    OneLineTextDialog& dialog_;
    DialogRunner& runner_;
    MessageSink& messages_;
    TextMeasurer& measurer_;
};

}  // namespace zepo
