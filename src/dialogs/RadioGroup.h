#pragma once
// A titled group of exclusive choices addressed by item index.

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

class QRadioButton;

namespace zepo {

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& title, const QStringList& items, QWidget* parent = nullptr);
    int itemIndex() const { return group_.checkedId(); }
    void setItemIndex(int index);
    QAbstractButton* item(int index) const { return group_.button(index); }

private:
    QButtonGroup group_;
};

}  // namespace zepo
