#include <gtest/gtest.h>

#include <QGuiApplication>

#include "canvas/BorderDrawing.h"
#include "canvas/FramePainting.h"
#include "canvas/StyleLabels.h"

namespace zepo {
namespace {

const QRgb kBackground = qRgb(1, 2, 3);
const QRgb grey = qRgb(128, 128, 128), silver = qRgb(192, 192, 192), white = qRgb(255, 255, 255),
           black = qRgb(0, 0, 0);

QGuiApplication& App() {
    static int argc = 1;
    static char name[] = "drawing_test";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return app;
}

QImage Surface() {
    QImage s(200, 200, QImage::Format_RGB32);
    s.fill(kBackground);
    return s;
}

Slot Frame(int style, int color = 14) {
    Slot f;
    f.inUse = true;
    f.bounds = {10, 10, 100, 100};
    f.frame.style = style;
    f.frame.color = color;
    return f;
}

// Checks every pixel of a ring: (x1, y1)–(x2, y2), with the colour of each side.
void ExpectRing(const QImage& s, int x1, int y1, int x2, int y2, QRgb top, QRgb left, QRgb right, QRgb bottom,
                const char* what) {
    SCOPED_TRACE(what);
    for (int x = x1; x < x2; ++x) ASSERT_EQ(s.pixel(x, y1), top) << "top x=" << x;
    for (int y = y1 + 1; y < y2; ++y) ASSERT_EQ(s.pixel(x1, y), left) << "left y=" << y;
    for (int y = y1; y < y2; ++y) ASSERT_EQ(s.pixel(x2, y), right) << "right y=" << y;
    for (int x = x1; x <= x2; ++x) ASSERT_EQ(s.pixel(x, y2), bottom) << "bottom x=" << x;
}

TEST(PaintFrame, RaisedOneRing) {
    App();
    QImage s = Surface();
    PaintFrame(s, Frame(0));
    // Filled 10..109 in cyan; white top row (9,9)–(109,9) and left column (9,10)–(9,109);
    // grey right column x = 110, y 9..109, and grey bottom row y = 110, x 9..110.
    for (int y = 10; y < 110; ++y)
        for (int x = 10; x < 110; ++x) ASSERT_EQ(s.pixel(x, y), qRgb(0, 255, 255));
    ExpectRing(s, 9, 9, 110, 110, white, white, grey, grey, "FA");
    EXPECT_EQ(s.pixel(8, 8), kBackground);
    EXPECT_EQ(s.pixel(111, 111), kBackground);
}

TEST(PaintFrame, BorderStyles) {
    App();
    struct Ring { int grow; QRgb top, left, right, bottom; };
    struct Case { int style; std::vector<Ring> rings; int untouched; };
    const std::vector<Case> cases = {
        {1, {{0, grey, grey, white, white}}, 1},
        {2, {{0, silver, silver, grey, grey}, {1, white, white, black, black}}, 2},
        {3, {{0, black, black, silver, silver}, {1, grey, grey, white, white}}, 2},
        {4, {{0, silver, silver, grey, grey}, {1, white, white, black, black}, {2, black, black, black, black}}, 3},
        {5, {{0, black, black, silver, silver}, {1, grey, grey, white, white}, {2, black, black, black, black}}, 3},
    };
    for (const auto& c : cases) {
        QImage s = Surface();
        PaintFrame(s, Frame(c.style));
        for (const auto& r : c.rings)
            ExpectRing(s, 9 - r.grow, 9 - r.grow, 110 + r.grow, 110 + r.grow, r.top, r.left, r.right, r.bottom,
                       qPrintable(FrameStyleLabels()[c.style]));
        int out = 9 - c.untouched;
        EXPECT_EQ(s.pixel(out, out), kBackground) << c.style;
    }
}

TEST(PaintFrame, EtchedOutline) {
    App();
    QImage s = Surface();
    PaintFrame(s, Frame(6));
    // The white outline (9,9)–(111,111) lies below a grey one (8,8)–(110,110).
    ExpectRing(s, 8, 8, 110, 110, grey, grey, grey, grey, "grey");
    for (int i = 9; i <= 111; ++i) {
        EXPECT_EQ(s.pixel(111, i), white) << i;
        EXPECT_EQ(s.pixel(i, 111), white) << i;
    }
    EXPECT_EQ(s.pixel(9, 9), white) << "inside the grey ring the white one shows";
    EXPECT_EQ(s.pixel(10, 10), qRgb(0, 255, 255));
}

TEST(PaintFrame, GlassButtonVanishesInThePreviewButShowsWhileEditing) {
    App();
    QImage s = Surface();
    PaintFrame(s, Frame(7));
    EXPECT_EQ(s, Surface());

    QImage face = DrawFrameFace(Frame(7, 15));
    ASSERT_EQ(face.size(), QSize(100, 100));
    EXPECT_EQ(face.pixel(0, 0), black);    // the outline is the inverse of white
    EXPECT_EQ(face.pixel(99, 50), black);
    EXPECT_EQ(face.pixel(50, 50), white);
    bool red = false;
    for (int y = 3; y < 30 && !red; ++y)
        for (int x = 3; x < 99 && !red; ++x) red = face.pixel(x, y) == qRgb(255, 0, 0);
    EXPECT_TRUE(red) << "the glass-button mark";
    QImage plain = DrawFrameFace(Frame(0, 9));
    EXPECT_EQ(plain.pixel(0, 50), qRgb(0, 255, 255));  // red inverted
    EXPECT_EQ(plain.pixel(5, 5), qRgb(255, 0, 0));
}

TEST(DrawBorderStyle, LabelsWithoutBorderAndEdges) {
    App();
    for (const char* label : {"なし(0)", "標準(0)", "背景(1)", "ふち(2)", "ｶﾞﾗｽﾎﾞﾀﾝ(0)", "unknown", ""}) {
        QImage s = Surface();
        DrawBorderStyle(s, 10, 10, 50, 50, QString::fromUtf8(label));
        EXPECT_EQ(s, Surface()) << label;
    }
    // A border that runs off the surface is clipped, not a crash.
    QImage s = Surface();
    DrawBorderStyle(s, -5, -5, 300, 300, "凸３(FC)");
    DrawBorderStyle(s, 0, 0, 200, 200, "凸１(FA)");
    EXPECT_EQ(s.pixel(199, 100), kBackground);
    EXPECT_EQ(s.pixel(100, 199), kBackground);
    EXPECT_EQ(LabelAt(DecorationLabels(), 8), "凹３(FC2)");
    EXPECT_EQ(LabelAt(PictureFrameLabels(), 7), "");
}

}  // namespace
}  // namespace zepo
