#include "BorderDrawing.h"

#include <algorithm>

namespace zepo {
namespace {

const QColor kGrey(128, 128, 128);
const QColor kSilver(192, 192, 192);
const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);

void Plot(QImage& s, int x, int y, QRgb c) {
    if (x >= 0 && y >= 0 && x < s.width() && y < s.height()) s.setPixel(x, y, c);
}

}  // namespace

void DrawBevel(QImage& s, int x1, int y1, int x2, int y2, QColor c1, QColor c2) {
    const QRgb a = c1.rgb(), b = c2.rgb();
    // The order matters where the lines meet: drawn as a pen walks right/down in c1,
    // then left/up in c2, each line without its end point, and the bottom-left corner last.
    // Each line runs only over the rows or columns the surface has, so a ring around a huge
    // object costs no more than one around the screen.
    auto column = [&](int x, long long from, long long to, QRgb c) {  // rows from..to inclusive
        if (x < 0 || x >= s.width()) return;
        for (long long y = std::max(from, 0LL); y <= std::min(to, s.height() - 1LL); ++y) Plot(s, x, int(y), c);
    };
    auto row = [&](int y, long long from, long long to, QRgb c) {  // columns from..to inclusive
        if (y < 0 || y >= s.height()) return;
        for (long long x = std::max(from, 0LL); x <= std::min(to, s.width() - 1LL); ++x) Plot(s, int(x), y, c);
    };
    column(x2, y1, y2 - 1LL, a);
    row(y2, x1 + 1LL, x2, a);
    column(x1, y1 + 1LL, y2, b);
    row(y1, x1, x2 - 1LL, b);
    Plot(s, x1, y2, a);
}

void DrawBorderStyle(QImage& s, int left, int top, int right, int bottom, const QString& label) {
    int x1 = left - 1, y1 = top - 1, x2 = right, y2 = bottom;
    auto grow = [&] { --x1, --y1, ++x2, ++y2; };
    if (label == "凸１(FA)") {
        DrawBevel(s, x1, y1, x2, y2, kGrey, kWhite);
    } else if (label == "凹１(FA2)") {
        DrawBevel(s, x1, y1, x2, y2, kWhite, kGrey);
    } else if (label == "凸２(FB)" || label == "凸３(FC)") {
        DrawBevel(s, x1, y1, x2, y2, kGrey, kSilver);
        grow();
        DrawBevel(s, x1, y1, x2, y2, kBlack, kWhite);
        if (label == "凸３(FC)") {
            grow();
            DrawBevel(s, x1, y1, x2, y2, kBlack, kBlack);
        }
    } else if (label == "凹２(FB2)" || label == "凹３(FC2)") {
        DrawBevel(s, x1, y1, x2, y2, kSilver, kBlack);
        grow();
        DrawBevel(s, x1, y1, x2, y2, kWhite, kGrey);
        if (label == "凹３(FC2)") {
            grow();
            DrawBevel(s, x1, y1, x2, y2, kBlack, kBlack);
        }
    } else if (label == "□(FD)") {
        ++x2, ++y2;
        DrawBevel(s, x1, y1, x2, y2, kWhite, kWhite);
        --x1, --y1, --x2, --y2;
        DrawBevel(s, x1, y1, x2, y2, kGrey, kGrey);
    }
}

}  // namespace zepo
