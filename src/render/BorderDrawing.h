#pragma once
// Bevelled borders drawn around an object on the card's surface, pixel by pixel, so that
// the preview matches what the player shows.

#include <QColor>
#include <QImage>
#include <QString>

namespace zepo {

// The ring (x1, y1)–(x2, y2): c1 colours the right column and the bottom row (with the
// top-right and both bottom corners), c2 the left column and the top row (with the
// top-left corner). Pixels outside the image are skipped.
void DrawBevel(QImage& surface, long long x1, long long y1, long long x2, long long y2, QColor c1, QColor c2);

// The border of a style label around the rectangle left, top, right, bottom (right and
// bottom exclusive): the first ring lies one pixel outside the object. Labels without a
// border ("なし(0)", "標準(0)", "ｶﾞﾗｽﾎﾞﾀﾝ(0)", unknown texts …) draw nothing.
void DrawBorderStyle(QImage& surface, int left, int top, int right, int bottom, const QString& label);

}  // namespace zepo
