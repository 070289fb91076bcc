#pragma once
// The 16-colour grid of the card's colour table: one cell per colour index, one chosen.

#include <QButtonGroup>
#include <QWidget>

namespace zepo {

class ColorGrid : public QWidget {
    Q_OBJECT
public:
    explicit ColorGrid(QWidget* parent = nullptr);
    int foregroundIndex() const;
    void setForegroundIndex(int index);
    // The cell of a colour, for tests that click it.
    QAbstractButton* cell(int index) const { return group_.button(index); }

signals:
    void changed(int index);

private:
    QButtonGroup group_;
};

}  // namespace zepo
