#pragma once
// How the canvas draws one object: each kind brings its own drawing (frame styles,
// decorations, pictures reduced to 256 colours …) through this seam.

#include <QImage>
#include <QPainter>

#include "model/Card.h"

namespace zepo {

// Edit: the card as the editor shows it while objects are placed (a glass button is marked);
// Preview: as the player shows it.
enum class RenderMode { Edit, Preview };

// Pictures and text blocks are drawn from what their objects hold, never from files, so the
// drawing needs nothing of the save folder.
struct PaintContext {
    RenderMode mode = RenderMode::Edit;
};

class SlotPainter {
public:
    virtual ~SlotPainter() = default;
    // Draws the slot at its bounds (card coordinates = canvas coordinates).
    virtual void Paint(QPainter& painter, const Card& card, int id, const PaintContext& context) = 0;
    // Draws the slot into the composed card of the preview (context.mode is Preview). Kinds
    // whose look there is drawn pixel by pixel (bevels) work on the surface itself; by default
    // it is Paint through a painter on the surface.
    virtual void Compose(QImage& surface, const Card& card, int id, const PaintContext& context);
};

}  // namespace zepo
