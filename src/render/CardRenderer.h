#pragma once
// The card as a picture: background in the card colour, then every object in use, rearmost
// first, each drawn by its kind's painter. The canvas, the preview, `zepocard render`, the
// screen capture and the web export all draw through here, so that what one shows the
// others show too.

#include <QImage>
#include <QPainter>
#include <QSize>
#include <array>

#include "model/Card.h"
#include "render/FramePainting.h"
#include "render/PicturePainting.h"
#include "render/SlotPainter.h"
#include "render/TextPainting.h"

namespace zepo {

class CardRenderer {
public:
    // Every kind with its own painter.
    CardRenderer();
    CardRenderer(const CardRenderer&) = delete;
    CardRenderer& operator=(const CardRenderer&) = delete;

    // Replaces the drawing of one kind; null restores the kind's own drawing.
    void SetPainter(SlotKind kind, SlotPainter* painter);

    // Draws the card in the edit view over the whole of the painter's device.
    void Paint(QPainter& painter, const Card& card);
    // A new picture of the given size holding the card in `mode`.
    QImage Render(const Card& card, QSize size, RenderMode mode = RenderMode::Edit);

    // The preview: the card as the player shows it on a screen of `screen` pixels, an image
    // of (screen width + 1) × screen height.
    QImage Compose(const Card& card, QSize screen);

private:
    void ComposeOnto(QImage& surface, const Card& card, const PaintContext& context);

    OneLineTextPainter texts_;
    TextBlockPainter blocks_;
    FramePainter frames_;
    PicturePainter pictures_;
    std::array<SlotPainter*, kKindCount> defaults_{};
    std::array<SlotPainter*, kKindCount> painters_{};
};

// The preview with every kind's own painter, for callers that keep no renderer (one per
// thread when several cards are composed at once).
QImage ComposeCard(const Card& card, QSize screen);

}  // namespace zepo
