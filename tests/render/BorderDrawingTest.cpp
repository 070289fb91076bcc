#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPainter>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <future>
#include <limits>
#include <thread>

#include "ShellFakes.h"
#include "render/BorderDrawing.h"
#include "render/FramePainting.h"
#include "render/StyleLabels.h"

namespace zepo {
namespace {

using test::App;

const QRgb kBackground = qRgb(1, 2, 3);
const QRgb grey = qRgb(128, 128, 128), silver = qRgb(192, 192, 192), white = qRgb(255, 255, 255), black = qRgb(0, 0, 0);

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
    struct Ring {
        int grow;
        QRgb top, left, right, bottom;
    };
    struct Case {
        int style;
        std::vector<Ring> rings;
        int untouched;
    };
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
    EXPECT_EQ(face.pixel(0, 0), black);  // the outline is the inverse of white
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

// Runs `work`, failing the whole program when it does not end within `seconds`: drawing
// that runs over every pixel of an object instead of every pixel of the surface never ends
// for an object a few billion pixels wide.
void FinishesWithin(int seconds, const std::function<void()>& work) {
    std::packaged_task<void()> task(work);
    std::future<void> done = task.get_future();
    std::thread runner(std::move(task));
    if (done.wait_for(std::chrono::seconds(seconds)) != std::future_status::ready) {
        ADD_FAILURE() << "still drawing after " << seconds << " s";
        std::fflush(nullptr);
        std::_Exit(1);
    }
    runner.join();
}

TEST(FrameFace, PaintedOnTheSurfaceAsInItsOwnImage) {
    App();
    for (int style : {0, 7}) {
        Slot f = Frame(style, 9);
        QImage s = Surface();
        {
            QPainter p(&s);
            PaintFrameFace(p, f);
        }
        EXPECT_EQ(s.copy(10, 10, 100, 100), DrawFrameFace(f)) << style;
        EXPECT_EQ(s.pixel(9, 50), kBackground);
        EXPECT_EQ(s.pixel(110, 50), kBackground);
        EXPECT_EQ(s.pixel(10, 50), qRgb(0, 255, 255)) << "red inverted";
        EXPECT_EQ(s.pixel(109, 109), qRgb(0, 255, 255));
        EXPECT_EQ(s.pixel(50, 50), qRgb(255, 0, 0));
    }
}

TEST(FrameFace, HugeFramesAreDrawnOnlyWhereTheSurfaceIs) {
    App();
    struct Case {
        Rect bounds;
        QPoint fill, outline, outside;
    } cases[] = {
        // Left edge at 5, top edge at 20; right and bottom far beyond the surface.
        {{5, 20, 2000000000, 1000000000}, {100, 100}, {5, 100}, {4, 100}},
        {{5, 20, 2000000000, 1000000000}, {100, 100}, {100, 20}, {100, 19}},
        // Starting far above and to the left: only the right and bottom edges show.
        {{-2000000000, -2000000000, 2000000100, 2000000150}, {50, 50}, {99, 50}, {100, 50}},
        {{-2000000000, -2000000000, 2000000100, 2000000150}, {50, 50}, {50, 149}, {50, 150}},
        // Right edge at the end of the number range.
        {{0, 0, std::numeric_limits<int>::max(), 50}, {100, 10}, {100, 49}, {100, 50}},
    };
    for (const Case& c : cases) {
        Slot f = Frame(0, 9);
        f.bounds = c.bounds;
        QImage face = Surface(), preview = Surface();
        FinishesWithin(20, [&] {
            QPainter p(&face);
            PaintFrameFace(p, f);
            p.end();
            PaintFrame(preview, f);
        });
        EXPECT_EQ(face.pixel(c.fill), qRgb(255, 0, 0)) << c.bounds.left;
        EXPECT_EQ(face.pixel(c.outline), qRgb(0, 255, 255)) << c.bounds.left;
        EXPECT_EQ(face.pixel(c.outside), kBackground) << c.bounds.left;
        EXPECT_EQ(preview.pixel(c.fill), qRgb(255, 0, 0)) << c.bounds.left;
        EXPECT_EQ(preview.pixel(c.outline), qRgb(255, 0, 0)) << c.bounds.left;
    }
    // The ring of a raised frame that starts on the surface: white above, grey nowhere.
    Slot f = Frame(0, 9);
    f.bounds = {5, 20, 2000000000, 1000000000};
    QImage preview = Surface();
    FinishesWithin(20, [&] { PaintFrame(preview, f); });
    EXPECT_EQ(preview.pixel(100, 19), white);
    EXPECT_EQ(preview.pixel(4, 100), white);
    EXPECT_EQ(preview.pixel(199, 199), qRgb(255, 0, 0));

    // A three-ring frame ending at the right end of the number range: its bottom rings are
    // drawn below it as for any other frame (black outermost).
    Slot fc = Frame(0, 9);
    fc.frame.style = FrameIndex(FrameColumn::FrameStyle, "FC");
    fc.bounds = {0, 0, std::numeric_limits<int>::max(), 50};
    QImage rings = Surface();
    FinishesWithin(20, [&] { PaintFrame(rings, fc); });
    EXPECT_EQ(rings.pixel(100, 52), qRgb(0, 0, 0));
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
