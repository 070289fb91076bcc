#include "render/SlotPainter.h"

#include <QImage>

#include "render/FramePainting.h"
#include "model/Layout.h"
#include "render/PicturePainting.h"
#include "render/Fonts.h"
#include "core/TextCodec.h"

namespace zepo {
namespace {

QRect Bounds(const Slot& s) { return QRect(s.bounds.left, s.bounds.top, s.bounds.width, s.bounds.height); }

void PaintText(QPainter& p, const Slot& s) {
    QRect r = Bounds(s);
    if (!s.transparent) p.fillRect(r, CardColor(s.text.backColor));
    p.setFont(MakeFont(s.font));
    p.setPen(CardColor(s.text.textColor));
    if (!s.wordWrap) {
        p.drawText(r, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, QString::fromStdString(SjisToUtf8(s.caption)));
        return;
    }
    int row = 0;
    for (const std::string& ch : SplitCharacters(s.caption)) {
        QRect cell(r.left(), r.top() + row++ * s.font.height, r.width(), s.font.height);
        p.drawText(cell, Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, QString::fromStdString(SjisToUtf8(ch)));
    }
}

void PaintBlock(QPainter& p, const Slot& s) {
    p.setFont(MakeFont(s.font));
    p.setPen(CardColor(s.block.color));
    const long long h = s.font.height, step = h + s.block.linePitch;
    const long long n = static_cast<long long>(s.lines.size());
    // Worked out wide and drawn only where the canvas can show it: a text file of a million
    // lines must neither wrap round nor be drawn line by line far below the screen.
    const QRect view = p.window();
    for (long long i = 0; i < n; ++i) {
        if (s.block.direction == 0) {
            const long long y = s.bounds.top + step * i;
            if (y > view.bottom()) break;
            if (y + h < view.top()) continue;
            p.drawText(QRect(s.bounds.left, int(y), 100000, int(h)), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                       QString::fromStdString(SjisToUtf8(s.lines[i])));
            continue;
        }
        const long long x = s.bounds.left + step * (n - i - 1);
        if (x > view.right() || x + h < view.left()) continue;
        long long y = s.bounds.top;
        for (const std::string& ch : SplitCharacters(s.lines[i])) {
            if (y > view.bottom()) break;
            if (y + h >= view.top())
                p.drawText(QRect(int(x), int(y), int(h), int(h)), Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip,
                           QString::fromStdString(SjisToUtf8(ch)));
            y += h;
        }
    }
}

}  // namespace

void SlotPainter::Compose(QImage& surface, const Card& card, int id, const PaintContext& context) {
    QPainter p(&surface);
    Paint(p, card, id, context);
}

void PlainSlotPainter::Paint(QPainter& p, const Card& card, int id, const PaintContext&) {
    const Slot& s = card.slot(id);
    p.save();
    switch (KindOfSlot(id)) {
        case SlotKind::Frame: PaintFrameFace(p, s); break;
        case SlotKind::OneLineText: PaintText(p, s); break;
        case SlotKind::TextBlock: PaintBlock(p, s); break;
        case SlotKind::Picture: PaintPictureView(p, s); break;
    }
    p.restore();
}

}  // namespace zepo
