#include "render/CardRenderer.h"

namespace zepo {

CardRenderer::CardRenderer() {
    defaults_[static_cast<int>(SlotKind::OneLineText)] = &texts_;
    defaults_[static_cast<int>(SlotKind::TextBlock)] = &blocks_;
    defaults_[static_cast<int>(SlotKind::Frame)] = &frames_;
    defaults_[static_cast<int>(SlotKind::Picture)] = &pictures_;
    painters_ = defaults_;
}

void CardRenderer::SetPainter(SlotKind kind, SlotPainter* painter) {
    const int k = static_cast<int>(kind);
    painters_[k] = painter ? painter : defaults_[k];
}

void CardRenderer::Paint(QPainter& painter, const Card& card) {
    const QRect all(QPoint(0, 0), QSize(painter.device()->width(), painter.device()->height()));
    painter.fillRect(all, CardColor(card.settings.color));
    for (int id : card.UsedSlotsInStackingOrder())
        painters_[static_cast<int>(KindOfSlot(id))]->Paint(painter, card, id, PaintContext{RenderMode::Edit});
}

void CardRenderer::ComposeOnto(QImage& surface, const Card& card, const PaintContext& context) {
    surface.fill(CardColor(card.settings.color));
    // Back to front, each painter over what the ones before drew: the stacking order of the
    // edit view.
    for (int id : card.UsedSlotsInStackingOrder())
        painters_[static_cast<int>(KindOfSlot(id))]->Compose(surface, card, id, context);
}

QImage CardRenderer::Render(const Card& card, QSize size, RenderMode mode) {
    QImage image(size, QImage::Format_RGB32);
    if (mode == RenderMode::Preview) {
        ComposeOnto(image, card, PaintContext{RenderMode::Preview});
        return image;
    }
    QPainter painter(&image);
    Paint(painter, card);
    return image;
}

QImage CardRenderer::Compose(const Card& card, QSize screen) {
    QImage image(screen.width() + 1, screen.height(), QImage::Format_RGB32);
    ComposeOnto(image, card, PaintContext{RenderMode::Preview});
    return image;
}

QImage ComposeCard(const Card& card, QSize screen) {
    CardRenderer renderer;
    return renderer.Compose(card, screen);
}

}  // namespace zepo
