#include "render/BorderDrawing.h"

#include <algorithm>

namespace zepo {
namespace {

const QColor kGrey(128, 128, 128);
const QColor kSilver(192, 192, 192);
const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);

void Plot(QImage& s, long long x, long long y, QRgb c) {
    if (x >= 0 && y >= 0 && x < s.width() && y < s.height()) s.setPixel(int(x), int(y), c);
}

}  // namespace

void DrawBevel(QImage& s, long long x1, long long y1, long long x2, long long y2, QColor c1, QColor c2) {
    const QRgb a = c1.rgb(), b = c2.rgb();
    // The order matters where the lines meet: drawn as a pen walks right/down in c1,
    // then left/up in c2, each line without its end point, and the bottom-left corner last.
    // Each line runs only over the rows or columns the surface has, so a ring around a huge
    // object costs no more than one around the screen. Corners are 64-bit: the outer rings of
    // an object at the end of the int range lie beyond it.
    auto column = [&](long long x, long long from, long long to, QRgb c) {  // rows from..to inclusive
        if (x < 0 || x >= s.width()) return;
        for (long long y = std::max(from, 0LL); y <= std::min(to, s.height() - 1LL); ++y) Plot(s, x, y, c);
    };
    auto row = [&](long long y, long long from, long long to, QRgb c) {  // columns from..to inclusive
        if (y < 0 || y >= s.height()) return;
        for (long long x = std::max(from, 0LL); x <= std::min(to, s.width() - 1LL); ++x) Plot(s, x, y, c);
    };
    column(x2, y1, y2 - 1, a);
    row(y2, x1 + 1, x2, a);
    column(x1, y1 + 1, y2, b);
    row(y1, x1, x2 - 1, b);
    Plot(s, x1, y2, a);
}

void DrawBorderStyle(QImage& s, int left, int top, int right, int bottom, const QString& label) {
    long long x1 = left - 1LL, y1 = top - 1LL, x2 = right, y2 = bottom;
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
