#include <gtest/gtest.h>

#include "model/Codes.h"

namespace zepo {
namespace {

TEST(Codes, ColourNamesBothWays) {
    for (int i = 0; i < kColorCount; ++i) EXPECT_EQ(ColorIndex(ColorName(i)), i);
    EXPECT_EQ(ColorName(15), "WHITE");
    EXPECT_EQ(ColorName(16), "WHITE");
    EXPECT_EQ(ColorName(-1), "WHITE");
    EXPECT_EQ(ColorIndex("white"), 15);
    EXPECT_EQ(ColorIndex(""), 15);
    EXPECT_EQ(ColorIndex("PURPLE"), 15);
    EXPECT_EQ(ColorRgb(ColorIndex("GRAY")), 0xC0C0C0u);
    EXPECT_EQ(ColorRgb(ColorIndex("GRAY2")), 0x808080u);
    EXPECT_EQ(ColorRgb(ColorIndex("RED2")), 0x800000u);
}

TEST(Codes, FontCodes) {
    struct Case {
        Typeface face;
        int direction;
        const char* code;
    };
    const std::vector<Case> cases = {
        {Typeface::Mincho, 0, "JM"}, {Typeface::Gothic, 0, "JG"},  {Typeface::TimesNewRoman, 0, "EM"},
        {Typeface::Arial, 0, "EG"},  {Typeface::Mincho, 1, "JM2"}, {Typeface::Gothic, 1, "JG2"},
        {Typeface::Arial, 1, "JM2"},  // a Latin face never writes vertically; the writer falls back
    };
    for (const auto& c : cases) EXPECT_EQ(FontCode(c.face, c.direction), c.code);
    EXPECT_EQ(TypefaceOfCode("JG2"), Typeface::Gothic);
    EXPECT_EQ(TypefaceOfCode("EM"), Typeface::TimesNewRoman);
    EXPECT_EQ(TypefaceOfCode("XX"), Typeface::Mincho);
}

TEST(Codes, FrameCodeColumns) {
    using F = FrameColumn;
    struct Case {
        const char* code;
        int decoration, style, picture, movie;
    };
    const std::vector<Case> table = {
        {"0", 0, 7, 0, 0},   {"1", 1, 0, 0, 0},  {"2", 2, 0, 0, 0},   {"FA", 3, 0, 1, 1},
        {"FA2", 4, 1, 2, 2}, {"FB", 5, 2, 3, 3}, {"FB2", 6, 3, 4, 4}, {"FC", 7, 4, 5, 5},
        {"FC2", 8, 5, 6, 6}, {"FD", 0, 6, 0, 0}, {"", 0, 0, 0, 0},    {"fa", 0, 0, 0, 0},
    };
    for (const auto& c : table) {
        EXPECT_EQ(FrameIndex(F::Decoration, c.code), c.decoration) << c.code;
        EXPECT_EQ(FrameIndex(F::FrameStyle, c.code), c.style) << c.code;
        EXPECT_EQ(FrameIndex(F::PictureFrame, c.code), c.picture) << c.code;
        EXPECT_EQ(FrameIndex(F::MovieFrame, c.code), c.movie) << c.code;
    }
    // Every index of a column writes the code that reads back as that index.
    struct Column {
        F column;
        int count;
    };
    for (auto col :
         {Column{F::Decoration, 9}, Column{F::FrameStyle, 8}, Column{F::PictureFrame, 7}, Column{F::MovieFrame, 7}})
        for (int i = 0; i < col.count; ++i) EXPECT_EQ(FrameIndex(col.column, FrameCode(col.column, i)), i);
    EXPECT_EQ(FrameCode(F::Decoration, 9), "0");
    EXPECT_EQ(FrameCode(F::FrameStyle, 8), "0");
    EXPECT_EQ(FrameCode(F::FrameStyle, 6), "FD");
}

}  // namespace
}  // namespace zepo
