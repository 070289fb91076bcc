// The manual against the program: every window has its page with a picture drawn from it,
// every control a page names exists in that window, and a search result opens on one click.

#include <QDir>
#include <QFile>
#include <QHelpEngine>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTest>
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

// The tutorial read as the user reads it: its tables and marked values are what is typed,
// its marked controls what is pressed, and what it quotes is what the program says.
class TutorialWalk : public ShellTest {
protected:
    QString page = ReadText(kHelpDir + "/start.html");
    std::set<QString> pressed;
    std::filesystem::path folder;

    std::vector<QStringList> Table(const QString& id) {
        const QString table = Captures(page, "(?s)<table class=\"walk\" id=\"" + id + "\">(.*?)</table>").value(0);
        std::vector<QStringList> rows;
        for (const QString& row : Captures(table, "<tr>(<td>.*?)</tr>"))
            rows.push_back(Captures(row, "<td>([^<]*)</td>"));
        EXPECT_FALSE(rows.empty()) << id.toStdString();
        return rows;
    }
    QString V(const char* key) {
        const QString value = Captures(page, QString("data-v=\"%1\">([^<]+)<").arg(key)).value(0);
        EXPECT_FALSE(value.isEmpty()) << key;
        return value;
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
    static std::function<void(QDialog&)> CardChoice(const QString& card) {
        return [card](QDialog& a) { Child<FileList>(a, "Macro").SelectFile(card + ".zep"); };
    }
    void OneLineText(const QString& text, int size, const QString& x, const QString& y,
                     std::function<void(QDialog&)> to) {
        runner.Push([=, this](QDialog& d) {
            Child<QLineEdit>(d, "edtText").setText(text);
            if (size) Child<QSpinBox>(d, "spnPoint").setValue(size);
            Child<QLineEdit>(d, "TxtX").setText(x);
            Child<QLineEdit>(d, "TxtY").setText(y);
            if (to) Associate(d, to);
            return true;
        });
        Press("btnTxtYoko");
    }
    void Picture(const char* file, const char* x, const char* y) {
        runner.Push([=, this](QDialog& d) {
            Child<FileList>(d, "FileList").SelectFile(V(file));
            Child<QLineEdit>(d, "BmpX").setText(V(x));
            Child<QLineEdit>(d, "BmpY").setText(V(y));
            return true;
        });
        Press("btnBitmap");
    }
    void Settings(const QStringList& card) {
        runner.Push([card](QDialog& d) {
            Child<QLineEdit>(d, "edtCardName").setText(card[0]);
            Child<QLineEdit>(d, "edtCardTitle").setText(card[1]);
            return true;
        });
    }
};

TEST_F(TutorialWalk, ItsStepsThroughTheMainWindowMakeItsFiveCardsAndItQuotesTheProgram) {
    TempFolder homeFolder;
    home = homeFolder.path();
    folder = home / V("folder").toStdString();
    std::filesystem::create_directories(folder);
    for (const char* f : {"sakura.jpg", "kousha.jpg", "aisatsu.txt", "chime.wav", "haru.mid"})
        std::filesystem::copy_file(std::filesystem::path(ZEPO_SOURCE_DIR "/help/tutorial") / f, folder / f);
    const std::vector<QStringList> cards = Table("cards"), texts = Table("texts"), frames = Table("frames");
    ASSERT_EQ(cards.size(), 5u);
    Start();
    // Start-up: the save folder typed as the page says, no card opened, the first card named.
    runner.Push([this](QDialog& d) {
        Child<QLineEdit>(d, "EditDir").setText("~/" + V("folder"));
        return true;
    });
    chooser.answers = {QString()};
    Settings(cards[0]);
    scheduler.FireAll();
    ASSERT_EQ(form().document().saveFolder(), folder);
    Press("btnSave");
    for (size_t c = 1; c < cards.size(); ++c) {
        prompts.answers = {true};
        Settings(cards[c]);
        Press("mnNew");
        Press("btnSave");
    }
    for (const QStringList& card : cards) {
        SCOPED_TRACE(card[0].toStdString());
        chooser.answers = {QString::fromStdString((folder / (card[0] + ".zep").toStdString()).string())};
        Press("btnOpen");
        ASSERT_EQ(QString::fromStdString(form().card().settings.name), card[0]);
        for (const QStringList& t : texts)
            if (t[0] == card[0]) OneLineText(t[1], t[2].toInt(), t[3], t[4], {});
        if (card[0] == "main") {
            Picture("main-picture", "main-picture-x", "main-picture-y");
            for (const char* item : {"mnMIDI", "mnButton0"}) {
                const bool music = item == std::string("mnMIDI");
                runner.Push([=, this](QDialog& d) {
                    Associate(d, music ? [this](QDialog& a) { Child<FileList>(a, "Midi_").SelectFile(V("main-music")); }
                                       : CardChoice(V("main-right").section('.', 0, 0)));
                    return true;
                });
                Press(item);
            }
        } else if (card[0] == "shashin") {
            Picture("shashin-picture", "shashin-picture-x", "shashin-picture-y");
        } else if (card[0] == "bunsho") {
            runner.Push([this](QDialog& d) {
                Child<FileList>(d, "txtFileList").SelectFile(V("bunsho-text"));
                Child<QSpinBox>(d, "spnPoint").setValue(V("bunsho-text-size").toInt());
                Child<QLineEdit>(d, "txtX").setText(V("bunsho-text-x"));
                Child<QLineEdit>(d, "txtY").setText(V("bunsho-text-y"));
                return true;
            });
            Press("btnTextFile");
        } else if (card[0] == "oto") {
            OneLineText(V("oto-text"), 0, V("oto-text-x"), V("oto-text-y"), [this](QDialog& a) {
                Child<RadioGroup>(a, "CardKind").item(1)->click();
                Child<FileList>(a, "Wave_").SelectFile(V("oto-sound"));
            });
        } else if (card[0] == "slide") {
            runner.Push([this](QDialog& d) {
                for (const char* k : {"slide-1", "slide-2", "slide-3"}) {
                    Child<FileList>(d, "AllCardList").SelectFile(V(k));
                    Child<QPushButton>(d, "SelBtn").click();
                }
                Child<QSpinBox>(d, "Sec").setValue(V("slide-seconds").toInt());
                return true;
            });
            Press("mnSlide");
        }
        for (const QStringList& f : frames) {
            if (f[0] != card[0]) continue;
            runner.Push([=, this](QDialog& d) {
                const char* corners[] = {"edtFrmX1", "edtFrmY1", "edtFrmX2", "edtFrmY2"};
                for (int i = 0; i < 4; ++i) Child<QLineEdit>(d, corners[i]).setText(f[1 + i]);
                Associate(d, CardChoice(f[5]));
                return true;
            });
            Press("btnFrame");
            OneLineText(f[6], 0, QString::number(f[1].toInt() + 20), QString::number(f[2].toInt() + 12),
                        CardChoice(f[5]));
        }
        prompts.answers = {true};  // the file of the same name is overwritten
        Press("btnSave");
        EXPECT_TRUE(runner.scripts.empty()) << "a dialog the page names did not open";
    }
    // Every card is the one the manual shows, and every control the page marks was pressed.
    for (const QStringList& card : cards)
        EXPECT_EQ(ReadBytes(folder / (card[0] + ".zep").toStdString()),
                  ReadBytes(std::filesystem::path(ZEPO_SOURCE_DIR "/help/tutorial") / (card[0] + ".zep").toStdString()))
            << card[0].toStdString();
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

TEST_F(ManualSearchTest, OneClickOnAResultOpensItsPageAndNothingFoundOpensNothing) {
    Start();
    ui().item("mnHelpMokuji")->trigger();
    HelpWindow& help = *form().help().window();
    help.ShowSearch();
    const struct {
        const char* words;
        const char* page;  // the page the first result opens; empty: nothing found, nothing opens
    } cases[] = {{"ガラスボタン 見えないボタン", "frame.html"},
                 {"スライドカードの数が多いため", "slide.html"},
                 {"存在しない言葉ですよ", ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words);
        help.ShowTopic("main");
        help.searchField->setText(QString::fromUtf8(c.words));
        QTest::keyClick(help.searchField, Qt::Key_Return);
        ASSERT_GE(help.searchResults->count(), 1);
        QListWidgetItem* first = help.searchResults->item(0);
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
    const std::pair<const char*, const char*> typed[] = {{"1行", "文字（１行）"}, {"ＭＩＤＩ", "MIDI"},
                                                         {"QV", "ＱＶcnt"},       {"ｶﾞﾗｽ", "ガラスボタン"},
                                                         {"いんさつ", "印刷"},    {"がらすぼたん", "ガラスボタン"}};
    for (const auto& [text, keyword] : typed) {
        help.indexFilter->setText(QString::fromUtf8(text));
        EXPECT_TRUE(help.IndexEntries().contains(QString::fromUtf8(keyword))) << text;
        QTest::keyClick(help.indexFilter, Qt::Key_Return);
        EXPECT_FALSE(help.currentPage().isEmpty()) << text;
    }
    for (const char* word : {"印刷", "全画面", "削除", "コピー", "ショートカット", "エラー", "ブラウザ", "公開",
                             "エクスポート", "戻る", "音楽", "1行", "ＭＩＤＩ", "ぶらうざ", "しょーとかっと"})
        EXPECT_FALSE(help.Search(QString::fromUtf8(word)).isEmpty()) << word;
}

}  // namespace
}  // namespace zepo::test
