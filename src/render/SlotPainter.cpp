#include "render/SlotPainter.h"

#include <QImage>

namespace zepo {

void SlotPainter::Compose(QImage& surface, const Card& card, int id, const PaintContext& context) {
    QPainter p(&surface);
    Paint(p, card, id, context);
}

}  // namespace zepo
