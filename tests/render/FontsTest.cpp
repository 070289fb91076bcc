#include <gtest/gtest.h>

#include <QFontInfo>
#include <QGuiApplication>

#include "ShellFakes.h"
#include "core/TextCodec.h"
#include "render/Fonts.h"

namespace zepo {
namespace {

class Fonts : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::App(); }
};

TEST_F(Fonts, EachTypefaceFindsItsInstalledFamily) {
    struct Case {
        Typeface face;
        const char* family;
    };
    for (auto c : {Case{Typeface::Mincho, "IPAMincho"}, Case{Typeface::Gothic, "IPAGothic"},
                   Case{Typeface::TimesNewRoman, "Liberation Serif"}, Case{Typeface::Arial, "Liberation Sans"}}) {
        QFontInfo info(MakeFont({c.face, 20}));
        EXPECT_EQ(info.family(), c.family);
        EXPECT_EQ(info.pixelSize(), 20);
        // A QFont asking for the card's own name lands on the same family.
        EXPECT_EQ(QFontInfo(QFont(TypefaceName(c.face))).family(), c.family);
        EXPECT_EQ(TypefaceOfName(TypefaceName(c.face)), c.face);
    }
    // The macro viewer's proportional Gothic.
    EXPECT_EQ(QFontInfo(QFont("ＭＳ Ｐゴシック")).family(), "IPAPGothic");
}

TEST_F(Fonts, FullWidthCharacterCellIsHeightSquare) {
    QtTextMeasurer m;
    for (int h : {8, 20, 33, 100}) {
        EXPECT_EQ(m.TextWidth(Sjis("あ"), {Typeface::Mincho, h}), h);
        EXPECT_EQ(m.TextWidth(Sjis("漢字"), {Typeface::Gothic, h}), 2 * h);
    }
    EXPECT_GT(m.TextWidth("Hello", {Typeface::Arial, 20}), 0);
    EXPECT_LT(m.TextWidth("Hello", {Typeface::Arial, 20}), 5 * 20);
    EXPECT_EQ(m.TextWidth("", {Typeface::Arial, 20}), 0);
}

}  // namespace
}  // namespace zepo
