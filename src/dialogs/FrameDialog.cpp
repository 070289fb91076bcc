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
    x1Edit_ = Named(new QLineEdit("10", position), "edtFrmX1");
    y1Edit_ = Named(new QLineEdit("10", position), "edtFrmY1");
    x2Edit_ = Named(new QLineEdit("100", position), "edtFrmX2");
    y2Edit_ = Named(new QLineEdit("100", position), "edtFrmY2");
    auto* grid = new QGridLayout(position);
    grid->addWidget(new QLabel("x", position), 0, 1);
    grid->addWidget(new QLabel("y", position), 0, 2);
    grid->addWidget(new QLabel("左上", position), 1, 0);
    grid->addWidget(x1Edit_, 1, 1);
    grid->addWidget(y1Edit_, 1, 2);
    grid->addWidget(new QLabel("右下", position), 2, 0);
    grid->addWidget(x2Edit_, 2, 1);
    grid->addWidget(y2Edit_, 2, 2);

    styleChoice_ = Named(new RadioGroup("枠の型", FrameStyleLabels(), this), "rdoFrmType");
    styleChoice_->setItemIndex(0);
    auto* colorBox = new QGroupBox("枠の色", this);
    colorGrid_ = Named(new ColorGrid(colorBox), "FrmColor");
    colorGrid_->setForegroundIndex(15);
    (new QVBoxLayout(colorBox))->addWidget(colorGrid_);

    bringForwardBox_ = Named(new QCheckBox("枠を前へ", this), "chkFrmUp");
    removeBox_ = Named(new QCheckBox("枠を消す", this), "chkFrmCut");
    removeBox_->setStyleSheet("color: red");
    associationPanel_ = Named(new AssociationPanel(this), "panel");

    QHBoxLayout* buttonRow = MakeButtonRow(kHelpTopic);

    auto* left = new QVBoxLayout;
    left->addWidget(position);
    left->addWidget(colorBox);
    left->addWidget(bringForwardBox_);
    left->addWidget(removeBox_);
    left->addWidget(associationPanel_);
    auto* main = new QGridLayout(this);
    main->addLayout(left, 0, 0);
    main->addWidget(styleChoice_, 0, 1);
    main->addLayout(buttonRow, 1, 0, 1, 2);

    TabInReadingOrder({x1Edit_, y1Edit_, x2Edit_, y2Edit_, colorGrid_, bringForwardBox_, removeBox_, associationPanel_,
                       styleChoice_});
}

void FrameDialog::Reset() {
    x1Edit_->setText("10");
    y1Edit_->setText("10");
    x2Edit_->setText("100");
    y2Edit_->setText("100");
    colorGrid_->setForegroundIndex(15);
    bringForwardBox_->setChecked(false);
    removeBox_->setChecked(false);
    associationPanel_->Reset();
    x1Edit_->setFocus();
}

void FrameDialog::Load(const FrameValues& v) {
    x1Edit_->setText(QString::number(v.x1));
    y1Edit_->setText(QString::number(v.y1));
    x2Edit_->setText(QString::number(v.x2));
    y2Edit_->setText(QString::number(v.y2));
    colorGrid_->setForegroundIndex(v.color);
    styleChoice_->setItemIndex(v.style);
    associationPanel_->Load(v.association);
    bringForwardBox_->setChecked(v.toFront);
    removeBox_->setChecked(v.remove);
    // Every showing starts on the first corner, where the user types.
    x1Edit_->setFocus();
}

Result<FrameValues> FrameDialog::Read() const {
    FrameValues v;
    v.color = colorGrid_->foregroundIndex();
    v.style = std::max(0, styleChoice_->itemIndex());
    v.association = associationPanel_->Read();
    v.toFront = bringForwardBox_->isChecked();
    v.remove = removeBox_->isChecked();
    struct Corner {
        QLineEdit* edit;
        const char* name;
        int* value;
    };
    const Corner corners[] = {
        {x1Edit_, "左上 x", &v.x1}, {y1Edit_, "左上 y", &v.y1}, {x2Edit_, "右下 x", &v.x2}, {y2Edit_, "右下 y", &v.y2}};
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

void FrameDialog::SetChooser(AssociationChooser* chooser) { associationPanel_->SetChooser(chooser); }

}  // namespace zepo
