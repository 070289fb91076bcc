#include "editors/FrameEditor.h"

#include <QCheckBox>
#include <QLineEdit>

#include <algorithm>
#include <limits>
#include <optional>

#include "dialogs/AssociationPanel.h"
#include "dialogs/ColorGrid.h"
#include "dialogs/FrameDialog.h"
#include "dialogs/RadioGroup.h"
#include "model/Environment.h"
#include "core/Numbers.h"
#include "dialogs/DialogRunner.h"
#include "core/TextCodec.h"

namespace zepo {
namespace {

constexpr int kMinimumSide = 10;

// The typed text for a message, with "?" for each character Shift-JIS cannot hold.
std::string ShownInMessage(const QString& typed) {
    std::string shown;
    for (char32_t c : typed.toUcs4()) {
        SjisConversion one = Utf8ToSjis(QString::fromUcs4(&c, 1).toStdString());
        shown += one.ok() ? one.bytes : "?";
    }
    return shown;
}

struct Corners {
    int x1, y1, x2, y2;
};

std::optional<Corners> ReadCorners(const FrameDialog& d, MessageSink& messages) {
    struct Field {
        QLineEdit* edit;
        const char* name;
    };
    const Field fields[] = {{d.edtFrmX1, "左上 x"}, {d.edtFrmY1, "左上 y"}, {d.edtFrmX2, "右下 x"}, {d.edtFrmY2, "右下 y"}};
    int values[4];
    for (int i = 0; i < 4; ++i) {
        const SjisConversion typed = Utf8ToSjis(fields[i].edit->text().toStdString());
        // A character Shift-JIS cannot hold must not simply vanish: "2€0" is not 20.
        auto v = typed.ok() ? ParseInt(typed.bytes) : std::nullopt;
        if (!v) {
            const std::string text = ShownInMessage(fields[i].edit->text());
            messages.Warn(Sjis("枠の位置（") + Sjis(fields[i].name) + Sjis("）の「") + text +
                          Sjis("」は整数ではありません"));
            fields[i].edit->setFocus();
            return std::nullopt;
        }
        values[i] = *v;
    }
    return Corners{values[0], values[1], values[2], values[3]};
}

}  // namespace

EditResult EditFrame(Card& card, int id, FrameDialog& d, DialogRunner& runner, MessageSink& messages) {
    Slot& s = card.slot(id);
    const bool wasFree = !s.inUse;
    if (wasFree) {
        s.bounds = {10, 10, 100, 100};
        ResetRecord(s, SlotKind::Frame);
    }
    d.setWindowTitle(QString("枠 - %1").arg(NumberOfSlot(id)));
    d.edtFrmX1->setText(QString::number(s.bounds.left));
    d.edtFrmY1->setText(QString::number(s.bounds.top));
    d.edtFrmX2->setText(QString::number(s.bounds.right() - 1));
    d.edtFrmY2->setText(QString::number(s.bounds.bottom() - 1));
    d.FrmColor->setForegroundIndex(s.frame.color);
    d.rdoFrmType->setItemIndex(s.frame.style);
    d.panel->Fill(s.frame.association);
    d.chkFrmUp->setChecked(wasFree);
    d.chkFrmCut->setChecked(false);

    std::optional<Corners> corners;
    while (true) {
        if (!runner.Run(d)) return EditResult::Cancelled;
        if (d.chkFrmCut->isChecked()) {
            s.inUse = false;
            UpdateParentChecks(card);
            return EditResult::Removed;
        }
        corners = ReadCorners(d, messages);
        if (corners) break;
    }
    const Span across = InclusiveSpan(corners->x1, corners->x2, kMinimumSide);
    const Span down = InclusiveSpan(corners->y1, corners->y2, kMinimumSide);
    s.bounds = {across.start, down.start, across.size, down.size};
    s.frame.color = d.FrmColor->foregroundIndex();
    s.frame.style = std::max(0, d.rdoFrmType->itemIndex());
    s.frame.association = d.panel->Stored();
    if (d.chkFrmUp->isChecked()) card.BringToFront(id);
    s.inUse = true;
    card.parentChecked[static_cast<int>(SlotKind::Frame)] = true;
    return EditResult::Applied;
}

}  // namespace zepo
