// ゼポ on a desktop without the player program: the save folder becomes pages in the user's
// cache folder and the browser is sent to the page of the card being edited.

#include <unistd.h>

#include <QUrl>

#include "ShellFixture.h"
#include "core/TextCodec.h"
#include "shell/BrowserPlayer.h"

namespace zepo::test {
namespace {

namespace fs = std::filesystem;

class PlayerInBrowser : public ShellTest {
protected:
    void SetUp() override {
        hadCache = qEnvironmentVariableIsSet("XDG_CACHE_HOME");
        oldCache = qgetenv("XDG_CACHE_HOME");
        qputenv("XDG_CACHE_HOME", QByteArray::fromStdString(cache.path().string()));
        Start();
        for (const auto& entry : fs::directory_iterator(fs::path(ZEPO_SOURCE_DIR) / "examples"))
            fs::copy_file(entry.path(), program() / entry.path().filename());
        chooser.answers.push_back(QString::fromStdString((program() / "next.zep").string()));
        form().cardFile().Open();
        ASSERT_EQ(form().card().settings.name, "next");
        launcher.missing = {"\\zepo\\zepo.exe"};
        TakeEvents();
    }
    void TearDown() override {
        if (hadCache) qputenv("XDG_CACHE_HOME", oldCache);
        else qunsetenv("XDG_CACHE_HOME");
        ShellTest::TearDown();
    }
    // The file the browser was sent to, or nothing.
    fs::path OpenedPage() const {
        for (const std::string& s : launcher.started)
            if (s.rfind("url|", 0) == 0) return QUrl(QString::fromStdString(s.substr(4))).toLocalFile().toStdString();
        return {};
    }
    std::string PageText(const fs::path& page) const { return ReadBytes(page); }

    TempFolder cache;
    bool hadCache = false;
    QByteArray oldCache;
};

TEST_F(PlayerInBrowser, TheCardBeingEditedIsShownFromTheCacheAfterTheQuestionsAUserExpects) {
    const fs::path card = program() / "next.zep";
    const fs::path expected = PlayerCacheSite(program()) / "cards" / "next.html";
    ASSERT_EQ(expected.parent_path().parent_path().parent_path(), cache.path() / "zepoed");
    const std::string saved = ReadBytes(card);
    struct Case {
        const char* what;
        std::string title;         // typed before ゼポ (Shift-JIS); empty: unchanged
        Choice saveFirst;          // save first? (asked only for an edited card)
        std::deque<bool> answers;  // overwrite?
        std::vector<std::string> events;
        bool opened;
        bool pageHasNewTitle;
    };
    const std::string save = "choose:カードが保存されていません。\r保存してから実行しますか？";
    const std::string overwrite = "ask:next.zep\rフォルダ：" + program().string() +
                                  "\rこのカードを読み込んだ（保存した）あとで、ファイルがほかで変更されています"
                                  "\r上書きしてよろしいですか？";
    const std::vector<Case> cases = {
        {"saved card: no question", "", Choice::Cancel, {}, {}, true, false},
        {"edited, cancelled: nothing shown", Sjis("未保存の題"), Choice::Cancel, {}, {"beep?", save}, false, false},
        {"edited, not saved: plays the saved file", Sjis("未保存の題"), Choice::No, {}, {"beep?", save}, true, false},
        {"edited and saved over its own file: no second question",
         Sjis("保存した題"),
         Choice::Yes,
         {},
         {"beep?", save},
         true,
         true},
    };
    for (const Case& c : cases) {
        launcher.started.clear();
        if (!c.title.empty()) Modify([&](Card& k) { k.settings.title = c.title; });
        prompts.answers = c.answers;
        prompts.choices = {c.saveFirst};
        Child<QAction>(form(), "mnZEPO").trigger();
        std::vector<std::string> events = TakeEvents();
        // The save command's own report after a save is not the player's business.
        if (events.size() > c.events.size()) events.resize(c.events.size());
        EXPECT_EQ(events, c.events) << c.what;
        EXPECT_EQ(launcher.started.front(), "\\zepo\\zepo.exe||" + program().string()) << c.what;
        if (!c.opened) {
            EXPECT_EQ(launcher.started.size(), 1u) << c.what;
            continue;
        }
        const fs::path page = OpenedPage();
        EXPECT_EQ(page, expected) << c.what;
        ASSERT_TRUE(fs::is_regular_file(page)) << c.what;
        EXPECT_EQ(PageText(page).find("保存した題") != std::string::npos, c.pageHasNewTitle) << c.what;
        if (!c.pageHasNewTitle) {
            EXPECT_EQ(ReadBytes(card), saved) << c.what;
        }
    }
    // The file written again by another program meanwhile: the question says so; declined,
    // nothing is shown and the file stays.
    Modify([&](Card& k) { k.settings.title = Sjis("未保存の題"); });
    fs::last_write_time(card, fs::last_write_time(card) + std::chrono::seconds(5));
    const std::string before = ReadBytes(card);
    prompts.answers = {false};
    prompts.choices = {Choice::Yes};
    launcher.started.clear();
    Child<QAction>(form(), "mnZEPO").trigger();
    EXPECT_EQ(TakeEvents(), (std::vector<std::string>{"beep?", save, "beep?", overwrite}));
    EXPECT_EQ(launcher.started.size(), 1u) << "only the player's own check";
    EXPECT_EQ(ReadBytes(card), before);
}

TEST_F(PlayerInBrowser, WithoutABrowserOrAPageTheUserIsToldTheCardCannotBePlayed) {
    const fs::path page = PlayerCacheSite(program()) / "cards" / "next.html";
    launcher.missing.insert(QUrl::fromLocalFile(QString::fromStdString(page.string())).toString());
    Child<QAction>(form(), "mnZEPO").trigger();
    EXPECT_EQ(TakeEvents(), (std::vector<std::string>{
                                "beep!", "show:ゼポが実行できません\rブラウザで開けませんでした: " + page.string()}));
    EXPECT_TRUE(fs::is_regular_file(page)) << "the pages were made before the browser was asked";

    // A site that is a file cannot be written: the reason comes with the message.
    fs::remove_all(PlayerCacheSite(program()));
    WriteBytes(PlayerCacheSite(program()), "not a folder");
    launcher.started.clear();
    Child<QAction>(form(), "mnZEPO").trigger();
    const std::vector<std::string> events = TakeEvents();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[1].rfind("show:ゼポが実行できません\r", 0), 0u) << events[1];
    EXPECT_TRUE(OpenedPage().empty());

    // The cache folder made a link into someone else's folder, a record there a link to their
    // file: neither is followed.
    const fs::path victim = cache.path() / "victim", site = victim / PlayerCacheSite(program()).filename();
    fs::remove_all(cache.path() / "zepoed");
    fs::create_directories(site);
    WriteBytes(cache.path() / "victim.txt", "victim");
    fs::create_symlink(cache.path() / "victim.txt", site / ".zepocard-manifest.json");
    fs::create_directory_symlink(victim, cache.path() / "zepoed");
    Child<QAction>(form(), "mnZEPO").trigger();
    const std::vector<std::string> linked = TakeEvents();
    ASSERT_EQ(linked.size(), 2u);
    EXPECT_NE(linked[1].find("zepoed」はリンク"), std::string::npos) << linked[1];
    EXPECT_EQ(ReadBytes(cache.path() / "victim.txt"), "victim");
    EXPECT_FALSE(fs::exists(site / "index.html"));

    // A cache folder in a folder of another user, who could swap it for a link during the
    // export: no page is made there.
    if (geteuid() != 0) return;
    fs::remove(cache.path() / "zepoed");
    ASSERT_EQ(chown(cache.path().c_str(), 54321, 54321), 0);
    Child<QAction>(form(), "mnZEPO").trigger();
    const std::vector<std::string> foreign = TakeEvents();
    ASSERT_EQ(foreign.size(), 2u);
    EXPECT_NE(foreign[1].find(cache.path().string() + "」はほかのユーザーのフォルダ"), std::string::npos) << foreign[1];
    EXPECT_FALSE(fs::exists(cache.path() / "zepoed"));
}

}  // namespace
}  // namespace zepo::test
