// zepocard against files from strangers and against mistakes on the command line: nothing
// written where it must not be, no failure passed off as success, nothing from a card that
// reaches the terminal as a control sequence.

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <set>

#include "TempFolder.h"
#include "core/TextCodec.h"

namespace zepo {
namespace {
namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

struct Outcome {
    int exitCode = -1;
    std::string out, err;
};

// `command` is shell text: it may redirect standard output itself.
Outcome Shell(const std::string& shell, const fs::path& scratch) {
    const fs::path errFile = scratch / "stderr.txt";
    const std::string command = shell + " 2>'" + errFile.string() + "'";
    Outcome run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return run;
    std::array<char, 4096> buf;
    for (size_t n; (n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0;) run.out.append(buf.data(), n);
    const int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = ReadBytes(errFile);
    return run;
}

Outcome Zepocard(const std::string& arguments, const fs::path& scratch) {
    return Shell(std::string(ZEPOCARD) + " " + arguments, scratch);
}

std::string Q(const fs::path& p) { return "'" + p.string() + "'"; }

// Every plain file below `root` that is not below `except`, with its bytes.
std::map<fs::path, std::string> FilesOutside(const fs::path& root, const fs::path& except) {
    std::map<fs::path, std::string> files;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        if (it->path() == except) it.disable_recursion_pending();
        else if (it->is_regular_file() && !it->is_symlink()) files[it->path()] = ReadBytes(it->path());
    }
    return files;
}

class ZepocardSafetyTest : public ::testing::Test {
protected:
    void SetUp() override {
        set_ = temp_.path() / "set";
        fs::copy(fs::path(ZEPO_SOURCE_DIR) / "examples", set_);
    }
    fs::path Card(const fs::path& file, const std::string& utf8) {
        WriteBytes(file, Utf8ToSjis(utf8).bytes);
        return file;
    }
    test::TempFolder temp_;
    fs::path set_;
};

// An output that is one of the inputs or a card, a picture named for a format that is not
// written, and two cards that would share one picture are refused before anything is written.
TEST_F(ZepocardSafetyTest, OutputsThatWouldLoseACardOrAPictureAreRefused) {
    const fs::path a = temp_.path() / "a", b = temp_.path() / "b";
    fs::create_directories(a);
    fs::create_directories(b);
    fs::copy_file(set_ / "main.zep", a / "main.zep");
    fs::copy_file(set_ / "sakura.bmp", a / "sakura.bmp");
    fs::copy_file(set_ / "next.zep", b / "main.zep");
    fs::copy_file(set_ / "last.zep", a / "MAIN.ZEP");  // a card whose name is upper case
    const std::string card = ReadBytes(set_ / "main.zep"), picture = ReadBytes(set_ / "sakura.bmp");
    const std::string main = Q(set_ / "main.zep"), out = temp_.path().string();
    const fs::path notes = a / "notes.txt";  // a file of the user's outside every output
    WriteBytes(notes, "my notes");
    const struct {
        std::string arguments;
        int exitCode;
        fs::path untouched;  // stays as it was (or absent)
    } cases[] = {
        {"render " + main + " -o " + main, 2, set_ / "main.zep"},
        {"render " + main + " -o " + Q(set_ / "next.zep") + " --format png", 2, set_ / "next.zep"},
        {"render " + main + " -o '" + out + "/new.ZEP'", 2, temp_.path() / "new.ZEP"},
        {"reduce " + Q(set_ / "sakura.bmp") + " " + Q(set_ / "last.zep"), 2, set_ / "last.zep"},
        {"reduce " + Q(set_ / "sakura.bmp") + " " + Q(set_ / "sakura.bmp"), 2, set_ / "sakura.bmp"},
        {"reduce " + Q(set_ / "sakura.bmp") + " '" + out + "/r.zep'", 2, temp_.path() / "r.zep"},
        {"reduce " + Q(set_ / "sakura.bmp") + " " + Q(a / "MAIN.ZEP"), 2, a / "MAIN.ZEP"},
        {"render " + main + " -o '" + out + "/x.gif'", 2, temp_.path() / "x.gif"},
        {"render " + main + " -o '" + out + "/x.png' --format bmp", 2, temp_.path() / "x.png"},
        {"render " + Q(a / "main.zep") + " " + Q(b / "main.zep") + " -o '" + out + "/pics'", 2,
         temp_.path() / "pics" / "main.png"},
        // Nor a picture, text file or medium a card names, under whatever name.
        {"render " + main + " -o " + Q(set_ / "sakura.bmp"), 2, set_ / "sakura.bmp"},
        {"render " + main + " -o " + Q(set_ / "." / "sakura.bmp"), 2, set_ / "sakura.bmp"},
        {"render " + main + " -o '" + out + "/link.bmp'", 2, set_ / "sakura.bmp"},
        {"render " + Q(set_ / "next.zep") + " -o " + Q(set_ / "aisatsu.txt") + " --format png", 2,
         set_ / "aisatsu.txt"},
        {"render " + Q(set_ / "t.zep") + " " + Q(set_ / "next.zep") + " -o " + Q(set_), 2, set_ / "next.png"},
        {"normalize " + main + " -o " + main, 2, set_ / "main.zep"},
        {"normalize " + main + " -o " + Q(set_ / "sakura.bmp"), 2, set_ / "sakura.bmp"},
        // Nor through a link someone planted at the output's name, wherever it leads.
        {"render " + main + " -o " + Q(set_), 2, notes},
        {"reduce " + Q(set_ / "sakura.bmp") + " '" + out + "/out.bmp'", 2, notes},
        {"map " + Q(set_) + " -o '" + out + "/Map.svg'", 2, notes},
        {"normalize " + main + " -o '" + out + "/copy.zep'", 2, notes},
        // Nor a name the cards would take for one of their files, in another letter case.
        {"render " + main + " -o " + Q(set_ / "SAKURA.BMP"), 2, set_ / "SAKURA.BMP"},
        {"render " + Q(set_ / "<u>m.zep") + " -o " + Q(set_ / "PHOTO.bmp"), 2, set_ / "PHOTO.bmp"},
        {"map " + Q(set_) + " -o " + Q(set_ / "Aisatsu.TXT") + " --format svg", 2, set_ / "Aisatsu.TXT"},
    };
    for (const char* planted : {"set/main.png", "out.bmp", "Map.svg", "copy.zep"})
        fs::create_symlink(notes, temp_.path() / planted);
    Card(set_ / "<u>m.zep", "card {m}\r\n\tbitmap {0,0}{Photo.BMP,100.0}{0}{this}\r\nend\r\n");
    fs::create_symlink(set_ / "sakura.bmp", temp_.path() / "link.bmp");
    Card(set_ / "t.zep", "card {t}\r\n\ttextf {1,1}{next.png}{0}\r\nend\r\n");
    WriteBytes(set_ / "next.png", "a text file of the set");
    for (const auto& c : cases) {
        const std::string before = fs::exists(c.untouched) ? ReadBytes(c.untouched) : "(absent)";
        Outcome run = Zepocard(c.arguments, temp_.path());
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments << "\n" << run.err;
        EXPECT_NE(run.err, "") << c.arguments;
        EXPECT_TRUE((fs::exists(c.untouched) ? ReadBytes(c.untouched) : "(absent)") == before)
            << c.arguments << ": " << c.untouched << " changed";
    }
    EXPECT_TRUE(ReadBytes(set_ / "main.zep") == card);
    EXPECT_TRUE(ReadBytes(set_ / "sakura.bmp") == picture);
    // The same card named twice is one picture, not a clash.
    Outcome twice =
        Zepocard("render " + Q(a / "main.zep") + " " + Q(a / "main.zep") + " -o '" + out + "/twice'", temp_.path());
    EXPECT_EQ(twice.exitCode, 0) << twice.err;
    EXPECT_TRUE(fs::is_regular_file(temp_.path() / "twice" / "main.png"));
}

// A write to standard output that fails is a failure of the command, whatever it wrote.
TEST_F(ZepocardSafetyTest, AFailedWriteToStandardOutputIsExit2) {
    Card(set_ / "broken.zep", "card {broken}\r\n\tfoo {1}\r\nend\r\n");
    const std::string reduced = Q(temp_.path() / "r.bmp");
    for (const std::string& arguments :
         {"check --json " + Q(set_ / "main.zep"), "check " + Q(set_ / "broken.zep"),
          "normalize " + Q(set_ / "main.zep"), "reduce " + Q(set_ / "sakura.bmp") + " " + reduced}) {
        Outcome run = Zepocard(arguments + " >/dev/full", temp_.path());
        EXPECT_EQ(run.exitCode, 2) << arguments << "\n" << run.err;
        EXPECT_NE(run.err, "") << arguments;
    }
    // An output that cannot be written is exit 2 for reduce as for render.
    Outcome run = Zepocard("reduce " + Q(set_ / "sakura.bmp") + " " + Q(temp_.path() / "none" / "r.bmp"), temp_.path());
    EXPECT_EQ(run.exitCode, 2) << run.err;
}

// Control characters from a card or a file name reach the terminal as visible escapes, and
// one finding is one line; the JSON stays valid.
TEST_F(ZepocardSafetyTest, ControlCharactersOfACardNeverReachTheTerminal) {
    const fs::path hostile = temp_.path() / "hostile";
    fs::create_directories(hostile);
    const std::string body =
        "card {x}\r\n\tbitmap {1,1}{gone\x1b[2J.bmp}{0}\r\n\tfoo\x1b]52;c;aGk=\x07 {1}\r\n"
        "\tbutton {1}{a,b\x1b[31m.zep}\r\nend\r\n";
    WriteBytes(hostile / "h.zep", body);
    const std::string forged = "forged\nx.zep:1: message: all is well\r\x1b[2K.zep";
    WriteBytes(hostile / forged, body);
    // A name Shift-JIS cannot hold is refused by its name, which carries a C1 control.
    const fs::path c1 = temp_.path() / "c1";
    fs::create_directories(c1);
    WriteBytes(c1 / "\xc2\x9b"
                    "2J.zep",
               body);
    const std::string check = "check " + Q(hostile);
    for (const std::string& arguments :
         {check, "check " + Q(c1), "render " + Q(hostile / "h.zep") + " -o " + Q(temp_.path() / "h.png"),
          "normalize " + Q(hostile / "h.zep"), "export " + Q(hostile) + " -o " + Q(temp_.path() / "site")}) {
        Outcome run = Zepocard(arguments, temp_.path());
        EXPECT_NE(run.exitCode, 0) << arguments;
        for (const std::string& shown : {run.err, run.out}) {
            for (unsigned char c : shown)
                EXPECT_TRUE((c >= 0x20 && c != 0x7f) || c == '\n') << arguments << ": control " << int(c) << "\n"
                                                                   << shown;
            EXPECT_EQ(shown.find("\xc2\x9b"), std::string::npos) << arguments;
        }
    }
    Outcome run = Zepocard(check, temp_.path());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.out.find("gone\\x1B[2J.bmp"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("\nx.zep:1"), std::string::npos) << "a forged finding line: " << run.out;
    size_t lines = 0;
    for (size_t at = 0; (at = run.out.find('\n', at)) != std::string::npos; ++at) ++lines;
    Outcome json = Zepocard("check --json " + Q(hostile), temp_.path());
    QJsonParseError error;
    QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(json.out), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << json.out;
    EXPECT_EQ(size_t(doc.array().size()), lines) << "one line per finding";
    std::set<std::string> files;
    for (const auto& f : doc.array()) files.insert(f.toObject()["file"].toString().toStdString());
    EXPECT_EQ(files.count((hostile / forged).string()), 1u) << "JSON keeps the name as it is";
}

// A card without the editor's marker line is a correct hand-made card: a note, never an
// error, and every command agrees.
TEST_F(ZepocardSafetyTest, AHandWrittenCardIsANoteNotAnError) {
    const fs::path hand = temp_.path() / "hand";
    fs::create_directories(hand);
    Card(hand / "main.zep", "card {main}\r\n\ttitle {手書き}\r\n\tnew {RED}\r\n\tbutton {1}{next,next.zep}\r\nend\r\n");
    Card(hand / "next.zep", "card {next}\r\n\tnew {BLUE}\r\n\tbutton {0}{main,main.zep}\r\nend\r\n");
    Outcome check = Zepocard("check " + Q(hand), temp_.path());
    EXPECT_EQ(check.exitCode, 0) << check.out;
    EXPECT_EQ(check.out, (hand / "main.zep").string() + ":1: note: ZEPOｴﾃﾞｨﾀで作成されたｶｰﾄﾞではありません。\n" +
                             (hand / "next.zep").string() + ":1: note: ZEPOｴﾃﾞｨﾀで作成されたｶｰﾄﾞではありません。\n");
    EXPECT_EQ(check.out.find("読み込みますか"), std::string::npos) << "not the editor's question";
    Outcome json = Zepocard("check --json " + Q(hand / "main.zep"), temp_.path());
    EXPECT_EQ(json.exitCode, 0);
    EXPECT_NE(json.out.find("\"severity\": \"note\""), std::string::npos) << json.out;
    for (const std::string& arguments :
         {"normalize " + Q(hand / "main.zep"), "render " + Q(hand / "main.zep") + " -o " + Q(temp_.path() / "m.png"),
          "export " + Q(hand) + " -o " + Q(temp_.path() / "site")}) {
        Outcome run = Zepocard(arguments, temp_.path());
        EXPECT_EQ(run.exitCode, 0) << arguments << "\n" << run.err;
        EXPECT_EQ(run.err.find("warning"), std::string::npos) << arguments << "\n" << run.err;
    }
}

// File names as an archive made on the old system leaves them: raw Shift-JIS bytes. They
// are the cards' own names, read and linked to byte for byte.
TEST_F(ZepocardSafetyTest, RawShiftJisFileNamesAreTheCardsOwn) {
    const fs::path old = temp_.path() / "old";
    fs::create_directories(old);
    const std::string a = Sjis("あ"), picture = Sjis("絵.bmp"), text = Sjis("表.txt");  // 表 ends in 0x5C
    WriteBytes(old / "main.zep", "card {main}\r\n\tbitmap {0,0}{" + picture + "}{0}\r\n\ttextf {0,200}{" + text +
                                     "}{0}\r\n\tbutton {1}{" + a + "," + a + ".zep}\r\nend\r\n");
    WriteBytes(old / (a + ".zep"), "card {" + a + "}\r\n\tbutton {0}{main,main.zep}\r\nend\r\n");
    fs::copy_file(set_ / "sakura.bmp", old / picture);
    fs::copy_file(set_ / "aisatsu.txt", old / text);
    Outcome check = Zepocard("check " + Q(old), temp_.path());
    EXPECT_EQ(check.exitCode, 0) << check.out << check.err;
    EXPECT_EQ(check.out, (old / "main.zep").string() + ":1: note: ZEPOｴﾃﾞｨﾀで作成されたｶｰﾄﾞではありません。\n" +
                             (old / "あ.zep").string() + ":1: note: ZEPOｴﾃﾞｨﾀで作成されたｶｰﾄﾞではありません。\n")
        << "the name shown as the card's name, and reached from main";
    Outcome exported = Zepocard("export " + Q(old) + " -o " + Q(temp_.path() / "site"), temp_.path());
    EXPECT_EQ(exported.exitCode, 0) << exported.err;
    EXPECT_TRUE(fs::is_regular_file(temp_.path() / "site" / "cards" / "あ.html"));
    EXPECT_NE(ReadBytes(temp_.path() / "site" / "cards" / "main.html").find("href=\"%E3%81%82.html\""),
              std::string::npos);
}

// Nothing is read from outside the folder nor written outside the site: a card file that is a
// link leading out of the folder (to a card elsewhere, to a secret) is left out with a finding
// and nothing about it reaches the site or its record; links planted in the site are not
// written through.
TEST_F(ZepocardSafetyTest, ExportWritesNothingOutsideTheSite) {
    const fs::path deep = temp_.path() / "a" / "b" / "c" / "set", elsewhere = temp_.path() / "x";
    const fs::path site = temp_.path() / "o" / "p" / "q" / "site";
    fs::create_directories(deep);
    fs::create_directories(elsewhere);
    fs::create_directories(site);
    Card(elsewhere / "main.zep", "card {elsewhere}\r\n\twave {snd.wav}\r\nend\r\n");
    WriteBytes(elsewhere / "snd.wav", "RIFF elsewhere");
    WriteBytes(elsewhere / "secret.txt", "card {secret}\r\nend\r\n");
    Card(deep / "main.zep", "card {main}\r\n\twave {snd.wav}\r\nend\r\n");
    WriteBytes(deep / "snd.wav", "RIFF of the set");
    fs::create_symlink(elsewhere / "main.zep", deep / "Other.ZEP");
    fs::create_symlink(elsewhere / "secret.txt", deep / "zz.zep");
    auto before = FilesOutside(temp_.path(), site);
    Outcome run = Zepocard("export " + Q(deep) + " -o " + Q(site), temp_.path());
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_EQ(ReadBytes(site / "media" / "snd.wav"), "RIFF of the set");
    for (const char* outside : {"zz.zep", "Other.ZEP"}) EXPECT_NE(run.err.find(outside), std::string::npos) << run.err;
    for (auto it = fs::recursive_directory_iterator(site); it != fs::recursive_directory_iterator(); ++it) {
        const bool text = it->is_regular_file() && it->path().extension() != ".png";
        const std::string bytes = text ? ReadBytes(it->path()) : std::string();
        for (const char* trace : {"zz", "Other", "secret", "elsewhere"})
            EXPECT_EQ((it->path().filename().string() + bytes).find(trace), std::string::npos) << it->path();
    }
    auto after = FilesOutside(temp_.path(), site);
    after.erase(temp_.path() / "stderr.txt");
    before.erase(temp_.path() / "stderr.txt");
    EXPECT_TRUE(after == before) << "a file outside the site was written";

    // Links in the site leading out of it are not written through.
    const fs::path planted = temp_.path() / "planted";
    fs::create_directories(planted);
    WriteBytes(planted / "victim.html", "victim");
    fs::remove_all(site / "media");
    fs::create_directory_symlink(planted, site / "media");
    fs::remove(site / "index.html");
    fs::create_symlink(planted / "victim.html", site / "index.html");
    run = Zepocard("export " + Q(deep) + " -o " + Q(site), temp_.path());
    EXPECT_EQ(run.exitCode, 2) << run.err;
    EXPECT_NE(run.err.find("index.html"), std::string::npos) << run.err;
    EXPECT_EQ(ReadBytes(planted / "victim.html"), "victim");
    EXPECT_FALSE(fs::exists(planted / "snd.wav"));
}

// The site is the export's alone: it neither holds nor lies in the set (whose files the index,
// pages and copies would replace), its record is no link, and the record published with it
// holds nothing of the machine nor of files outside the set.
TEST_F(ZepocardSafetyTest, TheSiteTakesNoFileOfTheSetAndItsRecordNothingOfTheMachine) {
    const fs::path site = temp_.path() / "site";
    fs::create_directories(site);
    WriteBytes(temp_.path() / "victim.txt", "victim");
    fs::create_symlink("../victim.txt", site / ".zepocard-manifest.json");
    const std::string card = ReadBytes(set_ / "main.zep");
    WriteBytes(set_ / "main.zep", card.substr(0, card.find("end\r\n")) +
                                      "\ttextf {0,100}{/etc/hostname}{0}\r\n\ttextf {0,200}{pw.txt}{0}\r\n"
                                      "\ttextf {0,300}{big.txt}{0}\r\n\tbutton {1}{WAVE,index.html}\r\n"
                                      "\tbutton {3}{gone,Gone <b>.zep}\r\nend\r\n");
    fs::create_symlink("/etc/passwd", set_ / "pw.txt");
    WriteBytes(set_ / "index.html", "the user's own page");
    WriteBytes(set_ / "big.txt", "");
    fs::resize_file(set_ / "big.txt", std::uintmax_t{6} << 30);  // sparse
    auto files = [&] {
        auto found = FilesOutside(temp_.path(), set_ / "big.txt");
        found.erase(temp_.path() / "stderr.txt");
        return found;
    };
    const auto before = files();
    for (const fs::path& out : {site, set_, set_ / "site", temp_.path()}) {
        Outcome run = Zepocard("export " + Q(set_) + " -o " + Q(out), temp_.path());
        EXPECT_EQ(run.exitCode, 2) << out << "\n" << run.err;
        EXPECT_NE(run.err.find(out == site ? ".zepocard-manifest.json" : out.filename().string()), std::string::npos)
            << run.err;
        EXPECT_TRUE(files() == before) << out << ": something was written";
    }
    fs::remove(site / ".zepocard-manifest.json");
    Outcome run = Zepocard("export " + Q(set_) + " -o " + Q(site), temp_.path());
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_EQ(ReadBytes(site / "media" / "index.html"), "the user's own page");
    const QJsonObject outputs =
        QJsonDocument::fromJson(QByteArray::fromStdString(ReadBytes(site / ".zepocard-manifest.json")))["outputs"]
            .toObject();
    ASSERT_FALSE(outputs.isEmpty());
    std::set<std::string> named;
    for (const auto& output : outputs)
        for (const auto& input : output.toObject()["inputs"].toArray()) {
            const QJsonObject o = input.toObject();
            const std::string path = QByteArray::fromPercentEncoding(o["path"].toString().toLatin1()).toStdString();
            EXPECT_TRUE(path[0] != '/' && path.find("..") == std::string::npos) << path;
            if (path == "pw.txt") EXPECT_FALSE(o["exists"].toBool()) << "a file outside the set";
            if (path == "big.txt") EXPECT_EQ(o["sha256"].toString(), "") << "read whole to be hashed";
            named.insert(path);
        }
    EXPECT_TRUE(named.count("main.zep") && named.count("pw.txt") && named.count("big.txt")) << named.size();
    // The audience sees the cards, not the author's findings: a broken link is a missing card.
    for (const char* page : {"index.html", "cards/main.html", "zepo.js"}) {
        const std::string text = ReadBytes(site / page);
        for (const char* finding : {"hostname", "pw.txt", " 行", "読めません", "フォルダの外"})
            EXPECT_EQ(text.find(finding), std::string::npos) << page << " tells " << finding;
    }
    EXPECT_NE(ReadBytes(site / "index.html").find("<g class=\"node missing\""), std::string::npos);
}

// The site folder is the export's own. A folder of the user's other files is refused whole;
// a later export removes only what the site's record says an earlier one wrote, and only while
// it is as written: the user's files beside it stay, and so does a file of a folder swapped
// for a link. Folders another user owns or may write, and the card folder under another name
// (a bind mount), are refused before anything is written or removed.
TEST_F(ZepocardSafetyTest, ExportRemovesOnlyWhatItWroteAndOnlyInTheUsersOwnFolders) {
    const fs::path home = temp_.path() / "H", site = temp_.path() / "site", victim = temp_.path() / "victim";
    const std::map<fs::path, std::string> photos = {{home / "pictures" / "vacation.jpg", "a"},
                                                    {home / "pictures" / "2023" / "beach.png", "b"},
                                                    {home / "media" / "song.mp3", "c"},
                                                    {home / "cards" / "xmas.odt", "d"}};
    for (const auto& [file, bytes] : photos) {
        fs::create_directories(file.parent_path());
        WriteBytes(file, bytes);
    }
    Outcome run = Zepocard("export " + Q(set_) + " -o " + Q(home), temp_.path());
    EXPECT_EQ(run.exitCode, 2) << run.err;
    EXPECT_NE(run.err.find(home.string()), std::string::npos) << run.err;
    for (const auto& [file, bytes] : photos) EXPECT_EQ(ReadBytes(file), bytes) << file;
    EXPECT_FALSE(fs::exists(home / "index.html"));

    // Exported twice into a folder of its own, the second time without a card and its sound;
    // meanwhile the user put files of their own in the site and drew over a thumbnail.
    Card(set_ / "Extra <b>.zep", "card {extra}\r\n\tbutton {2}{WAVE,snd/Ding.WAV}\r\nend\r\n");
    fs::create_directories(set_ / "snd");
    WriteBytes(set_ / "snd" / "Ding.WAV", "RIFF ding");
    fs::create_directories(site);
    run = Zepocard("export " + Q(set_) + " -o " + Q(site), temp_.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::map<fs::path, std::string> users = {{site / "pictures" / "Vacation.JPG", "photo"},
                                                   {site / "media" / "Song.mp3", "song"},
                                                   {site / "notes <i>.txt", "notes"},
                                                   {site / "thumbs" / "Extra <b>.png", "drawn over"},
                                                   {victim / "Ding.WAV", "RIFF ding"}};
    fs::create_directories(victim);
    for (const auto& [file, bytes] : users) WriteBytes(file, bytes);
    fs::remove_all(site / "media" / "snd");
    fs::create_directory_symlink(victim, site / "media" / "snd");
    fs::remove(set_ / "Extra <b>.zep");
    // A record edited by a stranger: names leading out of the site, of a file as it is.
    const fs::path record = site / ".zepocard-manifest.json";
    QJsonObject manifest = QJsonDocument::fromJson(QByteArray::fromStdString(ReadBytes(record))).object();
    QJsonObject outputs = manifest["outputs"].toObject();
    for (const std::string& name : {std::string("../victim/Ding.WAV"), (victim / "Ding.WAV").string(),
                                    std::string("media/../../victim/Ding.WAV")})
        outputs[QString::fromLatin1(QByteArray::fromStdString(name).toPercentEncoding())] =
            QJsonObject{{"recipe", "text"},
                        {"size", "9"},
                        {"sha256", QString(QCryptographicHash::hash("RIFF ding", QCryptographicHash::Sha256).toHex())},
                        {"inputs", QJsonArray()}};
    manifest["outputs"] = outputs;
    WriteBytes(record, QJsonDocument(manifest).toJson().toStdString());
    run = Zepocard("export " + Q(set_) + " -o " + Q(site), temp_.path());
    EXPECT_EQ(run.exitCode, 0) << run.err;
    for (const auto& [file, bytes] : users) EXPECT_EQ(ReadBytes(file), bytes) << file;
    for (const char* stale : {"pictures/Extra <b>.png", "cards/Extra <b>.html"})
        EXPECT_FALSE(fs::exists(site / stale)) << stale << " was left from the first export";
    EXPECT_TRUE(fs::is_regular_file(site / "pictures" / "main.png"));

    const bool root = ::geteuid() == 0, bindable = std::system("unshare -rm true 2>/dev/null") == 0;
    auto bound = [&](const fs::path& alias, const fs::path& out) {
        fs::create_directories(alias);
        return "unshare -rm sh -c \"mount --bind " + Q(set_) + " " + Q(alias) + " && exec " + ZEPOCARD + " export " +
               Q(set_) + " -o " + Q(out) + "\"";
    };
    const struct {
        const char* meaning;
        bool runs;
        std::function<void()> prepare;
        std::string command;
        fs::path named;  // in the reason
    } refused[] = {
        {"the site belongs to another user", root, [&] { EXPECT_EQ(::chown(site.c_str(), 65534, 65534), 0); },
         "export " + Q(set_) + " -o " + Q(site), site},
        {"a folder in the site belongs to another user", root,
         [&] {
             EXPECT_EQ(::chown(site.c_str(), ::geteuid(), ::getegid()), 0);
             EXPECT_EQ(::chown((site / "pictures").c_str(), 65534, 65534), 0);
         },
         "export " + Q(set_) + " -o " + Q(site), site / "pictures"},
        {"another user may write in the site", true,
         [&] {
             if (root) {
                 EXPECT_EQ(::chown((site / "pictures").c_str(), ::geteuid(), ::getegid()), 0);
             }
             fs::permissions(site, fs::perms::all);
         },
         "export " + Q(set_) + " -o " + Q(site), site},
        {"the card folder under another name", bindable, [&] { fs::permissions(site, fs::perms(0755)); }, "",
         temp_.path() / "alias"},
        {"a site in the card folder under another name", bindable, [] {}, "", temp_.path() / "alias2" / "www"},
    };
    for (const auto& c : refused) {
        if (!c.runs) continue;
        c.prepare();
        auto before = FilesOutside(temp_.path(), temp_.path() / "none");
        const std::string command = !c.command.empty()            ? std::string(ZEPOCARD) + " " + c.command
                                    : c.named.filename() == "www" ? bound(c.named.parent_path(), c.named)
                                                                  : bound(c.named, c.named);
        run = Shell(command, temp_.path());
        EXPECT_EQ(run.exitCode, 2) << c.meaning << "\n" << run.err;
        EXPECT_NE(run.err.find(c.named.filename().string()), std::string::npos) << c.meaning << "\n" << run.err;
        auto after = FilesOutside(temp_.path(), temp_.path() / "none");
        before.erase(temp_.path() / "stderr.txt");
        after.erase(temp_.path() / "stderr.txt");
        EXPECT_TRUE(after == before) << c.meaning << ": a file was written or removed";
    }
}

// The state of process `pid` ('R', 'S', 'Z', …; 0 when gone) and its parent.
std::pair<char, int> StateOf(const std::string& pid) {
    const std::string stat = ReadBytes("/proc/" + pid + "/stat");
    char state = 0;
    int parent = 0;
    const size_t close = stat.rfind(')');
    if (close != std::string::npos) std::sscanf(stat.c_str() + close + 2, "%c %d", &state, &parent);
    return {state, parent};
}

// An export stopped while ffmpeg converts a movie leaves neither a half-made file in the site
// nor ffmpeg running on.
TEST_F(ZepocardSafetyTest, AnInterruptedExportLeavesNoTemporaryFileNorConverter) {
    if (std::system("command -v ffmpeg >/dev/null") != 0) GTEST_SKIP() << "no ffmpeg";
    ASSERT_EQ(std::system(("ffmpeg -v error -y -f lavfi -i testsrc=size=640x480:rate=25:duration=120 -c:v mpeg4 " +
                           Q(set_ / "clip.avi"))
                              .c_str()),
              0);
    const std::string card = ReadBytes(set_ / "main.zep");
    WriteBytes(set_ / "main.zep", card.substr(0, card.find("end\r\n")) + "\tbutton {2}{AVI,clip.avi}\r\nend\r\n");
    const fs::path site = temp_.path() / "site";
    const pid_t zepocard = fork();
    if (zepocard == 0) _exit(execl(ZEPOCARD, ZEPOCARD, "export", set_.c_str(), "-o", site.c_str(), nullptr));
    std::string ffmpeg;
    for (int i = 0; i < 600 && ffmpeg.empty(); ++i, usleep(50000))
        for (const auto& entry : fs::directory_iterator("/proc"))
            if (std::isdigit(entry.path().filename().string()[0]) &&
                StateOf(entry.path().filename()).second == zepocard && ReadBytes(entry.path() / "comm") == "ffmpeg\n")
                ffmpeg = entry.path().filename();
    ASSERT_FALSE(ffmpeg.empty()) << "ffmpeg never ran";
    usleep(300000);
    kill(zepocard, SIGKILL);
    waitpid(zepocard, nullptr, 0);
    for (int i = 0; i < 100 && StateOf(ffmpeg).first && StateOf(ffmpeg).first != 'Z'; ++i) usleep(50000);
    EXPECT_TRUE(!StateOf(ffmpeg).first || StateOf(ffmpeg).first == 'Z') << "ffmpeg runs on";  // a zombie has ended
    for (const auto& entry : fs::directory_iterator(site / "media"))
        EXPECT_NE(entry.path().filename().string()[0], '.') << entry.path();
}

// A card with more objects of one kind than it has slots loses the rest: every command that
// reads it says so and fails.
TEST_F(ZepocardSafetyTest, ACardWithObjectsBeyondItsSlotsFailsEveryCommand) {
    std::string texts;
    for (int i = 0; i < 21; ++i)
        texts += "\ttext {1," + std::to_string(i * 20) + "}{t" + std::to_string(i) + "}{0}\r\n";
    const fs::path full = temp_.path() / "full";
    fs::create_directories(full);
    const std::string card = Q(Card(full / "main.zep", "card {main}\r\n" + texts + "end\r\n"));
    for (const std::string& arguments :
         {"check " + card, "normalize " + card, "render " + card + " -o " + Q(temp_.path() / "full.png"),
          "export " + Q(full) + " -o " + Q(temp_.path() / "site")}) {
        Outcome run = Zepocard(arguments, temp_.path());
        EXPECT_EQ(run.exitCode, 1) << arguments << "\n" << run.err;
        EXPECT_NE((run.out + run.err).find("main.zep:22"), std::string::npos) << arguments << "\n"
                                                                              << run.out << run.err;
    }
}

// A page that lacks a picture or a text block is reported as render reports it.
TEST_F(ZepocardSafetyTest, ExportReportsPicturesAndTextFilesItCouldNotDraw) {
    const std::string main = ReadBytes(set_ / "main.zep");
    WriteBytes(set_ / "main.zep", main.substr(0, main.find("end\r\n")) +
                                      "\tbitmap {1,1}{gone.bmp,100.0}{0}\r\n\ttextf {1,1}{gone.txt}{0}\r\nend\r\n");
    Outcome run = Zepocard("export " + Q(set_) + " -o " + Q(temp_.path() / "site"), temp_.path());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("main.zep:"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("gone.bmp"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("gone.txt"), std::string::npos) << run.err;
}

// Peak memory (KiB) of a shell command run in a child, and its exit code.
std::pair<long, int> PeakOf(const std::string& command) {
    int fds[2];
    if (::pipe(fds) != 0) return {-1, -1};
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(fds[1], STDOUT_FILENO);
        const int status = std::system((command + " >/dev/null 2>&1").c_str());
        struct rusage usage {};
        ::getrusage(RUSAGE_CHILDREN, &usage);
        const std::string kib = std::to_string(usage.ru_maxrss);
        if (::write(STDOUT_FILENO, kib.data(), kib.size()) < 0) ::_exit(255);
        ::_exit(WIFEXITED(status) ? WEXITSTATUS(status) : 255);
    }
    ::close(fds[1]);
    char buf[32] = {};
    const ssize_t n = ::read(fds[0], buf, sizeof buf - 1);
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return {n > 0 ? std::stol(buf) : -1L, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

// Media are copied in pieces: a large movie costs no more memory than a small one.
TEST_F(ZepocardSafetyTest, ExportCopiesMediaInBoundedMemory) {
    const std::string main = ReadBytes(set_ / "main.zep");
    WriteBytes(set_ / "main.zep", main.substr(0, main.find("end\r\n")) + "\tbutton {2}{WAVE,big.wav}\r\nend\r\n");
    auto peak = [&](std::uintmax_t bytes) {
        fs::resize_file(set_ / "big.wav", bytes);  // sparse: costs no disk to make
        const auto [kib, exitCode] =
            PeakOf(std::string(ZEPOCARD) + " export " + Q(set_) + " -o " + Q(temp_.path() / "site"));
        EXPECT_EQ(exitCode, 0) << bytes;
        return kib;
    };
    WriteBytes(set_ / "big.wav", "");
    const long small = peak(1 << 20);
    const long large = peak(std::uintmax_t{256} << 20);
    EXPECT_EQ(fs::file_size(temp_.path() / "site" / "media" / "big.wav"), std::uintmax_t{256} << 20);
    EXPECT_LT(large - small, 64 * 1024) << "KiB more for a 256 MiB movie: " << small << " -> " << large;
}

// Pictures are shared by the cards naming them and not held by every card: checking or
// exporting eight times the cards costs no more memory. Running out of memory is said as such
// and ends the command, whichever thread it happens in.
TEST_F(ZepocardSafetyTest, MemoryDoesNotGrowWithTheCardsAndRunningOutOfItIsSaid) {
// gcc says so by a macro, clang by a feature test.
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer needs the address space this limits";
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    GTEST_SKIP() << "the address sanitizer needs the address space this limits";
#endif
#endif
    auto set = [&](int cards) {
        const fs::path folder = temp_.path() / ("pictures" + std::to_string(cards));
        EXPECT_EQ(std::system(("python3 " + Q(fs::path(ZEPO_SOURCE_DIR) / "bench" / "make_picture_set.py") + " " +
                               std::to_string(cards) + " " + Q(folder) + " 1024")
                                  .c_str()),
                  0);
        return folder;
    };
    const fs::path few = set(3), many = set(24);
    for (const std::string& command : {"check", "export"}) {
        auto run = [&](const fs::path& folder) {
            return PeakOf(std::string(ZEPOCARD) + " " + command + " " + Q(folder) +
                          (command == "export" ? " -o " + Q(folder.string() + "-site") : ""));
        };
        const auto [small, smallCode] = run(few);
        const auto [large, largeCode] = run(many);
        EXPECT_EQ(smallCode, 0);
        EXPECT_EQ(largeCode, 0);
        EXPECT_LT(large - small, 48 * 1024) << command << ": KiB for 3 cards " << small << ", for 24 " << large;
    }
    const fs::path said = temp_.path() / "said.txt";
    for (int megabytes = 100; megabytes <= 160; megabytes += 20)
        for (const std::string& command : {"check " + Q(few), "export " + Q(few) + " -o " + Q(temp_.path() / "s")}) {
            const int status = std::system(("ulimit -v " + std::to_string(megabytes * 1024) + "; timeout 60 " +
                                            ZEPOCARD + " " + command + " >/dev/null 2>" + Q(said))
                                               .c_str());
            const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            EXPECT_TRUE(code == 0 || (code == 2 && ReadBytes(said).find("メモリが足りない") != std::string::npos))
                << command << " in " << megabytes << " MB: exit " << code << "\n"
                << ReadBytes(said);
        }
}

// Kana or kanji somewhere in the line: brackets, digits and file names alone do not make a
// message Japanese.
bool HasJapanese(std::string_view line) {
    for (size_t pos = 0; pos < line.size();) {
        const Utf8Char c = Utf8At(line, pos);
        if ((c.code >= 0x3041 && c.code <= 0x30FF) || (c.code >= 0x4E00 && c.code <= 0x9FFF) ||
            (c.code >= 0xFF66 && c.code <= 0xFF9F))
            return true;
        pos += c.length;
    }
    return false;
}

// What zepocard tells a person is Japanese, as its findings are: every line of standard error
// (and of the findings and the summary on standard output) holds Japanese, whatever went wrong.
TEST_F(ZepocardSafetyTest, EveryMessageIsJapanese) {
    std::string unknown;  // more than are kept of one kind: the rest are counted
    for (int i = 0; i < 1002; ++i) unknown += "\tfoo {1}\r\n";
    const std::string main = Q(set_ / "main.zep"), t = temp_.path().string(), none = Q(temp_.path() / "none");
    const std::string gone = Q(Card(set_ / "gone.zep", "card {g}\r\n\tbitmap {1,1}{gone.bmp}{0}\r\nend\r\n"));
    const std::string many = Q(Card(set_ / "many.zep", "card {m}\r\n" + unknown + "end\r\n"));
    const std::string bad = Q(Card(set_ / "bad.zep", "card {b}\r\n\tframe {1,x}{5,5}{0}\r\nend\r\n"));
    const std::string longText =
        Q(Card(set_ / "long.zep", "card {l}\r\n\ttext {1,1}{" + std::string(130, 'a') + "}{0}\r\nend\r\n"));
    fs::create_directories(temp_.path() / "b");
    fs::copy_file(set_ / "next.zep", temp_.path() / "b" / "main.zep");
    fs::create_directories(temp_.path() / "b" / "empty");
    const struct {
        std::string arguments;
        int exitCode;
        bool findings;  // standard output holds lines for a person too
    } cases[] = {
        {"normalize " + main + " -o " + none + "/out.zep", 2, false},
        {"normalize " + gone, 1, false},
        {"normalize " + bad, 1, false},
        {"normalize " + longText, 1, false},
        {"reduce " + none + ".bmp '" + t + "/r.bmp'", 2, false},
        {"reduce " + Q(set_ / "sakura.bmp") + " " + none + "/r.bmp", 2, false},
        {"reduce " + Q(set_ / "sakura.bmp") + " '" + t + "/r.zep'", 2, false},
        {"reduce --dither " + Q(set_ / "sakura.bmp") + " '" + t + "/r.bmp'", 0, true},
        {"render " + main + " -o '" + t + "/x.gif'", 2, false},
        {"render " + main + " " + Q(temp_.path() / "b" / "main.zep") + " -o '" + t + "/pics'", 2, false},
        {"render " + main + " " + gone + " -o " + Q(set_ / "sakura.bmp") + "/pics", 2, false},
        {"render " + main + " -o " + none + "/x.png", 2, false},
        {"check " + many, 1, true},
        {"check " + none + ".zep", 2, false},
        {"check " + Q(temp_.path() / "b" / "empty"), 2, false},
        {"render " + none + ".zep -o '" + t + "/n.png'", 2, false},
        {"check --json " + main + " >/dev/full", 2, false},
        {"frobnicate", 2, false},
        {"render --jobs=0 " + main + " -o x.png", 2, false},
    };
    for (const auto& c : cases) {
        Outcome run = Zepocard(c.arguments, temp_.path());
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments << "\n" << run.err;
        EXPECT_FALSE(run.err.empty() && !c.findings) << c.arguments;
        const std::string shown = run.err + (c.findings ? run.out : "");
        for (size_t at = 0, end; at < shown.size(); at = end + 1) {
            end = std::min(shown.find('\n', at), shown.size());
            const std::string line = shown.substr(at, end - at);
            EXPECT_TRUE(line.empty() || HasJapanese(line)) << c.arguments << "\n" << line;
        }
    }
}

}  // namespace
}  // namespace zepo
