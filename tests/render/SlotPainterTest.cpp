#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <chrono>
#include <filesystem>
#include <limits>
#include <fstream>

#include <sys/stat.h>
#include <unistd.h>

#include "ShellFakes.h"
#include "render/SlotPainter.h"

namespace zepo {
namespace {
namespace fs = std::filesystem;
using test::App;

TEST(PictureCache, ReadsAFileOnceAndAgainWhenItChanges) {
    App();
    const fs::path dir = fs::temp_directory_path() / ("zepo_cache_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path file = dir / "pic.bmp";
    auto save = [&](int width, QColor colour) {
        QImage image(width, 4, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(QString::fromStdString(file.string()), "BMP"));
    };

    PictureCache cache;
    save(8, Qt::red);
    ASSERT_NE(cache.Get(file), nullptr);
    EXPECT_EQ(cache.Get(file)->pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(cache.reads(), 1) << "drawn again without reading the file again";

    save(16, Qt::blue);  // another size
    ASSERT_NE(cache.Get(file), nullptr);
    EXPECT_EQ(cache.Get(file)->width(), 16);
    EXPECT_EQ(cache.reads(), 2);

    // Same size, newer time: read again.
    save(16, Qt::green);
    fs::last_write_time(file, fs::last_write_time(file) + std::chrono::seconds(5));
    EXPECT_EQ(cache.Get(file)->pixelColor(0, 0), QColor(Qt::green));

    // Gone, a pipe in its place, or not a picture: nothing to draw.
    fs::remove(file);
    EXPECT_EQ(cache.Get(file), nullptr);
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    EXPECT_EQ(cache.Get(file), nullptr);
    fs::remove(file);
    std::ofstream(file) << "not a picture";
    EXPECT_EQ(cache.Get(file), nullptr);
    fs::remove_all(dir);
}

TEST(PlainSlotPainter, ATextBlockOfMillionsOfLinesDrawsOnlyWhatTheCanvasShows) {
    App();
    Card card;
    const int id = SlotId(SlotKind::TextBlock, 1);
    Slot& block = card.slot(id);
    block.inUse = true;
    block.font.height = 20;
    block.block.color = 0;  // black
    block.lines = std::vector<std::string>(1'500'000, "|");  // n × 20 pixels is beyond the int range
    block.bounds = {0, 0, 20, std::numeric_limits<int>::max()};
    for (int direction : {0, 1}) {
        block.block.direction = direction;
        QImage surface(100, 100, QImage::Format_RGB32);
        surface.fill(Qt::white);
        const auto start = std::chrono::steady_clock::now();
        QPainter p(&surface);
        PlainSlotPainter().Paint(p, card, id, PaintContext{});
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
