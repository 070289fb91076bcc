#pragma once
// The edit modes of the button bar (move, front, size) and the preview ("確認").

#include <QObject>
#include <Qt>

class QAbstractButton;
class QWidget;

namespace zepo {

class CardCanvas;
class CardDocument;
enum class EditMode;

class ViewCommands : public QObject {
    Q_OBJECT
public:
    struct Controls {
        QAbstractButton *preview, *move, *front, *size;
        CardCanvas* canvas;
        QWidget* window;  // its pointer shows the mode
    };
    ViewCommands(CardDocument& document, const Controls& controls);

    void MoveMode();
    void FrontMode();
    void SizeMode();
    void Preview();

private:
    void EnterMode(QAbstractButton* button, EditMode mode, Qt::CursorShape cursor);

    CardDocument& document_;
    Controls controls_;
};

}  // namespace zepo
