#pragma once
// The edit modes of the button bar (move, front, size), the preview ("確認") and the screen
// sizes of the view menu.

#include <QObject>
#include <Qt>

namespace zepo {

class MainWindow;
enum class EditMode;

class ViewCommands : public QObject {
    Q_OBJECT
public:
    explicit ViewCommands(MainWindow& window);

    void btnMoveClick();
    void btnFrontBackClick();
    void btnStretchClick();
    void btnPaintClick();

private:
    void SetMode(EditMode mode, Qt::CursorShape cursor);
    void LeavePreview();

    MainWindow& window_;
};

}  // namespace zepo
