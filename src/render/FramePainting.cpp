#include "render/FramePainting.h"

#include <algorithm>

#include "model/Codes.h"
#include "render/BorderDrawing.h"
#include "render/StyleLabels.h"

namespace zepo {
namespace {

// The inclusive rectangle (x1, y1)–(x2, y2) cut to the device, or an empty one. The corners
// are 64-bit so that a frame reaching past the largest int still clips instead of wrapping.
QRect OnDevice(long long x1, long long y1, long long x2, long long y2, QSize device) {
    x1 = std::max(x1, 0LL);
    y1 = std::max(y1, 0LL);
    x2 = std::min(x2, static_cast<long long>(device.width()) - 1);
    y2 = std::min(y2, static_cast<long long>(device.height()) - 1);
    if (x2 < x1 || y2 < y1) return QRect();
    return QRect(QPoint(static_cast<int>(x1), static_cast<int>(y1)),
                 QPoint(static_cast<int>(x2), static_cast<int>(y2)));
}

}  // namespace

QColor CardColor(int index) { return QColor::fromRgb(ColorRgb(index)); }

void PaintFrameFace(QPainter& p, const Slot& frame) {
    const QSize device(p.device()->width(), p.device()->height());
    const long long left = frame.bounds.left, top = frame.bounds.top;
    const long long w = std::max(1, frame.bounds.width), h = std::max(1, frame.bounds.height);
    const long long right = left + w - 1, bottom = top + h - 1;
    const QRect visible = OnDevice(left, top, right, bottom, device);
    if (visible.isEmpty()) return;
    p.save();
    p.fillRect(visible, CardColor(frame.frame.color));
    // NOT-XOR with a black pen inverts what lies below; every outline pixel exactly once.
    p.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    auto invert = [&](long long x1, long long y1, long long x2, long long y2) {
        QRect r = OnDevice(x1, y1, x2, y2, device);
        if (!r.isEmpty()) p.fillRect(r, Qt::black);
    };
    invert(left, top, right, top);
    if (h > 1) invert(left, bottom, right, bottom);
    if (h > 2) {
        invert(left, top + 1, left, bottom - 1);
        if (w > 1) invert(right, top + 1, right, bottom - 1);
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (LabelAt(FrameStyleLabels(), frame.frame.style) == GlassButtonLabel()) {
        p.setClipRect(visible);
        QFont font = p.font();
        font.setStyleStrategy(QFont::NoAntialias);  // a solid mark, as on the player's screen
        p.setFont(font);
        p.setPen(QColor(255, 0, 0));
        p.drawText(QRectF(left + 3.0, top + 3.0, static_cast<double>(w), static_cast<double>(h)),
                   Qt::AlignLeft | Qt::AlignTop, QStringLiteral("ｶﾞﾗｽﾎﾞﾀﾝ"));
    }
    p.restore();
}

QImage DrawFrameFace(const Slot& frame) {
    QImage face(std::max(1, frame.bounds.width), std::max(1, frame.bounds.height), QImage::Format_RGB32);
    Slot atOrigin = frame;
    atOrigin.bounds.left = atOrigin.bounds.top = 0;
    QPainter p(&face);
    PaintFrameFace(p, atOrigin);
    return face;
}

void PaintFrame(QImage& surface, const Slot& frame) {
    const QString label = LabelAt(FrameStyleLabels(), frame.frame.style);
    if (label == GlassButtonLabel()) return;
    const Rect& b = frame.bounds;
    {
        QPainter p(&surface);
        const long long left = b.left, top = b.top;
        QRect visible = OnDevice(left, top, left + b.width - 1, top + b.height - 1, surface.size());
        if (!visible.isEmpty()) p.fillRect(visible, CardColor(frame.frame.color));
    }
    DrawBorderStyle(surface, b.left, b.top, b.right(), b.bottom(), label);
}

void FramePainter::Paint(QPainter& painter, const Card& card, int id, const PaintContext&) {
    PaintFrameFace(painter, card.slot(id));
}

void FramePainter::Compose(QImage& surface, const Card& card, int id, const PaintContext&) {
    PaintFrame(surface, card.slot(id));
}

}  // namespace zepo
