#pragma once
// The editing surface: shows the open card as the renderer draws it, again after every
// change of the document, and turns mouse presses, moves and releases over its objects into
// moves, bring-to-front and resizes of the card's slots. It opens no dialogs: a right press
// is handed on as slotRequested().

#include <QImage>
#include <QStringList>
#include <QWidget>

class QShortcut;
#include <array>
#include <filesystem>
#include <optional>

#include "canvas/Drag.h"
#include "model/Card.h"
#include "model/Environment.h"
#include "render/CardRenderer.h"

namespace zepo {

class CardDocument;

enum class EditMode { Move, FrontBack, Stretch, Preview };

class CardCanvas : public QWidget {
    Q_OBJECT
public:
    CardCanvas(CardDocument& document, TextMeasurer& measurer, QWidget* parent = nullptr);

    // Replaces the drawing of one kind (the plain drawing stays for the others).
    void SetPainter(SlotKind kind, SlotPainter* painter);
    CardRenderer& renderer() { return renderer_; }

    // The mode is held here alone: the preview is the canvas's way of showing the card.
    EditMode mode() const { return mode_; }
    void SetMode(EditMode mode);

    // A new blank canvas picture of (screen width + 1) × screen height pixels.
    void ResetImage(QSize screen);
    QSize screen() const { return QSize(surface_.width() - 1, surface_.height()); }
    // Draws the card again from the model: background in the card colour, then every
    // object in use, rearmost first (composed as the player shows it in the preview).
    void Redraw();

    bool dragging() const { return dragging_; }

    // The topmost object in use under a point, or -1 for bare background.
    int SlotAt(QPoint point) const;

    // What is on screen: the drawn card with the rubber band inverted into it.
    const QImage& surface() const { return surface_; }
    // The rubber band as last drawn, while a drag is in progress.
    std::optional<Band> band() const;

    // Inverts the closed outline through both corners; drawing it twice restores the picture.
    void DrawRubberBand(const Band& band);

signals:
    // The mouse position in card coordinates.
    void mousePosition(int x, int y);
    // A right press on an object: the object's property round trip.
    void slotRequested(int id);
    // Files dropped from the file manager (their local paths, in order) at a card point.
    void filesDropped(const QStringList& paths, QPoint at);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void RenderScene();
    void EndDragWithoutApplying();
    QPoint RelativeToPressed(QPoint point) const;

    CardDocument& document_;
    TextMeasurer& measurer_;
    CardRenderer renderer_;
    EditMode mode_ = EditMode::Move;
    QImage surface_;

    // One drag at a time.
    bool dragging_ = false;
    int pressed_ = -1;
    QPoint press_;
    Band start_, current_;
    QShortcut* escape_ = nullptr;  // on while a drag is held
};

}  // namespace zepo
