#include "dialogs/ColorGrid.h"

#include <QGridLayout>
#include <QMouseEvent>
#include <QToolButton>

#include "model/Codes.h"

namespace zepo {

ColorGrid::ColorGrid(QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    grid->setSpacing(2);
    grid->setContentsMargins(0, 0, 0, 0);
    group_.setExclusive(true);
    for (int i = 0; i < kColorCount; ++i) {
        auto* cell = new QToolButton(this);
        cell->setCheckable(true);
        cell->setFixedSize(24, 20);
        QColor c = QColor::fromRgb(ColorRgb(i));
        // The chosen cell shows a frame in the colour's complement, as the grid's "FG" mark.
        QColor mark = QColor::fromRgb(0xFFFFFF ^ ColorRgb(i));
        cell->setStyleSheet(QString("QToolButton{background:%1;border:1px solid gray;}"
                                    "QToolButton:checked{border:3px solid %2;}")
                                .arg(c.name(), mark.name()));
        cell->setStyleSheet(cell->styleSheet() + QString("QToolButton{color:%1;font-size:9px;}").arg(mark.name()));
        cell->installEventFilter(this);
        group_.addButton(cell, i);
        grid->addWidget(cell, i / 4, i % 4);
    }
    connect(&group_, &QButtonGroup::idClicked, this, &ColorGrid::changed);
    setForegroundIndex(kWhite);
}

int ColorGrid::foregroundIndex() const { return group_.checkedId() < 0 ? kWhite : group_.checkedId(); }

void ColorGrid::setForegroundIndex(int index) {
    if (index < 0 || index >= kColorCount) index = kWhite;
    group_.button(index)->setChecked(true);
}

void ColorGrid::setBackgroundIndex(int index) {
    if (index < 0 || index >= kColorCount) index = kWhite;
    if (background_ >= 0) group_.button(background_)->setText(QString());
    background_ = index;
    group_.button(index)->setText("BG");
}

bool ColorGrid::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        const int id = group_.id(static_cast<QAbstractButton*>(watched));
        // Only grids that show a background colour take one.
        if (id >= 0 && background_ >= 0) setBackgroundIndex(id);
        return background_ >= 0;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace zepo
