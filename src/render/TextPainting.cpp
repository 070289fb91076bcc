#include "render/TextPainting.h"

#include <QFontMetrics>

#include "core/TextCodec.h"
#include "model/Layout.h"
#include "render/BorderDrawing.h"
#include "render/CardRect.h"
#include "render/Fonts.h"
#include "render/FramePainting.h"
#include "render/MissingFile.h"
#include "render/StyleLabels.h"

namespace zepo {
namespace {

constexpr int kPlain = 0;
constexpr int kOutline = 2;

QString Shown(std::string_view sjis) { return QString::fromStdString(SjisToUtf8(sjis)); }

// Draws `text` with the top of its cell at (x, y); on an opaque cell of the text's advance
// and one font height when `cell` is valid.
void DrawAt(QPainter& p, long long x, long long y, const QString& text, int height, const QColor& color,
            const QColor& cell = QColor()) {
    if (cell.isValid()) p.fillRect(CardRect(x, y, p.fontMetrics().horizontalAdvance(text), height), cell);
    p.setPen(color);
    p.drawText(CardRect(x, y, 1 << 20, height), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

// The units a text is drawn in: the whole caption, or one character per row when vertical.
std::vector<std::string> Units(const Slot& s) {
    if (s.text.direction == 1) return SplitCharacters(s.caption);
    return {s.caption};
}

}  // namespace

void PaintOneLineText(QPainter& p, const Slot& s, RenderMode mode) {
    p.save();
    p.setFont(MakeFont(s.font));
    const QColor fore = CardColor(s.text.textColor), back = CardColor(s.text.backColor);
    const int h = s.font.height;
    const long long left = s.bounds.left, top = s.bounds.top;
    const std::vector<std::string> units = Units(s);
    if (mode == RenderMode::Edit) {
        if (!s.transparent) p.fillRect(CardRect(s.bounds.left, s.bounds.top, s.bounds.width, s.bounds.height), back);
        for (size_t k = 0; k < units.size(); ++k)
            DrawAt(p, left, top + static_cast<long long>(h) * k, Shown(units[k]), h, fore);
        p.restore();
        return;
    }
    const int decoration = s.text.decoration;
    const bool opaque = decoration != kPlain && decoration != kOutline;
    for (size_t k = 0; k < units.size(); ++k) {
        const QString unit = Shown(units[k]);
        const long long y = top + static_cast<long long>(h) * k;
        if (decoration == kOutline)
            for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                DrawAt(p, left + dx, y + dy, unit, h, back);
        DrawAt(p, left, y, unit, h, fore, opaque ? back : QColor());
    }
    p.restore();
    if (auto* surface = dynamic_cast<QImage*>(p.device())) {
        const int bottom = s.text.direction == 1 ? s.bounds.bottom() : SaturatedInt(top + h);
        DrawBorderStyle(*surface, s.bounds.left, s.bounds.top, s.bounds.right(), bottom,
                        LabelAt(DecorationLabels(), decoration));
    }
}

void PaintTextBlock(QPainter& p, const Slot& s, RenderMode mode) {
    if (s.block.fileMissing) {
        PaintMissingFile(p, CardRect(s.bounds.left, s.bounds.top, s.bounds.width, s.bounds.height), s.block.fileName);
        return;
    }
    p.save();
    const QColor color = CardColor(s.block.color);
    const QRect view = p.window();
    if (mode == RenderMode::Edit) {
        // White text would vanish on white: the edit view turns it round.
        const QRect r = CardRect(s.bounds.left, s.bounds.top, s.bounds.width, s.bounds.height).intersected(view);
        if (!r.isEmpty()) p.fillRect(r, s.block.color == kWhite ? Qt::black : Qt::white);
    }
    p.setFont(MakeFont(s.font));
    p.setPen(color);
    const long long h = s.font.height, step = h + s.block.linePitch;
    const long long n = static_cast<long long>(s.lines.size());
    for (long long i = 0; i < n; ++i) {
        if (s.block.direction == 0) {
            const long long y = s.bounds.top + step * i;
            if (y > view.bottom()) break;
            if (y + h < view.top()) continue;
            DrawAt(p, s.bounds.left, y, Shown(s.lines[i]), static_cast<int>(h), color);
            continue;
        }
        const long long x = s.bounds.left + step * (n - i - 1);
        if (x > view.right() || x + h < view.left()) continue;
        long long y = s.bounds.top;
        for (const std::string& ch : SplitCharacters(s.lines[i])) {
            if (y > view.bottom()) break;
            if (y + h >= view.top()) DrawAt(p, x, y, Shown(ch), static_cast<int>(h), color);
            y += h;
        }
    }
    p.restore();
}

}  // namespace zepo
