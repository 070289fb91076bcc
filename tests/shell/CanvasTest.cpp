// The canvas: band arithmetic per kind, the rubber band, and the mouse protocol driven on
// the real window with synthesized mouse events.

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <functional>

#include "ModelFakes.h"
#include "ShellFixture.h"
#include "canvas/CardCanvas.h"
#include "canvas/Drag.h"
#include "dialogs/CardSettingsDialog.h"
#include "editors/RoundTrip.h"

namespace zepo::test {
namespace {

Slot FrameAt(Rect r) {
    Slot s;
    s.inUse = true;
    s.bounds = r;
    return s;
}

TEST(Bands, StartBandIsOnePixelOutsideAndHorizontalTextsEndAtTheirFont) {
    Slot frame = FrameAt({100, 50, 40, 30});
    EXPECT_EQ(StartBand(frame, SlotKind::Frame), (Band{99, 49, 140, 80}));
    Slot text = FrameAt({10, 10, 60, 25});
    text.font.height = 20;
    EXPECT_EQ(StartBand(text, SlotKind::OneLineText), (Band{9, 9, 70, 30}));
    text.wordWrap = true;
    EXPECT_EQ(StartBand(text, SlotKind::OneLineText), (Band{9, 9, 70, 35}));
}

TEST(Bands, MoveReleaseClampsLeftAndTopOnly) {
    struct Case {
        int x, y;
        Rect expected;
    } cases[] = {
        {5, 5, {100, 50, 40, 30}},          // released where pressed
        {-200, 5, {0, 50, 40, 30}},         // beyond the left edge
        {5, -100, {100, 0, 40, 30}},        // beyond the top edge
        {5000, 4000, {5095, 4045, 40, 30}}  // right and bottom are free
    };
    for (const Case& c : cases) EXPECT_EQ(MovedBounds({100, 50, 40, 30}, c.x, c.y, 5, 5), c.expected) << c.x;
}

TEST(Bands, FrameResizeGrowsByOneAfterAMoveBackAndByTwoWithoutAMove) {
    GridMeasurer m;
    Slot frame = FrameAt({100, 50, 40, 30});
    Band start = StartBand(frame, SlotKind::Frame);
    Band back = ResizeBand(frame, SlotKind::Frame, start, 5, 5, 5, 5);
    Slot a = frame;
    ApplyResize(a, SlotKind::Frame, back, m);
    EXPECT_EQ(a.bounds, (Rect{100, 50, 41, 31}));
    Slot b = frame;
    ApplyResize(b, SlotKind::Frame, start, m);
    EXPECT_EQ(b.bounds, (Rect{100, 50, 42, 32}));
    Band tiny = ResizeBand(frame, SlotKind::Frame, start, -500, -500, 5, 5);
    EXPECT_EQ(tiny, (Band{99, 49, 109, 59})) << "never below 10 pixels";
    Band grown = ResizeBand(frame, SlotKind::TextBlock, start, 25, 15, 5, 5);
    EXPECT_EQ(grown, (Band{99, 49, 159, 89}));
}

TEST(Bands, PictureScaleIsRoundedAndKeptWithinItsRange) {
    struct Case {
        int x;
        float scale;
        Band band;
    } cases[] = {
        {150, 2.0f, {99, 49, 300, 150}},
        {-5000, 0.1f, {99, 49, 110, 55}},
        {100000, 100.0f, {99, 49, 10100, 5050}},
        {50, 1.0f, {99, 49, 200, 100}},
    };
    for (const Case& c : cases) {
        Slot pic = FrameAt({100, 50, 100, 50});
        pic.picture.naturalWidth = 100;
        pic.picture.naturalHeight = 50;
        Band b = ResizeBand(pic, SlotKind::Picture, StartBand(pic, SlotKind::Picture), c.x, 0, 50, 10);
        Band expected = c.band;
        expected.scale = c.scale;
        EXPECT_EQ(b, expected) << c.x;
    }
    Slot pic = FrameAt({100, 50, 1000, 500});
    pic.picture.naturalWidth = 1000;
    pic.picture.naturalHeight = 500;
    EXPECT_FLOAT_EQ(ResizeBand(pic, SlotKind::Picture, StartBand(pic, SlotKind::Picture), 1, 0, 0, 0).scale, 1.001f);
    GridMeasurer m;
    Slot p2 = FrameAt({100, 50, 100, 50});
    ApplyResize(p2, SlotKind::Picture, Band{99, 49, 300, 150, 2.0f}, m);
    EXPECT_FLOAT_EQ(p2.picture.scale, 2.0f) << "the scale the band showed, applied on release";
    EXPECT_TRUE(p2.stretch);
    EXPECT_EQ(p2.bounds, (Rect{100, 50, 200, 100}));
}

TEST(Bands, OneLineTextKeepsItsAspectAndItsFontWithinLimits) {
    GridMeasurer m;
    Slot text = FrameAt({10, 10, 40, 20});
    text.caption = "abcd";
    text.font.height = 20;
    Band start = StartBand(text, SlotKind::OneLineText);
    Band doubled = ResizeBand(text, SlotKind::OneLineText, start, 45, 999, 5, 0);
    EXPECT_EQ(doubled, (Band{9, 9, 89, 49})) << "vertical movement is ignored";
    Slot applied = text;
    ApplyResize(applied, SlotKind::OneLineText, doubled, m);
    EXPECT_EQ(applied.font.height, 39);
    EXPECT_EQ(applied.bounds.width, 4 * (39 / 2)) << "the label sizes itself to the new font";
    // At both ends the font made from the band stays within 8 … 1000, the sizes the text
    // dialog allows, whatever the height (at these single precision rounds down).
    for (int h : {20, 15, 30, 41, 45, 47, 53, 55, 61}) {
        Slot t = text;
        t.bounds.height = h;
        t.font.height = h;
        Band s = StartBand(t, SlotKind::OneLineText);
        Band huge = ResizeBand(t, SlotKind::OneLineText, s, 100000, 0, 5, 0);
        Band small = ResizeBand(t, SlotKind::OneLineText, s, -1000, 0, 5, 0);
        EXPECT_LE(huge.y2 - huge.y1 - 1, 1000) << h;
        EXPECT_GE(huge.y2 - huge.y1 - 1, 998) << h;
        EXPECT_EQ(small.y2 - small.y1 - 1, 8) << h;
        Slot shrunk = t;
        ApplyResize(shrunk, SlotKind::OneLineText, small, m);
        EXPECT_EQ(shrunk.font.height, 8) << h;
    }
    Slot vertical = text;
    vertical.wordWrap = true;
    ApplyResize(vertical, SlotKind::OneLineText, Band{9, 9, 30, 70}, m);
    EXPECT_EQ(vertical.font.height, (60 / 4) * 2);
}

TEST(Bands, TextBlockRefitsFontAndPitchToTheBand) {
    GridMeasurer m;  // a line of n bytes is n × height / 2 wide
    Slot block = FrameAt({10, 10, 100, 70});
    block.lines = {"aaaa", "bbbbbbbbbb", "cc"};
    block.block.widestLine = "bbbbbbbbbb";
    ApplyResize(block, SlotKind::TextBlock, Band{9, 9, 109, 109}, m);
    // (2 × 100) div 10 = 20; widths 100 at 20, so the loop stops at once and steps back to 19.
    EXPECT_EQ(block.font.height, 19);
    EXPECT_EQ(block.block.linePitch, (100 - 3 * 19) / 2);
    EXPECT_EQ(block.bounds.height, 3 * 19 + 2 * block.block.linePitch);
    Slot empty = FrameAt({10, 10, 1, 1});
    ApplyResize(empty, SlotKind::TextBlock, Band{9, 9, 50, 50}, m);
    EXPECT_EQ(empty.bounds, (Rect{10, 10, 1, 1})) << "an empty block has nothing to fit";
}

TEST(Bands, TextBlockRefitEdgeCases) {
    GridMeasurer m;
    struct Case {
        const char* what;
        std::vector<std::string> lines;
        int direction;
        Band band;
        int height, pitch;
        Rect bounds;
    } cases[] = {
        // One line: no pitch to share, whatever the band's other extent.
        {"one horizontal line", {"abcd"}, 0, {9, 9, 49, 209}, 19, 0, {10, 10, 36, 19}},
        {"one vertical line", {"abcd"}, 1, {9, 9, 209, 49}, 20, 0, {10, 10, 20, 40}},
        // 2 × 10 div 4 is 5, raised to 8; 8 is already as wide as the band, so one step back.
        {"a narrow band ends at 7", {"abcd"}, 0, {9, 9, 19, 29}, 7, 0, {10, 10, 12, 7}},
        // Lines of no bytes give nothing to divide by: the block keeps its reachable size.
        {"empty lines", {"", ""}, 0, {9, 9, 60, 60}, 20, 0, {10, 10, 1, 40}},
    };
    for (const Case& c : cases) {
        Slot block = FrameAt({10, 10, 1, 40});
        block.lines = c.lines;
        block.block.widestLine = c.lines.front();
        block.block.direction = c.direction;
        block.block.linePitch = 0;
        ApplyResize(block, SlotKind::TextBlock, c.band, m);
        EXPECT_EQ(block.font.height, c.height) << c.what;
        EXPECT_EQ(block.block.linePitch, c.pitch) << c.what;
        EXPECT_EQ(block.bounds, c.bounds) << c.what;
    }
}

struct RecordingEditor : SlotEditor {
    std::vector<int> edited;
    bool place = false;
    std::optional<Card> Edit(const Card& card, int id) override {
        edited.push_back(id);
        if (!place) return std::nullopt;
        Card next = card;
        next.slot(id).inUse = true;
        next.slot(id).bounds = {0, 0, 10, 10};
        return next;
    }
};

class CanvasWindow : public CanvasShellTest {
protected:
    void SetUp() override {
        CanvasShellTest::SetUp();
        Modify([](Card& card) {
            for (int n : {1, 2}) {
                Slot& s = card.slot(SlotKind::Frame, n);
                s.inUse = true;
                s.frame.color = n == 1 ? kRed : kBlack;
                s.bounds = n == 1 ? Rect{100, 50, 40, 30} : Rect{120, 60, 40, 30};
            }
        });
        for (SlotKind k : {SlotKind::OneLineText, SlotKind::TextBlock, SlotKind::Picture, SlotKind::Frame})
            form().SetSlotEditor(k, &editor);
    }
    QString Status() { return ui().stbMouse->text(); }
    RecordingEditor editor;
};

TEST_F(CanvasWindow, DrawsTheBackgroundAndTheObjectsInStackingOrder) {
    const QImage& img = canvas->surface();
    EXPECT_EQ(img.pixelColor(5, 5), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(105, 55), QColor::fromRgb(ColorRgb(kRed)));
    EXPECT_EQ(img.pixelColor(125, 65), QColor::fromRgb(ColorRgb(kBlack))) << "frame 2 is in front";
}

TEST_F(CanvasWindow, RubberBandInvertsAndDrawingItAgainRestores) {
    QImage before = canvas->surface();
    Band b{10, 10, 30, 20};
    canvas->DrawRubberBand(b);
    EXPECT_EQ(canvas->surface().pixelColor(10, 10), QColor(Qt::black));
    EXPECT_EQ(canvas->surface().pixelColor(30, 20), QColor(Qt::black));
    EXPECT_EQ(canvas->surface().pixelColor(20, 15), QColor(Qt::white)) << "only the outline";
    canvas->DrawRubberBand(b);
    EXPECT_EQ(canvas->surface(), before);
}

TEST_F(CanvasWindow, DragMovesOnReleaseAndClampsAtTheCanvasEdge) {
    QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(105, 55));
    ASSERT_TRUE(canvas->band().has_value());
    EXPECT_EQ(*canvas->band(), (Band{99, 49, 140, 80}));
    QTest::mouseMove(canvas, QPoint(115, 75));
    EXPECT_EQ(*canvas->band(), (Band{109, 69, 150, 100}));
    EXPECT_EQ(Frame(1).bounds, (Rect{100, 50, 40, 30})) << "the object changes only on release";
    EXPECT_EQ(Status(), "115:75");
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(115, 75));
    EXPECT_EQ(Frame(1).bounds, (Rect{110, 70, 40, 30}));
    EXPECT_FALSE(canvas->dragging());

    Drag(QPoint(112, 72), QPoint(2, 1));
    EXPECT_EQ(Frame(1).bounds, (Rect{0, 0, 40, 30}));
}

TEST_F(CanvasWindow, PressAndReleaseInPlaceLeavesTheObjectAndTheScreen) {
    QImage before = canvas->surface();
    QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(105, 55));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(105, 55));
    EXPECT_EQ(Frame(1).bounds, (Rect{100, 50, 40, 30}));
    EXPECT_EQ(canvas->surface(), before);
}

TEST_F(CanvasWindow, ResizeModeGrowsTheFrameFromItsTopLeft) {
    ui().button("btnStretch")->click();
    QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(110, 52));
    QTest::mouseMove(canvas, QPoint(130, 72));
    EXPECT_EQ(*canvas->band(), (Band{99, 49, 159, 99}));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(130, 72));
    EXPECT_EQ(Frame(1).bounds, (Rect{100, 50, 61, 51}));
}

TEST_F(CanvasWindow, BringToFrontRaisesWithoutABandAndRightPressStillOpens) {
    ui().button("btnFrontBack")->click();
    QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(105, 55));
    EXPECT_FALSE(canvas->band().has_value());
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(105, 55));
    EXPECT_EQ(form().card().stacking.back(), SlotId(SlotKind::Frame, 1));
    EXPECT_EQ(canvas->surface().pixelColor(125, 65), QColor::fromRgb(ColorRgb(kRed)));
    EXPECT_EQ(canvas->SlotAt(QPoint(125, 65)), SlotId(SlotKind::Frame, 1));
    QTest::mousePress(canvas, Qt::RightButton, {}, QPoint(125, 65));
    EXPECT_EQ(editor.edited, std::vector<int>{SlotId(SlotKind::Frame, 1)});
}

TEST_F(CanvasWindow, RightPressOpensTheRoundTripInEveryModeIncludingPreview) {
    for (QToolButton* mode : {ui().button("btnMove"), ui().button("btnStretch"), ui().button("btnPaint")}) {
        mode->click();
        QTest::mousePress(canvas, Qt::RightButton, {}, QPoint(150, 85));
        QTest::mouseRelease(canvas, Qt::RightButton, {}, QPoint(150, 85));
        EXPECT_FALSE(canvas->dragging());
    }
    EXPECT_TRUE((ui().canvas->mode() == EditMode::Preview));
    EXPECT_EQ(editor.edited, std::vector<int>(3, SlotId(SlotKind::Frame, 2)));
    ui().button("btnMove")->click();
    EXPECT_FALSE((ui().canvas->mode() == EditMode::Preview));
}

TEST_F(CanvasWindow, RightPressDuringADragEndsTheDragBeforeTheRoundTrip) {
    const QImage clean = canvas->surface();
    QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(105, 55));
    QTest::mouseMove(canvas, QPoint(115, 65));
    ASSERT_TRUE(canvas->dragging());
    // The round trip's dialog takes the mouse, so the left release never reaches the canvas.
    QTest::mousePress(canvas, Qt::RightButton, {}, QPoint(150, 85));
    EXPECT_EQ(editor.edited, std::vector<int>{SlotId(SlotKind::Frame, 2)});
    EXPECT_FALSE(canvas->dragging());
    EXPECT_FALSE(canvas->band().has_value());
    EXPECT_EQ(canvas->surface(), clean) << "no rubber band is left behind";
    // A later click on bare background moves nothing.
    QTest::mouseMove(canvas, QPoint(300, 300));
    QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(300, 300));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(300, 300));
    EXPECT_EQ(Frame(1).bounds, (Rect{100, 50, 40, 30}));
    EXPECT_EQ(Frame(2).bounds, (Rect{120, 60, 40, 30}));
}

TEST_F(CanvasWindow, ADragWhoseReleaseWentToADialogEndsAtTheNextMoveWithoutAButton) {
    const QImage clean = canvas->surface();
    // The card settings opened from the keyboard while the button is held take the release;
    // cancelled, or confirmed (which draws the card again under the band).
    for (bool confirm : {false, true}) {
        QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(105, 55));
        if (confirm) runner.scripts.push_back([](QDialog& d) { Child<QPushButton>(d, "OKBtn").click(); });
        ui().item("mnCardMake")->trigger();
        QMouseEvent move(QEvent::MouseMove, QPointF(200, 150), canvas->mapToGlobal(QPointF(200, 150)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(canvas, &move);
        EXPECT_FALSE(canvas->dragging()) << confirm;
        EXPECT_EQ(canvas->surface(), clean) << "no rubber band is left behind " << confirm;
        EXPECT_EQ(Status(), "200:150");
        QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(300, 300));
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(300, 300));
        EXPECT_EQ(Frame(1).bounds, (Rect{100, 50, 40, 30})) << confirm;
    }
    EXPECT_EQ(runner.shown.size(), 2u);
}

TEST_F(CanvasWindow, EscapeARightClickOnBareCanvasOrAChangeGivesAHeldDragUpLeavingNoBand) {
    form().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));  // Escape is a key of the window in front
    const std::function<void()> escape = [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); };
    const struct {
        const char* what;
        QToolButton* mode;
        std::function<void()> interrupt;
    } cases[] = {{"Escape moving", ui().button("btnMove"), escape},
                 {"Escape stretching", ui().button("btnStretch"), escape},
                 {"a right click on bare canvas", ui().button("btnMove"),
                  [&] { QTest::mouseClick(canvas, Qt::RightButton, {}, QPoint(400, 300)); }},
                 {"an undo stretching", ui().button("btnStretch"), [&] { ui().item("mnUndo")->trigger(); }}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.mode->click();
        const QPoint at(Frame(1).bounds.left + 5, Frame(1).bounds.top + 5);  // wherever an earlier case left it
        QTest::mousePress(canvas, Qt::LeftButton, {}, at);
        QTest::mouseMove(canvas, at + QPoint(20, 20), 0);
        ASSERT_TRUE(canvas->band().has_value());
        c.interrupt();
        const Card card = form().card();
        EXPECT_FALSE(canvas->band().has_value());
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, at + QPoint(20, 20));
        EXPECT_EQ(form().card(), card) << "the release applies nothing";
        QImage drawn = canvas->surface();
        QPainter painter(&drawn);
        canvas->renderer().Paint(painter, form().card());
        painter.end();
        EXPECT_EQ(canvas->surface(), drawn) << "no band left on the canvas";
    }
}

TEST_F(CanvasWindow, StatusShowsCardCoordinatesOverBackgroundAndObjects) {
    // QTest takes (0, 0) for "the middle of the widget", so the top-left pixel gets its own event.
    QMouseEvent move(QEvent::MouseMove, QPointF(0, 0), canvas->mapToGlobal(QPointF(0, 0)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(canvas, &move);
    EXPECT_EQ(Status(), "0:0");
    QTest::mouseMove(canvas, QPoint(135, 77));
    EXPECT_EQ(Status(), "135:77");
}

TEST_F(CanvasWindow, ModeButtonsFormOneGroupWithTheirCursors) {
    struct Case {
        QToolButton* button;
        EditMode mode;
        Qt::CursorShape cursor;
    } cases[] = {{ui().button("btnFrontBack"), EditMode::FrontBack, Qt::UpArrowCursor},
                 {ui().button("btnStretch"), EditMode::Stretch, Qt::SizeHorCursor},
                 {ui().button("btnPaint"), EditMode::Preview, Qt::ArrowCursor},
                 {ui().button("btnMove"), EditMode::Move, Qt::DragMoveCursor}};
    for (const Case& c : cases) {
        c.button->click();
        EXPECT_EQ(canvas->mode(), c.mode);
        EXPECT_EQ(form().cursor().shape(), c.cursor);
        int down = 0;
        for (QToolButton* b :
             {ui().button("btnPaint"), ui().button("btnMove"), ui().button("btnFrontBack"), ui().button("btnStretch")})
            down += b->isChecked();
        EXPECT_EQ(down, 1);
    }
}

TEST_F(CanvasWindow, PlacingButtonsTakeTheLowestFreeSlotUntilNoneIsLeft) {
    editor.place = true;
    for (int i = 0; i < 9; ++i) ui().button("btnFrame")->click();
    std::vector<int> expected;
    for (int n = 3; n <= 10; ++n) expected.push_back(SlotId(SlotKind::Frame, n));
    EXPECT_EQ(editor.edited, expected) << "the ninth click finds no free frame";
    EXPECT_TRUE(ui().item("mnFrame10")->isChecked());
    editor.edited.clear();
    Modify([](Card& card) { card.slot(SlotKind::OneLineText, 1).inUse = true; });
    ui().button("btnTxtYoko")->click();
    ui().button("btnTextFile")->click();
    ui().button("btnBitmap")->click();
    EXPECT_EQ(editor.edited, (std::vector<int>{SlotId(SlotKind::OneLineText, 2), SlotId(SlotKind::TextBlock, 1),
                                               SlotId(SlotKind::Picture, 1)}));
    editor.edited.clear();
    ui().item("mnYoko20")->trigger();
    EXPECT_EQ(editor.edited, std::vector<int>{SlotId(SlotKind::OneLineText, 20)});
}

}  // namespace
}  // namespace zepo::test
