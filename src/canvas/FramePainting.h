#pragma once
// How a frame looks: its edit view on the canvas and its face in the preview.

#include <QImage>

#include "model/Card.h"

namespace zepo {

// The edit view in the frame's own image (the image's size is the frame's): filled in
// the frame's colour, an outline in the inverse of that colour so that the frame shows on
// any background, and the red "ｶﾞﾗｽﾎﾞﾀﾝ" mark for a glass button. The bevel is not drawn.
QImage DrawFrameFace(const Slot& frame);

// The frame as the player shows it, drawn into the card's surface (card coordinates):
// the filled rectangle and its bevel; a glass button draws nothing.
void PaintFrame(QImage& surface, const Slot& frame);

QColor CardColor(int index);

}  // namespace zepo
