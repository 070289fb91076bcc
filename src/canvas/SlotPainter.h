#pragma once
// How the canvas draws one object. Each kind's own drawing (frame styles, decorations,
// pictures reduced to 256 colours …) replaces the plain one given here through this seam.

#include <QPainter>
#include <filesystem>

#include "model/Card.h"

namespace zepo {

struct PaintContext {
    std::filesystem::path saveFolder;  // where bare file names of the card are found
};

class SlotPainter {
public:
    virtual ~SlotPainter() = default;
    // Draws the slot at its bounds (card coordinates = canvas coordinates).
    virtual void Paint(QPainter& painter, const Card& card, int id, const PaintContext& context) = 0;
};

// The plain drawing of each kind: a frame's edit view, texts in their font and colours,
// a text block's lines, a picture from its file.
class PlainSlotPainter : public SlotPainter {
public:
    void Paint(QPainter& painter, const Card& card, int id, const PaintContext& context) override;
};

}  // namespace zepo
