#pragma once
// How one-line texts and text blocks look: on the canvas while the card is edited, and on the
// card's surface as the player shows them. Both views lay the characters out alike, so that
// what is placed in the editor stands where the player draws it.

#include <QImage>
#include <QPainter>

#include "model/Card.h"
#include "render/SlotPainter.h"

namespace zepo {

// One-line text. Edit view: the label, its background filled unless the decoration is
// "標準(0)" or "ふち(2)". Preview: the text outlined in the background colour for "ふち(2)",
// on an opaque background-colour cell for decorations other than 0 and 2, with the bevel of
// decorations 3 … 8 (drawn only when the painter's device is an image). A vertical text is one
// character per row, each row a font height below the previous, each glyph at the left edge
// of its cell.
void PaintOneLineText(QPainter& painter, const Slot& text, RenderMode mode);

// Text block. Edit view: the block's rectangle filled with white (black for white text), then
// the lines. Preview: the lines alone. Horizontal lines run down from the top, each (height +
// pitch) below the previous; vertical lines are columns from right to left, characters a font
// height apart. Only what lies on the painter's window is drawn, so a block of a million lines
// costs what the screen shows. A block whose file is missing is the marked placeholder
// (MissingFile.h) in both views.
void PaintTextBlock(QPainter& painter, const Slot& block, RenderMode mode);

class OneLineTextPainter : public SlotPainter {
public:
    void Paint(QPainter& painter, const Card& card, int id, const PaintContext& context) override {
        PaintOneLineText(painter, card.slot(id), context.mode);
    }
};

class TextBlockPainter : public SlotPainter {
public:
    void Paint(QPainter& painter, const Card& card, int id, const PaintContext& context) override {
        PaintTextBlock(painter, card.slot(id), context.mode);
    }
};

}  // namespace zepo
