#include "FramePainting.h"

#include <QPainter>

#include "BorderDrawing.h"
#include "StyleLabels.h"
#include "model/Codes.h"

namespace zepo {

QColor CardColor(int index) { return QColor::fromRgb(ColorRgb(index)); }

QImage DrawFrameFace(const Slot& frame) {
    const int w = std::max(1, frame.bounds.width), h = std::max(1, frame.bounds.height);
    QImage face(w, h, QImage::Format_RGB32);
    face.fill(CardColor(frame.frame.color));
    // NOT-XOR with a black pen inverts what lies below.
    auto invert = [&](int x, int y) { face.setPixel(x, y, face.pixel(x, y) ^ 0x00FFFFFF); };
    for (int x = 0; x < w; ++x) {
        invert(x, 0);
        if (h > 1) invert(x, h - 1);
    }
    for (int y = 1; y < h - 1; ++y) {
        invert(0, y);
        if (w > 1) invert(w - 1, y);
    }
    if (LabelAt(FrameStyleLabels(), frame.frame.style) == GlassButtonLabel()) {
        QPainter p(&face);
        QFont font = p.font();
        font.setStyleStrategy(QFont::NoAntialias);  // a solid mark, as on the player's screen
        p.setFont(font);
        p.setPen(QColor(255, 0, 0));
        p.drawText(QRect(3, 3, w, h), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("ｶﾞﾗｽﾎﾞﾀﾝ"));
    }
    return face;
}

void PaintFrame(QImage& surface, const Slot& frame) {
    const QString label = LabelAt(FrameStyleLabels(), frame.frame.style);
    if (label == GlassButtonLabel()) return;
    const Rect& b = frame.bounds;
    {
        QPainter p(&surface);
        p.fillRect(QRect(b.left, b.top, b.width, b.height), CardColor(frame.frame.color));
    }
    DrawBorderStyle(surface, b.left, b.top, b.right(), b.bottom(), label);
}

}  // namespace zepo
