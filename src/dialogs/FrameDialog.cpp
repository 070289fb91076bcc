#include "dialogs/FrameDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/AssociationPanel.h"
#include "dialogs/DialogButtons.h"
#include "dialogs/ColorGrid.h"
#include "dialogs/RadioGroup.h"
#include "render/StyleLabels.h"

namespace zepo {

FrameDialog::FrameDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("枠の作成");
    auto* position = new QGroupBox("枠の位置", this);
    edtFrmX1 = new QLineEdit("10", position);
    edtFrmY1 = new QLineEdit("10", position);
    edtFrmX2 = new QLineEdit("100", position);
    edtFrmY2 = new QLineEdit("100", position);
    auto* grid = new QGridLayout(position);
    grid->addWidget(new QLabel("x", position), 0, 1);
    grid->addWidget(new QLabel("y", position), 0, 2);
    grid->addWidget(new QLabel("左上", position), 1, 0);
    grid->addWidget(edtFrmX1, 1, 1);
    grid->addWidget(edtFrmY1, 1, 2);
    grid->addWidget(new QLabel("右下", position), 2, 0);
    grid->addWidget(edtFrmX2, 2, 1);
    grid->addWidget(edtFrmY2, 2, 2);

    rdoFrmType = new RadioGroup("枠の型", FrameStyleLabels(), this);
    rdoFrmType->setItemIndex(0);
    auto* colorBox = new QGroupBox("枠の色", this);
    FrmColor = new ColorGrid(colorBox);
    FrmColor->setForegroundIndex(15);
    (new QVBoxLayout(colorBox))->addWidget(FrmColor);

    chkFrmUp = new QCheckBox("枠を前へ", this);
    chkFrmCut = new QCheckBox("枠を消す", this);
    chkFrmCut->setStyleSheet("color: red");
    panel = new AssociationPanel(this);

    DialogButtons buttons = MakeDialogButtons(this);
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

    connect(HelpBtn, &QPushButton::clicked, this, [this] { emit helpRequested(kHelpTopic); });
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
}

}  // namespace zepo
