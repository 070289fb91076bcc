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
    textEdit_ = Named(new QLineEdit(textBox), "edtText");
    LimitSjisBytes(textEdit_, kOneLineTextBytes);
    (new QVBoxLayout(textBox))->addWidget(textEdit_);

    directionChoice_ = Named(MakeDirectionGroup(this), "rdoYokoTate");
    QGroupBox* position = MakePositionGroup(this, xEdit_, yEdit_, "TxtX", "TxtY");
    fontChoice_ = Named(new RadioGroup("種類", TypefaceLabels(), this), "rdoFont");
    QGroupBox* style = MakeStyleGroup(this, boldBox_, italicBox_);
    QGroupBox* size = MakeSizeGroup(this, sizeSpin_);

    auto* colorBox = new QGroupBox("色", this);
    colorGrid_ = Named(new ColorGrid(colorBox), "TxtColor");
    auto* colorLayout = new QVBoxLayout(colorBox);
    colorLayout->addWidget(colorGrid_);
    colorLayout->addWidget(new QLabel("FG:文字  BG:背景", colorBox));

    decorationChoice_ = Named(new RadioGroup("枠", DecorationLabels(), this), "FrameList");
    associationPanel_ = Named(new AssociationPanel(this), "panel");
    bringForwardBox_ = Named(new QCheckBox("文字を前へ", this), "chkTxtUp");
    removeBox_ = Named(new QCheckBox("文字を消す", this), "chkTxtCut");
    removeBox_->setStyleSheet("color: red");

    QHBoxLayout* buttonRow = MakeButtonRow(kHelpTopic);

    auto* main = new QGridLayout(this);
    main->addWidget(textBox, 0, 0, 1, 3);
    auto* first = new QVBoxLayout;
    first->addWidget(directionChoice_);
    first->addWidget(position);
    first->addWidget(size);
    first->addWidget(style);
    first->addStretch();
    auto* second = new QVBoxLayout;
    second->addWidget(fontChoice_);
    second->addWidget(colorBox);
    second->addStretch();
    auto* third = new QVBoxLayout;
    third->addWidget(decorationChoice_);
    third->addWidget(associationPanel_);
    third->addWidget(bringForwardBox_);
    third->addWidget(removeBox_);
    third->addStretch();
    main->addLayout(first, 1, 0);
    main->addLayout(second, 1, 1);
    main->addLayout(third, 1, 2);
    main->addLayout(buttonRow, 2, 0, 1, 3);
    setTabOrder(textEdit_, directionChoice_);

    connect(textEdit_, &QLineEdit::textChanged, this, &OneLineTextDialog::UpdateOk);
    Reset();
}

void OneLineTextDialog::UpdateOk() { okButton_->setEnabled(!textEdit_->text().isEmpty()); }

void OneLineTextDialog::Reset() {
    OneLineTextValues initial;
    Load(initial);
    associationPanel_->Reset();
}

void OneLineTextDialog::Load(const OneLineTextValues& v) {
    textEdit_->setText(QString::fromStdString(SjisToUtf8(v.text)));
    directionChoice_->setItemIndex(v.direction == 1 ? 1 : 0);
    xEdit_->setText(QString::number(v.x));
    yEdit_->setText(QString::number(v.y));
    fontChoice_->setItemIndex(std::clamp(v.typeface, 0, 3));
    boldBox_->setChecked(v.bold);
    italicBox_->setChecked(v.italic);
    sizeSpin_->setValue(v.height);
    colorGrid_->setForegroundIndex(v.textColor);
    colorGrid_->setBackgroundIndex(v.backColor);
    decorationChoice_->setItemIndex(std::clamp(v.decoration, 0, 8));
    associationPanel_->Load(v.association);
    bringForwardBox_->setChecked(v.toFront);
    removeBox_->setChecked(v.remove);
    UpdateOk();
    textEdit_->setFocus();
}

Result<OneLineTextValues> OneLineTextDialog::Read() const {
    OneLineTextValues v;
    v.direction = std::max(0, directionChoice_->itemIndex());
    v.typeface = std::max(0, fontChoice_->itemIndex());
    v.bold = boldBox_->isChecked();
    v.italic = italicBox_->isChecked();
    v.height = sizeSpin_->value();
    v.textColor = colorGrid_->foregroundIndex();
    v.backColor = colorGrid_->backgroundIndex();
    v.decoration = std::max(0, decorationChoice_->itemIndex());
    v.association = associationPanel_->Read();
    v.toFront = bringForwardBox_->isChecked();
    v.remove = removeBox_->isChecked();
    if (v.remove) return v;  // nothing else is applied, so nothing else needs to hold
    Result<std::string> text =
        ReadCardText(textEdit_->text(), Sjis("表示文字"), UnreadableCharacters(CardField::Caption));
    if (!text) {
        textEdit_->setFocus();
        return text.error();
    }
    v.text = text.value();
    for (auto [edit, name, value] : {std::tuple{xEdit_, "位置（x）", &v.x}, std::tuple{yEdit_, "位置（y）", &v.y}}) {
        Result<int> number = ReadWholeNumber(edit, Sjis(name));
        if (!number) {
            edit->setFocus();
            return number.error();
        }
        *value = number.value();
    }
    Result<int> height = ReadSpinNumber(sizeSpin_, Sjis("大きさ"));
    if (!height) {
        sizeSpin_->setFocus();
        return height.error();
    }
    v.height = height.value();
    return v;
}

void OneLineTextDialog::SetChooser(AssociationChooser* chooser) { associationPanel_->SetChooser(chooser); }

}  // namespace zepo
