// The one-line text and text block round trips: what the dialogs show, the messages a
// confirmation gives, and what ends up on the card.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <filesystem>

#include "ModelFakes.h"
#include "RoundTripOutcome.h"
#include "ShellFakes.h"
#include "TempFolder.h"
#include "dialogs/AssociationPanel.h"
#include "dialogs/ColorGrid.h"
#include "dialogs/FileList.h"
#include "dialogs/OneLineTextDialog.h"
#include "dialogs/RadioGroup.h"
#include "dialogs/TextFileDialog.h"
#include "editors/OneLineTextEditor.h"
#include "editors/TextBlockEditor.h"

namespace zepo {
namespace {
using namespace test;

const std::string kKanji = "漢字が含まれているため\r「英字」指定はできません";
const std::string kLatinVertical = "「英字」での「タテ書」はできません";
const std::string kFullWidth = "全角文字が含まれているため\r「英字」指定はできません";
const std::string kHalfWidth = "半角文字が含まれているため\r「タテ書」指定はできません";

void Type(QDialog& d, const char* field, const QString& text) { Child<QLineEdit>(d, field).setText(text); }
void Choose(QDialog& d, const char* group, int item) { Child<RadioGroup>(d, group).item(item)->click(); }
bool Ok(QDialog& d) {
    auto& ok = Child<QPushButton>(d, "OKBtn");
    if (!ok.isEnabled()) return false;
    ok.click();
    return d.result() == QDialog::Accepted;
}

class OneLineTexts : public ::testing::Test {
protected:
    EditResult Edit(int number, std::function<bool(QDialog&)> step) {
        runner.Push(step);
        return ApplyEdit(editor, card, SlotId(SlotKind::OneLineText, number));
    }
    Slot& Text(int n) { return card.slot(SlotKind::OneLineText, n); }

    QApplication& app = App();
    Card card;
    OneLineTextDialog dialog;
    ScriptedRunner runner;
    RecordingMessages messages;
    GridMeasurer measurer;
    OneLineTextEditor editor{dialog, runner, messages, measurer};
};

TEST_F(OneLineTexts, ANewTextStandsAtTenTenInMinchoTwentyBlackOnTransparent) {
    ASSERT_EQ(Edit(1,
                   [](QDialog& d) {
                       EXPECT_EQ(d.windowTitle(), "文字（1行） - 1");
                       EXPECT_EQ(Child<QLineEdit>(d, "edtText").text(), "１行文字");
                       EXPECT_TRUE(Child<QCheckBox>(d, "chkTxtUp").isChecked());
                       return Ok(d);
                   }),
              EditResult::Applied);
    const Slot& s = Text(1);
    EXPECT_TRUE(s.inUse);
    EXPECT_EQ(s.bounds, (Rect{10, 10, 80, 20}));
    EXPECT_EQ(s.font, (FontSpec{Typeface::Mincho, 20, false, false}));
    EXPECT_EQ(s.text.textColor, kBlack);
    EXPECT_TRUE(s.transparent);
    EXPECT_TRUE(card.parentChecked[static_cast<int>(SlotKind::OneLineText)]);
    EXPECT_TRUE(messages.warnings.empty());
}

TEST_F(OneLineTexts, TheCharacterChecksCorrectTheChoicesInTheirOrder) {
    struct Case {
        const char* text;
        int typeface, direction;
        std::vector<std::string> messages;
        int finalTypeface, finalDirection;
    } cases[] = {
        {"あいう", 2, 0, {kFullWidth}, 0, 0},  // kana: no kanji to blame
        {"Ａ＋あ漢", 2, 0, {kKanji}, 0, 0},
        {"abc", 3, 1, {kLatinVertical}, 3, 0},
        {"漢字", 2, 1, {kKanji}, 0, 1},             // typeface reset, then vertical passes
        {"漢a", 3, 1, {kKanji, kHalfWidth}, 0, 0},  // at most one vertical message
        {"数1", 0, 1, {kHalfWidth}, 0, 0},
        {"abc", 2, 0, {}, 2, 0},
        {"縦書", 1, 1, {}, 1, 1},
    };
    for (const Case& c : cases) {
        messages.warnings.clear();
        Edit(1, [&](QDialog& d) {
            Type(d, "edtText", c.text);
            Choose(d, "rdoFont", c.typeface);
            Choose(d, "rdoYokoTate", c.direction);
            return Ok(d);
        });
        EXPECT_EQ(messages.warnings, c.messages) << c.text;
        EXPECT_EQ(static_cast<int>(Text(1).font.face), c.finalTypeface) << c.text;
        EXPECT_EQ(Text(1).text.direction, c.finalDirection) << c.text;
        EXPECT_EQ(Text(1).wordWrap, c.finalDirection == 1) << c.text;
    }
}

TEST_F(OneLineTexts, VerticalColumnsAreOneFontHighWideAndTheFieldIsTheirRightEdge) {
    Edit(1, [](QDialog& d) {
        Type(d, "edtText", "縦書き");
        Choose(d, "rdoYokoTate", 1);
        Type(d, "TxtX", "100");
        return Ok(d);
    });
    EXPECT_EQ(Text(1).bounds, (Rect{100, 10, 20, 60}));  // turned vertical: x was the left edge
    Edit(1, [](QDialog& d) {
        EXPECT_EQ(Child<QLineEdit>(d, "TxtX").text(), "120");
        return Ok(d);
    });
    EXPECT_EQ(Text(1).bounds.left, 100);
    // Turned horizontal, the text keeps its left edge: the right edge less one column.
    Edit(1, [](QDialog& d) {
        Choose(d, "rdoYokoTate", 0);
        return Ok(d);
    });
    EXPECT_EQ(Text(1).bounds, (Rect{100, 10, 60, 20}));
}

TEST_F(OneLineTexts, AFieldTheCardCannotTakeBringsTheDialogBackAndAppliesNothing) {
    Edit(1, [](QDialog& d) { return Ok(d); });
    const Slot before = Text(1);
    struct Case {
        const char* field;
        QString typed;
        std::string message;
    } cases[] = {
        {"TxtX", "1a", "位置（x）の「1a」は整数ではありません"},
        {"TxtY", "１０", "位置（y）の「１０」は整数ではありません"},
        {"TxtX", "2€0", "位置（x）の「2€0」は整数ではありません"},
        {"edtText", "花😀", "表示文字の「😀」(U+1F600)はカードに書けません"},
    };
    for (const Case& c : cases) {
        messages.warnings.clear();
        runner.Push([&](QDialog& d) {
            Type(d, c.field, c.typed);
            Child<ColorGrid>(d, "TxtColor").cell(kRed)->click();
            return Ok(d);
        });
        runner.Push([&](QDialog& d) {
            EXPECT_EQ(Child<QLineEdit>(d, c.field).text(), c.typed);  // what was typed is still there
            return false;
        });
        EXPECT_EQ(ApplyEdit(editor, card, SlotId(SlotKind::OneLineText, 1)), EditResult::Cancelled);
        EXPECT_EQ(messages.warnings, std::vector<std::string>{c.message});
        EXPECT_EQ(Text(1).text.textColor, before.text.textColor);
        EXPECT_EQ(Text(1).bounds, before.bounds);
    }
}

TEST_F(OneLineTexts, OkFollowsTheTextAndRemovalOrCancelLeaveTheRecord) {
    Edit(2, [](QDialog& d) {
        auto& ok = Child<QPushButton>(d, "OKBtn");
        Type(d, "edtText", "");
        EXPECT_FALSE(ok.isEnabled());
        Type(d, "edtText", "a");
        EXPECT_TRUE(ok.isEnabled());
        return false;
    });
    EXPECT_FALSE(Text(2).inUse);  // a cancelled new text stays free
    Edit(2, [](QDialog& d) {
        Child<ColorGrid>(d, "TxtColor").setBackgroundIndex(12);
        Choose(d, "FrameList", 1);
        return Ok(d);
    });
    EXPECT_EQ(Text(2).text.backColor, 12);
    EXPECT_FALSE(Text(2).transparent);
    Edit(2, [](QDialog& d) {
        Child<QCheckBox>(d, "chkTxtCut").setChecked(true);
        Type(d, "TxtX", "not a number");  // not checked: nothing but the removal is applied
        return Ok(d);
    });
    EXPECT_FALSE(Text(2).inUse);
    EXPECT_EQ(Text(2).text.decoration, 1);
    EXPECT_FALSE(card.parentChecked[static_cast<int>(SlotKind::OneLineText)]);
}

class TextBlocks : public ::testing::Test {
protected:
    TextBlocks() {
        dialog.SetSaveFolder(folder.path());
        dialog.SetEditTools([this] { return tools; });
    }
    EditResult Edit(int number, std::function<bool(QDialog&)> step) {
        runner.Push(step);
        return ApplyEdit(editor, card, SlotId(SlotKind::TextBlock, number));
    }
    // Places block `number` from `file` with the given settings.
    EditResult Place(int number, const char* file, int direction, int typeface = 0, int height = 20, int pitch = 5) {
        return Edit(number, [=](QDialog& d) {
            auto& list = Child<FileList>(d, "txtFileList");
            list.setCurrentItem(list.findItems(file, Qt::MatchExactly).value(0));
            Choose(d, "rdoYokoTate", direction);
            Choose(d, "rdoFont", typeface);
            Child<QSpinBox>(d, "spnPoint").setValue(height);
            Child<QSpinBox>(d, "spnLinePitch").setValue(pitch);
            return Ok(d);
        });
    }
    void File(const char* name, const char* utf8) { WriteBytes(folder.path() / name, Sjis(utf8)); }
    Slot& Block(int n) { return card.slot(SlotKind::TextBlock, n); }

    QApplication& app = App();
    TempFolder folder;
    Card card;
    RecordingLauncher launcher;
    TextFileDialog dialog{launcher};
    ScriptedRunner runner;
    RecordingMessages messages;
    GridMeasurer measurer;
    EditTools tools{"memo", "sound", false};
    TextBlockEditor editor{dialog, runner, messages, measurer, [this] { return folder.path(); }};
};

TEST_F(TextBlocks, ThreeLinesMakeASeventyPixelBlockInEitherDirection) {
    File("three.txt", "あいう\r\nか\r\nさしすせ\r\n");
    ASSERT_EQ(Place(1, "three.txt", 0), EditResult::Applied);
    EXPECT_EQ(Block(1).bounds, (Rect{10, 10, 80, 70}));  // as wide as the widest line
    EXPECT_EQ(Block(1).block.widestLine, Sjis("さしすせ"));
    EXPECT_EQ(Block(1).block.fileName, "three.txt");
    EXPECT_EQ(Block(1).lines.size(), 3u);
    ASSERT_EQ(Place(2, "three.txt", 1), EditResult::Applied);
    EXPECT_EQ(Block(2).bounds, (Rect{10, 10, 70, 80}));
    // Edited again the field shows the right edge, and turning it horizontal keeps the left.
    Edit(2, [](QDialog& d) {
        EXPECT_EQ(Child<QLineEdit>(d, "txtX").text(), "80");
        EXPECT_EQ(Child<FileList>(d, "txtFileList").SelectedFile(), "three.txt");  // selected at once
        EXPECT_TRUE(Child<QPushButton>(d, "OKBtn").isEnabled());
        Choose(d, "rdoYokoTate", 0);
        return Ok(d);
    });
    EXPECT_EQ(Block(2).bounds, (Rect{10, 10, 80, 70}));
}

TEST_F(TextBlocks, TheCharacterChecksOfABlockCanShowBothVerticalMessages) {
    File("half.txt", "abc\r\ndef\r\n");
    File("mixed.txt", "abc\r\n漢\r\n");
    struct Case {
        const char* file;
        std::vector<std::string> messages;
        int finalTypeface;
    } cases[] = {
        {"half.txt", {kLatinVertical, kHalfWidth}, 2},
        {"mixed.txt", {kKanji, kHalfWidth}, 0},
    };
    for (const Case& c : cases) {
        messages.warnings.clear();
        const EditResult placed = Place(1, c.file, 1, 2);
        EXPECT_EQ(messages.warnings, c.messages) << c.file;
        ASSERT_EQ(placed, EditResult::Applied) << c.file;
        EXPECT_EQ(static_cast<int>(Block(1).font.face), c.finalTypeface) << c.file;
        EXPECT_EQ(Block(1).block.direction, 0) << c.file;
    }
}

TEST_F(TextBlocks, AFileThatCannotBeReadOrNoFileChangesNothing) {
    File("good.txt", "よい\r\n");
    ASSERT_EQ(Place(1, "good.txt", 0), EditResult::Applied);
    const Slot before = Block(1);
    File("big.txt", "x");
    std::filesystem::resize_file(folder.path() / "big.txt", (std::uintmax_t{64} << 20) + 1);  // sparse
    File("gone.txt", "x");
    struct Case {
        const char* file;
        std::function<void()> meanwhile;
        std::string message;
    } cases[] = {
        {"big.txt", [] {}, "big.txt が読めません"},
        {"gone.txt", [&] { std::filesystem::remove(folder.path() / "gone.txt"); }, "gone.txt が読めません"},
        {nullptr, [] {}, "文字ファイルが指定されていません"},
    };
    for (const Case& c : cases) {
        messages.warnings.clear();
        Edit(1, [&](QDialog& d) {
            auto& list = Child<FileList>(d, "txtFileList");
            if (c.file) list.setCurrentItem(list.findItems(c.file, Qt::MatchExactly).value(0));
            else list.ClearSelection();
            Child<QSpinBox>(d, "spnPoint").setValue(40);
            c.meanwhile();
            d.accept();  // OK as pressed with a selection that is no longer valid
            return true;
        });
        EXPECT_EQ(messages.warnings, std::vector<std::string>{c.message});
        EXPECT_EQ(Block(1).block.fileName, before.block.fileName);
        EXPECT_EQ(Block(1).font, before.font);
        EXPECT_TRUE(Block(1).lines.SharesWith(before.lines));
    }
}

TEST_F(TextBlocks, ABlockOfEmptyLinesStaysReachableAndKeepsItsWidestLine) {
    File("words.txt", "ことば\r\n");
    File("empty.txt", "\r\n\r\n");
    Place(1, "words.txt", 0);
    Place(1, "empty.txt", 0, 0, 20, 0);
    EXPECT_EQ(Block(1).bounds.width, 1);
    EXPECT_EQ(Block(1).bounds.height, 40);
    EXPECT_EQ(Block(1).block.widestLine, Sjis("ことば"));
}

TEST_F(TextBlocks, TheFileListAndItsEditButton) {
    Edit(1, [](QDialog& d) {
        EXPECT_EQ(Child<FileList>(d, "txtFileList").count(), 0);
        EXPECT_FALSE(Child<QPushButton>(d, "OKBtn").isEnabled());  // nothing to confirm
        return false;
    });
    File("b.TXT", "b");
    File("a.txt", "a");
    File("c.text", "c");
    for (bool useTools : {true, false}) {
        tools.useTools = useTools;
        Edit(1, [](QDialog& d) {
            auto& list = Child<FileList>(d, "txtFileList");
            EXPECT_EQ(list.count(), 2);
            EXPECT_FALSE(Child<QPushButton>(d, "btnEditTxt").isEnabled());
            list.setCurrentItem(list.item(1));
            Child<QPushButton>(d, "btnEditTxt").click();
            return false;
        });
    }
    const std::string path = (folder.path() / "b.TXT").string();
    EXPECT_EQ(launcher.started,
              (std::vector<std::string>{"memo|<" + path + ">|" + folder.path().string(), "open|" + path}));
    EXPECT_FALSE(Block(1).inUse);
}

TEST_F(TextBlocks, CopiesOfACardShareTheLinesOfItsBlocks) {
    File("a.txt", "あ\r\nい\r\n");
    Place(1, "a.txt", 0);
    const Card copy = card;
    EXPECT_TRUE(copy.slot(SlotKind::TextBlock, 1).lines.SharesWith(Block(1).lines));
    Place(1, "a.txt", 0);  // a confirmation reads the file again: the copy keeps its own
    EXPECT_FALSE(copy.slot(SlotKind::TextBlock, 1).lines.SharesWith(Block(1).lines));
    EXPECT_EQ(copy.slot(SlotKind::TextBlock, 1).lines, Block(1).lines);
}

}  // namespace
}  // namespace zepo
