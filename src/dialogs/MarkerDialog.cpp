#include "dialogs/MarkerDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "dialogs/ColorGrid.h"
#include "dialogs/DialogButtons.h"
#include "dialogs/Named.h"

namespace zepo {

MarkerDialog::MarkerDialog(QWidget* parent) : PropertyDialog(parent) {
    setWindowTitle("マーカー機能");
    Width = Named(new QSpinBox(this), "Width");
    Width->setRange(1, 20);
    Color = Named(new ColorGrid(this), "Color");
    Stop = Named(new QCheckBox("マーカー解除", this), "Stop");
    Cancel = MakeSwitchOffBox(this);
    DialogButtons buttons = MakeButtons(kHelpTopic);
    OKBtn = buttons.ok;
    CancelBtn = buttons.cancel;
    HelpBtn = buttons.help;

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("幅：", this), 0, 0);
    grid->addWidget(Width, 0, 1, Qt::AlignLeft);
    grid->addWidget(new QLabel("色：", this), 1, 0, Qt::AlignTop);
    grid->addWidget(Color, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(Stop);
    layout->addWidget(Cancel);
    layout->addLayout(buttons.row);

    connect(Width, &QSpinBox::valueChanged, this, [this] { PenClick(); });
    connect(Color, &ColorGrid::changed, this, [this] { PenClick(); });
    connect(Stop, &QCheckBox::clicked, this, [this] { Cancel->setChecked(false); });
}

void MarkerDialog::Load(const MarkerSettings& s) {
    QSignalBlocker quiet(Width);
    Width->setValue(s.width);
    Color->setForegroundIndex(s.color);
    Stop->setChecked(s.off);
    Cancel->setChecked(false);
}

MarkerSettings MarkerDialog::Read() const {
    MarkerSettings s;
    s.width = Width->value();
    s.color = Color->foregroundIndex();
    s.off = Stop->isChecked();
    s.inUse = !Cancel->isChecked();
    return s;
}

void MarkerDialog::PenClick() {
    Stop->setChecked(false);
    Cancel->setChecked(false);
}

}  // namespace zepo
