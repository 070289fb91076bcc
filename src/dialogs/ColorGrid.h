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
    // The second colour of grids that offer one (a text's background): chosen with the right
    // button, its cell marked "BG".
    int backgroundIndex() const { return background_; }
    void setBackgroundIndex(int index);
    // The cell of a colour, for tests that click it.
    QAbstractButton* cell(int index) const { return group_.button(index); }

signals:
    void changed(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QButtonGroup group_;
    int background_ = -1;  // none until set
};

}  // namespace zepo
