#include "shell/ViewCommands.h"

#include <QWidget>

#include "canvas/CardCanvas.h"

namespace zepo {

ViewCommands::ViewCommands(CardCanvas& canvas, QWidget& window) : canvas_(canvas), window_(window) {}

EditMode ViewCommands::mode() const { return canvas_.mode(); }

bool ViewCommands::previewOn() const { return canvas_.mode() == EditMode::Preview; }

void ViewCommands::EnterMode(EditMode mode, Qt::CursorShape cursor) {
    // Every editing mode leaves the preview; the canvas draws the card again when the preview
    // starts or ends.
    canvas_.SetMode(mode);
    window_.setCursor(cursor);
    emit modeChanged();
}

void ViewCommands::MoveMode() { EnterMode(EditMode::Move, Qt::DragMoveCursor); }
void ViewCommands::FrontMode() { EnterMode(EditMode::FrontBack, Qt::UpArrowCursor); }
void ViewCommands::SizeMode() { EnterMode(EditMode::Stretch, Qt::SizeHorCursor); }

void ViewCommands::Preview() {
    // The composed card as the player shows it, with editing switched off. Switching the
    // preview on draws the card; when it was on already, it is composed again here (a view
    // change: the card itself did not change).
    const bool wasOn = previewOn();
    EnterMode(EditMode::Preview, Qt::ArrowCursor);
    if (wasOn) canvas_.Redraw();
}

}  // namespace zepo
