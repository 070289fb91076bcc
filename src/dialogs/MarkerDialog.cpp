#include "dialogs/MarkerDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "dialogs/ColorGrid.h"
#include "dialogs/Named.h"

namespace zepo {

MarkerDialog::MarkerDialog(QWidget* parent) : PropertyDialog(parent) {
    setWindowTitle("マーカー機能");
    widthSpin_ = Named(new QSpinBox(this), "Width");
    widthSpin_->setRange(1, 20);
    colorGrid_ = Named(new ColorGrid(this), "Color");
    markerOffBox_ = Named(new QCheckBox("マーカー解除", this), "Stop");
    switchOffBox_ = MakeSwitchOffBox();
    QHBoxLayout* buttonRow = MakeButtonRow(kHelpTopic);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("幅：", this), 0, 0);
    grid->addWidget(widthSpin_, 0, 1, Qt::AlignLeft);
    grid->addWidget(new QLabel("色：", this), 1, 0, Qt::AlignTop);
    grid->addWidget(colorGrid_, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(markerOffBox_);
    layout->addWidget(switchOffBox_);
    layout->addLayout(buttonRow);

    connect(widthSpin_, &QSpinBox::valueChanged, this, [this] { PenChanged(); });
    connect(colorGrid_, &ColorGrid::changed, this, [this] { PenChanged(); });
    connect(markerOffBox_, &QCheckBox::clicked, this, [this] { switchOffBox_->setChecked(false); });
}

void MarkerDialog::Load(const MarkerSettings& s) {
    QSignalBlocker quiet(widthSpin_);
    widthSpin_->setValue(s.width);
    colorGrid_->setForegroundIndex(s.color);
    markerOffBox_->setChecked(s.off);
    switchOffBox_->setChecked(false);
}

MarkerSettings MarkerDialog::Read() const {
    MarkerSettings s;
    s.width = widthSpin_->value();
    s.color = colorGrid_->foregroundIndex();
    s.off = markerOffBox_->isChecked();
    s.inUse = !switchOffBox_->isChecked();
    return s;
}

void MarkerDialog::PenChanged() {
    markerOffBox_->setChecked(false);
    switchOffBox_->setChecked(false);
}

}  // namespace zepo
