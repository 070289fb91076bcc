#pragma once
// The card as a picture: background in the card colour, then every object in use, rearmost
// first, each drawn by its kind's painter. The canvas, the preview, `zepocard render` and
// the screen capture all draw through here, so that what one shows the others show too.

#include <QImage>
#include <QPainter>
#include <QSize>
#include <array>
#include <filesystem>

#include "model/Card.h"
#include "render/SlotPainter.h"
#include "render/TextPainting.h"

namespace zepo {

class CardRenderer {
public:
    CardRenderer();

    // Replaces the drawing of one kind (the plain drawing stays for the others); null
    // restores the plain drawing.
    void SetPainter(SlotKind kind, SlotPainter* painter);
    void SetSaveFolder(const std::filesystem::path& folder) { context_.saveFolder = folder; }
    void SetMode(RenderMode mode) { context_.mode = mode; }
    RenderMode mode() const { return context_.mode; }

    // Draws the card over the whole of the painter's device.
    void Paint(QPainter& painter, const Card& card);
    // A new picture of the given size holding the card.
    QImage Render(const Card& card, QSize size);

    const PlainSlotPainter& plain() const { return plain_; }

private:
    PlainSlotPainter plain_;
    OneLineTextPainter texts_;
    TextBlockPainter blocks_;
    std::array<SlotPainter*, kKindCount> painters_{};
    PaintContext context_;
};

}  // namespace zepo
