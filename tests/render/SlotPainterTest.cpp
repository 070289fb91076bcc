#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <limits>

#include <sys/stat.h>
#include <unistd.h>

#include "ShellFakes.h"
#include "render/PicturePainting.h"
#include "render/TextPainting.h"

namespace zepo {
namespace {
namespace fs = std::filesystem;
using test::App;

// A picture is drawn from the pixels its object holds: a file removed or a save folder changed
// after loading leaves it on the card; an object that never loaded shows a dashed outline.
TEST(PicturePainter, PicturesComeFromTheirObjectNotFromTheirFile) {
    App();
    Card card;
    const int id = SlotId(SlotKind::Picture, 1);
    Slot& s = card.slot(id);
    s.inUse = true;
    s.bounds = {2, 3, 4, 2};
    auto pixels = std::make_shared<PicturePixels>();
    pixels->width = 2;
    pixels->height = 1;
    pixels->rgb = {0xFFFF0000u, 0xFF0000FFu};
    s.picture.fileName = "gone.bmp";
    struct Case {
        bool held, stretch;
        QPoint redAt, blueAt;
    };
    for (const Case& c :
         {Case{true, false, {2, 3}, {3, 3}}, Case{true, true, {3, 4}, {5, 4}}, Case{false, false, {}, {}}}) {
        s.picture.pixels = c.held ? SharedPicture(pixels) : nullptr;
        s.stretch = c.stretch;
        QImage surface(10, 10, QImage::Format_RGB32);
        surface.fill(Qt::white);
        QPainter p(&surface);
        PicturePainter().Paint(p, card, id, PaintContext{RenderMode::Edit});
        p.end();
        if (!c.held) {
            EXPECT_NE(surface.pixel(2, 3), qRgb(255, 255, 255)) << "the outline shows where it is";
            EXPECT_EQ(surface.pixel(3, 4), qRgb(255, 255, 255));
            continue;
        }
        EXPECT_EQ(surface.pixel(c.redAt), qRgb(255, 0, 0)) << c.stretch;
        EXPECT_EQ(surface.pixel(c.blueAt), qRgb(0, 0, 255)) << c.stretch;
        EXPECT_EQ(surface.pixel(6, 3), qRgb(255, 255, 255)) << "nothing beyond the bounds";
    }
}

TEST(TextBlockPainter, ATextBlockOfMillionsOfLinesDrawsOnlyWhatTheCanvasShows) {
    App();
    Card card;
    const int id = SlotId(SlotKind::TextBlock, 1);
    Slot& block = card.slot(id);
    block.inUse = true;
    block.font.height = 20;
    block.block.color = 0;                                   // black
    block.lines = std::vector<std::string>(1'500'000, "|");  // n × 20 pixels is beyond the int range
    block.bounds = {0, 0, 20, std::numeric_limits<int>::max()};
    for (int direction : {0, 1}) {
        block.block.direction = direction;
        QImage surface(100, 100, QImage::Format_RGB32);
        surface.fill(Qt::white);
        const auto start = std::chrono::steady_clock::now();
        QPainter p(&surface);
        TextBlockPainter().Paint(p, card, id, PaintContext{});
        p.end();
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << direction;
        // The first line (horizontal) or the last column (vertical, the first is far right) shows.
        bool inked = false;
        for (int y = 0; y < surface.height() && !inked; ++y)
            for (int x = 0; x < surface.width() && !inked; ++x) inked = surface.pixel(x, y) != qRgb(255, 255, 255);
        EXPECT_TRUE(inked) << direction;
    }
}

}  // namespace
}  // namespace zepo
