#include "shell/ViewCommands.h"

#include <QAction>
#include <QToolButton>

#include "canvas/CardCanvas.h"
#include "shell/MainWindow.h"

namespace zepo {

ViewCommands::ViewCommands(MainWindow& window) : window_(window) {
    MainWindow& w = window_;
    connect(w.btnPaint, &QToolButton::clicked, this, [this] { btnPaintClick(); });
    connect(w.btnMove, &QToolButton::clicked, this, [this] { btnMoveClick(); });
    connect(w.btnFrontBack, &QToolButton::clicked, this, [this] { btnFrontBackClick(); });
    connect(w.btnStretch, &QToolButton::clicked, this, [this] { btnStretchClick(); });
    // The window sizes come with the screen-size commands; until then "標準" stays ticked.
    for (QAction* a : {w.mnNomalScreen, w.mn1024_768, w.mn800_600, w.mn640_480})
        connect(a, &QAction::triggered, this, [&w] { w.mnNomalScreen->setChecked(true); });
}

void ViewCommands::SetMode(EditMode mode, Qt::CursorShape cursor) {
    window_.canvas->SetMode(mode);
    window_.setCursor(cursor);
}

void ViewCommands::LeavePreview() { window_.document().SetPreview(false); }

void ViewCommands::btnMoveClick() {
    window_.btnMove->setChecked(true);
    SetMode(EditMode::Move, Qt::DragMoveCursor);
    LeavePreview();
}

void ViewCommands::btnFrontBackClick() {
    window_.btnFrontBack->setChecked(true);
    SetMode(EditMode::FrontBack, Qt::UpArrowCursor);
    LeavePreview();
}

void ViewCommands::btnStretchClick() {
    window_.btnStretch->setChecked(true);
    SetMode(EditMode::Stretch, Qt::SizeHorCursor);
    LeavePreview();
}

void ViewCommands::btnPaintClick() {
    // The composed card as the player shows it, with editing switched off.
    window_.btnPaint->setChecked(true);
    SetMode(EditMode::Preview, Qt::ArrowCursor);
    window_.document().SetPreview(true);
    window_.document().Changed();
}

}  // namespace zepo
