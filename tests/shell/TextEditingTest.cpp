// Vertical one-line texts and text blocks in the running editor: placed with the buttons,
// moved and resized with the mouse, saved and opened again unchanged.

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "ShellFixture.h"
#include "canvas/CardCanvas.h"
#include "core/TextCodec.h"
#include "dialogs/CardSettingsDialog.h"
#include "dialogs/FileList.h"
#include "dialogs/RadioGroup.h"
#include "model/MacroFile.h"

namespace zepo::test {
namespace {

class TextsInTheEditor : public CanvasShellTest {
protected:
    bool Inked(const Rect& r) {
        const QImage& s = canvas->surface();
        for (int y = r.top; y < r.bottom(); ++y)
            for (int x = r.left; x < r.right(); ++x)
                if (s.pixelColor(x, y) != QColor(Qt::white)) return true;
        return false;
    }
    const Slot& Text() { return form().card().slot(SlotKind::OneLineText, 1); }
    const Slot& Block() { return form().card().slot(SlotKind::TextBlock, 1); }
};

TEST_F(TextsInTheEditor, VerticalTextAndBlockArePlacedMovedResizedSavedAndReopenedUnchanged) {
    WriteBytes(program() / "tate.txt", Sjis("あいう\r\nかき\r\n"));
    runner.Push([](QDialog& d) {
        Child<QLineEdit>(d, "edtCardName").setText("texts");
        return true;
    });
    form().cardFile().EditCardSettings();

    runner.Push([](QDialog& d) {
        Child<QLineEdit>(d, "edtText").setText("縦書き");
        Child<RadioGroup>(d, "rdoYokoTate").item(1)->click();
        Child<QLineEdit>(d, "TxtX").setText("200");
        Child<QPushButton>(d, "OKBtn").click();
        return d.result() == QDialog::Accepted;
    });
    ui().button("btnTxtYoko")->click();
    ASSERT_TRUE(Text().inUse);
    EXPECT_EQ(Text().bounds, (Rect{200, 10, 20, 60}));
    EXPECT_TRUE(ui().item("mnYoko01")->isChecked());
    EXPECT_TRUE(Inked(Text().bounds));

    runner.Push([](QDialog& d) {
        auto& list = Child<FileList>(d, "txtFileList");
        list.setCurrentItem(list.findItems("tate.txt", Qt::MatchExactly).value(0));
        Child<RadioGroup>(d, "rdoYokoTate").item(1)->click();
        Child<QLineEdit>(d, "txtX").setText("400");
        Child<QPushButton>(d, "OKBtn").click();
        return d.result() == QDialog::Accepted;
    });
    ui().button("btnTextFile")->click();
    ASSERT_TRUE(Block().inUse);
    EXPECT_EQ(Block().bounds.left, 400);
    EXPECT_EQ(Block().bounds.width, 24);  // two columns of the new block's height 12
    EXPECT_TRUE(Inked(Block().bounds));

    Drag({205, 20}, {225, 50});
    EXPECT_EQ(Text().bounds, (Rect{220, 40, 20, 60}));
    Drag({405, 15}, {425, 55});
    EXPECT_EQ(Block().bounds.left, 420);
    EXPECT_EQ(Block().bounds.top, 50);

    ui().button("btnStretch")->click();
    Drag({230, 50}, {240, 50});         // the column grows by half its width
    EXPECT_EQ(Text().font.height, 28);  // ((90 − 1) div 6 bytes) × 2
    EXPECT_EQ(Text().bounds, (Rect{220, 40, 28, 84}));
    const Rect b = Block().bounds;
    Drag({b.left + 5, b.top + 5}, {b.left + 35, b.top + 45});
    EXPECT_EQ(Block().font.height, 2 * (b.height + 40) / 6);  // the band is the refit's extent
    EXPECT_GT(Block().block.linePitch, 0);

    const Slot text = Text(), block = Block();
    form().cardFile().Save();
    const std::string saved = ReadBytes(program() / "texts.zep");
    EXPECT_NE(saved.find(Sjis("\ttext2  {248,40}{縦書き}{0}\r\n")), std::string::npos);

    prompts.answers = {true};
    form().cardFile().NewCard();
    EXPECT_FALSE(Text().inUse);
    chooser.answers.push_back(QString::fromStdString((program() / "texts.zep").string()));
    form().cardFile().Open();
    for (const auto& [now, before] : {std::pair{&Text(), &text}, std::pair{&Block(), &block}}) {
        EXPECT_TRUE(now->inUse);
        EXPECT_EQ(now->bounds, before->bounds);
        EXPECT_EQ(now->font, before->font);
        EXPECT_EQ(now->caption, before->caption);
        EXPECT_EQ(now->lines, before->lines);
        EXPECT_EQ(now->text.direction, before->text.direction);
        EXPECT_EQ(now->block.direction, before->block.direction);
        EXPECT_EQ(now->block.linePitch, before->block.linePitch);
    }
    form().cardFile().ViewMacro();
    EXPECT_EQ(JoinMacroLines(form().cardFile().macroLines()), saved);
}

}  // namespace
}  // namespace zepo::test
