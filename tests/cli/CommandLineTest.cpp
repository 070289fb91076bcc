// zepocard's one command-line parser: what each line means, and what a line that means nothing says.

#include <gtest/gtest.h>

#include "cli/CommandLine.h"
#include "publish/TerminalText.h"

namespace zepo::cli {
using namespace zepo::publish;
namespace {

using Args = std::vector<std::string>;

TEST(CommandLine, HelpVersionAndErrorsAnswerWithTheirExitCode) {
    const struct {
        Args args;
        int code;
        std::string says;
    } cases[] = {
        {{"--help"}, 0, "使い方: zepocard COMMAND"},
        {{"-h"}, 0, "  export   "},
        {{"help"}, 0, "終了コード:"},
        {{"--help-all"}, 0, "使い方: zepocard reduce IN OUT.bmp"},
        {{"help", "render"}, 0, "--format=FORMAT"},
        {{"help", "help"}, 0, "使い方: zepocard help [COMMAND]"},
        {{"render", "--help"}, 0, "使い方: zepocard render"},
        {{"check", "x.zep", "-h"}, 0, "--json"},
        {{"--version"}, 0, std::string("zepocard ") + ZEPO_PROJECT_VERSION + "\n"},
        {{}, 2, "使い方: zepocard COMMAND"},
        {{"frobnicate"}, 2, "zepocard: 「frobnicate」というコマンドはありません"},
        {{"help", "frobnicate"}, 2, "「frobnicate」というコマンド"},
        {{"--frob"}, 2, "「--frob」というオプションはありません"},
        {{"render", "a.zep", "-o", "x.png", "--fast"}, 2, "zepocard render: 「--fast」というオプションはありません"},
        {{"check", "--json=yes", "a.zep"}, 2, "「--json」は値をとりません"},
        {{"render", "a.zep", "-o"}, 2, "「-o」には値が要ります"},
        {{"check"}, 2, "使い方: zepocard check"},
        {{"normalize", "a.zep", "b.zep"}, 2, "カードは 1 つだけ"},
        {{"normalize", ""}, 2, "空の名前"},
        {{"normalize", "a.zep", "-o", ""}, 2, "「--output」の値が空です"},
        {{"reduce", "in.bmp"}, 2, "使い方: zepocard reduce"},
        {{"reduce", "in.bmp", "out.bmp", "--bits", "9"}, 2, "「9」"},
        {{"reduce", "in.bmp", "out.bmp", "--bits=8x"}, 2, "--bits は 0 から 8"},
        {{"reduce", "in.bmp", "out.bmp", "--bits", "-1"}, 2, "--bits は 0 から 8"},
        {{"render", "-o", "x.png"}, 2, "描くカード"},
        {{"render", "a.zep"}, 2, "-o で指定"},
        {{"render", "a.zep", "-o", "x", "--format", "gif"}, 2, "--format は png, bmp, jpg"},
        {{"render", "a.zep", "-o", "x", "-j", "0"}, 2, "-j は 1 から 256"},
        {{"render", "a.zep", "-o", "x", "--jobs=257"}, 2, "-j は 1 から 256"},
        {{"export", "dir"}, 2, "-o で指定"},
        {{"export", "a", "b", "-o", "s"}, 2, "フォルダを 1 つ"},
        {{"map", "dir"}, 2, "-o で指定"},
        {{"map", "a", "b", "-o", "m.svg"}, 2, "フォルダを 1 つ"},
        {{"map", "dir", "-o", "m", "--format=pdf"}, 2, "--format は svg, png, dot"},
        // One screen rule for both commands that draw cards.
        {{"render", "a.zep", "-o", "x", "--screen", "9000x100"}, 2, "「9000x100」"},
        {{"export", "dir", "-o", "s", "--screen=9000x100"}, 2, "「9000x100」"},
        {{"export", "dir", "-o", "s", "--screen", "0x480"}, 2, "--screen は"},
        {{"render", "a.zep", "-o", "x", "--screen=640"}, 2, "--screen は"},
        {{"render", "a.zep", "-o", "x", "--screen=+640x480"}, 2, "--screen は"},
        // What reaches the terminal is shown, not obeyed.
        {{"check\x1b]52;c;aGk=\x07"}, 2, "「check\\x1B]52;c;aGk=\\x07」"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const auto line = ReadCommandLine(c.args);
        const Reply* reply = std::get_if<Reply>(&line);
        ASSERT_NE(reply, nullptr);
        EXPECT_EQ(reply->exitCode, c.code);
        EXPECT_NE(reply->text.find(c.says), std::string::npos) << reply->text;
        EXPECT_EQ(reply->text.find('\x1b'), std::string::npos);
        if (c.code == 2 && !c.args.empty()) {
            EXPECT_NE(reply->text.find("--help」を見てください"), std::string::npos) << reply->text;
        }
    }
}

template <class Options>
Options Read(const Args& args) {
    const auto line = ReadCommandLine(args);
    if (const Reply* reply = std::get_if<Reply>(&line)) ADD_FAILURE() << reply->text;
    const auto* options = std::get_if<CommandOptions>(&line);
    if (!options || !std::holds_alternative<Options>(*options)) {
        ADD_FAILURE() << testing::PrintToString(args) << " is not the expected command";
        return {};
    }
    return std::get<Options>(*options);
}

TEST(CommandLine, OptionsAreReadAlikeInEveryForm) {
    const Args forms[] = {
        {"render", "a.zep", "b.zep", "-o", "out", "--screen", "640x480", "--format", "BMP", "-j", "3"},
        {"render", "--screen=640X480", "a.zep", "--output=out", "-j3", "b.zep", "--format=bmp"},
        {"render", "--jobs", "3", "--format=bmp", "--screen=640x480", "-o", "out", "--", "a.zep", "b.zep"},
    };
    for (const Args& args : forms) {
        SCOPED_TRACE(testing::PrintToString(args));
        const auto o = Read<RenderOptions>(args);
        EXPECT_EQ(o.cards, (std::vector<std::filesystem::path>{"a.zep", "b.zep"}));
        EXPECT_EQ(o.out, "out");
        EXPECT_EQ(o.screen, QSize(640, 480));
        EXPECT_EQ(o.format, PictureFormat::Bmp);
        EXPECT_EQ(o.jobs, 3);
    }
    for (const Args& args : {Args{"export", "set", "-o", "site", "--screen=8192x1"},
                             Args{"export", "--screen", "8192x1", "--output", "site", "set"}}) {
        const auto o = Read<ExportOptions>(args);
        EXPECT_EQ(o.folder + "|" + o.site, "set|site");
        EXPECT_EQ(o.screen, QSize(8192, 1));
    }
    EXPECT_EQ(Read<ExportOptions>({"export", "set", "-o", "site"}).screen, QSize(1024, 768));
    const auto reduce = Read<ReduceOptions>({"reduce", "--bits=4", "in.jpg", "--dither", "out.bmp"});
    EXPECT_EQ(reduce.input + "|" + reduce.output, "in.jpg|out.bmp");
    EXPECT_TRUE(reduce.dither);
    EXPECT_EQ(reduce.bits, 4);
    EXPECT_EQ(Read<ReduceOptions>({"reduce", "in.jpg", "out.bmp", "--bits", "0"}).bits, 0);

    // A name after "--" may begin with a dash; a Shift-JIS name keeps its bytes.
    const std::string sjisName = "\x83\x4a\x81\x5b\x83\x68.zep";
    const auto check = Read<CheckOptions>({"check", "--json", "--", "-odd.zep", sjisName});
    EXPECT_TRUE(check.json);
    EXPECT_EQ(check.inputs, (std::vector<std::string>{"-odd.zep", sjisName}));
    const auto normalize = Read<NormalizeOptions>({"normalize", sjisName, "-o", "\xff.zep"});
    EXPECT_EQ(normalize.card + "|" + normalize.out, sjisName + "|\xff.zep");
    EXPECT_EQ(Read<NormalizeOptions>({"normalize", "a.zep"}).out, "");
}

}  // namespace
}  // namespace zepo::cli
