#include "dialogs/RadioGroup.h"

#include <QRadioButton>
#include <QVBoxLayout>

namespace zepo {

RadioGroup::RadioGroup(const QString& title, const QStringList& items, QWidget* parent) : QGroupBox(title, parent) {
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i], this);
        group_.addButton(b, i);
        layout->addWidget(b);
    }
    group_.setExclusive(true);
    setItemIndex(0);
}

void RadioGroup::setItemIndex(int index) {
    if (auto* b = group_.button(index)) b->setChecked(true);
}

}  // namespace zepo
