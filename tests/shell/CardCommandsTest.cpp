// The card file commands: new, open, save, save folder, card settings, macro viewer.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "CardBuilder.h"
#include "ShellFixture.h"
#include "canvas/CardCanvas.h"
#include "dialogs/CardSettingsDialog.h"
#include "dialogs/ColorGrid.h"
#include "dialogs/RadioGroup.h"
#include "dialogs/SaveFolderDialog.h"
#include "model/MacroFile.h"
#include "model/MacroWriter.h"

namespace zepo::test {
namespace {

const std::string kOverwrite = "\r同じ名前のファイルが存在します\r上書きしてよろしいですか？";

class CardCommands : public ShellTest {
protected:
    void SetUp() override {
        Start();
        saveFolder = program();
    }
    // The card settings dialog's script: type a name (and more) and press OK.
    void NameCard(const QString& name) {
        runner.scripts.push_back([name](QDialog& d) {
            auto& dlg = static_cast<CardSettingsDialog&>(d);
            Child<QLineEdit>(dlg, "edtCardName").setText(name);
            Child<QPushButton>(dlg, "OKBtn").click();
        });
        form().cardFile().EditCardSettings();
    }
    void ChooseFolder(const std::filesystem::path& folder) {
        runner.scripts.push_back([folder](QDialog& d) {
            auto& dlg = static_cast<SaveFolderDialog&>(d);
            Child<QLineEdit>(dlg, "EditDir").setText(QString::fromStdString(folder.string()));
            Child<QPushButton>(dlg, "OKBtn").click();
        });
        form().cardFile().ChangeSaveFolder();
    }
    std::filesystem::path saveFolder;
};

TEST_F(CardCommands, CardSettingsOkWritesTheCardAndTheCaption) {
    runner.scripts.push_back([](QDialog& d) {
        auto& dlg = static_cast<CardSettingsDialog&>(d);
        Child<QLineEdit>(dlg, "edtCardName").setText("abc");
        Child<QLineEdit>(dlg, "edtCardTitle").setText("題名");
        Child<ColorGrid>(dlg, "CardColor").cell(4)->click();
        Child<RadioGroup>(dlg, "rdoEditMode").item(1)->click();
        Child<RadioGroup>(dlg, "rdoCursorMode").item(2)->click();
        Child<QPushButton>(dlg, "OKBtn").click();
    });
    form().cardFile().EditCardSettings();
    const CardSettings& s = form().card().settings;
    EXPECT_EQ(s.name, "abc");
    EXPECT_EQ(SjisToUtf8(s.title), "題名");
    EXPECT_EQ(s.color, 4);
    EXPECT_EQ(s.editMode, 1);
    EXPECT_EQ(s.fingerCursor, 2);
    EXPECT_EQ(Caption(form()), "ＺＥＰＯエディタ - abc");
    EXPECT_EQ(ui().canvas->surface().pixelColor(5, 5), QColor::fromRgb(ColorRgb(4))) << "canvas in the new colour";
}

TEST_F(CardCommands, CardSettingsCancelRestoresAllFiveValues) {
    CardSettings before = form().card().settings;
    CardSettingsDialog* seen = nullptr;
    runner.scripts.push_back([&seen](QDialog& d) {
        auto& dlg = static_cast<CardSettingsDialog&>(d);
        seen = &dlg;
        Child<QLineEdit>(dlg, "edtCardName").setText("changed");
        Child<QLineEdit>(dlg, "edtCardTitle").setText("changed");
        Child<ColorGrid>(dlg, "CardColor").cell(2)->click();
        Child<RadioGroup>(dlg, "rdoEditMode").item(0)->click();
        Child<RadioGroup>(dlg, "rdoCursorMode").item(1)->click();
        Child<QPushButton>(dlg, "CancelBtn").click();
    });
    form().cardFile().EditCardSettings();
    ASSERT_NE(seen, nullptr);
    const CardSettings& s = form().card().settings;
    EXPECT_EQ(s.name, before.name);
    EXPECT_EQ(s.title, before.title);
    EXPECT_EQ(s.color, before.color);
    EXPECT_EQ(s.editMode, before.editMode);
    EXPECT_EQ(s.fingerCursor, before.fingerCursor);
    EXPECT_EQ(Child<QLineEdit>(*seen, "edtCardName").text(), "main");
    EXPECT_EQ(Child<RadioGroup>(*seen, "rdoEditMode").itemIndex(), 2);
    EXPECT_EQ(Child<ColorGrid>(*seen, "CardColor").foregroundIndex(), 15);
    EXPECT_EQ(Caption(form()), "ＺＥＰＯエディタ - main");
}

TEST_F(CardCommands, CardNameFieldEnablesOkAndLimitsBytes) {
    runner.scripts.push_back([](QDialog& d) {
        auto& nameField = Child<QLineEdit>(d, "edtCardName");
        auto& titleField = Child<QLineEdit>(d, "edtCardTitle");
        auto& ok = Child<QPushButton>(d, "OKBtn");
        nameField.clear();
        EXPECT_FALSE(ok.isEnabled());
        nameField.setText("a");
        EXPECT_TRUE(ok.isEnabled());
        nameField.clear();
        nameField.insert("あいうえおかきくけこさ");  // 22 bytes typed (or pasted)
        EXPECT_EQ(nameField.text(), "あいうえおかきくけこ");
        titleField.clear();
        QTest::keyClicks(&titleField, "123456789012345678901");
        EXPECT_EQ(titleField.text(), "12345678901234567890");
        // Typed into the middle of a full field: the typed character is what does not fit.
        titleField.setCursorPosition(2);
        QTest::keyClicks(&titleField, "X");
        EXPECT_EQ(titleField.text(), "12345678901234567890");
        // Pasted into the middle: as much of the pasted text as fits, the ends kept.
        titleField.setText("abcdef");
        titleField.setCursorPosition(3);
        titleField.insert("あいうえおかきく");  // 16 bytes; 14 fit
        EXPECT_EQ(titleField.text(), "abcあいうえおかきdef");
        EXPECT_EQ(titleField.cursorPosition(), 10);
        // Pasted text that repeats its neighbours: still the pasted part is what gets cut.
        struct Paste {
            QString before;
            int at;
            QString pasted, after;
        };
        const QString pad(16, '-');
        for (const Paste& c : {Paste{"xyz" + pad, 1, "yq", "xyyz" + pad}, Paste{"aaa" + pad, 2, "ab", "aaaa" + pad},
                               Paste{"12345" + QString(15, '6'), 0, "1", "12345" + QString(15, '6')}}) {
            titleField.setText(c.before);
            titleField.setCursorPosition(c.at);
            titleField.insert(c.pasted);
            EXPECT_EQ(titleField.text(), c.after) << c.before.toStdString();
            EXPECT_EQ(titleField.cursorPosition(), c.after.size() - (c.before.size() - c.at)) << c.before.toStdString();
        }
        Child<QPushButton>(d, "CancelBtn").click();
    });
    form().cardFile().EditCardSettings();
}

TEST_F(CardCommands, ALongCardNameFromItsFileSurvivesTheCardSettings) {
    const std::string name = "a_card_with_a_long_file_name";  // 28 bytes: longer than a typed name
    WriteBytes(saveFolder / (name + ".zep"), HeaderMarkerLine() + "\r\ncard {x}\r\nend\r\n");
    chooser.answers.push_back(QString::fromStdString((saveFolder / (name + ".zep")).string()));
    form().cardFile().Open();
    ASSERT_EQ(form().card().settings.name, name);
    runner.scripts.push_back([&](QDialog& d) {
        auto& dlg = static_cast<CardSettingsDialog&>(d);
        EXPECT_EQ(Child<QLineEdit>(dlg, "edtCardName").text().toStdString(), name);
        Child<QPushButton>(dlg, "OKBtn").click();
    });
    form().cardFile().EditCardSettings();
    EXPECT_EQ(form().card().settings.name, name);
}

TEST_F(CardCommands, CardNameOutsideShiftJisIsRefusedWithAMessage) {
    runner.scripts.push_back([](QDialog& d) {
        auto& dlg = static_cast<CardSettingsDialog&>(d);
        Child<QLineEdit>(dlg, "edtCardName").setText("a😀");
        Child<QPushButton>(dlg, "OKBtn").click();
        EXPECT_NE(dlg.result(), QDialog::Accepted) << "the dialog stays open";
        Child<QPushButton>(dlg, "CancelBtn").click();
    });
    form().cardFile().EditCardSettings();
    EXPECT_EQ(TakeEvents(),
              (std::vector<std::string>{"beep!", "show:カードに書けない文字が含まれています: 「😀」(U+1F600)"}));
    EXPECT_EQ(form().card().settings.name, "main");
}

TEST_F(CardCommands, NewCardAnsweredNoChangesNothing) {
    Modify([](Card& card) { card.slot(SlotKind::Frame, 1).inUse = true; });
    form().cardFile().NewCard();
    EXPECT_EQ(TakeEvents(), (std::vector<std::string>{"beep?", "ask:現カードを破棄します\rよろしですか？"}));
    EXPECT_TRUE(form().card().slot(SlotKind::Frame, 1).inUse);
    EXPECT_TRUE(runner.shown.empty());
}

TEST_F(CardCommands, NewCardThenCancelledSettingsNamesItZepo) {
    Modify([](Card& card) { card.slot(SlotKind::Frame, 1).inUse = true; });
    EXPECT_TRUE(ui().item("mnFrame1")->isChecked());
    prompts.answers = {true};
    bool okDisabled = false;
    runner.scripts.push_back([&](QDialog& d) {
        auto& dlg = static_cast<CardSettingsDialog&>(d);
        okDisabled = !Child<QPushButton>(dlg, "OKBtn").isEnabled() &&
                     Child<QLineEdit>(dlg, "edtCardName").text().isEmpty() &&
                     Child<RadioGroup>(dlg, "rdoEditMode").itemIndex() == 0;
        Child<QPushButton>(dlg, "CancelBtn").click();
    });
    form().cardFile().NewCard();
    EXPECT_TRUE(okDisabled) << "the dialog opens with an empty name, OK disabled, edit mode 0";
    EXPECT_FALSE(form().card().slot(SlotKind::Frame, 1).inUse);
    EXPECT_FALSE(ui().item("mnFrame1")->isChecked()) << "check marks follow the model";
    EXPECT_EQ(form().card().settings.name, "zepo");
    EXPECT_EQ(SjisToUtf8(form().card().settings.title), "マクロ");
    EXPECT_EQ(Caption(form()), "ＺＥＰＯエディタ - zepo");
}

// Saving asks before replacing a file only when it is not the card's own file unchanged: the
// question names the folder and says whether the file changed since or is another card.
TEST_F(CardCommands, SaveAsksOnlyBeforeReplacingAnotherOrAChangedFile) {
    TempFolder other;
    WriteBytes(other.path() / "abc.zep", "another folder's card");
    WriteBytes(saveFolder / "xyz.zep", "another card");
    const std::string changed = "\rこのカードを読み込んだ（保存した）あとで、ファイルがほかで変更されています";
    auto asked = [](const char* file, const std::filesystem::path& folder, const std::string& why) {
        return std::vector<std::string>{"beep?", std::string("ask:") + file + "\rフォルダ：" + folder.string() + why +
                                                     "\r上書きしてよろしいですか？"};
    };
    const std::string sameName = "\r同じ名前のファイルが存在します";
    const struct {
        const char* what;
        std::function<void()> before;
        std::filesystem::path file;
        std::vector<std::string> events;  // a declined question leaves the file as it was
    } steps[] = {
        {"a new card",
         [&] { NameCard("abc"); },
         saveFolder / "abc.zep",
         {"beep?", "show:abc.zep\r上の名前で保存しました"}},
        {"its own file again",
         [&] { Modify([](Card& c) { c.settings.title = "second"; }); },
         saveFolder / "abc.zep",
         {}},
        {"its file changed on disk since", [&] { WriteBytes(saveFolder / "abc.zep", "edited elsewhere"); },
         saveFolder / "abc.zep", asked("abc.zep", saveFolder, changed)},
        {"another folder's card of that name", [&] { ChooseFolder(other.path()); }, other.path() / "abc.zep",
         asked("abc.zep", other.path(), sameName)},
        {"renamed onto another card",
         [&] {
             ChooseFolder(saveFolder);
             NameCard("xyz");
         },
         saveFolder / "xyz.zep", asked("xyz.zep", saveFolder, sameName)},
    };
    for (const auto& step : steps) {
        step.before();
        TakeEvents();
        const std::string before = std::filesystem::exists(step.file) ? ReadBytes(step.file) : "";
        const bool wasModified = form().document().isModified();
        prompts.answers = {false};
        form().cardFile().Save();
        EXPECT_EQ(TakeEvents(), step.events) << step.what;
        const bool declined = !step.events.empty() && step.events[1].rfind("ask:", 0) == 0;
        EXPECT_EQ(ReadBytes(step.file), declined ? before : JoinMacroLines(form().cardFile().macroLines()))
            << step.what;
        EXPECT_EQ(form().document().isModified(), declined && wasModified) << step.what;
    }
}

// A one-line text whose "text" line has exactly `bytes` bytes.
void PlaceTextWithLineOf(Card& card, size_t bytes) {
    Slot& s = card.slot(SlotKind::OneLineText, 1);
    s.inUse = true;
    s.caption = "x";
    s.bounds = {10, 10, 20, 20};
    card.parentChecked[int(SlotKind::OneLineText)] = true;
    std::vector<std::string> lines;
    WriteAsSaved(card, lines);
    size_t textLine = 0;
    for (const std::string& l : lines)
        if (l.find("{x}") != std::string::npos) textLine = l.size();
    ASSERT_GT(textLine, 0u);
    s.caption = std::string(1 + bytes - textLine, 'x');
}

TEST_F(CardCommands, LineLimitAllows120BytesAndRefuses121QuotingTheLine) {
    NameCard("lim");
    Modify([](Card& card) { PlaceTextWithLineOf(card, 120); });
    form().cardFile().Save();
    EXPECT_EQ(TakeEvents(), (std::vector<std::string>{"beep?", "show:lim.zep\r上の名前で保存しました"}));
    std::filesystem::remove(saveFolder / "lim.zep");

    Modify([](Card& card) { PlaceTextWithLineOf(card, 121); });
    form().cardFile().Save();
    std::vector<std::string> events = TakeEvents();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0], "beep!");
    EXPECT_EQ(events[1].rfind("show:１行の文字数が多すぎるため、保存できません\r[ ", 0), 0u);
    EXPECT_FALSE(std::filesystem::exists(saveFolder / "lim.zep"));
}

TEST_F(CardCommands, OverwriteQuestionComesBeforeTheLimitAndTheOldFileStays) {
    NameCard("old");
    WriteBytes(saveFolder / "old.zep", "previous card");
    Modify([](Card& card) { PlaceTextWithLineOf(card, 121); });
    prompts.answers = {true};
    form().cardFile().Save();
    std::vector<std::string> events = TakeEvents();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[1], "ask:old.zep\rフォルダ：" + saveFolder.string() + kOverwrite);
    EXPECT_EQ(events[2], "beep!");
    EXPECT_EQ(ReadBytes(saveFolder / "old.zep"), "previous card");
}

TEST_F(CardCommands, FailedWriteReportsAndLeavesTheOldCardIntact) {
    NameCard("busy");
    // A folder where the card file should be: the rename over it fails.
    std::filesystem::create_directory(saveFolder / "busy.zep");
    WriteBytes(saveFolder / "busy.zep" / "inside", "kept");
    prompts.answers = {true};
    form().cardFile().Save();
    std::vector<std::string> events = TakeEvents();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[2], "beep!");
    // The reason follows, so the user knows what to mend.
    EXPECT_EQ(events[3],
              "show:" + (saveFolder / "busy.zep").string() + "\r保存に失敗しました\r同じ名前のフォルダがあります");
    EXPECT_EQ(ReadBytes(saveFolder / "busy.zep" / "inside"), "kept");
    for (auto& entry : std::filesystem::directory_iterator(saveFolder))
        EXPECT_NE(entry.path().filename().string().front(), '.') << "no temporary file is left: " << entry.path();
}

// Saving follows a link only to the card the user opened through it: a link left at the name
// of a new card or of its capture leads to a file of the user's, which stays as it was.
TEST_F(CardCommands, OnlyTheCardOpenedThroughALinkIsSavedThroughIt) {
    TempFolder elsewhere;
    const std::filesystem::path notes = elsewhere.path() / "notes.txt", mine = elsewhere.path() / "mine.zep";
    WriteBytes(notes, "my notes");
    WriteBytes(mine, HeaderMarkerLine() + "\r\ncard {Mine}\r\nend\r\n");
    for (const char* planted : {"Abc.zep", "capt_Abc.jpg"})
        std::filesystem::create_symlink(notes, saveFolder / planted);
    std::filesystem::create_symlink(mine, saveFolder / "Mine.zep");
    NameCard("Abc");
    prompts.answers = {true, true};
    EXPECT_FALSE(form().cardFile().Save());
    ui().item("mnCaptJPG")->trigger();
    EXPECT_TRUE(ReadBytes(notes) == "my notes");
    chooser.answers.push_back(QString::fromStdString((saveFolder / "Mine.zep").string()));
    prompts.choices = {Choice::No};  // Abc is not saved
    form().cardFile().Open();
    Modify([](Card& card) { card.settings.title = "T"; });
    EXPECT_TRUE(form().cardFile().Save());
    EXPECT_NE(ReadBytes(mine).find("title"), std::string::npos);
}

TEST_F(CardCommands, CardNamesThatCannotBeFileNamesAreRefused) {
    struct Case {
        std::string name;
        std::string message;
    } cases[] = {
        {"a/b", "show:a/b\rカード名に「/」や「\\」が含まれているため、保存できません"},
        {"a\\b", "show:a\\b\rカード名に「/」や「\\」が含まれているため、保存できません"},
        {std::string("a\0b", 3), "show:カード名にファイル名に使えない文字が含まれているため、保存できません"},
        {"", "show:カード名がないため、保存できません"},
    };
    for (const Case& c : cases) {
        Modify([&c](Card& card) { card.settings.name = c.name; });
        form().cardFile().Save();
        EXPECT_EQ(TakeEvents(), (std::vector<std::string>{"beep!", c.message}));
    }
    size_t files = 0;
    for (auto& entry : std::filesystem::directory_iterator(saveFolder)) (void)entry, ++files;
    EXPECT_EQ(files, 0u);
    // The second byte of ソ is 0x5C and no separator.
    Modify([](Card& card) { card.settings.name = Sjis("ソフト"); });
    form().cardFile().Save();
    EXPECT_TRUE(std::filesystem::exists(saveFolder / "ソフト.zep"));
}

TEST_F(CardCommands, SaveFolderThatCannotBeEnteredIsReported) {
    ChooseFolder(saveFolder / "gone");
    TakeEvents();
    std::filesystem::remove(saveFolder / "gone");
    NameCard("x");
    form().cardFile().Save();
    std::vector<std::string> events = TakeEvents();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0], "beep!");
    EXPECT_NE(events[1].find("gone"), std::string::npos) << "the report names the folder";

    // The way out: the open dialog and the save folder dialog both start on the folder above.
    prompts.choices = {Choice::No};  // the card named x is not saved
    form().cardFile().Open();
    ASSERT_FALSE(chooser.requests.empty());
    EXPECT_EQ(chooser.requests.back().folder.toStdString(), saveFolder.string());
    runner.scripts.push_back([this](QDialog& d) {
        auto& dlg = static_cast<SaveFolderDialog&>(d);
        EXPECT_EQ(Child<QLineEdit>(dlg, "EditDir").text().toStdString(), saveFolder.string());
        Child<QPushButton>(dlg, "OKBtn").click();
    });
    form().cardFile().ChangeSaveFolder();
    EXPECT_EQ(form().document().saveFolder(), saveFolder);
    TakeEvents();
    form().cardFile().Save();
    EXPECT_TRUE(std::filesystem::exists(saveFolder / "x.zep"));
}

TEST_F(CardCommands, SaveNewOpenRoundTrip) {
    NameCard("round");
    Modify([](Card& card) {
        Slot& frame = card.slot(SlotKind::Frame, 1);
        frame.inUse = true;
        frame.bounds = {30, 40, 50, 60};
        frame.frame.color = 9;
        card.parentChecked[int(SlotKind::Frame)] = true;
    });
    form().cardFile().Save();
    TakeEvents();

    prompts.answers = {true};
    form().cardFile().NewCard();  // cancelled settings: "zepo"
    EXPECT_FALSE(form().card().slot(SlotKind::Frame, 1).inUse);

    chooser.answers.push_back(QString::fromStdString((saveFolder / "round.zep").string()));
    form().cardFile().Open();
    EXPECT_EQ(TakeEvents(), (std::vector<std::string>{"beep?", "ask:現カードを破棄します\rよろしですか？"}));
    const Slot& back = form().card().slot(SlotKind::Frame, 1);
    EXPECT_TRUE(back.inUse);
    EXPECT_EQ(back.bounds, (Rect{30, 40, 50, 60}));
    EXPECT_TRUE(ui().item("mnFrame1")->isChecked());
    EXPECT_TRUE(ui().item("mnFrame")->isChecked());
    EXPECT_EQ(Caption(form()), "ＺＥＰＯエディタ - round");
    EXPECT_EQ(form().cardFile().openFileName().toStdString(), (saveFolder / "round.zep").string());
    form().cardFile().Open();
    EXPECT_EQ(chooser.requests.back().lastFile, "round.zep") << "the open dialog keeps its last file name";
    EXPECT_TRUE(form().card().slot(SlotKind::Frame, 1).inUse) << "a cancelled open keeps the card";
}

TEST_F(CardCommands, PreviewStaysOnThroughNewCardAndOpen) {
    WriteBytes(saveFolder / "seen.zep", HeaderMarkerLine() + "\r\ncard {seen}\r\nnew {BLUE}\r\nend\r\n");
    struct Case {
        const char* what;
        std::function<void()> command;
    } cases[] = {
        {"new card",
         [&] {
             prompts.answers = {true};
             form().cardFile().NewCard();
         }},
        {"open",
         [&] {
             chooser.answers.push_back(QString::fromStdString((saveFolder / "seen.zep").string()));
             form().cardFile().Open();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ui().button("btnPaint")->click();
        ASSERT_TRUE((ui().canvas->mode() == EditMode::Preview));
        c.command();
        EXPECT_TRUE((ui().canvas->mode() == EditMode::Preview)) << "the preview shows the new card";
        EXPECT_TRUE(ui().button("btnPaint")->isChecked());
        EXPECT_EQ(ui().canvas->mode(), EditMode::Preview);
        ui().button("btnMove")->click();
        EXPECT_FALSE((ui().canvas->mode() == EditMode::Preview));
        EXPECT_EQ(ui().canvas->mode(), EditMode::Move);
    }
    EXPECT_EQ(ui().canvas->surface().pixelColor(5, 5), QColor::fromRgb(ColorRgb(ColorIndex("BLUE"))))
        << "the opened card";
}

TEST_F(CardCommands, OpenCancelledLeavesTheSaveFolder) {
    form().cardFile().Open();
    EXPECT_EQ(form().document().saveFolder(), saveFolder);
    EXPECT_TRUE(form().cardFile().openFileName().isEmpty());
    EXPECT_TRUE(prompts.events.empty());
}

TEST_F(CardCommands, OpenMovesTheSaveFolderEvenWhenTheHeaderQuestionIsAnsweredNo) {
    TempFolder other;
    WriteBytes(other.path() / "foreign.zep", "card {foreign}\rtitle {T}\nend");
    Modify([](Card& card) { card.settings.name = "kept"; });
    chooser.answers.push_back(QString::fromStdString((other.path() / "foreign.zep").string()));
    prompts.answers = {false};
    prompts.choices = {Choice::No};  // the renamed card is not saved
    form().cardFile().Open();
    EXPECT_EQ(TakeEvents(),
              (std::vector<std::string>{"beep?", "choose:kept.zep\r変更を保存しますか？", "beep!",
                                        "ask:ZEPOｴﾃﾞｨﾀで作成されたｶｰﾄﾞではありません。\r読み込みますか？"}));
    EXPECT_EQ(form().document().saveFolder(), other.path());
    EXPECT_EQ(ui().stbFile->text().toStdString(), other.path().string());
    EXPECT_EQ(form().card().settings.name, "kept");
    EXPECT_EQ(form().cardFile().macroLines(), (std::vector<std::string>{"card {foreign}", "title {T}", "end"}));
}

TEST_F(CardCommands, OpenWithTheHeaderMarkerAsksNothing) {
    WriteBytes(saveFolder / "hdr.zep", "\r\n" + HeaderMarkerLine() + "\r\ncard {hdr}\r\ntitle {T}\r\nend\r\n");
    chooser.answers.push_back(QString::fromStdString((saveFolder / "hdr.zep").string()));
    form().cardFile().Open();
    EXPECT_TRUE(prompts.events.empty());
    EXPECT_EQ(form().card().settings.name, "hdr");
    EXPECT_EQ(form().card().settings.title, "T");
}

TEST_F(CardCommands, OpenOfAnUnreadableFileReportsAndKeepsTheCard) {
    std::filesystem::create_directory(saveFolder / "dir.zep");
    chooser.answers.push_back(QString::fromStdString((saveFolder / "dir.zep").string()));
    form().cardFile().Open();
    EXPECT_EQ(TakeEvents(),
              (std::vector<std::string>{"beep!", "show:" + (saveFolder / "dir.zep").string() +
                                                     "\r読み込みに失敗しました\rフォルダのため、読めません"}));
    EXPECT_EQ(form().card().settings.name, "main");
}

TEST_F(CardCommands, SaveFolderEnterCreateOrRefuse) {
    TempFolder other;
    ChooseFolder(other.path());
    EXPECT_EQ(form().document().saveFolder(), other.path());
    EXPECT_TRUE(TakeEvents().empty());

    std::filesystem::path fresh = other.path() / "新しい";
    ChooseFolder(fresh);
    EXPECT_EQ(TakeEvents(),
              (std::vector<std::string>{"beep?", "show:" + fresh.string() + "\r上のフォルダを作成しました。"}));
    EXPECT_TRUE(std::filesystem::is_directory(fresh));
    EXPECT_EQ(form().document().saveFolder(), fresh);
    EXPECT_EQ(std::filesystem::current_path(), fresh);

    ChooseFolder(other.path() / "a" / "b");
    EXPECT_EQ(TakeEvents(), (std::vector<std::string>{"beep?", "show:フォルダを変更できませんでした"}));
    EXPECT_EQ(form().document().saveFolder(), fresh);
    EXPECT_FALSE(std::filesystem::exists(other.path() / "a"));

    form().cardFile().ChangeSaveFolder();  // no script: cancelled
    EXPECT_EQ(form().document().saveFolder(), fresh);
    EXPECT_EQ(ui().stbFile->text().toStdString(), fresh.string());
}

TEST_F(CardCommands, SaveFolderDialogOpensOnTheSaveFolderAndFollowsTheTree) {
    TempFolder other;
    std::filesystem::create_directory(other.path() / "sub");
    runner.scripts.push_back([&](QDialog& d) {
        auto& dlg = static_cast<SaveFolderDialog&>(d);
        EXPECT_EQ(Child<QLineEdit>(dlg, "EditDir").text().toStdString(), saveFolder.string());
        Child<QLineEdit>(dlg, "EditDir").setText("typed");
        dlg.SelectInDir(QString::fromStdString((other.path() / "sub").string()));
        EXPECT_EQ(Child<QLineEdit>(dlg, "EditDir").text().toStdString(), (other.path() / "sub").string())
            << "a click replaces the text";
        Child<QPushButton>(dlg, "OKBtn").click();
    });
    form().cardFile().ChangeSaveFolder();
    EXPECT_EQ(form().document().saveFolder(), other.path() / "sub");
}

TEST_F(CardCommands, MacroViewerShowsWhatSaveWouldWriteAndWritesNothing) {
    NameCard("view");
    std::string shown;
    runner.scripts.push_back([&](QDialog& d) { shown = d.findChild<QPlainTextEdit*>()->toPlainText().toStdString(); });
    form().cardFile().ViewMacro();
    EXPECT_EQ(runner.shown.back(), "マクロビュワー");
    std::string expected;
    for (const std::string& line : form().cardFile().macroLines()) expected += SjisToUtf8(line) + "\n";
    expected.pop_back();
    EXPECT_EQ(shown, expected);
    EXPECT_FALSE(std::filesystem::exists(saveFolder / "view.zep"));
}

}  // namespace
}  // namespace zepo::test

namespace zepo::test {
namespace {

TEST_F(CardCommands, ChoosingADriveShowsItsFolder) {
    runner.scripts.push_back([](QDialog& d) {
        auto& dlg = static_cast<SaveFolderDialog&>(d);
        auto& places = Child<QComboBox>(dlg, "ChDrive");
        ASSERT_GT(places.count(), 0);
        EXPECT_EQ(places.itemData(places.count() - 1).toString(), "/");
        Child<QLineEdit>(dlg, "EditDir").setText("typed");
        emit places.activated(places.count() - 1);
        EXPECT_EQ(Child<QLineEdit>(dlg, "EditDir").text(), "/");
        Child<QPushButton>(dlg, "CancelBtn").click();
    });
    form().cardFile().ChangeSaveFolder();
    EXPECT_EQ(form().document().saveFolder(), saveFolder);
}

}  // namespace
}  // namespace zepo::test
