#pragma once
// Frames in the editor: their menu items, the placing button and the right press run the
// frame dialog round trip.

#include "editors/SlotEditor.h"

namespace zepo {

class Card;
class DialogRunner;
class MessageSink;
class FrameDialog;

class FrameSlotEditor : public SlotEditor {
public:
    FrameSlotEditor(Card& card, FrameDialog& dialog, DialogRunner& runner, MessageSink& messages)
        : card_(card), dialog_(dialog), runner_(runner), messages_(messages) {}
    void Edit(int id) override;

private:
    Card& card_;
    FrameDialog& dialog_;
    DialogRunner& runner_;
    MessageSink& messages_;
};

}  // namespace zepo
