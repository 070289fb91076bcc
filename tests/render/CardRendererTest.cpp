// The card as a picture: background, then the objects rearmost first, each by its painter.

#include <gtest/gtest.h>

#include "ShellFakes.h"
#include "render/CardRenderer.h"
#include "render/FramePainting.h"

namespace zepo {
namespace {

using test::App;

Card TwoOverlappingFrames() {
    Card card;
    ResetCard(card);
    card.settings.color = 4;
    for (int n : {1, 2}) {
        Slot& s = card.slot(SlotKind::Frame, n);
        s.inUse = true;
        s.bounds = {10 * n, 10 * n, 40, 40};
        s.frame.color = n == 1 ? 1 : 2;
        card.BringToFront(SlotId(SlotKind::Frame, n));
    }
    return card;
}

// Paints a recognisable block so the test sees which painter drew and in which mode.
struct MarkingPainter : SlotPainter {
    std::vector<RenderMode> modes;
    void Paint(QPainter& p, const Card& card, int id, const PaintContext& context) override {
        modes.push_back(context.mode);
        const Rect& r = card.slot(id).bounds;
        p.fillRect(QRect(r.left, r.top, r.width, r.height), Qt::magenta);
    }
};

TEST(CardRenderer, BackgroundThenObjectsRearmostFirstByTheirKindsPainter) {
    App();
    Card card = TwoOverlappingFrames();
    CardRenderer renderer;
    QImage image = renderer.Render(card, QSize(100, 80));
    ASSERT_EQ(image.size(), QSize(100, 80));
    EXPECT_EQ(image.pixelColor(99, 79), CardColor(4)) << "background in the card colour";
    EXPECT_EQ(image.pixelColor(15, 15), CardColor(1)) << "frame 1 where it is alone";
    EXPECT_EQ(image.pixelColor(30, 30), CardColor(2)) << "frame 2 in front where they overlap";

    card.BringToFront(SlotId(SlotKind::Frame, 1));
    EXPECT_EQ(renderer.Render(card, QSize(100, 80)).pixelColor(30, 30), CardColor(1)) << "brought to the front";

    MarkingPainter marks;
    renderer.SetPainter(SlotKind::Frame, &marks);
    EXPECT_EQ(renderer.Render(card, QSize(100, 80), RenderMode::Preview).pixelColor(30, 30), QColor(Qt::magenta));
    EXPECT_EQ(marks.modes, (std::vector<RenderMode>{RenderMode::Preview, RenderMode::Preview}));
    renderer.SetPainter(SlotKind::Frame, nullptr);
    EXPECT_EQ(renderer.Render(card, QSize(100, 80), RenderMode::Preview).pixelColor(30, 30), CardColor(1))
        << "plain drawing again";
}

}  // namespace
}  // namespace zepo
