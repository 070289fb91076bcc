#pragma once
// The edit modes of the button bar (move, front, size) and the preview ("確認"). The mode is
// the canvas's: it is held there and nowhere else.

#include <QObject>
#include <Qt>

class QWidget;

namespace zepo {

class CardCanvas;
enum class EditMode;

class ViewCommands : public QObject {
    Q_OBJECT
public:
    // `window`'s pointer shows the mode.
    ViewCommands(CardCanvas& canvas, QWidget& window);

    EditMode mode() const;
    bool previewOn() const;

    void MoveMode();
    void FrontMode();
    void SizeMode();
    void Preview();

signals:
    void modeChanged();

private:
    void EnterMode(EditMode mode, Qt::CursorShape cursor);

    CardCanvas& canvas_;
    QWidget& window_;
};

}  // namespace zepo
