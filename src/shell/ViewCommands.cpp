#include "shell/ViewCommands.h"

#include <QAction>
#include <QToolButton>

#include "canvas/CardCanvas.h"
#include "shell/MainWindow.h"

namespace zepo {

ViewCommands::ViewCommands(MainWindow& window) : window_(window) {
    MainWindow& w = window_;
    connect(w.btnPaint, &QToolButton::clicked, this, [this] { Preview(); });
    connect(w.btnMove, &QToolButton::clicked, this, [this] { MoveMode(); });
    connect(w.btnFrontBack, &QToolButton::clicked, this, [this] { FrontMode(); });
    connect(w.btnStretch, &QToolButton::clicked, this, [this] { SizeMode(); });
}

void ViewCommands::EnterMode(QToolButton* button, EditMode mode, Qt::CursorShape cursor) {
    button->setChecked(true);
    window_.canvas->SetMode(mode);
    window_.setCursor(cursor);
    // Every editing mode leaves the preview.
    window_.document().SetPreview(mode == EditMode::Preview);
}

void ViewCommands::MoveMode() { EnterMode(window_.btnMove, EditMode::Move, Qt::DragMoveCursor); }
void ViewCommands::FrontMode() { EnterMode(window_.btnFrontBack, EditMode::FrontBack, Qt::UpArrowCursor); }
void ViewCommands::SizeMode() { EnterMode(window_.btnStretch, EditMode::Stretch, Qt::SizeHorCursor); }

void ViewCommands::Preview() {
    // The composed card as the player shows it, with editing switched off. Switching the
    // preview on draws the card; when it was on already, it is composed again here (a view
    // change: the card itself did not change).
    const bool wasOn = window_.document().previewOn();
    EnterMode(window_.btnPaint, EditMode::Preview, Qt::ArrowCursor);
    if (wasOn) window_.canvas->ClearCanvas();
}

}  // namespace zepo
