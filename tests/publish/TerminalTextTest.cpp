// Texts from cards and file names on their way to a terminal.

#include <gtest/gtest.h>

#include "core/TextCodec.h"
#include "publish/TerminalText.h"

namespace zepo::publish {
namespace {

TEST(TerminalTextTest, ControlsAndReorderingMarksBecomeVisibleEscapes) {
    const struct {
        std::string in, shown;
    } cases[] = {
        {"plain テキスト \\ 表", "plain テキスト \\ 表"},
        {"\x1b]52;c;aGk=\x07", "\\x1B]52;c;aGk=\\x07"},  // a clipboard write
        {"a\nb\rc\td", "a\\x0Ab\\x0Dc\\x09d"},
        {"\x7f", "\\x7F"},
        {"\xc2\x9b"
         "2J",
         "\\u009B2J"},  // C1 CSI
        {"\xe2\x80\xae"
         "txt.exe",
         "\\u202Etxt.exe"},  // right-to-left override
        {"\xe2\x80\xa8", "\\u2028"},
        {"\x82\xa0", "\\x82\\xA0"},  // bytes that are no UTF-8
    };
    for (const auto& c : cases) EXPECT_EQ(Printable(c.in), c.shown) << c.in;
    EXPECT_EQ(Printable(Printable("\x1b")), "\\x1B") << "escaping twice changes nothing";
    // A whole card on a terminal keeps its layout, nothing else.
    EXPECT_EQ(Printable("a\r\n\tb\x7f\xc2\x9b"
                        "31m\xe3\x81",
                        true),
              "a\r\n\tb\\x7F\\u009B31m\\xE3\\x81");
}

TEST(TerminalTextTest, FileNamesAreShownAsText) {
    EXPECT_EQ(ShownName("dir/メモ.zep"), "dir/メモ.zep");
    EXPECT_EQ(ShownName("dir/" + Sjis("表.zep")), "dir/表.zep") << "raw Shift-JIS, trail byte 0x5C included";
    EXPECT_EQ(ShownName("\xff\xfe.zep"), "\xEF\xBF\xBD\xEF\xBF\xBD.zep");
}

}  // namespace
}  // namespace zepo::publish
