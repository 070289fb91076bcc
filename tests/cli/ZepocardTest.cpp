// Runs the zepocard program itself, as a user or a script would.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <pty.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "TempFolder.h"
#include "core/TextCodec.h"

namespace zepo {
namespace {
namespace fs = std::filesystem;

struct Outcome {
    int exitCode = -1;
    std::string out, err;
};

Outcome Zepocard(const std::string& arguments) {
    fs::path errFile = fs::temp_directory_path() / ("zepocard_err_" + std::to_string(::getpid()));
    std::string command = std::string(ZEPOCARD) + " " + arguments + " 2>" + errFile.string();
    Outcome run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return run;
    std::array<char, 4096> buf;
    size_t n;
    while ((n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0) run.out.append(buf.data(), n);
    int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream err(errFile);
    run.err.assign(std::istreambuf_iterator<char>(err), std::istreambuf_iterator<char>());
    fs::remove(errFile);
    return run;
}

// Runs zepocard with its standard output on a terminal (raw: no line ending is rewritten);
// returns what the terminal received.
std::string OnTerminal(std::vector<std::string> args) {
    args.insert(args.begin(), ZEPOCARD);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    int terminal = -1;
    const pid_t pid = ::forkpty(&terminal, nullptr, nullptr, nullptr);
    if (pid == 0) {
        termios raw;
        ::tcgetattr(STDOUT_FILENO, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(STDOUT_FILENO, TCSANOW, &raw);
        ::dup2(::open("/dev/null", O_WRONLY), STDERR_FILENO);
        ::execv(ZEPOCARD, argv.data());
        ::_exit(127);
    }
    std::string out;
    std::array<char, 4096> buf;
    for (ssize_t n; pid > 0 && (n = ::read(terminal, buf.data(), buf.size())) > 0;) out.append(buf.data(), size_t(n));
    ::waitpid(pid, nullptr, 0);
    ::close(terminal);
    return out;
}

std::string ReadBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const fs::path kExamples = fs::path(ZEPO_SOURCE_DIR) / "examples";

class ZepocardTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = folder_.path();
        for (const char* f : {"sakura.bmp", "aisatsu.txt"}) fs::copy_file(kExamples / f, dir_ / f);
    }
    fs::path WriteCard(const std::string& name, const std::string& utf8Text) {
        std::string bytes = Utf8ToSjis(utf8Text).bytes;
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
        return dir_ / name;
    }
    test::TempFolder folder_;
    fs::path dir_;
};

// normalize -o saves as the editor does: where the write cannot be made whole, the file
// that was there stays as it was.
TEST_F(ZepocardTest, NormalizeThatCannotWriteLeavesTheOldFileIntact) {
    const fs::path card = kExamples / "main.zep";
    const fs::path readOnly = dir_ / "readonly.zep", fifo = dir_ / "fifo.zep", folder = dir_ / "folder.zep";
    std::ofstream(readOnly, std::ios::binary) << "old card";
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_directory(folder);
    const struct {
        fs::path target;
        fs::file_type type;
    } cases[] = {{readOnly, fs::file_type::regular},
                 {fifo, fs::file_type::fifo},
                 {folder, fs::file_type::directory},
                 {dir_ / "missing" / "out.zep", fs::file_type::not_found}};
    for (const auto& c : cases) {
        Outcome run = Zepocard("normalize " + card.string() + " -o " + c.target.string());
        EXPECT_EQ(run.exitCode, 2) << c.target;
        EXPECT_EQ(fs::symlink_status(c.target).type(), c.type) << c.target;
    }
    EXPECT_EQ(ReadBytes(readOnly), "old card");
    int entries = 0;
    for (const auto& e : fs::directory_iterator(dir_)) entries += e.path().filename().string()[0] == '.';
    EXPECT_EQ(entries, 0) << "no temporary file is left behind";
}

// Reading a card resolves its pictures and text files in the card's folder without moving
// there, so a relative output path is where the user stands, not beside the card.
TEST_F(ZepocardTest, RelativePathsAreWhereTheUserStands) {
    fs::create_directory(dir_ / "sub");
    for (const char* f : {"main.zep", "next.zep", "sakura.bmp", "aisatsu.txt"})
        fs::copy_file(kExamples / f, dir_ / "sub" / f);
    const fs::path before = fs::current_path();
    fs::current_path(dir_);
    Outcome run = Zepocard("normalize sub/main.zep -o next.zep");
    fs::current_path(before);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadBytes(dir_ / "next.zep"), ReadBytes(kExamples / "main.zep"));
    EXPECT_EQ(ReadBytes(dir_ / "sub" / "next.zep"), ReadBytes(kExamples / "next.zep")) << "the other card is untouched";
}

TEST_F(ZepocardTest, ExamplesNormalizeToThemselvesAndCheckClean) {
    for (const char* card : {"main.zep", "next.zep", "last.zep"}) {
        fs::path path = kExamples / card;
        Outcome normalized = Zepocard("normalize " + path.string());
        EXPECT_EQ(normalized.exitCode, 0) << card << normalized.err;
        EXPECT_EQ(normalized.out, ReadBytes(path)) << card;
        EXPECT_EQ(normalized.err, "") << card;

        fs::path out = dir_ / card;
        EXPECT_EQ(Zepocard("normalize " + path.string() + " -o " + out.string()).exitCode, 0);
        EXPECT_EQ(ReadBytes(out), ReadBytes(path)) << card;

        Outcome check = Zepocard("check " + path.string());
        EXPECT_EQ(check.exitCode, 0) << card << check.out;
        EXPECT_EQ(check.out, "") << card;
    }
}

TEST_F(ZepocardTest, CheckReportsABrokenCopy) {
    std::string text = ReadBytes(kExamples / "last.zep");
    std::string card = SjisToUtf8(text);
    // Break it: an unknown statement, a missing picture, a long line, a dropped slide entry.
    card.replace(card.find("\tnew "), 0,
                 "\tsound  {x.wav}\r\n\tbitmap {1,1}{gone.bmp}{0}\r\n\ttitle  {" + std::string(130, 'x') + "}\r\n");
    card.replace(card.find("\t\t{next,next.zep}"), 0, "\t\t{old,old.txt}\r\n");
    fs::path broken = WriteCard("broken.zep", card);
    Outcome check = Zepocard("check " + broken.string());
    EXPECT_EQ(check.exitCode, 1);
    const std::string p = broken.string() + ":";
    EXPECT_NE(check.out.find(p + "7: unknown statement"), std::string::npos) << check.out;
    EXPECT_NE(check.out.find(p + "8: message: ﾋﾞｯﾄﾏｯﾌﾟ gone.bmp の読み込みに失敗しました"), std::string::npos)
        << check.out;
    EXPECT_NE(check.out.find(p + "9: long line: 140 バイト"), std::string::npos) << check.out;
    EXPECT_NE(check.out.find("dropped slide entry"), std::string::npos) << check.out;
    // One report per line, in line order.
    EXPECT_LT(check.out.find(p + "7:"), check.out.find(p + "9:"));
}

TEST_F(ZepocardTest, NormalizeRefusesWhatSaveWouldRefuse) {
    // Read, but the written text line is over 120 bytes.
    fs::path longText =
        WriteCard("long.zep", "card {long}\r\n\ttext {1,1}{" + std::string(130, 'a') + "}{0}\r\nend\r\n");
    Outcome run = Zepocard("normalize " + longText.string());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("１行の文字数が多すぎるため、保存できません / [ text   {1,1}"), std::string::npos)
        << run.err;

    // A number that does not convert: nothing is written rather than half a card.
    fs::path badNumber = WriteCard("bad.zep", "card {bad}\r\n\tframe {1,x}{5,5}{0}\r\nend\r\n");
    run = Zepocard("normalize " + badNumber.string());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("2 行目の「x」は数値ではありません"), std::string::npos) << run.err;
}

TEST_F(ZepocardTest, MissingHeaderIsANoteAndReadingGoesOn) {
    fs::path hand = WriteCard("hand.zep", "card {x}\r\n\tnew {RED}\r\nend\r\n");
    Outcome run = Zepocard("normalize " + hand.string());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.err.find("note"), std::string::npos);
    // The card name comes from the file name; a card without a title gets the new card's.
    EXPECT_NE(run.out.find("card {hand}\r\n" + Sjis("\ttitle  {ZEPOマクロ}") + "\r\n\tnew    {RED}\r\n"),
              std::string::npos);
    EXPECT_EQ(Zepocard("check " + hand.string()).exitCode, 0) << "a correct hand-made card passes";
}

TEST_F(ZepocardTest, UsageErrorsAndUnreadableFiles) {
    for (const std::string& args :
         std::vector<std::string>{"", "frobnicate", "check", "check a.zep b.zep", "normalize", "normalize a.zep extra",
                                  "check " + (dir_ / "none.zep").string(), "normalize " + dir_.string()}) {
        Outcome run = Zepocard(args);
        EXPECT_EQ(run.exitCode, 2) << args;
        EXPECT_NE(run.err, "") << args;
    }
}

TEST_F(ZepocardTest, CardFileNamesShiftJisCannotHoldAreRefused) {
    fs::path card = WriteCard("카드.zep", "card {x}\r\nend\r\n");
    for (const char* cmd : {"check ", "normalize "}) {
        Outcome run = Zepocard(cmd + card.string());
        EXPECT_EQ(run.exitCode, 2) << cmd;
        EXPECT_NE(run.err.find("Shift-JIS"), std::string::npos) << run.err;
    }
    // A Japanese name that fits is the card's name.
    fs::path japanese = WriteCard("会議.zep", "card {x}\r\nend\r\n");
    Outcome run = Zepocard("normalize " + japanese.string());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find(Sjis("card {会議}")), std::string::npos);
}

TEST_F(ZepocardTest, PicturesAreMeasuredByTheirOwnDecoder) {
    // A picture that does not decode is reported as the editor reports it; one that does is
    // placed at its pixel size.
    std::string bytes = ReadBytes(dir_ / "sakura.bmp");
    std::ofstream(dir_ / "cut.bmp", std::ios::binary) << bytes.substr(0, 200);
    fs::path card = WriteCard("pics.zep",
                              "card {pics}\r\n\tbitmap {0,0}{cut.bmp}{0}\r\n"
                              "\tbitmap {5,5}{SAKURA.BMP,50.0}{0}\r\nend\r\n");
    Outcome check = Zepocard("check " + card.string());
    EXPECT_NE(check.out.find("ﾋﾞｯﾄﾏｯﾌﾟ cut.bmp の読み込みに失敗しました"), std::string::npos) << check.out;
    // Writing it would drop the broken picture without a word: nothing is written.
    Outcome run = Zepocard("normalize " + card.string());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("何も書いていません"), std::string::npos) << run.err;

    fs::path good = WriteCard("good.zep", "card {good}\r\n\tbitmap {5,5}{SAKURA.BMP,50.0}{0}\r\nend\r\n");
    run = Zepocard("normalize " + good.string());
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("\tbitmap {5,5}{SAKURA.BMP,50.0}{0}\r\n"), std::string::npos) << run.out;
}

TEST_F(ZepocardTest, ArbitraryBytesNeverCrashTheReader) {
    std::mt19937 random(7);
    const std::string alphabet = "{},\t \r\n'card textbitmapframe@slide@end0123456789-\x82\x83\x7d\xff";
    for (int round = 0; round < 6; ++round) {
        std::string bytes = "card {x}\r\n";
        for (int i = 0; i < 3000; ++i) bytes += alphabet[random() % alphabet.size()];
        fs::path path = dir_ / ("fuzz" + std::to_string(round) + ".zep");
        std::ofstream(path, std::ios::binary) << bytes;
        for (const char* cmd : {"check ", "normalize "}) {
            int code = Zepocard(cmd + path.string()).exitCode;
            EXPECT_TRUE(code == 0 || code == 1) << cmd << round << " exit " << code;
        }
    }
}

// Reading a card must not lose objects silently: more objects of a kind than there are
// slots, or a file named with a folder (the written card keeps only the bare name), stop
// normalize; check names every such statement.
TEST_F(ZepocardTest, NormalizeRefusesCardsThatWouldLoseObjectsOrLinks) {
    fs::create_directory(dir_ / "sub");
    fs::copy_file(kExamples / "aisatsu.txt", dir_ / "sub" / "aisatsu.txt");
    std::string texts, frames, pictures, blocks;
    for (int i = 0; i < 21; ++i) texts += "\ttext {" + std::to_string(i) + ",0}{t}{0}\r\n";
    for (int i = 0; i < 11; ++i) frames += "\tframe {" + std::to_string(i) + ",0}{5,5}{0}\r\n";
    for (int i = 0; i < 6; ++i) pictures += "\tbitmap {" + std::to_string(i) + ",0}{sakura.bmp,100}{0}\r\n";
    for (int i = 0; i < 6; ++i) blocks += "\ttextf {" + std::to_string(i) + ",0}{aisatsu.txt}{0}\r\n";
    const struct {
        const char* name;
        std::string body;
        std::string checked;  // what check says at the refused statement
        int checkExit;        // a warning alone does not fail the check
    } cases[] = {
        {"texts.zep", texts, ":22: ignored: 空いている場所がないため読みません", 1},
        {"frames.zep", frames, ":12: ignored: 空いている場所がないため読みません", 1},
        {"pictures.zep", pictures, ":7: ignored: 空いている場所がないため読みません", 1},
        {"blocks.zep", blocks, ":7: ignored: 空いている場所がないため読みません", 1},
        {"folder.zep", "\ttextf {0,0}{sub\\aisatsu.txt}{0}\r\n",
         ":2: warning: sub\\aisatsu.txt はフォルダ付きの名前です", 0},
    };
    for (const auto& c : cases) {
        const fs::path card = WriteCard(c.name, "card {x}\r\n" + c.body + "end\r\n");
        const fs::path out = dir_ / ("out-" + std::string(c.name));
        Outcome run = Zepocard("normalize " + card.string() + " -o " + out.string());
        EXPECT_EQ(run.exitCode, 1) << c.name;
        EXPECT_FALSE(fs::exists(out)) << c.name << ": nothing written";
        EXPECT_NE(run.err.find(c.checked.substr(c.checked.rfind(": ") + 2)), std::string::npos) << run.err;
        Outcome check = Zepocard("check " + card.string());
        EXPECT_EQ(check.exitCode, c.checkExit) << c.name;
        EXPECT_NE(check.out.find(card.string() + c.checked), std::string::npos) << check.out;
    }
}

// Every file zepocard writes goes through one writer: a full disk (here a file size limit,
// which fails the write the same way) leaves the old file whole and no temporary file
// behind; a temporary name planted as a link is never followed.
TEST_F(ZepocardTest, FailedWritesLeaveTheOldFileAndPlantedLinksAlone) {
    const fs::path victim = dir_ / "victim.txt";
    std::ofstream(victim) << "victim";
    std::string texts;  // written out with its styles, well over the limit of one block
    for (int i = 0; i < 20; ++i) texts += "\ttext {" + std::to_string(i) + ",0}{ABCDEFGHIJ}{0}\r\n";
    const fs::path card = WriteCard("big.zep", "card {big}\r\n" + texts + "end\r\n");
    const struct {
        const char* output;
        std::string arguments;
    } writers[] = {{"out.zep", "normalize " + card.string() + " -o "},
                   {"out.bmp", "reduce " + (dir_ / "sakura.bmp").string() + " "}};
    for (const auto& w : writers) {
        const fs::path out = dir_ / w.output;
        std::ofstream(out) << "old";
        const std::string name = w.output;
        for (const std::string& planted :
             {name + ".part", "." + name + ".part", name + ".tmp", name + "~", "." + name + ".XXXXXX"})
            fs::create_symlink(victim, dir_ / planted);
        const std::string limited = "sh -c \"trap '' XFSZ; ulimit -f 1; exec " + std::string(ZEPOCARD) + " " +
                                    w.arguments + out.string() + "\" >/dev/null 2>&1";
        const int status = std::system(limited.c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 0) << w.output << ": the write must fail";
        EXPECT_EQ(ReadBytes(out), "old") << w.output;
        size_t files = 0;
        for (const auto& entry : fs::directory_iterator(dir_))
            files += entry.path().filename().string().find(name) != std::string::npos;
        EXPECT_EQ(files, 6u) << w.output << ": the output and the planted links, no temporary file";

        Outcome run = Zepocard(w.arguments + out.string());
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_NE(ReadBytes(out), "old") << w.output;
        EXPECT_EQ(ReadBytes(victim), "victim") << w.output;
        EXPECT_TRUE(fs::is_symlink(dir_ / (name + ".part"))) << w.output;
    }
}

// A card shown on a terminal is UTF-8 like everything else zepocard prints, and what it holds
// cannot drive the terminal; a pipe or a file still gets the card's own Shift-JIS bytes.
TEST_F(ZepocardTest, NormalizeShowsUtf8OnATerminalAndTheCardsBytesElsewhere) {
    const fs::path card = kExamples / "main.zep";
    EXPECT_EQ(OnTerminal({"normalize", card.string()}), SjisToUtf8(ReadBytes(card)));
    const fs::path hostile = WriteCard("osc.zep", "card {osc}\r\n\ttitle  {会議\x1b]52;c;aGk=\x07}\r\nend\r\n");
    const std::string shown = OnTerminal({"normalize", hostile.string()});
    EXPECT_NE(shown.find("会議\\x1B]52;c;aGk=\\x07}\r\n"), std::string::npos) << shown;
    EXPECT_NE(Zepocard("normalize " + hostile.string()).out.find(Sjis("会議") + "\x1b]52;c;aGk=\x07}"),
              std::string::npos);
}

// Help and the version are answers, on standard output; a line zepocard cannot read is an
// error, on standard error, named.
TEST_F(ZepocardTest, HelpGoesToStandardOutputAndErrorsToStandardError) {
    const struct {
        std::string args;
        int code;
        std::string out, err;  // contained; an empty one must stay empty
    } cases[] = {
        {"--help", 0, "render", ""},
        {"help export", 0, "--screen=WxH", ""},
        {"normalize --help", 0, "使い方: zepocard normalize", ""},
        {"--version", 0, "zepocard ", ""},
        {"--help >/dev/full", 2, "", ""},
        {"frobnicate", 2, "", "「frobnicate」"},
        {"export --screen=640x480 " + kExamples.string(), 2, "", "-o で指定"},
    };
    for (const auto& c : cases) {
        const Outcome run = Zepocard(c.args);
        EXPECT_EQ(run.exitCode, c.code) << c.args;
        EXPECT_EQ(run.out.empty(), c.out.empty()) << c.args;
        EXPECT_NE(run.out.find(c.out), std::string::npos) << c.args;
        EXPECT_EQ(run.err.empty(), c.err.empty()) << c.args << run.err;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << c.args;
    }
}

}  // namespace
}  // namespace zepo
