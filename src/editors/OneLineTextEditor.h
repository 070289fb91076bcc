#pragma once
// One-line texts in the editor: their menu items, the placing button and the right press run
// the text dialog round trip.

#include "dialogs/OneLineTextDialog.h"
#include "editors/RoundTrip.h"

namespace zepo {

class TextMeasurer;

// A free slot starts as "１行文字" at (10, 10) in Mincho 20, black. A field the card cannot take
// brings the dialog back with what was typed; a Latin typeface with kanji, or vertical writing
// the text or typeface does not allow, is corrected with a message and the confirmation goes on.
class OneLineTextEditor : public SlotRoundTrip<OneLineTextDialog, OneLineTextValues> {
public:
    OneLineTextEditor(OneLineTextDialog& dialog, DialogRunner& runner, MessageSink& messages, TextMeasurer& measurer)
        : SlotRoundTrip(SlotKind::OneLineText, "文字（1行）", dialog, runner, messages), measurer_(measurer) {}

protected:
    void StartNew(Slot& slot) override;
    void Show(const Slot& slot, bool isNew) override;
    Applied WriteInto(Slot& slot, OneLineTextValues values, bool isNew) override;

private:
    TextMeasurer& measurer_;
};

}  // namespace zepo
