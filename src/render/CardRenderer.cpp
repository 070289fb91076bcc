#include "render/CardRenderer.h"

#include "render/FramePainting.h"

namespace zepo {

CardRenderer::CardRenderer() {
    painters_.fill(&plain_);
    SetPainter(SlotKind::OneLineText, &texts_);
    SetPainter(SlotKind::TextBlock, &blocks_);
}

void CardRenderer::SetPainter(SlotKind kind, SlotPainter* painter) {
    painters_[static_cast<int>(kind)] = painter ? painter : &plain_;
}

void CardRenderer::Paint(QPainter& painter, const Card& card) {
    const QRect all(QPoint(0, 0), QSize(painter.device()->width(), painter.device()->height()));
    painter.fillRect(all, CardColor(card.settings.color));
    for (int id : card.UsedSlotsInStackingOrder())
        painters_[static_cast<int>(KindOfSlot(id))]->Paint(painter, card, id, context_);
}

QImage CardRenderer::Render(const Card& card, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    Paint(painter, card);
    return image;
}

}  // namespace zepo
