#pragma once
// The edit modes of the button bar (move, front, size) and the preview ("確認").

#include <QObject>
#include <Qt>

class QToolButton;

namespace zepo {

class MainWindow;
enum class EditMode;

class ViewCommands : public QObject {
    Q_OBJECT
public:
    explicit ViewCommands(MainWindow& window);

    void MoveMode();
    void FrontMode();
    void SizeMode();
    void Preview();

private:
    void EnterMode(QToolButton* button, EditMode mode, Qt::CursorShape cursor);

    MainWindow& window_;
};

}  // namespace zepo
