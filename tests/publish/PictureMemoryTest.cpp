// A set whose cards place pictures of their own, read as zepocard, the export and the card
// list read it: the cards keep the sizes of their pictures and never their pixels (or memory
// grows with every picture of the set), and drawing a card still shows its own pictures.

#include <gtest/gtest.h>

#include "ShellFakes.h"
#include "TempFolder.h"
#include "TestPictures.h"
#include "core/TextCodec.h"
#include "imaging/PictureFile.h"
#include "platform/CardFilesOnDisk.h"
#include "platform/PictureCache.h"
#include "publish/CardPicture.h"
#include "publish/CardSet.h"

namespace zepo::publish {
namespace {

namespace fs = std::filesystem;

struct Placed {
    std::string file;  // as the card names it
    test::Rgb colour;
    QPoint at;
    PixelSize size;
};

// Three groups of four cards; each group places three pictures of its own, one of them a
// JPEG and one named in other letters than its file's.
std::vector<std::vector<Placed>> WriteSet(const fs::path& folder) {
    std::vector<std::vector<Placed>> groups(3);
    for (int g = 0; g < 3; ++g) {
        for (int n = 0; n < 3; ++n) {
            const test::Rgb colour{40 + 60 * g, 200 - 70 * n, 30 + 50 * n + 20 * g};
            const PixelSize size{90 + 13 * g + 7 * n, 60 + 11 * n};
            Bitmap bitmap(size.width, size.height, PixelFormat::Bgr24);
            for (int y = 0; y < size.height; ++y)
                for (int x = 0; x < size.width; ++x) test::SetPixel(bitmap, x, y, colour);
            const std::string file = "写真" + std::to_string(g) + "-" + std::to_string(n);
            if (n == 1) EXPECT_TRUE(SaveJpeg(bitmap, folder / (file + ".jpg")));
            else EXPECT_TRUE(SaveBmp(bitmap, folder / (file + ".BMP")));
            groups[g].push_back({file + (n == 1 ? ".jpg" : ".bmp"), colour, {20 + 200 * n, 40 + 150 * g}, size});
        }
        for (int c = 0; c < 4; ++c) {
            std::string text = "card {c" + std::to_string(g) + std::to_string(c) + "}\r\n\tnew    {WHITE}\r\n";
            for (const Placed& p : groups[g])
                text += "\tbitmap {" + std::to_string(p.at.x()) + "," + std::to_string(p.at.y()) + "}{" + p.file +
                        "}{0}\r\n";
            test::WriteBytes(folder / ("c" + std::to_string(g) + std::to_string(c) + ".zep"),
                             Utf8ToSjis(text + "end\r\n").bytes);
        }
    }
    return groups;
}

TEST(PictureMemory, CardsReadForTheirSizesHoldNoPixelsAndAreDrawnWithTheirOwnPictures) {
    test::App();
    test::TempFolder folder;
    const auto groups = WriteSet(folder.path());
    std::string error;
    auto cards = CollectCards({folder.path().string()}, error);
    ASSERT_TRUE(cards) << error;
    ReadCards(*cards);
    ASSERT_EQ(cards->size(), 12u);
    for (const SetCard& card : *cards) {
        SCOPED_TRACE(card.shown);
        ASSERT_TRUE(card.read) << card.error;
        const std::vector<Placed>& placed = groups[card.file.stem().string()[1] - '0'];
        const QImage drawn = RenderCardPicture(card.read->card, {640, 480}, card.folder());
        size_t found = 0;
        for (int id : card.read->card.UsedSlotsInStackingOrder()) {
            const PictureRecord& picture = card.read->card.slot(id).picture;
            for (const Placed& p : placed) {
                if (picture.fileName != Utf8ToSjis(p.file).bytes) continue;
                ++found;
                EXPECT_EQ(picture.naturalWidth, p.size.width) << p.file;
                EXPECT_EQ(picture.naturalHeight, p.size.height) << p.file;
                EXPECT_FALSE(picture.pixels) << p.file << ": a card read for checking keeps the pixels";
                const QColor shown = drawn.pixelColor(p.at + QPoint(p.size.width / 2, p.size.height / 2));
                EXPECT_NEAR(shown.red(), p.colour.r, 6) << p.file;
                EXPECT_NEAR(shown.green(), p.colour.g, 6) << p.file;
                EXPECT_NEAR(shown.blue(), p.colour.b, 6) << p.file;
            }
        }
        EXPECT_EQ(found, placed.size());
    }

    // The cache itself: a size asked again, found among the pictures kept, comes without
    // pixels too, and what is kept stays within the cache's bound (two of these pictures).
    const size_t bound = size_t(2) * 130 * 82 * 4;
    PictureCache cache(bound);
    for (const auto& group : groups)
        for (const Placed& p : group)
            for (const char* time : {"first", "again"}) {
                auto loaded = cache.Load(ResolveInFolder(folder.path(), Utf8ToSjis(p.file).bytes), false);
                ASSERT_TRUE(loaded) << p.file;
                EXPECT_FALSE(loaded.value().pixels) << p.file << " read " << time;
                EXPECT_LE(cache.bytes(), bound);
            }
}

}  // namespace
}  // namespace zepo::publish
