#include "render/MissingFile.h"

#include "core/TextCodec.h"
#include "model/Card.h"
#include "render/Fonts.h"

namespace zepo {

void PaintMissingFile(QPainter& p, const QRect& r, const std::string& sjisName) {
    if (r.width() <= 0 || r.height() <= 0) return;
    p.save();
    p.setClipRect(r, Qt::IntersectClip);
    p.fillRect(r, QColor(0xFF, 0xF0, 0xF0));
    const QColor red(0xD0, 0x00, 0x00);
    p.setPen(QPen(red, 1, Qt::DashLine));
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.bottomLeft(), r.topRight());
    p.setPen(QPen(red, 2));
    p.drawRect(r.adjusted(1, 1, -1, -1));
    FontSpec font;
    font.face = Typeface::Gothic;
    font.height = 12;
    p.setFont(MakeFont(font));
    p.setPen(Qt::black);
    const QString text = QString::fromUtf8("ファイルがありません\n") + QString::fromStdString(SjisToUtf8(sjisName));
    p.drawText(r.adjusted(4, 4, -4, -4), Qt::AlignCenter | Qt::TextWrapAnywhere, text);
    p.restore();
}

}  // namespace zepo
