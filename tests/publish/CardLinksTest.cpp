// What a card points at and whether it is there, as check and export see it.

#include <gtest/gtest.h>

#include <unistd.h>

#include "ModelFakes.h"
#include "TempFolder.h"
#include "core/TextCodec.h"
#include "model/MacroFile.h"
#include "publish/CardLinks.h"
#include "publish/WebPages.h"

namespace zepo::publish {
namespace {

std::string Describe(const std::vector<CardLink>& links) {
    std::string out;
    const char* kinds[] = {"card", "medium", "picture", "text", "movie"};
    for (const CardLink& l : links)
        out += std::to_string(l.line) + " " + kinds[static_cast<int>(l.kind)] + " " + SjisToUtf8(l.target) + "; ";
    return out;
}

// The links of a card read from `lines` (its pictures and text files missing: their objects
// stay, as on a stick that is not plugged in).
std::vector<CardLink> LinksOfCard(const std::vector<std::string>& lines) {
    test::RecordingMessages messages;
    test::FakeFiles files;
    test::GridMeasurer measurer;
    ReaderContext context{messages, files, measurer};
    Card card;
    const LoadOutcome outcome = LoadMacro(card, lines, "x.zep", context);
    return FindCardLinks(card, outcome.sources);
}

TEST(CardLinksTest, EveryStatementThatNamesACardOrAFileIsFoundOnItsLine) {
    struct Case {
        const char* body;  // lines after "card {x}", which is line 1
        const char* links;
    } cases[] = {
        {"\ttext {1,1}{つぎ}{0}{next,next.zep}", "2 card next.zep; "},
        {"\tframe {0,0}{9,9}{FA}{next}", "2 card next.zep; "},  // no file: the name + ".zep"
        {"\tbitmap {0,0}{a.bmp,50.0}{0}{WAVE,ding.wav}", "2 picture a.bmp; 2 medium ding.wav; "},
        {"\ttextf {0,0}{aisatsu.txt}{0}", "2 text aisatsu.txt; "},
        {"\tbutton {0}{last,last.zep}\r\n\tbutton {6}{gone,gone.zep}\r\n\tbutton {5}{MIDI,a.mid}",
         "2 card last.zep; 4 medium a.mid; "},
        {"\twave {a.wav}\r\n\tmidi {b.mid}\r\n\tavi {c.avi}\r\n\tavi2 {d.avi}\r\n\tcdaudio {3}\r\n\trun {x.exe}",
         "2 medium a.wav; 3 medium b.mid; 4 medium c.avi; 5 movie d.avi; "},
        // Stop forms, "this", CD tracks and programs name nothing to look up.
        {"\ttext {1,1}{a}{0}{this}\r\n\tbutton {1}{WAVE,}\r\n\tbutton {2}{CDAUDIO,2}\r\n\tbutton {3}{RUN,a.exe}", ""},
        {"\t@slide {5}\r\n\t\t{main,main.zep}\r\n\t\t{old,old.txt}\r\n\t\t{last,last.zep}\r\n\t@end\r\n"
         "\tbutton {0}{next,next.zep}",
         "3 card main.zep; 5 card last.zep; 7 card next.zep; "},
        // Only what the reader reads: nothing after "end".
        {"end\r\n\tbutton {0}{next,next.zep}", ""},
        // The reader keeps 20 bytes of a name and 50 of a file.
        {"\tbutton {0}{abcdefghijklmnopqrstuvwxyz}", "2 card abcdefghijklmnopqrst.zep; "},
        // What the card holds: a later statement replaces an earlier one, an object past the
        // last free slot and what follows a stop are not on it.
        {"\twave {a.wav}\r\n\tbutton {1}{old}\r\n\twave {b.wav}\r\n\tbutton {1}{new}",
         "4 medium b.wav; 5 card new.zep; "},
        {"\tbitmap {0,0}{1.bmp}\r\n\tbitmap {0,0}{2.bmp}\r\n\tbitmap {0,0}{3.bmp}\r\n\tbitmap {0,0}{4.bmp}\r\n"
         "\tbitmap {0,0}{5.bmp}\r\n\tbitmap {0,0}{6.bmp}{0}{six}",
         "2 picture 1.bmp; 3 picture 2.bmp; 4 picture 3.bmp; 5 picture 4.bmp; 6 picture 5.bmp; "},
        {"\tframe {0,0}{9,9}{FA}{a}\r\n\tframe {x,0}{9,9}{FA}{b}\r\n\tbutton {0}{c}", "2 card a.zep; "},
    };
    for (const Case& c : cases) {
        auto lines = SplitLines("card {x}\r\n" + Sjis(c.body));
        EXPECT_EQ(Describe(LinksOfCard(lines)), c.links) << c.body;
    }
    // Nor before "card".
    EXPECT_EQ(Describe(LinksOfCard(SplitLines("\tbutton {0}{a,a.zep}\r\ncard {x}\r\n"))), "");
    // A slide holds at most 20 entries; the rest are not its cards.
    std::string slide = "card {x}\r\n\t@slide {1}\r\n";
    for (int i = 0; i < 25; ++i) slide += "\t\t{c,c" + std::to_string(i) + ".zep}\r\n";
    EXPECT_EQ(LinksOfCard(SplitLines(slide)).size(), 20u);
}

TEST(CardLinksTest, FilesAreLookedUpAsPlainFilesInsideTheFolder) {
    test::TempFolder temp;
    const auto& dir = temp.path();
    std::filesystem::create_directories(dir / "set" / "sub");
    std::filesystem::create_directories(dir / "set" / "folder.wav");
    test::WriteBytes(dir / "set" / "Ding.WAV", "x");
    test::WriteBytes(dir / "set" / "sub" / "a.mid", "x");
    test::WriteBytes(dir / "set" / "会議 #1.zep", "x");
    test::WriteBytes(dir / "secret.wav", "x");
    std::filesystem::create_symlink(dir / "secret.wav", dir / "set" / "link.wav");
    std::filesystem::create_symlink(dir / "set" / "Ding.WAV", dir / "set" / "inner.wav");
    std::filesystem::create_directories(dir / "elsewhere");
    test::WriteBytes(dir / "elsewhere" / "x.wav", "x");
    std::filesystem::create_directory_symlink(dir / "elsewhere", dir / "set" / "out");
    struct Case {
        const char* name;
        Lookup expected;
    } cases[] = {
        {"Ding.WAV", Lookup::Found},          {"ding.wav", Lookup::Found},
        {"sub/a.mid", Lookup::Found},         {"sub\\a.mid", Lookup::Found},
        {"会議 #1.zep", Lookup::Found},       {"inner.wav", Lookup::Found},
        {"gone.wav", Lookup::Missing},        {"../secret.wav", Lookup::Outside},
        {"../gone.wav", Lookup::Outside},     {"link.wav", Lookup::Outside},
        {"folder.wav", Lookup::NotPlainFile}, {"out\\x.wav", Lookup::Outside},
        {"out/gone.wav", Lookup::Outside},    {"out\\..\\secret.wav", Lookup::Outside},
    };
    for (const Case& c : cases) EXPECT_EQ(LookUpInFolder(dir / "set", Sjis(c.name)).state, c.expected) << c.name;
    const std::string absolute = (dir / "secret.wav").string();
    EXPECT_EQ(LookUpInFolder(dir / "set", absolute).state, Lookup::Outside);
    EXPECT_EQ(LookUpInFolder(dir / "set", "inner.wav").path, std::filesystem::canonical(dir / "set" / "Ding.WAV"));
}

TEST(WebPagesTest, NamesAndTextsAreEncodedForLinksAndPages) {
    EXPECT_EQ(PercentEncode("main.html"), "main.html");
    EXPECT_EQ(PercentEncode("a b#c?d%e&f.html"), "a%20b%23c%3Fd%25e%26f.html");
    EXPECT_EQ(PercentEncode("会議.html"), "%E4%BC%9A%E8%AD%B0.html");
    EXPECT_EQ(PercentEncode("media/sub dir/a.wav", true), "media/sub%20dir/a.wav");
    EXPECT_EQ(PercentEncode("../x", false), "..%2Fx");
    EXPECT_EQ(EscapeHtml("<a href=\"x\">'&'</a>"), "&lt;a href=&quot;x&quot;&gt;&#39;&amp;&#39;&lt;/a&gt;");

    CardPage page;
    page.title = "春 <b>";
    page.areas.push_back({1, 2, 3, 4, "a%20b.html", AreaAction::Go, "\"つぎ\""});
    page.buttons[3] = {0, 0, 0, 0, "#", AreaAction::Note, "", "「<x>」は再生できません"};
    const std::string html = CardPageHtml(page);
    EXPECT_NE(html.find("<title>春 &lt;b&gt;</title>"), std::string::npos) << html;
    EXPECT_NE(html.find("href=\"a%20b.html\" title=\"&quot;つぎ&quot;\""), std::string::npos) << html;
    EXPECT_NE(html.find("left:1px;top:2px;width:3px;height:4px"), std::string::npos) << html;
    EXPECT_NE(html.find("id=\"button3\" class=\"button\" href=\"#\" data-action=\"note\" data-note=\"「&lt;x&gt;」"),
              std::string::npos)
        << html;
    EXPECT_EQ(html.find("id=\"button0\""), std::string::npos) << "no button where the card has none";
    // The player's data: the same escaped markup, inside JSON strings that stay closed.
    const std::string data = SetScript({page});
    EXPECT_NE(data.find("alt=\\\"春 &lt;b&gt;\\\""), std::string::npos) << data;
    EXPECT_NE(data.find("\"title\": \"春 <b>\""), std::string::npos) << data;
    EXPECT_EQ(data.find("<x>"), std::string::npos) << data;
}

}  // namespace
}  // namespace zepo::publish
