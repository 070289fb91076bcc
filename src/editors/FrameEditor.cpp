#include "editors/FrameEditor.h"

#include <QString>

#include "dialogs/DialogRunner.h"
#include "dialogs/FrameDialog.h"
#include "model/Card.h"
#include "model/Environment.h"

namespace zepo {
namespace {

constexpr int kMinimumSide = 10;

FrameValues ValuesOf(const Slot& s, bool isNew) {
    FrameValues v;
    v.x1 = s.bounds.left;
    v.y1 = s.bounds.top;
    v.x2 = s.bounds.right() - 1;
    v.y2 = s.bounds.bottom() - 1;
    v.color = s.frame.color;
    v.style = s.frame.style;
    v.association = s.frame.association;
    v.toFront = isNew;  // a new frame goes on top unless the user says otherwise
    v.remove = false;
    return v;
}

}  // namespace

EditResult FrameEditor::EditFrame(int id) {
    Slot& s = card_.slot(id);
    const bool wasFree = !s.inUse;
    if (wasFree) {
        s.bounds = {10, 10, 100, 100};
        ResetRecord(s, SlotKind::Frame);
    }
    dialog_.setWindowTitle(QString("枠 - %1").arg(NumberOfSlot(id)));
    dialog_.Load(ValuesOf(s, wasFree));

    while (true) {
        if (!runner_.Run(dialog_)) return EditResult::Cancelled;
        Result<FrameValues> read = dialog_.Read();
        if (!read) {
            messages_.Warn(read.error().message);
            continue;
        }
        const FrameValues& v = read.value();
        if (v.remove) {
            s.inUse = false;
            UpdateParentChecks(card_);
            return EditResult::Removed;
        }
        const Span across = InclusiveSpan(v.x1, v.x2, kMinimumSide);
        const Span down = InclusiveSpan(v.y1, v.y2, kMinimumSide);
        s.bounds = {across.start, down.start, across.size, down.size};
        s.frame.color = v.color;
        s.frame.style = v.style;
        s.frame.association = v.association;
        if (v.toFront) card_.BringToFront(id);
        s.inUse = true;
        card_.parentChecked[static_cast<int>(SlotKind::Frame)] = true;
        return EditResult::Applied;
    }
}

}  // namespace zepo
