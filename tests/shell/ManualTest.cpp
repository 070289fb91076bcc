// The manual against the program: every window has its page with a picture drawn from it,
// every control a page names exists in that window, and a search result opens on one click.

#include <QDir>
#include <QFile>
#include <QHelpEngine>
#include <QInputMethodEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <map>
#include <set>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDirIterator>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTextEdit>

#include "ShellFixture.h"
#include "dialogs/FileList.h"
#include "dialogs/HelpWindow.h"
#include "dialogs/RadioGroup.h"
#include "dialogs/SearchText.h"
#include "shell/ActionTable.h"
#include "shell/HelpCommands.h"

namespace zepo::test {
namespace {

const QString kHelpDir = QStringLiteral(ZEPO_SOURCE_DIR "/help");

QString ReadText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList Captures(const QString& text, const QString& pattern) {
    QStringList found;
    for (const QRegularExpressionMatch& m : QRegularExpression(pattern).globalMatch(text)) found << m.captured(1);
    return found;
}

struct Page {
    QString file, window;
    QStringList controls, pictures;
};

std::vector<Page> Pages() {
    std::vector<Page> pages;
    for (const QString& name : QDir(kHelpDir).entryList({"*.html"}, QDir::Files, QDir::Name)) {
        const QString html = ReadText(kHelpDir + '/' + name);
        pages.push_back({name, Captures(html, R"re(<meta name="window" content="([^"]+)")re").value(0),
                         Captures(html, R"re(data-name="([^"]+)")re"), Captures(html, R"re(<img src="([^"]+)")re")});
    }
    return pages;
}

class ManualTest : public ShellTest {
protected:
    // The window a page describes, by its class name without the namespace.
    QWidget* Window(const QString& name) {
        if (name == "MainWindow") return &form();
        for (QDialog* d : windows->dialogs())
            if (QString(d->metaObject()->className()).section("::", -1) == name) return d;
        return nullptr;
    }
};

TEST_F(ManualTest, EveryWindowHasItsPageWithItsPictureAndEveryNamedControlExists) {
    Start();
    const QString project = ReadText(kHelpDir + "/zepoed.qhp");
    const QStringList listed = Captures(project, "<file>([^<]+)</file>");
    std::set<QString> described, shown;
    qsizetype characters = 0;
    for (const Page& page : Pages()) {
        SCOPED_TRACE(page.file.toStdString());
        EXPECT_TRUE(listed.contains(page.file)) << "not in the help project";
        EXPECT_TRUE(project.contains("ref=\"" + page.file + "\"")) << "not in the contents";
        QTextDocument text;
        text.setHtml(ReadText(kHelpDir + '/' + page.file));
        characters += text.toPlainText().remove(QRegularExpression("\\s")).size();
        for (const QString& picture : page.pictures) {
            EXPECT_TRUE(QFile::exists(kHelpDir + '/' + picture)) << picture.toStdString();
            EXPECT_TRUE(listed.contains(picture)) << picture.toStdString() << " not in the help project";
            shown.insert(picture);
        }
        if (page.window.isEmpty()) {
            EXPECT_TRUE(page.controls.isEmpty()) << "names controls but no window";
            continue;
        }
        QWidget* window = Window(page.window);
        ASSERT_NE(window, nullptr) << "no window " << page.window.toStdString();
        described.insert(page.window);
        EXPECT_FALSE(page.pictures.isEmpty()) << "a window's page shows its picture";
        for (const QString& control : page.controls)
            EXPECT_NE(window->findChild<QObject*>(control), nullptr)
                << page.window.toStdString() << " has no control " << control.toStdString();
        // A dialog's page describes every control the user can reach in it.
        if (page.window == "MainWindow") continue;
        for (QWidget* w : window->findChildren<QWidget*>()) {
            const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                                 qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QAbstractItemView*>(w) ||
                                 qobject_cast<QComboBox*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
                                 qobject_cast<QTextEdit*>(w);
            // Qt's own parts (a tab bar's scroll arrows) are not the dialog's controls.
            if (control && !w->objectName().isEmpty() && !w->objectName().startsWith("qt_") &&
                !qobject_cast<QTabBar*>(w->parentWidget()))
                EXPECT_TRUE(page.controls.contains(w->objectName()))
                    << page.file.toStdString() << " does not describe " << w->objectName().toStdString();
        }
    }
    // Every window the user meets is described, and every picture drawn is shown somewhere.
    for (QDialog* d : windows->dialogs())
        EXPECT_TRUE(described.count(QString(d->metaObject()->className()).section("::", -1)))
            << d->metaObject()->className() << " has no page";
    EXPECT_TRUE(described.count("MainWindow"));
    for (const QString& png : QDir(kHelpDir + "/images").entryList({"*.png"}, QDir::Files))
        EXPECT_TRUE(shown.count("images/" + png)) << png.toStdString() << " is shown by no page";
    EXPECT_GE(characters, 60000) << "the manual's text";
    // Every keyword written in kanji has its reading, which orders the index.
    const QString readings = ReadText(kHelpDir + "/readings.tsv");
    for (const QString& keyword : Captures(project, R"re(<keyword name="([^"]+)")re"))
        if (keyword.contains(QRegularExpression("\\p{Han}")))
            EXPECT_TRUE(readings.contains(keyword + '\t')) << keyword.toStdString() << " has no reading";
}

// Every menu, menu item, button and key of the main window is named in the manual and found in
// its index, by the caption the user reads (a kind's numbered items, 文字１ to 文字Ｋ, once).
TEST_F(ManualTest, EveryMenuItemButtonAndKeyOfTheWindowIsInTheManualAndItsIndex) {
    Start();
    QString manual;
    for (const QString& name : QDir(kHelpDir).entryList({"*.html"}, QDir::Files)) {
        QTextDocument text;
        text.setHtml(ReadText(kHelpDir + '/' + name));
        manual += SearchFolded(text.toPlainText()) + '\n';
    }
    QStringList keywords;
    for (const QString& k : Captures(ReadText(kHelpDir + "/zepoed.qhp"), R"re(<keyword name="([^"]+)")re"))
        keywords << SearchFolded(k);
    std::set<QString> missing;
    const auto look = [&](QString shown, bool numbered) {
        shown = SearchFolded(shown.remove(QRegularExpression(R"(\(&.\)|&|\.\.\.$)")).trimmed());
        if (numbered) shown.remove(QRegularExpression("(?<=[^\\x00-\\x7f])[0-9a-z]+$"));
        if (!manual.contains(shown)) missing.insert("manual: " + shown);
        if (!std::any_of(keywords.begin(), keywords.end(), [&](const QString& k) { return k.contains(shown); }))
            missing.insert("index: " + shown);
    };
    for (const ActionRow& row : MainWindowActions()) {
        if (row.place == Place::Menu) look(QString::fromUtf8(row.caption), true);
        if (row.place == Place::Button) look(ui().button(row.name)->text(), true);
        if ((row.place == Place::Item || row.place == Place::SubMenu) && ui().item(row.name)->isVisible())
            look(ui().item(row.name)->text(), true);
        for (const QKeySequence& key : row.keys) look(key.toString(QKeySequence::PortableText), false);
    }
    EXPECT_TRUE(missing.empty()) << QStringList(missing.begin(), missing.end()).join(", ").toStdString();
}

// The tutorial done as the user does it: its tables are what is typed, and each dialog is
// worked through the page's marked steps in their order: keys pressed and text typed into
// whatever field has the focus, fields clicked into, files picked from lists.
class TutorialWalk : public ShellTest {
protected:
    using Values = std::map<QString, QString>;
    QString page = ReadText(kHelpDir + "/start.html");
    std::set<QString> pressed;
    std::filesystem::path folder;

    // A table of the page, each row by its column headings.
    std::vector<Values> Table(const QString& id) {
        const QString table = Captures(page, "(?s)<table class=\"walk\" id=\"" + id + "\">(.*?)</table>").value(0);
        const QStringList headings = Captures(table, "<th>([^<]*)</th>");
        std::vector<Values> rows;
        for (const QString& row : Captures(table, "<tr>(<td>.*?)</tr>")) {
            const QStringList cells = Captures(row, "<td>([^<]*)</td>");
            Values values;
            for (qsizetype i = 0; i < cells.size() && i < headings.size(); ++i) values[headings[i]] = cells[i];
            rows.push_back(values);
        }
        EXPECT_FALSE(rows.empty()) << id.toStdString();
        return rows;
    }
    // What the user types, into the field that has the focus: letters and digits as keys,
    // Japanese as the input method hands it over.
    static void Type(const QString& text) {
        for (qsizetype i = 0; i < text.size();) {
            QWidget* focused = QApplication::focusWidget();
            ASSERT_NE(focused, nullptr) << "no field has the focus for " << text.toStdString();
            qsizetype end = i;
            const bool keys = text[i].unicode() < 0x80;
            while (end < text.size() && (text[end].unicode() < 0x80) == keys) ++end;
            if (keys) {
                QTest::keyClicks(focused, text.mid(i, end - i));
            } else {
                QInputMethodEvent commit;
                commit.setCommitString(text.mid(i, end - i));
                QApplication::sendEvent(focused, &commit);
            }
            i = end;
        }
    }
    // The dialog in front, as the runner's dialogs are not shown.
    static void Front(QDialog& d) {
        d.show();
        d.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&d)) << d.windowTitle().toStdString();
    }
    // The step of the page with that id, done in `d` in the order it is written.
    void Walk(QDialog& d, const QString& id, const Values& values = {}) {
        Front(d);
        const QString step =
            QRegularExpression("(?s)<(li|p|span) id=\"" + id + "\">(.*?)</\\1>").match(page).captured(2);
        ASSERT_FALSE(step.isEmpty()) << "no step " << id.toStdString();
        static const QRegularExpression marker(R"re(data-(key|type|click|pick)(?:="([^"]*)")?>([^<]*)<)re");
        for (const QRegularExpressionMatch& m : marker.globalMatch(step)) {
            const QString kind = m.captured(1), name = m.captured(2), text = m.captured(3);
            SCOPED_TRACE((id + ": " + kind + " " + name + " " + text).toStdString());
            if (kind == "key") {
                const QKeyCombination key = QKeySequence::fromString(name)[0];
                QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
            } else if (kind == "type") {
                EXPECT_TRUE(name.isEmpty() || values.count(name)) << "no value";
                Type(name.isEmpty() ? text : values.count(name) ? values.at(name) : QString());
            } else if (kind == "click") {
                auto& control = Child<QWidget>(d, name.toUtf8().constData());
                if (auto* button = qobject_cast<QAbstractButton*>(&control)) button->click();
                else QTest::mouseClick(&control, Qt::LeftButton, {}, QPoint(8, control.height() / 2));
            } else {
                Child<FileList>(d, name.toUtf8().constData()).SelectFile(text);
            }
        }
    }
    void Press(const char* name) {
        QObject* control = form().findChild<QObject*>(name);
        ASSERT_NE(control, nullptr) << name;
        if (auto* button = qobject_cast<QAbstractButton*>(control)) button->click();
        else if (auto* action = qobject_cast<QAction*>(control)) action->trigger();
        pressed.insert(name);
    }
    // The association panel of a dialog: ticked, 選択..., and the choice in the association dialog.
    void Associate(QDialog& d, std::function<void(QDialog&)> choose) {
        auto& tick = Child<QCheckBox>(d, "chkCard");
        if (!tick.isChecked()) tick.click();
        runner.Push([choose](QDialog& a) {
            choose(a);
            return true;
        });
        Child<QPushButton>(d, "btnNextCard").click();
    }
    std::function<void(QDialog&)> CardChoice(const QString& card) {
        return [card](QDialog& a) { Child<FileList>(a, "Macro").SelectFile(card + ".zep"); };
    }
    std::function<void(QDialog&)> StepChoice(const QString& id) {
        return [this, id](QDialog& a) { Walk(a, id); };
    }
    // A dialog the page walks through (or only brings to the front), with what it then
    // associates the object with.
    void InDialog(const QString& id, Values values, std::function<void(QDialog&)> to = {}) {
        runner.Push([=, this](QDialog& d) {
            if (id.isEmpty()) Front(d);
            else Walk(d, id, values);
            if (to) Associate(d, to);
            return true;
        });
    }
};

TEST_F(TutorialWalk, ItsStepsThroughTheMainWindowMakeItsFiveCardsAndItQuotesTheProgram) {
    TempFolder homeFolder;
    home = homeFolder.path();
    folder = home / "haru";
    std::filesystem::create_directories(folder);
    for (const char* f : {"sakura.jpg", "kousha.jpg", "aisatsu.txt", "chime.wav", "haru.mid"})
        std::filesystem::copy_file(std::filesystem::path(ZEPO_SOURCE_DIR "/help/tutorial") / f, folder / f);
    const std::vector<Values> cards = Table("cards"), texts = Table("texts"), frames = Table("frames");
    ASSERT_EQ(cards.size(), 5u);
    Start();
    // Start-up: the save folder typed as the page says, no card opened, the first card named.
    InDialog("walk-folder", {});
    chooser.answers = {QString()};
    InDialog("walk-settings-first", {});
    scheduler.FireAll();
    ASSERT_EQ(form().document().saveFolder(), folder);
    Press("btnSave");
    for (size_t c = 1; c < cards.size(); ++c) {
        prompts.answers = {true};
        InDialog("walk-settings-new", cards[c]);
        Press("mnNew");
        Press("btnSave");
    }
    for (const Values& card : cards) {
        const QString name = card.at("カード名");
        SCOPED_TRACE(name.toStdString());
        chooser.answers = {QString::fromStdString((folder / (name + ".zep").toStdString()).string())};
        Press("btnOpen");
        ASSERT_EQ(QString::fromStdString(form().card().settings.name), name);
        for (const Values& t : texts)
            if (t.at("カード") == name) {
                InDialog("walk-heading", t);
                Press("btnTxtYoko");
            }
        if (name == "main") {
            InDialog("walk-picture-main", {});
            Press("btnBitmap");
            InDialog("", {}, StepChoice("walk-music"));
            Press("mnMIDI");
            InDialog("", {}, StepChoice("walk-right"));
            Press("mnButton0");
        } else if (name == "shashin") {
            InDialog("walk-picture-shashin", {});
            Press("btnBitmap");
        } else if (name == "bunsho") {
            InDialog("walk-textfile", {});
            Press("btnTextFile");
        } else if (name == "oto") {
            InDialog("walk-oto", {}, [this](QDialog& a) {
                Child<RadioGroup>(a, "CardKind").item(1)->click();
                Walk(a, "walk-sound");
            });
            Press("btnTxtYoko");
        } else if (name == "slide") {
            InDialog("walk-slide", {});
            Press("mnSlide");
        }
        for (Values f : frames) {
            if (f.at("カード") != name) continue;
            InDialog("walk-frame", f, CardChoice(f.at("移り先")));
            Press("btnFrame");
            f["文字の x"] = QString::number(f.at("左上 x").toInt() + 20);
            f["文字の y"] = QString::number(f.at("左上 y").toInt() + 12);
            InDialog("walk-label", f, CardChoice(f.at("移り先")));
            Press("btnTxtYoko");
        }
        prompts.answers = {true};  // the file of the same name is overwritten
        Press("btnSave");
        EXPECT_TRUE(runner.scripts.empty()) << "a dialog the page names did not open";
    }
    // Every card is the one the manual shows, and every control the page marks was pressed.
    for (const Values& card : cards) {
        const std::string file = (card.at("カード名") + ".zep").toStdString();
        EXPECT_TRUE(std::filesystem::exists(folder / file)) << file;
        EXPECT_EQ(ReadBytes(folder / file), ReadBytes(std::filesystem::path(ZEPO_SOURCE_DIR "/help/tutorial") / file))
            << file;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 5 + 5 + 2)
        << "the materials, the five cards and the two pictures made of the JPEG files, and nothing else";
    for (const QString& name : Captures(page, R"re(class="ctl step" data-name="([^"]+)")re"))
        EXPECT_TRUE(pressed.count(name)) << name.toStdString() << " is a step the walk never takes";

    // What the page quotes in 「」 and the program says is found among the program's texts.
    QString program;
    QDirIterator it(ZEPO_SOURCE_DIR "/src", {"*.cpp", "*.js", "*.html"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) program += ReadText(it.next());
    for (const QString& quote : Captures(page, "「([^」<]*(?:ました|ですか？|ます|ません|開始)。?)」"))
        for (const QString& part : quote.split(QRegularExpression("[\\s　]+"), Qt::SkipEmptyParts))
            EXPECT_TRUE(program.contains(part)) << "the program never says " << part.toStdString();
}

class ManualSearchTest : public ShellTest {
protected:
    void SetUp() override {
        helpFile = ZEPO_HELP_QCH;
        helpCollection = QString::fromStdString((collection.path() / "help.qhc").string());
    }
    TempFolder collection;
};

TEST_F(ManualSearchTest, ResultsPutTitleMatchesFirstShowTheWordInContextAndOpenOnOneClick) {
    Start();
    ui().item("mnHelpMokuji")->trigger();
    HelpWindow& help = *form().help().window();
    help.ShowSearch();
    const struct {
        const char* words;
        const char* page;     // the page the first result opens; empty: nothing found, nothing opens
        const char* extract;  // what the first result shows of the page
    } cases[] = {{"ガラスボタン 見えないボタン", "frame.html", "ガラスボタン"},
                 {"スライドカードの数が多いため", "slide.html", "スライドカードの数が多いため"},
                 {"カード一覧", "cardlist.html", "カード一覧"},
                 {"リンク図", "cardlist.html", "リンク図"},
                 {"フルスクリーン", "present.html", "全画面"},
                 {"地図", "cardlist.html", "リンク図"},
                 {"すらいど", "slide.html", "スライド"},
                 {"存在しない言葉ですよ", "", "見つかりませんでした。"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words);
        help.ShowTopic("main");
        help.searchField->setText(QString::fromUtf8(c.words));
        QTest::keyClick(help.searchField, Qt::Key_Return);
        ASSERT_GE(help.searchResults->count(), 1);
        QListWidgetItem* first = help.searchResults->item(0);
        const QString shown = help.searchResults->item(help.searchResults->count() > 1 ? 1 : 0)->text();
        EXPECT_TRUE(SearchFolded(shown).contains(SearchFolded(QString::fromUtf8(c.extract)))) << shown.toStdString();
        const QRect at = help.searchResults->visualItemRect(first);
        QTest::mouseClick(help.searchResults->viewport(), Qt::LeftButton, {}, at.center());
        EXPECT_EQ(help.currentPage().fileName(), *c.page ? QString(c.page) : QString("index.html"));
    }
}

TEST_F(ManualSearchTest, TheIndexAndTheSearchTakeWhatAJapaneseUserTypes) {
    Start();
    ui().item("mnHelpKensaku")->trigger();
    HelpWindow& help = *form().help().window();
    for (int i = 0; i < 200 && help.IndexEntries().isEmpty(); ++i) QTest::qWait(100);
    const QStringList all = help.IndexEntries();
    const auto at = [&all](const char* keyword) { return all.indexOf(QString::fromUtf8(keyword)); };
    // By reading: いんさつ, おんがく, さくじょ, しょーとかっと, ぜんがめん, もどる, わく; then the symbols.
    const char* ordered[] = {"印刷", "音楽", "削除", "ショートカット", "全画面", "戻る", "枠"};
    for (size_t i = 0; i + 1 < std::size(ordered); ++i)
        EXPECT_LT(at(ordered[i]), at(ordered[i + 1])) << ordered[i] << " before " << ordered[i + 1];
    EXPECT_GE(at(ordered[0]), 0);
    for (const char* symbol : {"$D", "/a", "capt_", ".zep"}) EXPECT_GT(at(symbol), at("枠")) << symbol;
    // What is typed, a keyword it finds and the page Enter opens (a keyword of two pages offers both).
    const struct {
        const char *typed, *keyword, *page;
    } typed[] = {{"1行", "文字（１行）", "text.html"},
                 {"ＭＩＤＩ", "MIDI", "association.html"},
                 {"QV", "ＱＶcnt", "tools.html"},
                 {"ｶﾞﾗｽ", "ガラスボタン", "frame.html"},
                 {"いんさつ", "印刷", "zepocard.html"},
                 {"すらいど", "スライド", "slide.html"},
                 {"がらすぼたん", "ガラスボタン", "frame.html"},
                 {"かーど", "カード一覧", ""},
                 {"ｶｰﾄﾞ一覧", "カード一覧", "cardlist.html"},
                 {"ちず", "地図", "cardlist.html"},
                 {"ウェブ", "ウェブ", "publish.html"},
                 {"フルスクリーン", "フルスクリーン", "present.html"}};
    for (const auto& t : typed) {
        SCOPED_TRACE(t.typed);
        help.indexFilter->setText(QString::fromUtf8(t.typed));
        EXPECT_TRUE(help.IndexEntries().contains(QString::fromUtf8(t.keyword)));
        QTest::keyClick(help.indexFilter, Qt::Key_Return);
        if (*t.page) {
            EXPECT_EQ(help.currentPage().fileName(), t.page);
        }
    }
    help.indexFilter->setText(QString::fromUtf8("発表"));
    ASSERT_EQ(help.IndexEntries().value(0), QString::fromUtf8("発表"));
    QTest::keyClick(help.indexFilter, Qt::Key_Return);
    const QString choice = help.page->toHtml();
    for (const char* page : {"classroom.html", "present.html"}) EXPECT_TRUE(choice.contains(page)) << page;
    for (const char* word : {"印刷", "全画面", "削除", "コピー", "ショートカット", "エラー", "ブラウザ", "公開",
                             "エクスポート", "戻る", "音楽", "1行", "ＭＩＤＩ", "ぶらうざ", "しょーとかっと"})
        EXPECT_FALSE(help.Search(QString::fromUtf8(word)).isEmpty()) << word;
}

}  // namespace
}  // namespace zepo::test
