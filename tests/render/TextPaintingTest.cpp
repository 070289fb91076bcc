// How one-line texts and text blocks look in the edit view and in the preview.

#include <gtest/gtest.h>

#include "CardBuilder.h"
#include "ShellFakes.h"
#include "render/CardRenderer.h"
#include "render/FramePainting.h"

namespace zepo {
namespace {
using namespace test;

const QColor kCard = CardColor(kWhite);

QImage Render(const Card& card, RenderMode mode, QSize size = {120, 120}) {
    CardRenderer renderer;
    return renderer.Render(card, size, mode);
}

// Whether any pixel of the rectangle differs from `colour`.
bool Inked(const QImage& image, QRect r, QColor colour = kCard) {
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (image.pixelColor(x, y) != colour) return true;
    return false;
}

Card Fresh() {
    Card card;
    ResetCard(card);
    return card;
}

TEST(TextPainting, AVerticalTextDrawsEachCharacterAtItsCellsLeftEdgeAsAHorizontalOneWould) {
    App();
    for (RenderMode mode : {RenderMode::Edit, RenderMode::Preview}) {
        Card vertical = Fresh();
        AddText(vertical, 10, 10, "∑あ", 1);
        Card rows = Fresh();
        AddText(rows, 10, 10, "∑");
        AddText(rows, 10, 30, "あ");
        EXPECT_EQ(Render(vertical, mode), Render(rows, mode));
        EXPECT_EQ(vertical.slot(0).bounds.width, 20);  // one font height, whatever "∑" measures
    }
}

TEST(TextPainting, DecorationsInThePreview) {
    App();
    struct Case {
        int decoration;
        bool cellFilled, outlined, bevel;
    } cases[] = {
        {0, false, false, false}, {1, true, false, false}, {2, false, true, false},
        {3, true, false, true},   {8, true, false, true},
    };
    for (const Case& c : cases) {
        Card card = Fresh();
        int id = AddText(card, 20, 20, "ab");
        Slot& s = card.slot(id);
        s.text.textColor = kBlack;
        s.text.backColor = kRed;
        s.text.decoration = c.decoration;
        s.transparent = c.decoration == 0 || c.decoration == 2;
        const QImage image = Render(card, RenderMode::Preview);
        const QRect label(20, 20, s.bounds.width, 20);
        bool red = false;  // the outline is antialiased like the text: reddish is enough
        for (int y = label.top(); y <= label.bottom(); ++y)
            for (int x = label.left(); x <= label.right(); ++x) {
                const QColor p = image.pixelColor(x, y);
                red |= p.red() > 160 && p.green() < 110 && p.blue() < 110;
            }
        EXPECT_EQ(image.pixelColor(label.topLeft()) == CardColor(kRed), c.cellFilled) << c.decoration;
        EXPECT_EQ(red && !c.cellFilled, c.outlined) << c.decoration;
        auto ring = [&](const QImage& i) {
            return i.pixelColor(label.left() - 1, label.top() + 5) != kCard ||
                   i.pixelColor(label.right() + 1, label.top() + 5) != kCard;
        };
        EXPECT_EQ(ring(image), c.bevel) << c.decoration;
        EXPECT_FALSE(ring(Render(card, RenderMode::Edit))) << c.decoration;  // the edit view has no bevel
    }
}

TEST(TextPainting, AVerticalBlocksFirstLineIsTheRightmostColumn) {
    App();
    Card card = Fresh();
    AddTextBlock(card, 0, 0, "a.txt", {"あいう", "か", "さ"}, 1, FontSpec{Typeface::Mincho, 20}, 5);
    ASSERT_EQ(card.slot(SlotKind::TextBlock, 1).bounds.width, 70);
    const QImage image = Render(card, RenderMode::Preview);
    // Only the first line reaches the third row; its column starts at x = 50.
    EXPECT_TRUE(Inked(image, QRect(50, 40, 20, 20)));
    EXPECT_FALSE(Inked(image, QRect(0, 40, 50, 20)));
    for (int column : {0, 25}) EXPECT_TRUE(Inked(image, QRect(column, 0, 20, 20))) << column;
}

TEST(TextPainting, AWhiteBlockIsWhiteOnBlackWhileEditedAndWhiteOnTheCardInThePreview) {
    App();
    struct Case {
        int color;
        RenderMode mode;
        QColor ground;
    } cases[] = {
        {kWhite, RenderMode::Edit, Qt::black},
        {kBlack, RenderMode::Edit, Qt::white},
        {kWhite, RenderMode::Preview, CardColor(kRed)},
    };
    for (const Case& c : cases) {
        Card card = Fresh();
        card.settings.color = kRed;
        AddTextBlock(card, 10, 10, "a.txt", {"あい"}, 0, FontSpec{}, 0, c.color);
        const QImage image = Render(card, c.mode);
        EXPECT_EQ(image.pixelColor(10, 10), c.ground);
        EXPECT_TRUE(Inked(image, QRect(10, 10, 40, 20), c.ground));  // the text shows
        EXPECT_EQ(image.pixelColor(60, 40), CardColor(kRed));        // nothing outside the block
    }
}

TEST(TextPainting, BytesThatAreNotShiftJisAreDrawnAsReplacementCharacters) {
    App();
    for (int direction : {0, 1}) {
        Card card = Fresh();
        const int id = AddTextBlock(card, 10, 10, "a.txt", {}, direction);
        card.slot(id).lines = {std::string("\x82"), std::string("\xFF\xFF")};  // a lone lead byte, unassigned codes
        card.slot(id).bounds = {10, 10, 40, 40};
        const int text = AddText(card, 60, 60, "", direction);
        card.slot(text).caption = "\xA0\x81";
        const QImage image = Render(card, RenderMode::Preview);
        EXPECT_TRUE(Inked(image, QRect(10, 10, 40, 40))) << direction;
        EXPECT_TRUE(Inked(image, QRect(60, 60, 40, 40))) << direction;
    }
}

}  // namespace
}  // namespace zepo
