// Nothing typed or chosen is lost without a word: what a card cannot hold is refused with a
// message and the dialog comes back, files a card cannot name are not offered, and a file
// that would be replaced or cannot be shown as it is, is said before anything changes.

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include "ShellFixture.h"
#include "TestPictures.h"
#include "core/TextCodec.h"
#include "dialogs/FileList.h"
#include "imaging/BmpCodec.h"
#include "imaging/JpegCodec.h"

namespace zepo::test {
namespace {

std::string Encoded(Result<std::vector<uint8_t>> r) { return std::string(r.value().begin(), r.value().end()); }
Bitmap Red() { return Picture(2, 1, {{255, 0, 0}, {255, 0, 0}}); }

QStringList Listed(QDialog& d, const char* list) {
    QStringList names;
    auto& l = Child<FileList>(d, list);
    for (int i = 0; i < l.count(); ++i) names << l.item(i)->text();
    return names;
}

// Types into a spin box as the user does, Enter at the end: a plain box takes its last value
// back when the text is below its least.
void TypeInto(QSpinBox& box, const char* text) {
    QLineEdit* edit = box.findChild<QLineEdit*>();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(&box, Qt::Key_Return);
}

class NothingLost : public ShellTest {
protected:
    void SetUp() override {
        Start();
        form().show();
        form().document().SetSaveFolder(folder.path());
    }
    void Write(const std::string& name, const std::string& bytes) { WriteBytes(folder.path() / name, bytes); }
    const Slot& Slot1(SlotKind kind) { return form().card().slot(kind, 1); }
    TempFolder folder;
};

// Each typed field: what it cannot hold is named in one message, the dialog comes back with
// the text as typed, and the card stays as it was.
TEST_F(NothingLost, TypedTextsACardCannotHoldAreNamedAndTheDialogComesBack) {
    Write("memo.txt", "memo\r\n");
    Write("utf8.txt", "UTF-8 の文\n");
    struct Case {
        QAction* item;
        std::function<void(QDialog&)> type;
        const char* field;  // the control that keeps what was typed
        QString typed;
        std::string message;
    };
    const std::vector<Case> cases = {
        {ui().item("mnYoko01"), [](QDialog& d) { Child<QLineEdit>(d, "edtText").setText("A{x,y}"); }, "edtText",
         "A{x,y}", "表示文字の「}」はカードに書けません"},
        {ui().item("mnYoko01"), [](QDialog& d) { TypeInto(Child<QSpinBox>(d, "spnPoint"), "5"); }, "spnPoint", "5",
         "大きさの「5」は 8 から 1000 までの整数ではありません"},
        {ui().item("mnTextFile1"),
         [](QDialog& d) {
             Child<FileList>(d, "txtFileList").SelectFile("memo.txt");
             TypeInto(Child<QSpinBox>(d, "spnPoint"), "5");
         },
         "spnPoint", "5", "大きさの「5」は 8 から 1000 までの整数ではありません"},
        {ui().item("mnTextFile1"),
         [](QDialog& d) {
             Child<FileList>(d, "txtFileList").SelectFile("utf8.txt");
             Child<QLineEdit>(d, "txtX").setText("77");
         },
         "txtX", "77",
         "utf8.txt は Shift-JIS ではなく UTF-8 で書かれています。\r文字コードを Shift-JIS にして保存し直してください"},
        {ui().item("mnCardMake"), [](QDialog& d) { Child<QLineEdit>(d, "edtCardName").setText("a/b"); }, "edtCardName",
         "a/b", "a/b\rカード名に「/」や「\\」は使えません"},
        {ui().item("mnCardMake"), [](QDialog& d) { Child<QLineEdit>(d, "edtCardTitle").setText("春,夏}秋}"); },
         "edtCardTitle", "春,夏}秋}", "カードに書けない文字が含まれています: 「,」 「}」"},
        {ui().item("mnCardMake"), [](QDialog& d) { Child<QLineEdit>(d, "edtCardName").setText("a,b"); }, "edtCardName",
         "a,b", "カードに書けない文字が含まれています: 「,」"},
        {ui().item("mnTlOption"), [](QDialog& d) { Child<QLineEdit>(d, "Tool1Name").setText("ツール😀"); }, "Tool1Name",
         "ツール😀", "「ツール１」のツールの名前の「😀」(U+1F600)は設定ファイルに書けません"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        const Card before = form().card();
        const ShellSettings settings = form().settings();
        QString kept;
        // The card settings refuse at OK and stay open; the others come back after the message.
        const bool staysOpen = c.item == ui().item("mnCardMake");
        auto keep = [&](QDialog& d) {
            if (*c.field) kept = Child<QWidget>(d, c.field).property("text").toString();
        };
        runner.Push([&](QDialog& d) {
            c.type(d);
            d.accept();
            if (staysOpen && d.result() != QDialog::Accepted) keep(d);
        });
        if (!staysOpen) runner.Push([&](QDialog& d) { keep(d); });
        c.item->trigger();
        EXPECT_EQ(TakeEvents(), (std::vector<std::string>{"beep!", "show:" + c.message}));
        EXPECT_EQ(runner.scripts.size(), 0u) << "the dialog came back";
        EXPECT_EQ(kept, c.typed);
        EXPECT_TRUE(form().card() == before);
        EXPECT_EQ(form().settings().tools[0].name, settings.tools[0].name);
    }
}

// Files whose names a card could not give back are not offered; the others are.
TEST_F(NothingLost, FileListsOfferOnlyNamesACardCanHold) {
    for (const char* name : {"ok.txt", "a,b.txt", "b}c.txt", "ok.bmp", "a,b.bmp", "x\\y.jpg", "c,d.zep", "e{f.zep",
                             "g}h.zep", "w,x.wav", "w}x.wav", "m,n.avi", "ok.avi"})
        Write(name, "");
    struct Case {
        QAction* item;
        bool nested;  // the list is in the association dialog behind the item's dialog
        const char* list;
        QStringList offered;
    };
    const Case cases[] = {
        {ui().item("mnTextFile1"), false, "txtFileList", {"ok.txt"}},
        {ui().item("mnBitmap1"), false, "FileList", {"ok.bmp"}},
        {ui().item("mnSlide"), false, "AllCardList", {"c,d.zep", "e{f.zep"}},
        {ui().item("mnAvi2"), false, "FileList", {"ok.avi"}},
        {ui().item("mnButton1"), true, "Macro", {"e{f.zep"}},
        {ui().item("mnButton1"), true, "Wave_", {"w,x.wav"}},  // after an association's comma
        {ui().item("mnWave"), true, "Wave_", {}},              // a feature's file ends at a comma
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list);
        QStringList shown;
        if (c.nested) {
            runner.Push([](QDialog& d) {
                Child<QPushButton>(d, "btnNextCard").click();
                return false;
            });
        }
        runner.Push([&](QDialog& d) {
            shown = Listed(d, c.list);
            return false;
        });
        c.item->trigger();
        EXPECT_EQ(shown, c.offered);
        EXPECT_TRUE(TakeEvents().empty());
    }
}

// A text file or picture whose name is longer than a card keeps is refused when chosen, with
// the reason, and the dialog comes back; a name of 50 bytes is taken.
TEST_F(NothingLost, AFileNameTooLongForACardIsSaidWhenChosen) {
    const std::string stem50(46, 'n'), stem51(47, 'n');
    Write(stem50 + ".txt", "x\r\n");
    Write(stem51 + ".txt", "x\r\n");
    Write(stem50 + ".bmp", Encoded(EncodeBmp(Red())));
    Write(stem51 + ".bmp", Encoded(EncodeBmp(Red())));
    struct Case {
        QToolButton* button;
        const char* list;
        SlotKind kind;
        const char* ext;
    };
    ui().item("mnAuto256Color")->setChecked(false);
    for (const Case& c : {Case{ui().button("btnTextFile"), "txtFileList", SlotKind::TextBlock, ".txt"},
                          Case{ui().button("btnBitmap"), "FileList", SlotKind::Picture, ".bmp"}}) {
        for (const std::string& stem : {stem51, stem50}) {
            runner.Push([&c, name = stem + c.ext](QDialog& d) {
                Child<FileList>(d, c.list).SelectFile(QString::fromStdString(name));
                return true;
            });
        }
        c.button->click();
        EXPECT_EQ(TakeEvents(), (std::vector<std::string>{
                                    "beep!", "show:ファイル名が長すぎます（50バイトまで）: " + stem51 + c.ext}));
        EXPECT_EQ(runner.scripts.size(), 0u);
        const Slot& placed = Slot1(c.kind);
        ASSERT_TRUE(placed.inUse);
        EXPECT_EQ(c.kind == SlotKind::Picture ? placed.picture.fileName : placed.block.fileName, stem50 + c.ext);
    }
}

// An object whose file is gone is removed without choosing any file.
TEST_F(NothingLost, AnObjectWhoseFileIsGoneCanBeRemoved) {
    Write("memo.txt", "memo\r\n");
    Write("p.bmp", Encoded(EncodeBmp(Red())));
    ui().item("mnAuto256Color")->setChecked(false);
    struct Case {
        QAction* item;
        const char* list;
        const char* file;
        const char* remove;
        SlotKind kind;
    };
    for (const Case& c : {Case{ui().item("mnTextFile1"), "txtFileList", "memo.txt", "chktxtCut", SlotKind::TextBlock},
                          Case{ui().item("mnBitmap1"), "FileList", "p.bmp", "chkBmpCut", SlotKind::Picture}}) {
        runner.Push([&](QDialog& d) {
            Child<FileList>(d, c.list).SelectFile(c.file);
            return true;
        });
        c.item->trigger();
        ASSERT_TRUE(Slot1(c.kind).inUse) << c.file;
        std::filesystem::remove(folder.path() / c.file);
        runner.Push([&](QDialog& d) {
            auto& ok = Child<QPushButton>(d, "OKBtn");
            EXPECT_FALSE(ok.isEnabled()) << "no file chosen";
            Child<QCheckBox>(d, c.remove).click();
            EXPECT_TRUE(ok.isEnabled());
            ok.click();
        });
        c.item->trigger();
        EXPECT_FALSE(Slot1(c.kind).inUse) << c.file;
        EXPECT_TRUE(TakeEvents().empty());
    }
}

// A text file saved as UTF-8 is not placed as garbled characters: the user learns why.
TEST_F(NothingLost, ATextFileInUtf8IsRefusedWithTheReason) {
    Write("utf8.txt", "さくら\r\ncafé\r\n");
    Write("sjis.txt", Sjis("さくら\r\nｶﾌｪ\r\n"));
    for (const char* file : {"utf8.txt", "sjis.txt"}) {
        runner.Push([&](QDialog& d) {
            Child<FileList>(d, "txtFileList").SelectFile(file);
            return true;
        });
        ui().button("btnTextFile")->click();
    }
    EXPECT_EQ(TakeEvents(), (std::vector<std::string>{"beep!",
                                                      "show:utf8.txt は Shift-JIS ではなく UTF-8 で書かれています。\r"
                                                      "文字コードを Shift-JIS にして保存し直してください"}));
    ASSERT_TRUE(Slot1(SlotKind::TextBlock).inUse);
    EXPECT_EQ(Slot1(SlotKind::TextBlock).block.fileName, "sjis.txt");
    EXPECT_FALSE(form().card().slot(SlotKind::TextBlock, 2).inUse);
}

// Choosing a JPEG whose BMP name is taken by another picture asks first; No changes nothing.
TEST_F(NothingLost, AJpegsConversionAsksBeforeReplacingAnotherBmp) {
    ui().item("mnAuto256Color")->setChecked(false);
    const std::string other = Encoded(EncodeBmp(Red()));
    Write("sakura.bmp", other);
    Write("sakura.jpg", Encoded(EncodeJpeg(Picture(4, 4, std::vector<Rgb>(16, Rgb{0, 0, 255})), 90)));
    for (bool yes : {false, true}) {
        prompts.answers = {yes};
        runner.Push([](QDialog& d) {
            Child<FileList>(d, "FileList").SelectFile("sakura.jpg");
            return true;
        });
        ui().button("btnBitmap")->click();
        EXPECT_EQ(TakeEvents(),
                  (std::vector<std::string>{
                      "beep?", "ask:sakura.bmp はすでにあり、sakura.jpg から作る画像と違います。\r置き換えますか？"}));
        EXPECT_EQ(Slot1(SlotKind::Picture).inUse, yes);
        EXPECT_EQ(ReadBytes(folder.path() / "sakura.bmp") == other, !yes);
    }
    EXPECT_EQ(Slot1(SlotKind::Picture).bounds.width, 4);
}

}  // namespace
}  // namespace zepo::test
