#pragma once
// How the canvas draws one object. Each kind's own drawing (frame styles, decorations,
// pictures reduced to 256 colours …) replaces the plain one given here through this seam.

#include <QImage>
#include <QPainter>

#include <filesystem>

#include "model/Card.h"

namespace zepo {

// Edit: the card as the editor shows it while objects are placed (a glass button is marked);
// Preview: as the player shows it.
enum class RenderMode { Edit, Preview };

struct PaintContext {
    std::filesystem::path saveFolder;  // where bare file names of the card are found
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

// The plain drawing of each kind: a frame's edit view, texts in their font and colours,
// a text block's lines, a picture as the card holds it.
class PlainSlotPainter : public SlotPainter {
public:
    void Paint(QPainter& painter, const Card& card, int id, const PaintContext& context) override;
};

}  // namespace zepo
