// zepocard check over a whole set and zepocard export, run as the program itself.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <QImage>

#include <array>
#include <cstdio>
#include <filesystem>

#include "TempFolder.h"

namespace zepo {
namespace {
namespace fs = std::filesystem;
using test::ReadBytes;

struct Outcome {
    int exitCode = -1;
    std::string out, err;
};

Outcome Zepocard(const std::string& arguments, const fs::path& scratch) {
    const fs::path errFile = scratch / "stderr.txt";
    std::string command = std::string(ZEPOCARD) + " " + arguments + " 2>'" + errFile.string() + "'";
    Outcome run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return run;
    std::array<char, 4096> buf;
    for (size_t n; (n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0;) run.out.append(buf.data(), n);
    int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = ReadBytes(errFile);
    return run;
}

std::string Quote(const fs::path& p) { return "'" + p.string() + "'"; }

class CardSetCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        set_ = temp_.path() / "set";
        fs::copy(fs::path(ZEPO_SOURCE_DIR) / "examples", set_);
    }
    // Replaces UTF-8 text in a card (kept in Shift-JIS; the replaced parts are ASCII).
    void Edit(const std::string& card, const std::string& from, const std::string& to) {
        std::string bytes = ReadBytes(set_ / card);
        size_t at = bytes.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        test::WriteBytes(set_ / card, bytes.replace(at, from.size(), to));
    }
    test::TempFolder temp_;
    fs::path set_;
};

TEST_F(CardSetCommandsTest, CheckReportsEveryBrokenLinkOfTheSetWithItsFileAndLine) {
    Edit("main.zep", "\tbutton {0}{next,next.zep}", "\tbutton {0}{next2,next2.zep}\r\n\twave   {gone.wav}");
    Edit("last.zep", "\t\t{next,next.zep}", "\t\t{nope,nope.zep}");
    Edit("next.zep", "{FA}{last,last.zep}", "{FA}{../last,../last.zep}");
    // A card no link leads to, found although its extension is in capitals.
    test::WriteBytes(set_ / "ORPHAN.ZEP", ReadBytes(set_ / "next.zep"));
    const std::string dir = set_.string();
    Outcome check = Zepocard("check " + Quote(set_), temp_.path());
    EXPECT_EQ(check.exitCode, 1) << check.err;
    EXPECT_EQ(check.out, dir + "/ORPHAN.ZEP:1: unreachable: main.zep からどのリンクでもたどれないカードです\n" + dir +
                             "/ORPHAN.ZEP:24: outside folder: 「../last.zep」はカードのフォルダの外を指しています\n" +
                             dir + "/last.zep:22: missing card: カード「nope.zep」がありません\n" + dir +
                             "/main.zep:34: missing card: カード「next2.zep」がありません\n" + dir +
                             "/main.zep:35: missing file: ファイル「gone.wav」がありません\n" + dir +
                             "/next.zep:24: outside folder: 「../last.zep」はカードのフォルダの外を指しています\n");
    EXPECT_NE(check.err.find("カード 4 枚: エラー 5 件、警告 1 件"), std::string::npos) << check.err;

    // A card named twice is reported once.
    const std::string main = Quote(set_ / "main.zep");
    EXPECT_EQ(Zepocard("check " + main + " " + main, temp_.path()).out, Zepocard("check " + main, temp_.path()).out);

    Outcome json = Zepocard("check --json " + Quote(set_ / "main.zep") + " " + Quote(set_ / "last.zep"), temp_.path());
    EXPECT_EQ(json.exitCode, 1);
    EXPECT_EQ(
        json.out,
        "[\n {\"file\": \"" + dir +
            "/main.zep\", \"line\": 34, \"kind\": \"missing card\", "
            "\"severity\": \"error\", \"text\": \"カード「next2.zep」がありません\"},\n {\"file\": \"" +
            dir +
            "/main.zep\", \"line\": 35, \"kind\": \"missing file\", \"severity\": \"error\", \"text\": "
            "\"ファイル「gone.wav」がありません\"},\n {\"file\": \"" +
            dir +
            "/last.zep\", \"line\": 22, "
            "\"kind\": \"missing card\", \"severity\": \"error\", \"text\": \"カード「nope.zep」がありません\"}\n]\n");
}

TEST_F(CardSetCommandsTest, CheckExitCodes) {
    test::WriteBytes(temp_.path() / "orphans" / "x", "");
    fs::create_directories(temp_.path() / "empty");
    fs::create_directories(temp_.path() / "lonely");
    test::WriteBytes(temp_.path() / "lonely" / "main.zep", ReadBytes(set_ / "main.zep"));
    test::WriteBytes(temp_.path() / "lonely" / "next.zep", ReadBytes(set_ / "next.zep"));
    test::WriteBytes(temp_.path() / "lonely" / "spare.zep", "card {spare}\r\nend\r\n");
    struct Case {
        std::string arguments;
        int exitCode;
        bool quiet;  // nothing on standard output
    } cases[] = {
        {Quote(set_), 0, true},
        {Quote(set_ / "next.zep") + " " + Quote(set_ / "last.zep"), 0, true},  // no main among them: not a finding
        {"--json " + Quote(set_), 0, false},                                   // "[]"
        {Quote(temp_.path() / "lonely" / "main.zep") + " " + Quote(temp_.path() / "lonely" / "next.zep"), 1, false},
        {Quote(set_) + " " + Quote(temp_.path() / "none.zep"), 2, true},
        {Quote(temp_.path() / "empty"), 2, true},
        {"--json", 2, true},
        {"--frobnicate " + Quote(set_), 2, true},
    };
    for (const Case& c : cases) {
        Outcome run = Zepocard("check " + c.arguments, temp_.path());
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments << run.out << run.err;
        EXPECT_EQ(run.out.empty(), c.quiet) << c.arguments << run.out;
    }
    // An unreachable card alone is a warning: shown, but the set passes.
    fs::remove(temp_.path() / "lonely" / "next.zep");
    test::WriteBytes(temp_.path() / "lonely" / "next.zep", "card {next}\r\nend\r\n");
    fs::copy_file(set_ / "sakura.bmp", temp_.path() / "lonely" / "sakura.bmp");
    Outcome warned = Zepocard("check " + Quote(temp_.path() / "lonely"), temp_.path());
    EXPECT_EQ(warned.exitCode, 0) << "hand-made cards without the marker line pass: " << warned.out;
    EXPECT_NE(warned.out.find("spare.zep:1: unreachable"), std::string::npos) << warned.out;
}

TEST_F(CardSetCommandsTest, ExportWritesPagesPicturesAndMediaUnderEncodedNames) {
    // A card whose name has a blank, "#" and Japanese; a sound the main card plays.
    fs::rename(set_ / "next.zep", set_ / "つぎ #2.zep");
    const std::string next = "\x82\xc2\x82\xac #2";  // つぎ #2 in Shift-JIS
    for (const char* card : {"main.zep", "last.zep", "つぎ #2.zep"}) {
        std::string bytes = ReadBytes(set_ / card);
        for (size_t at; (at = bytes.find("next")) != std::string::npos;) bytes.replace(at, 4, next);
        test::WriteBytes(set_ / card, bytes);
    }
    fs::create_directories(set_ / "snd");
    test::WriteBytes(set_ / "snd" / "ding dong.wav", "RIFF");
    Edit("main.zep", "\tbutton {0}",
         "\tbutton {2}{WAVE,snd/ding dong.wav}\r\n\tbutton {3}{MIDI,gone.mid}\r\n\tbutton {0}");
    const fs::path site = temp_.path() / "site";
    Outcome run = Zepocard("export " + Quote(set_) + " -o " + Quote(site) + " --screen 800x600", temp_.path());
    EXPECT_EQ(run.exitCode, 1) << "one link left out: " << run.err;
    EXPECT_NE(run.err.find("「gone.mid」がフォルダにないため"), std::string::npos) << run.err;

    for (const char* file : {"index.html", "zepo.js", "zepo.css", "cards/main.html", "cards/つぎ #2.html",
                             "pictures/つぎ #2.png", "thumbs/last.png"})
        EXPECT_TRUE(fs::is_regular_file(site / file)) << file;
    EXPECT_EQ(ReadBytes(site / "media" / "snd" / "ding dong.wav"), "RIFF");
    EXPECT_EQ(QImage(QString::fromStdString((site / "pictures" / "main.png").string())).size(), QSize(800, 600));

    const std::string main = ReadBytes(site / "cards" / "main.html");
    const std::string encoded = "%E3%81%A4%E3%81%8E%20%232.html";
    EXPECT_NE(main.find("<a class=\"area\" href=\"" + encoded + "\" title=\"つぎへ\""), std::string::npos) << main;
    EXPECT_NE(main.find("id=\"button2\" class=\"button\" href=\"../media/snd/ding%20dong.wav\" data-action=\"play\""),
              std::string::npos)
        << main;
    EXPECT_NE(
        main.find("id=\"button3\" class=\"button\" href=\"#\" data-action=\"note\" data-note=\"「gone.mid」がない"),
        std::string::npos)
        << "a missing file is said where it would play";
    const std::string last = ReadBytes(site / "cards" / "last.html");
    EXPECT_NE(last.find("data-slide=\"5,main.html," + encoded + ",last.html\""), std::string::npos) << last;
    // The list, after the map of the links.
    const std::string whole = ReadBytes(site / "index.html"), index = whole.substr(whole.find("<ol"));
    EXPECT_LT(index.find("cards/main.html"), index.find("cards/" + encoded));
    EXPECT_LT(index.find("cards/" + encoded), index.find("cards/last.html"));

    // A second export over the first one replaces it.
    EXPECT_EQ(Zepocard("export " + Quote(set_) + " -o " + Quote(site), temp_.path()).exitCode, 1);
    EXPECT_EQ(QImage(QString::fromStdString((site / "pictures" / "main.png").string())).size(), QSize(1024, 768))
        << "the screen of zepocard render by default";
}

TEST_F(CardSetCommandsTest, ExportRefusesWhatItCannotDo) {
    test::WriteBytes(temp_.path() / "file", "x");
    for (const std::string& args : {"export " + Quote(set_), "export -o " + Quote(temp_.path() / "s"),
                                    "export " + Quote(set_) + " -o " + Quote(temp_.path() / "s") + " --screen 0x480",
                                    "export " + Quote(set_) + " -o " + Quote(temp_.path() / "s") + " --screen 640",
                                    "export " + Quote(set_) + " -o " + Quote(temp_.path() / "file"),
                                    "export " + Quote(set_ / "main.zep") + " -o " + Quote(temp_.path() / "s")}) {
        Outcome run = Zepocard(args, temp_.path());
        EXPECT_EQ(run.exitCode, 2) << args;
        EXPECT_NE(run.err, "") << args;
    }
    EXPECT_FALSE(fs::exists(temp_.path() / "s"));
}

}  // namespace
}  // namespace zepo
