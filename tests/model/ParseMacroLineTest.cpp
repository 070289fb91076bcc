#include <gtest/gtest.h>

#include "ModelFakes.h"
#include "model/MacroReader.h"

namespace zepo {
namespace {
using test::S;

struct Expected {
    std::string keyword{}, arg1{}, arg1Rest{}, arg2Whole{}, arg2{}, arg2Rest{}, arg3{}, arg3Rest{}, arg4{}, arg4Rest{};
};

void ExpectParsed(const std::string& line, const Expected& e) {
    ParsedLine p = ParseMacroLine(line);
    SCOPED_TRACE(SjisToUtf8(line));
    EXPECT_EQ(p.keyword, e.keyword);
    EXPECT_EQ(p.arg1, e.arg1);
    EXPECT_EQ(p.arg1Rest, e.arg1Rest);
    EXPECT_EQ(p.arg2Whole, e.arg2Whole);
    EXPECT_EQ(p.arg2, e.arg2);
    EXPECT_EQ(p.arg2Rest, e.arg2Rest);
    EXPECT_EQ(p.arg3, e.arg3);
    EXPECT_EQ(p.arg3Rest, e.arg3Rest);
    EXPECT_EQ(p.arg4, e.arg4);
    EXPECT_EQ(p.arg4Rest, e.arg4Rest);
}

TEST(ParseMacroLine, States) {
    struct Case {
        std::string line;
        Expected e;
    };
    const std::vector<Case> cases = {
        {"card {main}", {"card", "main"}},
        {"\ttitle  {ZEPO}", {"title", "ZEPO"}},
        {"\ttext   {30,40}{a,b,c}{FA}{next,next.zep}",
         {"text", "30", "40", "a,b,c", "a", "b,c", "FA", "", "next", "next.zep"}},
        {"\tframe  {1,2}{3,4}{0}", {"frame", "1", "2", "3,4", "3", "4", "0"}},
        {"\tfont   {JM}{20}{0,5}", {"font", "JM", "", "20", "20", "", "0", "5"}},
        {"\tcolor  {}{GRAY}", {"color", "", "", "GRAY", "GRAY"}},
        {"  x {a, b }junk{c}", {"x", "a", " b ", "c", "c"}},  // blanks inside kept, junk skipped
        {"\tkey\tword {1}", {"key\tword", "1"}},              // a tab does not end the keyword
        {"\tbutton {2}{this}{x}{y,z}{ignored}", {"button", "2", "", "this", "this", "", "x", "", "y", "z"}},
        {"\ttext   {1,2}{unterminated", {"text", "1", "2", "unterminated", "unterminated"}},
        {"end", {"end"}},
        {"", {}},
        {"   ", {}},
    };
    for (const auto& c : cases) ExpectParsed(c.line, c.e);
}

TEST(ParseMacroLine, CommentsOnlyAtTheVeryStart) {
    EXPECT_TRUE(ParseMacroLine("'comment {x}").comment);
    EXPECT_TRUE(ParseMacroLine("'comment {x}").keyword.empty());
    ParsedLine late = ParseMacroLine("  'x {1}");
    EXPECT_FALSE(late.comment);
    EXPECT_EQ(late.keyword, "'x");
}

TEST(ParseMacroLine, TwoByteCharactersNextToBracesAndCommas) {
    // Second bytes that look like separators: ボ is 83 7B ("{"), マ 83 7D ("}"), ソ 83 5C ("\\").
    const std::string bo = S("ボ"), ma = S("マ"), so = S("ソ");
    ASSERT_EQ(bo[1], '{');
    ASSERT_EQ(ma[1], '}');
    ASSERT_EQ(so[1], '\\');
    ExpectParsed("\ttext   {1,2}{" + bo + ma + "," + so + "}{" + ma + "," + bo + "}",
                 {"text", "1", "2", bo + ma + "," + so, bo + ma, so, ma, bo});
    ExpectParsed(bo + " {" + ma + "}{" + bo + "}", {bo, ma, "", bo, bo});
    ExpectParsed("x {" + ma + "}" + bo + "{2}", {"x", ma, "", "2", "2"});  // skipped between arguments too
    // A lone lead byte at the end of a part takes the brace after it; the writer never
    // produces one because byte cuts drop half characters.
    ExpectParsed("x {a\x83}{b}", {"x", "a\x83}{b"});
}

TEST(ParseMacroLine, PartsKeepTheirFirstFiftyBytes) {
    std::string fifty = std::string(49, 'a');
    ParsedLine p = ParseMacroLine("x {" + fifty + S("あ") + "," + std::string(60, 'b') + "}{" + std::string(70, 'c') +
                                  "," + std::string(55, 'd') + "}");
    EXPECT_EQ(p.arg1, fifty);  // the two-byte character that would be split is dropped whole
    EXPECT_EQ(p.arg1Rest, std::string(50, 'b'));
    EXPECT_EQ(p.arg2, std::string(70, 'c'));  // no limit on argument 2's first part
    EXPECT_EQ(p.arg2Rest, std::string(50, 'd'));
    EXPECT_EQ(p.arg2Whole.size(), 70u + 1 + 55u);  // nor on argument 2 whole
}

}  // namespace
}  // namespace zepo
