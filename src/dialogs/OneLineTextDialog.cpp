#include "dialogs/OneLineTextDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

#include "core/TextCodec.h"
#include "dialogs/AssociationPanel.h"
#include "dialogs/ColorGrid.h"
#include "dialogs/DialogButtons.h"
#include "dialogs/Named.h"
#include "dialogs/RadioGroup.h"
#include "dialogs/SjisLimit.h"
#include "dialogs/TextFields.h"
#include "dialogs/TypedFields.h"
#include "model/BracedFields.h"
#include "render/StyleLabels.h"

namespace zepo {

OneLineTextDialog::OneLineTextDialog(QWidget* parent) : PropertyDialog(parent) {
    setWindowTitle("文字");
    auto* textBox = new QGroupBox("表示文字", this);
    edtText = Named(new QLineEdit(textBox), "edtText");
    LimitSjisBytes(edtText, kOneLineTextBytes);
    (new QVBoxLayout(textBox))->addWidget(edtText);

    rdoYokoTate = Named(MakeDirectionGroup(this), "rdoYokoTate");
    QGroupBox* position = MakePositionGroup(this, TxtX, TxtY, "TxtX", "TxtY");
    rdoFont = Named(new RadioGroup("種類", TypefaceLabels(), this), "rdoFont");
    QGroupBox* style = MakeStyleGroup(this, chkBold, chkItalic);
    QGroupBox* size = MakeSizeGroup(this, spnPoint);

    auto* colorBox = new QGroupBox("色", this);
    TxtColor = Named(new ColorGrid(colorBox), "TxtColor");
    auto* colorLayout = new QVBoxLayout(colorBox);
    colorLayout->addWidget(TxtColor);
    colorLayout->addWidget(new QLabel("FG:文字  BG:背景", colorBox));

    FrameList = Named(new RadioGroup("枠", DecorationLabels(), this), "FrameList");
    panel = Named(new AssociationPanel(this), "panel");
    chkTxtUp = Named(new QCheckBox("文字を前へ", this), "chkTxtUp");
    chkTxtCut = Named(new QCheckBox("文字を消す", this), "chkTxtCut");
    chkTxtCut->setStyleSheet("color: red");

    DialogButtons buttons = MakeButtons(kHelpTopic);
    OKBtn = buttons.ok;
    CancelBtn = buttons.cancel;
    HelpBtn = buttons.help;

    auto* main = new QGridLayout(this);
    main->addWidget(textBox, 0, 0, 1, 3);
    auto* first = new QVBoxLayout;
    first->addWidget(rdoYokoTate);
    first->addWidget(position);
    first->addWidget(size);
    first->addWidget(style);
    first->addStretch();
    auto* second = new QVBoxLayout;
    second->addWidget(rdoFont);
    second->addWidget(colorBox);
    second->addStretch();
    auto* third = new QVBoxLayout;
    third->addWidget(FrameList);
    third->addWidget(panel);
    third->addWidget(chkTxtUp);
    third->addWidget(chkTxtCut);
    third->addStretch();
    main->addLayout(first, 1, 0);
    main->addLayout(second, 1, 1);
    main->addLayout(third, 1, 2);
    main->addLayout(buttons.row, 2, 0, 1, 3);
    setTabOrder(edtText, rdoYokoTate);

    connect(edtText, &QLineEdit::textChanged, this, &OneLineTextDialog::UpdateOk);
    Reset();
}

void OneLineTextDialog::UpdateOk() { OKBtn->setEnabled(!edtText->text().isEmpty()); }

void OneLineTextDialog::Reset() {
    OneLineTextValues initial;
    Load(initial);
    panel->Reset();
}

void OneLineTextDialog::Load(const OneLineTextValues& v) {
    edtText->setText(QString::fromStdString(SjisToUtf8(v.text)));
    rdoYokoTate->setItemIndex(v.direction == 1 ? 1 : 0);
    TxtX->setText(QString::number(v.x));
    TxtY->setText(QString::number(v.y));
    rdoFont->setItemIndex(std::clamp(v.typeface, 0, 3));
    chkBold->setChecked(v.bold);
    chkItalic->setChecked(v.italic);
    spnPoint->setValue(v.height);
    TxtColor->setForegroundIndex(v.textColor);
    TxtColor->setBackgroundIndex(v.backColor);
    FrameList->setItemIndex(std::clamp(v.decoration, 0, 8));
    panel->Load(v.association);
    chkTxtUp->setChecked(v.toFront);
    chkTxtCut->setChecked(v.remove);
    UpdateOk();
    edtText->setFocus();
}

Result<OneLineTextValues> OneLineTextDialog::Read() const {
    OneLineTextValues v;
    v.direction = std::max(0, rdoYokoTate->itemIndex());
    v.typeface = std::max(0, rdoFont->itemIndex());
    v.bold = chkBold->isChecked();
    v.italic = chkItalic->isChecked();
    v.height = spnPoint->value();
    v.textColor = TxtColor->foregroundIndex();
    v.backColor = TxtColor->backgroundIndex();
    v.decoration = std::max(0, FrameList->itemIndex());
    v.association = panel->Read();
    v.toFront = chkTxtUp->isChecked();
    v.remove = chkTxtCut->isChecked();
    if (v.remove) return v;  // nothing else is applied, so nothing else needs to hold
    Result<std::string> text = ReadCardText(edtText->text(), Sjis("表示文字"), UnreadableCharacters(CardField::Caption));
    if (!text) {
        edtText->setFocus();
        return text.error();
    }
    v.text = text.value();
    for (auto [edit, name, value] : {std::tuple{TxtX, "位置（x）", &v.x}, std::tuple{TxtY, "位置（y）", &v.y}}) {
        Result<int> number = ReadWholeNumber(edit, Sjis(name));
        if (!number) {
            edit->setFocus();
            return number.error();
        }
        *value = number.value();
    }
    Result<int> height = ReadSpinNumber(spnPoint, Sjis("大きさ"));
    if (!height) {
        spnPoint->setFocus();
        return height.error();
    }
    v.height = height.value();
    return v;
}

void OneLineTextDialog::SetChooser(AssociationChooser* chooser) { panel->SetChooser(chooser); }

}  // namespace zepo
