// Cards read as zepocard, the export and the card list read them keep their pictures' sizes,
// never their pixels (or memory grows with every picture of the set); drawing still shows them.

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

// Three groups of four cards, each group placing three pictures of its own (BMP and JPEG).
TEST(PictureMemory, CardsReadForTheirSizesHoldNoPixelsAndAreDrawnWithTheirOwnPictures) {
    test::App();
    test::TempFolder folder;
    std::map<std::string, std::pair<test::Rgb, QRect>> placed;  // by the name the cards use
    for (int g = 0; g < 3; ++g) {
        std::string card = "card {c" + std::to_string(g) + "}\r\n";
        for (int n = 0; n < 3; ++n) {
            const test::Rgb colour{40 + 60 * g, 200 - 70 * n, 30 + 50 * n + 20 * g};
            const QRect at(20 + 200 * n, 40 + 150 * g, 90 + 13 * g + 7 * n, 60 + 11 * n);
            const Bitmap bitmap = test::Picture(at.width(), at.height(), std::vector(at.width() * at.height(), colour));
            const std::string name = "写真" + std::to_string(g) + std::to_string(n), ext = n == 1 ? ".jpg" : ".bmp";
            EXPECT_TRUE(n == 1 ? SaveJpeg(bitmap, folder.path() / (name + ext))
                               : SaveBmp(bitmap, folder.path() / (name + ".BMP")));
            placed[Utf8ToSjis(name + ext).bytes] = {colour, at};
            card +=
                "\tbitmap {" + std::to_string(at.x()) + "," + std::to_string(at.y()) + "}{" + name + ext + "}{0}\r\n";
        }
        for (char c : {'a', 'b', 'c', 'd'})
            test::WriteBytes(folder.path() / ("c" + std::to_string(g) + c + ".zep"),
                             Utf8ToSjis(card + "end\r\n").bytes);
    }
    std::string error;
    auto cards = CollectCards({folder.path().string()}, error);
    ASSERT_TRUE(cards && cards->size() == 12) << error;
    ReadCards(*cards);
    const size_t bound = size_t(2) * 130 * 82 * 4;  // two of these pictures
    PictureCache cache(bound);
    for (const SetCard& card : *cards) {
        ASSERT_TRUE(card.read) << card.error;
        const QImage drawn = RenderCardPicture(card.read->card, {640, 480}, card.folder());
        for (int n = 1; n <= 3; ++n) {
            const PictureRecord& picture = card.read->card.slot(SlotId(SlotKind::Picture, n)).picture;
            const auto& [colour, at] = placed.at(picture.fileName);
            SCOPED_TRACE(card.shown + ": " + SjisToUtf8(picture.fileName));
            EXPECT_FALSE(picture.pixels) << "a card read for its sizes keeps the pixels";
            EXPECT_EQ(QSize(picture.naturalWidth, picture.naturalHeight), at.size());
            const QColor shown = drawn.pixelColor(at.center());
            EXPECT_LE(std::abs(shown.red() - colour.r) + std::abs(shown.green() - colour.g) +
                          std::abs(shown.blue() - colour.b),
                      12);
            // A size asked again, found among the pictures kept, comes without pixels too.
            auto loaded = cache.Load(ResolveInFolder(card.folder(), picture.fileName), false);
            EXPECT_TRUE(loaded && !loaded.value().pixels);
            EXPECT_LE(cache.bytes(), bound);
        }
    }
}

}  // namespace
}  // namespace zepo::publish
