#include "render/SlotPainter.h"

#include <QImage>

#include "render/FramePainting.h"
#include "render/TextPainting.h"
#include "model/Layout.h"
#include "render/PicturePainting.h"
#include "render/Fonts.h"
#include "core/TextCodec.h"

namespace zepo {

void SlotPainter::Compose(QImage& surface, const Card& card, int id, const PaintContext& context) {
    QPainter p(&surface);
    Paint(p, card, id, context);
}

void PlainSlotPainter::Paint(QPainter& p, const Card& card, int id, const PaintContext&) {
    const Slot& s = card.slot(id);
    p.save();
    switch (KindOfSlot(id)) {
        case SlotKind::Frame: PaintFrameFace(p, s); break;
        case SlotKind::OneLineText: PaintOneLineText(p, s, RenderMode::Edit); break;
        case SlotKind::TextBlock: PaintTextBlock(p, s, RenderMode::Edit); break;
        case SlotKind::Picture: PaintPictureView(p, s); break;
    }
    p.restore();
}

}  // namespace zepo
