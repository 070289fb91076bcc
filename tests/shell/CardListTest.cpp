// 「カード一覧」 over a prepared folder: every card listed, the filter, opening a card from the
// list and the map (with the question about unsaved changes), the map's marks, a folder that
// changes while the window is open, a card that cannot be read.

#include <unistd.h>
#include <QCryptographicHash>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QTabWidget>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>

#include "ShellFixture.h"
#include "core/TextCodec.h"
#include "dialogs/HelpWindow.h"
#include "dialogs/Prompts.h"
#include "model/MacroFile.h"
#include "shell/CardListWindow.h"

namespace zepo::test {
namespace {
namespace fs = std::filesystem;

std::string CardText(const std::string& name, const std::string& body) {
    return HeaderMarkerLine() + "\r\n" + Utf8ToSjis("card {" + name + "}\r\n" + body + "end\r\n").bytes;
}

class CardList : public ShellTest {
protected:
    void SetUp() override {
        App();
        qputenv("XDG_CACHE_HOME", QByteArray::fromStdString(cache.path().string()));
        // main leads to a and to a card that is not there; nothing leads to lonely.
        WriteBytes(cards.path() / "main.zep", CardText("main",
                                                       "\ttitle {はじめ}\r\n\ttext {10,10}{１行目の文字}{0}\r\n"
                                                       "\tbutton {0}{a,a.zep}\r\n\tbutton {1}{gone,gone.zep}\r\n"));
        WriteBytes(cards.path() / "a.zep", CardText("a", "\ttitle {エー}\r\n"));
        WriteBytes(cards.path() / "lonely.zep", CardText("lonely", "\ttitle {ひとり}\r\n"));
    }
    void TearDown() override {
        ShellTest::TearDown();
        qunsetenv("XDG_CACHE_HOME");
    }
    // Through the bar's button, or the card menu's item.
    CardListWindow& Open(bool fromMenu = false) {
        Start({(cards.path() / "main.zep").string()});
        scheduler.FireAll();
        TakeEvents();
        if (fromMenu) ui().item("mnCardList")->trigger();
        else form().findChild<QToolButton*>("btnCardList")->click();
        CardListWindow* window = form().findChild<CardListWindow*>();
        EXPECT_TRUE(window && window->isVisible());
        Settle(*window);
        return *window;
    }
    static void Settle(CardListWindow& w, int thumbnails = 3) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return w.settled() && w.thumbnailsDone() >= thumbnails; }, 10000));
    }
    static std::vector<QString> Rows(CardListWindow& w, int role = Qt::DisplayRole) {
        std::vector<QString> rows;
        for (int r = 0; r < w.model().rowCount(); ++r)
            rows.push_back(w.model().index(r).data(role).toString().section('\n', 0, 0));
        return rows;
    }
    static QModelIndex Row(CardListWindow& w, const QString& name) {
        for (int r = 0; r < w.model().rowCount(); ++r)
            if (w.model().index(r).data().toString().startsWith(name + "\n")) return w.model().index(r);
        return {};
    }
    static QGraphicsItem* Item(CardListWindow& w, const QString& name, const QString& to = {}) {
        for (QGraphicsItem* item : w.mapScene().items())
            if (item->data(0).toString() == name && (to.isEmpty() || item->data(2).toString() == to)) return item;
        return nullptr;
    }
    TempFolder cards, cache;
};

TEST_F(CardList, ListsEveryCardFiltersMarksProblemsAndKeepsThumbnailsPrivate) {
    CardListWindow& w = Open();
    EXPECT_EQ(Rows(w), (std::vector<QString>{"a.zep", "lonely.zep", "main.zep"}));
    EXPECT_TRUE(Row(w, "lonely.zep").data(CardListModel::UnreachableRole).toBool());
    EXPECT_FALSE(Row(w, "a.zep").data(CardListModel::UnreachableRole).toBool());
    EXPECT_TRUE(Row(w, "main.zep").data(CardListModel::ProblemRole).toBool());
    EXPECT_TRUE(Row(w, "main.zep").data(Qt::ToolTipRole).toString().contains("gone.zep"));
    EXPECT_FALSE(Row(w, "a.zep").data(CardListModel::ProblemRole).toBool());

    const struct {
        const char* typed;
        std::vector<QString> shown;
    } filters[] = {
        {"1行", {"main.zep"}},       // the text, typed half-width, matches its full-width form
        {"ｴｰ", {"a.zep"}},           // the title, half-width katakana
        {"LONELY", {"lonely.zep"}},  // the name, in any case
        {"はじめ 文字", {"main.zep"}},
        {"どこにもない", {}},
    };
    auto* filter = w.findChild<QLineEdit*>("edtCardFilter");
    for (const auto& f : filters) {
        filter->setText(QString::fromUtf8(f.typed));
        EXPECT_EQ(Rows(w), f.shown) << f.typed;
    }
    filter->clear();
    EXPECT_EQ(w.model().rowCount(), 3);

    // The thumbnails are kept in the user's cache, closed to other users.
    const fs::path kept = cache.path() / "zepoed" / "thumbnails";
    int files = 0;
    for (const auto& e : fs::directory_iterator(kept)) files += e.path().extension() == ".png";
    EXPECT_EQ(files, 3);
    EXPECT_EQ(fs::status(kept).permissions() & fs::perms::all, fs::perms::owner_all);
}

// The one cache folder is the user's alone: a thumbnail someone replaced by a link is drawn
// again in its place, never through the link; a cache in another user's folder keeps no
// thumbnails (the list still shows them); the help index lies beside the thumbnails.
TEST_F(CardList, TheCacheIsNeverWrittenThroughALinkNorInAnotherUsersFolder) {
    const fs::path zepoed = cache.path() / "zepoed", kept = zepoed / "thumbnails", notes = cards.path() / "notes.txt";
    const auto stop = [&] { windows.reset(), scheduler.pending.clear(); };  // what the next start must not run
    Open();
    stop();
    WriteBytes(notes, "文化祭のメモ");
    for (const auto& e : fs::directory_iterator(kept)) {
        fs::remove(e.path());
        fs::create_symlink(notes, e.path());
    }
    fs::permissions(zepoed, fs::perms::all);
    Open();
    EXPECT_EQ(ReadBytes(notes), "文化祭のメモ");
    for (const auto& e : fs::directory_iterator(kept)) EXPECT_TRUE(e.is_regular_file() && !e.is_symlink()) << e.path();
    EXPECT_EQ(fs::status(zepoed).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_EQ(DefaultHelpCollection().toStdString(), (zepoed / "zepoed-help.qhc").string());
    stop();
    if (geteuid() != 0) return;  // giving a folder to another user needs root
    fs::remove_all(zepoed);
    ASSERT_EQ(chown(cache.path().c_str(), 54321, 54321), 0);
    CardListWindow& w = Open();
    EXPECT_EQ(w.model().rowCount(), 3);
    EXPECT_FALSE(fs::exists(zepoed));
    EXPECT_EQ(DefaultHelpCollection().toStdString().rfind(cache.path().string(), 0), std::string::npos);
}

// Earlier sessions filled the cache past its bound: its first use drops the oldest files, a
// quarter of the bound and those beyond it, and keeps the recent ones.
TEST(CardThumbnailCache, DropsTheOldestFilesPastItsBound) {
    TempFolder cache;
    const fs::path kept = cache.path() / "zepoed" / "thumbnails";
    fs::create_directories(kept);
    std::set<std::string> old;
    for (int i = 0; i < 41; ++i) {
        const std::string name =
            QCryptographicHash::hash(QByteArray::number(i), QCryptographicHash::Sha256).toHex().toStdString() + ".png";
        WriteBytes(kept / name, "\x89PNG\r\n");
        if (i % 4) continue;
        fs::last_write_time(kept / name, fs::file_time_type::clock::now() - std::chrono::hours(24 * 400 + i));
        old.insert(name);
    }
    CardThumbnails thumbnails(kept, QSize(640, 480), 1 << 20, 40);
    EXPECT_FALSE(thumbnails.Has("a card drawn nowhere"));
    std::map<std::string, int> files;
    for (const auto& e : fs::directory_iterator(kept)) ++files[old.count(e.path().filename()) ? "old" : "recent"];
    EXPECT_EQ(files, (std::map<std::string, int>{{"recent", 30}}));
}

TEST_F(CardList, TheMapDrawsBrokenLinksRedMarksTheUnreachableAndOpensCards) {
    CardListWindow& w = Open();
    QGraphicsItem* gone = Item(w, "gone.zep");
    ASSERT_TRUE(gone);
    EXPECT_EQ(gone->data(1).toString(), "missing");
    const QColor broken = gone->data(3).value<QColor>();
    EXPECT_GT(broken.red(), 2 * broken.green());
    QGraphicsItem* link = Item(w, "edge", "gone.zep");
    ASSERT_TRUE(link);
    EXPECT_EQ(link->data(3).value<QColor>(), broken);
    EXPECT_NE(Item(w, "edge", "a.zep")->data(3).value<QColor>(), broken);
    EXPECT_TRUE(Item(w, "lonely.zep")->data(2).toBool());
    EXPECT_FALSE(Item(w, "a.zep")->data(2).toBool());

    // A double click on a card of the map opens it, as in the list; a single click does not.
    w.findChild<QTabWidget*>()->setCurrentIndex(1);
    auto* view = w.findChild<QGraphicsView*>();
    QGraphicsItem* lonely = Item(w, "lonely.zep");
    view->centerOn(lonely);
    const QPoint at = view->mapFromScene(lonely->sceneBoundingRect().center());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(form().card().settings.name, "main") << "a single click opens nothing";
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(form().card().settings.name, "lonely");
}

TEST_F(CardList, OpeningFromTheListAsksAboutUnsavedChangesAsTheOpenCommandDoes) {
    CardListWindow& w = Open();
    Modify([](Card& card) { card.settings.title = "changed"; });
    auto* list = w.findChild<QListView*>("lstCards");
    const std::string ask = "choose:main.zep\r変更を保存しますか？";
    const struct {
        Choice answer;
        const char* cardAfter;
    } cases[] = {{Choice::Cancel, "main"}, {Choice::No, "a"}};
    for (const auto& c : cases) {
        prompts.choices = {c.answer};
        const QRect cell = list->visualRect(Row(w, "a.zep"));
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, cell.center());

        const auto events = TakeEvents();
        EXPECT_EQ(std::count(events.begin(), events.end(), ask), 1);
        EXPECT_EQ(form().card().settings.name, c.cardAfter);
    }
    EXPECT_FALSE(form().document().isModified());
}

TEST_F(CardList, FollowsCardsSavedHereOrByAnotherProgram) {
    CardListWindow& w = Open(/*fromMenu=*/true);
    // Another program writes a card into the folder.
    WriteBytes(cards.path() / "new.zep", CardText("new", "\ttitle {あたらしい}\r\n"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return Row(w, "new.zep").isValid() && w.settled(); }, 10000));
    Settle(w, 4);
    EXPECT_TRUE(Row(w, "new.zep").data().toString().endsWith(QString::fromUtf8("あたらしい")));
    EXPECT_TRUE(Item(w, "new.zep")->data(2).toBool());  // nothing leads to it yet
    // The editor saves the open card with a new title.
    Modify([](Card& card) { card.settings.title = Utf8ToSjis("あたらしい題").bytes; });
    prompts.answers = {true};  // over the card's own file
    ASSERT_TRUE(form().cardFile().Save());
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return Row(w, "main.zep").data().toString().endsWith(QString::fromUtf8("あたらしい題")); }, 10000));
    // A card whose name cannot be a card name is listed with the reason, and the rest stay.
    const QString unreadable = QString::fromUtf8("\xF0\x9F\x98\x80.zep");
    WriteBytes(cards.path() / unreadable.toStdString(), CardText("x", ""));
    EXPECT_TRUE(QTest::qWaitFor([&] { return Row(w, unreadable).isValid() && w.settled(); }, 10000));
    const QString why = Row(w, unreadable).data(CardListModel::ErrorRole).toString();
    EXPECT_FALSE(why.isEmpty());
    EXPECT_TRUE(Row(w, unreadable).data().toString().endsWith(why));
    EXPECT_EQ(w.model().rowCount(), 5);
}

}  // namespace
}  // namespace zepo::test

namespace zepo::test {
namespace {

// What a label or a tip reads: its text as typed, or what the markup Qt took it for draws.
QString AsRead(const QString& text, Qt::TextFormat format = Qt::AutoText) {
    if (format == Qt::PlainText || (format == Qt::AutoText && !Qt::mightBeRichText(text))) return text;
    QTextDocument page;
    page.setHtml(text);
    return page.toPlainText();
}
QString AsRead(const QLabel* label) { return AsRead(label->text(), label->textFormat()); }

// Names of folders, cards and pictures come from anyone: message boxes, the status bar, the
// list's tips and status show them as typed, never as a heading or a link.
TEST_F(CardList, NamesWithMarkupReadAsTyped) {
    const QString room = "<font color=red size=7>教室", title = "<h2>見出し",
                  picture = R"(<a href="https://example.com">ここをクリックして修復</a><h2>FAKE</h2>.bmp)";
    const fs::path folder = cards.path() / room.toStdString();
    fs::create_directory(folder);
    WriteBytes(folder / "main.zep",
               CardText("main", "\tbitmap {0,0}{" + picture.toStdString() + ",100.0}{0}{this}\r\n"));
    WriteBytes(folder / "<i>b.zep", CardText("<i>b", "\ttitle {" + title.toStdString() + "}\r\n"));
    QtPrompts real;
    boxes = &real;
    QString boxTexts;
    QTimer closer;  // reads each message box as it opens, and closes it
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); box && box->isVisible()) {
            for (const QLabel* label : box->findChildren<QLabel*>()) boxTexts += AsRead(label);
            box->done(0);
        }
    });
    closer.start(10);
    Start({(folder / "main.zep").string()});
    scheduler.FireAll();
    form().findChild<QToolButton*>("btnCardList")->click();
    CardListWindow& w = *form().findChild<CardListWindow*>();
    Settle(w, 2);
    const QString rowTip = AsRead(Row(w, "<i>b.zep").data(Qt::ToolTipRole).toString()),
                  mapTip = AsRead(Item(w, "<i>b.zep")->toolTip());
    for (const char* card : {"main.zep", "<i>b.zep"}) fs::remove(folder / card);  // the status names the folder
    auto* status = w.findChild<QLabel*>("lblCardListStatus");
    EXPECT_TRUE(QTest::qWaitFor([&] { return status->text().contains("がありません"); }, 10000));
    for (const auto& [read, typed] : {std::pair{boxTexts, picture},
                                      {AsRead(ui().stbFile), room},
                                      {AsRead(status), room},
                                      {rowTip, "<i>b.zep  " + title},
                                      {mapTip, title}})
        EXPECT_TRUE(read.contains(typed)) << read.toStdString();
}

// A hundred cards of a presentation, five of them about katakana: the window names its folder,
// the map's names stay readable at the fitting zoom, and a filter typed in hiragana finds the
// five, counts them and marks them on the map.
TEST_F(CardList, AHundredCardsAreReadableAndAFilterIsCountedAndMarkedOnTheMap) {
    for (int i = 1; i <= 100; ++i) {
        const std::string name = (i % 3 ? "Kapitel-" : "kapitel_") + std::to_string(i);
        const std::string next = "\tbutton {0}{next,Kapitel-" + std::to_string(i + 1) + ".zep}\r\n";
        const std::string title =
            i % 20 == 7 ? "<b>カタカナ</b>の練習 " + std::to_string(i) : "第" + std::to_string(i) + "章";
        WriteBytes(cards.path() / (name + ".zep"), CardText(name, "\ttitle {" + title + "}\r\n" + next));
    }
    CardListWindow& w = Open();
    EXPECT_EQ(w.windowTitle(), QString::fromStdString("カード一覧 - " + cards.path().string()));
    EXPECT_EQ(w.model().rowCount(), 103);
    w.findChild<QTabWidget*>()->setCurrentIndex(1);
    const double scale = w.findChild<QGraphicsView*>()->transform().m11();
    int nodes = 0;
    for (QGraphicsItem* item : w.mapScene().items()) {
        if (item->data(1).toString() != "card") continue;
        ++nodes;
        EXPECT_GE(item->data(5).toDouble() * scale, 9.0)
            << item->data(0).toString().toStdString() << ": name too small";
        EXPECT_GE(item->boundingRect().width() * scale, 48.0) << item->data(0).toString().toStdString();
    }
    EXPECT_EQ(nodes, 103);

    const struct {
        const char* typed;
        int fit;
    } filters[] = {{"かたかな", 5}, {"カタカナ", 5}, {"ｶﾀｶﾅ", 5}, {"KAPITEL_", 33}, {"", -1}};
    auto* status = w.findChild<QLabel*>("lblCardListStatus");
    for (const auto& f : filters) {
        w.findChild<QLineEdit*>("edtCardFilter")->setText(QString::fromUtf8(f.typed));
        const bool filtering = f.fit >= 0;
        EXPECT_EQ(w.model().rowCount(), filtering ? f.fit : 103) << f.typed;
        EXPECT_EQ(status->text(), filtering ? QString("%1 / 103 枚").arg(f.fit) : QString("103 枚")) << f.typed;
        int marked = 0, faded = 0;
        for (QGraphicsItem* item : w.mapScene().items()) {
            if (item->data(1).toString() != "card") continue;
            const QVariant match = item->data(4);
            EXPECT_EQ(match.isValid(), filtering) << f.typed;
            marked += match.isValid() && match.toBool();
            faded += match.isValid() && !match.toBool();
        }
        EXPECT_EQ(marked, filtering ? f.fit : 0) << f.typed;
        EXPECT_EQ(faded, filtering ? 103 - f.fit : 0) << f.typed;
    }
}

TEST_F(CardList, ACycleASelfLinkAndAThousandLinksToOneCardAreMappedWithoutHanging) {
    // A card holds at most a few dozen links; a thousand cards all leading to one is the
    // widest fan the window can meet.
    WriteBytes(cards.path() / "main.zep", CardText("main", "\tbutton {0}{main,main.zep}\r\n\tbutton {1}{a,a.zep}\r\n"));
    WriteBytes(cards.path() / "a.zep", CardText("a", "\tbutton {0}{main,main.zep}\r\n"));
    for (int i = 1; i <= 1000; ++i) {
        const std::string name = "c" + std::to_string(i);
        WriteBytes(cards.path() / (name + ".zep"), CardText(name, "\tbutton {0}{main,main.zep}\r\n"));
    }
    CardListWindow& w = Open();
    EXPECT_EQ(w.model().rowCount(), 1003);
    int nodes = 0, toMain = 0;
    for (QGraphicsItem* item : w.mapScene().items()) {
        nodes += item->data(1).toString() == "card";
        toMain += item->data(0).toString() == "edge" && item->data(2).toString() == "main.zep";
    }
    EXPECT_EQ(nodes, 1003);
    EXPECT_EQ(toMain, 1002);  // main itself, a and the thousand
    EXPECT_TRUE(Item(w, "lonely.zep")->data(2).toBool());
}

}  // namespace
}  // namespace zepo::test
