#include "shell/ViewCommands.h"

#include <QAbstractButton>
#include <QWidget>

#include "canvas/CardCanvas.h"
#include "document/CardDocument.h"

namespace zepo {

ViewCommands::ViewCommands(CardDocument& document, const Controls& controls)
    : document_(document), controls_(controls) {
    connect(controls.preview, &QAbstractButton::clicked, this, [this] { Preview(); });
    connect(controls.move, &QAbstractButton::clicked, this, [this] { MoveMode(); });
    connect(controls.front, &QAbstractButton::clicked, this, [this] { FrontMode(); });
    connect(controls.size, &QAbstractButton::clicked, this, [this] { SizeMode(); });
}

void ViewCommands::EnterMode(QAbstractButton* button, EditMode mode, Qt::CursorShape cursor) {
    button->setChecked(true);
    controls_.canvas->SetMode(mode);
    controls_.window->setCursor(cursor);
    // Every editing mode leaves the preview.
    document_.SetPreview(mode == EditMode::Preview);
}

void ViewCommands::MoveMode() { EnterMode(controls_.move, EditMode::Move, Qt::DragMoveCursor); }
void ViewCommands::FrontMode() { EnterMode(controls_.front, EditMode::FrontBack, Qt::UpArrowCursor); }
void ViewCommands::SizeMode() { EnterMode(controls_.size, EditMode::Stretch, Qt::SizeHorCursor); }

void ViewCommands::Preview() {
    // The composed card as the player shows it, with editing switched off. Switching the
    // preview on draws the card; when it was on already, it is composed again here (a view
    // change: the card itself did not change).
    const bool wasOn = document_.previewOn();
    EnterMode(controls_.preview, EditMode::Preview, Qt::ArrowCursor);
    if (wasOn) controls_.canvas->ClearCanvas();
}

}  // namespace zepo
