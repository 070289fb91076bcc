#pragma once
// How a frame looks: its edit view on the canvas and its face in the preview.

#include <QImage>
#include <QPainter>

#include "model/Card.h"
#include "render/SlotPainter.h"

namespace zepo {

// The edit view, drawn by `painter` at the frame's bounds: filled in the frame's colour,
// an outline in the inverse of that colour so that the frame shows on any background, and
// the red "ｶﾞﾗｽﾎﾞﾀﾝ" mark for a glass button. The bevel is not drawn. Only the part that
// lies on the painter's device is drawn, so a frame far larger than the screen costs no
// more than one that fills it.
void PaintFrameFace(QPainter& painter, const Slot& frame);

// The same edit view in an image of the frame's own size.
QImage DrawFrameFace(const Slot& frame);

// The frame as the player shows it, drawn into the card's surface (card coordinates):
// the filled rectangle and its bevel; a glass button draws nothing.
void PaintFrame(QImage& surface, const Slot& frame);

QColor CardColor(int index);

// Frames behind the painter seam: the edit view, and PaintFrame in the preview.
class FramePainter : public SlotPainter {
public:
    void Paint(QPainter& painter, const Card& card, int id, const PaintContext& context) override;
    void Compose(QImage& surface, const Card& card, int id, const PaintContext& context) override;
};

}  // namespace zepo
