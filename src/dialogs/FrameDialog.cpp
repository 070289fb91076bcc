#include "dialogs/FrameDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

#include "core/Numbers.h"
#include "core/TextCodec.h"
#include "dialogs/AssociationPanel.h"
#include "dialogs/ColorGrid.h"
#include "dialogs/DialogButtons.h"
#include "dialogs/Named.h"
#include "dialogs/RadioGroup.h"
#include "render/StyleLabels.h"

namespace zepo {
namespace {

std::optional<int> WholeNumber(const QLineEdit* edit) {
    const SjisConversion typed = Utf8ToSjis(edit->text().toStdString());
    // A character Shift-JIS cannot hold must not simply vanish: "2€0" is not 20.
    return typed.ok() ? ParseInt(typed.bytes) : std::nullopt;
}

}  // namespace

FrameDialog::FrameDialog(QWidget* parent) : PropertyDialog(parent) {
    setWindowTitle("枠の作成");
    auto* position = new QGroupBox("枠の位置", this);
    edtFrmX1 = Named(new QLineEdit("10", position), "edtFrmX1");
    edtFrmY1 = Named(new QLineEdit("10", position), "edtFrmY1");
    edtFrmX2 = Named(new QLineEdit("100", position), "edtFrmX2");
    edtFrmY2 = Named(new QLineEdit("100", position), "edtFrmY2");
    auto* grid = new QGridLayout(position);
    grid->addWidget(new QLabel("x", position), 0, 1);
    grid->addWidget(new QLabel("y", position), 0, 2);
    grid->addWidget(new QLabel("左上", position), 1, 0);
    grid->addWidget(edtFrmX1, 1, 1);
    grid->addWidget(edtFrmY1, 1, 2);
    grid->addWidget(new QLabel("右下", position), 2, 0);
    grid->addWidget(edtFrmX2, 2, 1);
    grid->addWidget(edtFrmY2, 2, 2);

    rdoFrmType = Named(new RadioGroup("枠の型", FrameStyleLabels(), this), "rdoFrmType");
    rdoFrmType->setItemIndex(0);
    auto* colorBox = new QGroupBox("枠の色", this);
    FrmColor = Named(new ColorGrid(colorBox), "FrmColor");
    FrmColor->setForegroundIndex(15);
    (new QVBoxLayout(colorBox))->addWidget(FrmColor);

    chkFrmUp = Named(new QCheckBox("枠を前へ", this), "chkFrmUp");
    chkFrmCut = Named(new QCheckBox("枠を消す", this), "chkFrmCut");
    chkFrmCut->setStyleSheet("color: red");
    panel = Named(new AssociationPanel(this), "panel");

    DialogButtons buttons = MakeButtons(kHelpTopic);
    OKBtn = buttons.ok;
    CancelBtn = buttons.cancel;
    HelpBtn = buttons.help;

    auto* left = new QVBoxLayout;
    left->addWidget(position);
    left->addWidget(colorBox);
    left->addWidget(chkFrmUp);
    left->addWidget(chkFrmCut);
    left->addWidget(panel);
    auto* main = new QGridLayout(this);
    main->addLayout(left, 0, 0);
    main->addWidget(rdoFrmType, 0, 1);
    main->addLayout(buttons.row, 1, 0, 1, 2);

    TabInReadingOrder({edtFrmX1, edtFrmY1, edtFrmX2, edtFrmY2, FrmColor, chkFrmUp, chkFrmCut, panel, rdoFrmType},
                      buttons);
}

void FrameDialog::Reset() {
    edtFrmX1->setText("10");
    edtFrmY1->setText("10");
    edtFrmX2->setText("100");
    edtFrmY2->setText("100");
    FrmColor->setForegroundIndex(15);
    chkFrmUp->setChecked(false);
    chkFrmCut->setChecked(false);
    panel->Reset();
    edtFrmX1->setFocus();
}

void FrameDialog::Load(const FrameValues& v) {
    edtFrmX1->setText(QString::number(v.x1));
    edtFrmY1->setText(QString::number(v.y1));
    edtFrmX2->setText(QString::number(v.x2));
    edtFrmY2->setText(QString::number(v.y2));
    FrmColor->setForegroundIndex(v.color);
    rdoFrmType->setItemIndex(v.style);
    panel->Load(v.association);
    chkFrmUp->setChecked(v.toFront);
    chkFrmCut->setChecked(v.remove);
    // Every showing starts on the first corner, where the user types.
    edtFrmX1->setFocus();
}

Result<FrameValues> FrameDialog::Read() const {
    FrameValues v;
    v.color = FrmColor->foregroundIndex();
    v.style = std::max(0, rdoFrmType->itemIndex());
    v.association = panel->Read();
    v.toFront = chkFrmUp->isChecked();
    v.remove = chkFrmCut->isChecked();
    struct Corner {
        QLineEdit* edit;
        const char* name;
        int* value;
    };
    const Corner corners[] = {
        {edtFrmX1, "左上 x", &v.x1}, {edtFrmY1, "左上 y", &v.y1}, {edtFrmX2, "右下 x", &v.x2}, {edtFrmY2, "右下 y", &v.y2}};
    for (const Corner& c : corners) {
        const std::optional<int> number = WholeNumber(c.edit);
        *c.value = number.value_or(0);
        if (!number && !v.remove) {
            c.edit->setFocus();
            const std::string typed = c.edit->text().toStdString();
            return Fail(Sjis("枠の位置（") + Sjis(c.name) + Sjis("）の「") + ShownInSjis(typed) +
                        (IsIntegerOutOfRange(typed) ? Sjis("」は大きすぎます") : Sjis("」は整数ではありません")));
        }
    }
    return v;
}

void FrameDialog::SetChooser(AssociationChooser* chooser) { panel->SetChooser(chooser); }

}  // namespace zepo
