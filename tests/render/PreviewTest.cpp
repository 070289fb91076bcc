// The preview: the card composed as the player shows it, checked pixel by pixel.

#include <gtest/gtest.h>

#include "ShellFakes.h"
#include "render/CardRenderer.h"

namespace zepo {
namespace {

using test::App;

constexpr QRgb kGrey = 0xFF808080, kSilver = 0xFFC0C0C0, kWhite = 0xFFFFFFFF, kBlack = 0xFF000000;

Card EmptyCard(int color) {
    Card card;
    ResetCard(card);
    card.settings.color = color;
    return card;
}

Slot& Place(Card& card, SlotKind kind, int n, Rect bounds) {
    Slot& s = card.slot(kind, n);
    s.inUse = true;
    s.bounds = bounds;
    card.BringToFront(SlotId(kind, n));
    return s;
}

SharedPicture Solid(int w, int h, QRgb colour) {
    auto p = std::make_shared<PicturePixels>();
    p->width = w, p->height = h, p->fileBitsPerPixel = 24;
    p->rgb.assign(size_t(w) * h, colour);
    return p;
}

QRgb At(const QImage& image, int x, int y) { return image.pixel(x, y); }

TEST(Preview, AnEmptyCardIsOneRectangleOfTheCardColourOneWiderThanTheScreen) {
    App();
    const QImage image = ComposeCard(EmptyCard(4), QSize(1024, 768));
    ASSERT_EQ(image.size(), QSize(1025, 768));
    const QRgb colour = CardColor(4).rgb();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (At(image, x, y) != colour) FAIL() << x << "," << y;
}

// A white frame at card (10, 10), 100 × 100, in each style, on a blue card.
TEST(Preview, FramesAreFilledAndBevelledExceptGlassButtons) {
    App();
    const QRgb fill = CardColor(kWhite).rgb(), card = CardColor(4).rgb();
    struct Pixel {
        int x, y;
        QRgb colour;
    };
    struct Case {
        int style;
        std::vector<Pixel> pixels;
    };
    const Case cases[] = {
        {0,
         {{50, 50, fill},
          {10, 10, fill},
          {109, 109, fill},
          {9, 9, kWhite},
          {109, 9, kWhite},
          {9, 109, kWhite},
          {110, 9, kGrey},
          {110, 109, kGrey},
          {9, 110, kGrey},
          {110, 110, kGrey},
          {8, 8, card},
          {111, 111, card}}},
        {4,
         {{50, 50, fill},
          {9, 9, kSilver},
          {110, 110, kGrey},
          {8, 8, kWhite},
          {111, 111, kBlack},
          {7, 7, kBlack},
          {112, 112, kBlack},
          {7, 60, kBlack},
          {60, 112, kBlack},
          {6, 6, card},
          {113, 113, card}}},
        {6,
         {{50, 50, fill},
          {8, 8, kGrey},
          {110, 110, kGrey},
          {9, 9, kWhite},
          {111, 111, kWhite},
          {111, 9, kWhite},
          {110, 50, kGrey},
          {7, 7, card},
          {112, 112, card}}},
        {7, {{50, 50, card}, {10, 10, card}, {9, 9, card}, {110, 110, card}}},
    };
    for (const Case& c : cases) {
        Card cardWithFrame = EmptyCard(4);
        Slot& s = Place(cardWithFrame, SlotKind::Frame, 1, {10, 10, 100, 100});
        s.frame.color = kWhite;
        s.frame.style = c.style;
        const QImage image = ComposeCard(cardWithFrame, QSize(200, 150));
        for (const Pixel& p : c.pixels)
            EXPECT_EQ(At(image, p.x, p.y), p.colour) << "style " << c.style << " at " << p.x << "," << p.y;
    }
}

TEST(Preview, PicturesAreStretchedIntoTheirBoundsWithTheirBorder) {
    App();
    Card card = EmptyCard(4);
    Slot& s = Place(card, SlotKind::Picture, 1, {20, 30, 8, 6});
    s.picture.pixels = Solid(4, 3, 0xFFFF0000);
    s.stretch = true;
    s.picture.frame = 2;  // "凹１(FA2)"
    const QImage image = ComposeCard(card, QSize(64, 48));
    EXPECT_EQ(At(image, 20, 30), 0xFFFF0000u);
    EXPECT_EQ(At(image, 27, 35), 0xFFFF0000u) << "stretched to the bottom-right pixel";
    EXPECT_EQ(At(image, 19, 29), kGrey) << "top-left of the sunken ring";
    EXPECT_EQ(At(image, 28, 36), kWhite) << "bottom-right of the sunken ring";
    EXPECT_EQ(At(image, 29, 37), CardColor(4).rgb());
    s.picture.pixels = nullptr;  // never loaded: only its border
    EXPECT_EQ(At(ComposeCard(card, QSize(64, 48)), 22, 32), CardColor(4).rgb());
}

TEST(Preview, OverlappingObjectsSwapAfterBringToFront) {
    App();
    Card card = EmptyCard(4);
    Place(card, SlotKind::Picture, 1, {0, 0, 20, 20}).picture.pixels = Solid(20, 20, 0xFFFF0000);
    Place(card, SlotKind::Frame, 1, {10, 10, 20, 20}).frame.color = 2;
    EXPECT_EQ(At(ComposeCard(card, QSize(40, 40)), 15, 15), CardColor(2).rgb());
    card.BringToFront(SlotId(SlotKind::Picture, 1));
    EXPECT_EQ(At(ComposeCard(card, QSize(40, 40)), 15, 15), 0xFFFF0000u);
}

TEST(Preview, AWhiteTextBlockIsWhiteTextOnTheCardColourWithoutABox) {
    App();
    Card card = EmptyCard(4);
    Slot& s = Place(card, SlotKind::TextBlock, 1, {10, 10, 120, 44});
    s.block.color = kWhite;
    s.lines = {"HHHH", "WWWW"};
    s.font.height = 20;
    const QImage image = ComposeCard(card, QSize(200, 100));
    int white = 0;
    for (int y = 10; y < 54; ++y)
        for (int x = 10; x < 130; ++x) {
            const QColor c = image.pixelColor(x, y);
            // Only the card colour, white and the blend of the two at glyph edges.
            EXPECT_TRUE(c.red() == c.green() && c.blue() >= c.red()) << x << "," << y;
            white += image.pixel(x, y) == kWhite;
        }
    EXPECT_GT(white, 5) << "the text shows";
}

// A card may place an object anywhere an int reaches. At the far ends the objects lie off
// every screen: they draw nothing, in the preview and in the edit view alike, and none of
// their edges wraps round into view (nor, under UBSan, overflows on the way).
TEST(Preview, ObjectsAtTheFarEndsOfTheCoordinatesDrawNothing) {
    App();
    constexpr int kMax = 2147483647, kMin = -2147483647 - 1;
    constexpr int kHuge = kMax - 100;  // from kMin its border still ends left of the screen
    const std::pair<int, int> corners[] = {{kMax, kMax}, {kMax - 3, 10}, {10, kMax - 3},
                                           {kMin, kMin}, {kMin, 10},     {kMax - 30, kMin}};
    const QSize screen(80, 60);
    const Card empty = EmptyCard(4);
    CardRenderer editing;
    const QImage emptyEdit = editing.Render(empty, screen);
    for (const auto& [x, y] : corners) {
        Card card = EmptyCard(4);
        for (int decoration : {0, 1, 2, 3}) {
            Slot& text = Place(card, SlotKind::OneLineText, decoration + 1, {x, y, 60, 20});
            text.caption = "Ab";
            text.text.decoration = decoration;
            text.text.direction = decoration % 2;
            text.transparent = decoration == 0;
        }
        for (int n : {1, 2}) {
            Slot& block = Place(card, SlotKind::TextBlock, n, {x, y, kHuge, kHuge});
            block.lines = {"one", "two", "three"};
            block.block.direction = n - 1;
        }
        for (int n : {1, 2, 3}) {
            Slot& picture = Place(card, SlotKind::Picture, n, {x, y, n == 3 ? kHuge : 40, n == 3 ? kHuge : 30});
            if (n != 2) picture.picture.pixels = Solid(4, 3, 0xFFFF0000);
            picture.stretch = n != 1;
            picture.picture.frame = n;
        }
        EXPECT_EQ(ComposeCard(card, screen), ComposeCard(empty, screen)) << x << "," << y;
        EXPECT_EQ(editing.Render(card, screen), emptyEdit) << x << "," << y;
    }
}

TEST(Preview, ARendererComposesWithTheSamePaintersWhateverItsMode) {
    App();
    Card card = EmptyCard(4);
    Slot& s = Place(card, SlotKind::Frame, 1, {10, 10, 30, 30});
    s.frame.style = 7;  // a glass button: marked in the edit view, absent in the preview
    CardRenderer renderer;
    const QImage edit = renderer.Render(card, QSize(61, 50));
    EXPECT_NE(At(edit, 20, 20), CardColor(4).rgb());
    EXPECT_EQ(renderer.Compose(card, QSize(60, 50)), ComposeCard(card, QSize(60, 50)));
    EXPECT_EQ(renderer.Render(card, QSize(61, 50), RenderMode::Preview), ComposeCard(card, QSize(60, 50)));
}

}  // namespace
}  // namespace zepo
