#pragma once
// Frames in the editor: their menu items, the placing button and the right press run the
// frame dialog round trip.

#include "dialogs/FrameDialog.h"
#include "editors/RoundTrip.h"

namespace zepo {

// All four corner fields are checked before anything is applied: a field that is not a whole
// number is named in a message and the dialog comes back with the typed values. A new frame
// starts at (10, 10), 100 × 100.
class FrameEditor : public SlotRoundTrip<FrameDialog, FrameValues> {
public:
    FrameEditor(FrameDialog& dialog, DialogRunner& runner, MessageSink& messages)
        : SlotRoundTrip(SlotKind::Frame, "枠", dialog, runner, messages) {}

protected:
    void StartNew(Slot& slot) override;
    void Show(const Slot& slot, bool isNew) override;
    Applied WriteInto(Slot& slot, FrameValues values, bool isNew) override;
};

}  // namespace zepo
