#pragma once
// Frames in the editor: their menu items, the placing button and the right press run the
// frame dialog round trip: fill the dialog from a slot, show it, apply the result.

#include "editors/SlotEditor.h"

namespace zepo {

class Card;
class DialogRunner;
class MessageSink;
class FrameDialog;

class FrameEditor : public SlotEditor {
public:
    FrameEditor(Card& card, FrameDialog& dialog, DialogRunner& runner, MessageSink& messages)
        : card_(card), dialog_(dialog), runner_(runner), messages_(messages) {}

    void Edit(int id) override { EditFrame(id); }

    // Edits frame slot `id` (free or in use). All four corner fields are checked before
    // anything is applied: a field that is not a whole number is named in a message and the
    // dialog comes back with the typed values, so a confirmation never applies half of its
    // fields.
    EditResult EditFrame(int id);

private:
    Card& card_;
    FrameDialog& dialog_;
    DialogRunner& runner_;
    MessageSink& messages_;
};

}  // namespace zepo
