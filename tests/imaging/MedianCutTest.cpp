#include <gtest/gtest.h>

#include <map>

#include "TestPictures.h"
#include "imaging/MedianCut.h"
#include "imaging/NeighbourhoodFilter.h"
#include "imaging/Reduce.h"

namespace zepo {
namespace {

using test::Counted;
using test::Entry;
using test::Indices;
using test::Rgb;

struct ReduceCase {
    const char* name;
    std::vector<std::pair<Rgb, int>> colours;
    int bits;
    Palette palette;
    std::vector<int> indices;  // one per colour of the row
};

// Expected palettes worked out by hand: cut at the truncated weighted mean of the axis with the
// largest weighted variance, upper side numbered first.
const ReduceCase kReduceCases[] = {
    {"OneColourExact", {{{13, 200, 77}, 5}}, 8, {Entry(13, 200, 77)}, {0}},
    {"TwoColoursOneCellTruncatedMean", {{{0, 0, 0}, 2}, {{3, 3, 7}, 2}}, 8, {Entry(1, 1, 3)}, {0, 0}},
    {"UnevenCountsInOneCell", {{{0, 0, 0}, 3}, {{3, 3, 7}, 1}}, 8, {Entry(0, 0, 1)}, {0, 0}},
    {"BitsZeroIsWeightedMean", {{{10, 20, 30}, 3}, {{200, 100, 0}, 1}}, 0, {Entry(57, 40, 22)}, {0, 0}},
    // G first (3·2400 < 4·9600), then R on both sides; the lone cells are carried on.
    {"TwoLevels",
     {{{0, 0, 0}, 2}, {{0, 200, 0}, 1}, {{100, 0, 0}, 1}, {{100, 200, 40}, 1}},
     2,
     {Entry(100, 200, 40), Entry(0, 200, 0), Entry(100, 0, 0), Entry(0, 0, 0)},
     {3, 1, 2, 0}},
    {"TwoLevelsCarriedDeeper",
     {{{0, 0, 0}, 2}, {{0, 200, 0}, 1}, {{100, 0, 0}, 1}, {{100, 200, 40}, 1}},
     5,
     {Entry(100, 200, 40), Entry(0, 200, 0), Entry(100, 0, 0), Entry(0, 0, 0)},
     {3, 1, 2, 0}},
    {"OneLevel",
     {{{0, 0, 0}, 2}, {{0, 200, 0}, 1}, {{100, 0, 0}, 1}, {{100, 200, 40}, 1}},
     1,
     {Entry(50, 200, 20), Entry(33, 0, 0)},
     {1, 0, 1, 0}},
    // 3·varR = 4·varG = 2·varB = 12: R.
    {"TieOfAllThreeChoosesR",
     {{{126, 125, 132}, 1}, {{130, 129, 126}, 1}, {{126, 129, 126}, 1}, {{130, 129, 128}, 1}},
     1,
     {Entry(130, 129, 127), Entry(126, 127, 129)},
     {1, 0, 1, 0}},
    // 4·varG = 16 > 3·varR = 12 and 2·varB = 3·varG = 12: G.
    {"BTieWithThreeVarGChoosesG",
     {{{126, 126, 132}, 1}, {{130, 126, 126}, 1}, {{126, 130, 126}, 1}, {{130, 130, 128}, 1}},
     1,
     {Entry(128, 130, 127), Entry(128, 126, 129)},
     {1, 1, 0, 0}},
    // 2·varB = 13 > 3·varG = 12 although 13 < 4·varG = 16: B.
    {"BAboveThreeVarGChoosesB",
     {{{126, 126, 132}, 1}, {{130, 126, 125}, 1}, {{126, 130, 127}, 1}, {{130, 130, 128}, 1}},
     1,
     {Entry(126, 126, 132), Entry(128, 128, 126)},
     {0, 1, 1, 1}},
};

void PrintTo(const ReduceCase& c, std::ostream* os) { *os << c.name; }

class MedianCutReduceCases : public ::testing::TestWithParam<ReduceCase> {};

TEST_P(MedianCutReduceCases, PaletteOrderAndIndices) {
    const ReduceCase& c = GetParam();
    auto reduced = MedianCutReduce(Counted(c.colours), c.bits);
    ASSERT_TRUE(reduced) << reduced.error().message;
    EXPECT_EQ(reduced.value().GetPalette(), c.palette);
    std::vector<int> expected;
    for (size_t i = 0; i < c.colours.size(); ++i) expected.insert(expected.end(), c.colours[i].second, c.indices[i]);
    EXPECT_EQ(Indices(reduced.value()), expected);
}

INSTANTIATE_TEST_SUITE_P(Hand, MedianCutReduceCases, ::testing::ValuesIn(kReduceCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct AxisCase {
    long double varR, varG, varB;
    SplitAxis axis;
};

TEST(ChooseSplitAxis, WeightsAndTies) {
    const AxisCase cases[] = {
        {0, 0, 0, SplitAxis::R}, {4, 3, 6, SplitAxis::R}, {5, 3, 7.5L, SplitAxis::R},
        {4, 4, 6, SplitAxis::G}, {1, 1, 1, SplitAxis::G}, {4, 4, 6.5L, SplitAxis::B},
        {5, 3, 8, SplitAxis::B}, {0, 0, 1, SplitAxis::B}, {1, 0, 2, SplitAxis::B},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooseSplitAxis(c.varR, c.varG, c.varB), c.axis) << c.varR << " " << c.varG << " " << c.varB;
}

TEST(MedianCut, ColourAbsentFromPictureMapsToZeroWhenEmptyCellsAreSkipped) {
    MedianCut cut;
    cut.AddColor(PackRgb(250, 250, 250));
    cut.AddColor(PackRgb(10, 10, 10));
    ASSERT_TRUE(cut.BuildPalette(8, true));
    ASSERT_EQ(cut.PaletteCount(), 2);
    EXPECT_EQ(cut.ColorIndex(PackRgb(10, 10, 10)), 1);
    EXPECT_EQ(cut.ColorIndex(PackRgb(128, 0, 255)), 0);
}

// Without skipping, the empty cells above a lone black pixel form a box of their own whose
// colour is the plain average of their centres.
TEST(MedianCut, EmptyCellsTakePartWhenNotSkipped) {
    MedianCut cut;
    cut.AddColor(0, 0, 0);
    ASSERT_TRUE(cut.BuildPalette(1, false));
    EXPECT_EQ(cut.BuiltPalette(), (Palette{Entry(128, 128, 128), Entry(0, 0, 0)}));
    EXPECT_EQ(cut.ColorIndex(0, 0, 0), 1);
    EXPECT_EQ(cut.ColorIndex(255, 255, 255), 0);
}

TEST(MedianCut, ManyCellsGiveAtMostTwoToTheBitsEntries) {
    const Bitmap noise = test::Noise(64, 48, 7);
    for (int bits : {3, 8}) {
        auto reduced = MedianCutReduce(noise, bits);
        ASSERT_TRUE(reduced);
        const int count = int(reduced.value().GetPalette().size());
        EXPECT_LE(count, 1 << bits);
        EXPECT_GT(count, (1 << bits) / 2);
        for (int index : Indices(reduced.value())) ASSERT_LT(index, count);
    }
}

TEST(MedianCut, RefusesBadBitsAndASecondBuild) {
    for (int bits : {-1, 9}) {
        MedianCut cut;
        const Status s = cut.BuildPalette(bits, true);
        ASSERT_FALSE(s);
        EXPECT_EQ(s.error().message, "Assertion failure");
    }
    MedianCut cut;
    ASSERT_TRUE(cut.BuildPalette(8, true));
    EXPECT_FALSE(cut.BuildPalette(8, true));
}

TEST(MedianCutReduce, PreconditionsFailWithTheirTexts) {
    const Bitmap eight(4, 4, PixelFormat::Indexed8);
    const Bitmap full = test::Noise(4, 4, 1);
    const struct {
        Result<Bitmap> result;
        const char* message;
    } cases[] = {
        {MedianCutReduce(full, -1), "Assertion failure"},
        {MedianCutReduce(full, 9), "Assertion failure"},
        {MedianCutReduce(eight, 8), "Assertion failure"},
        {MedianCutReduceDithered(full, -1), "Assertion failure"},
        {MedianCutReduceDithered(eight, 8), "Assertion failure"},
        {NeighbourhoodFilter(eight, FloydSteinbergStep, nullptr), "BitmapFiletr accepts only 24Bit DIB"},
    };
    for (const auto& c : cases) {
        ASSERT_FALSE(c.result);
        EXPECT_EQ(c.result.error().message, c.message);
    }
}

TEST(MedianCutReduce, SourceIsUnchangedAndEveryColourOfACellSharesAnIndex) {
    const Bitmap source = test::Noise(40, 30, 3);
    const Bitmap copy = source;
    auto reduced = MedianCutReduce(source, 8);
    ASSERT_TRUE(reduced);
    EXPECT_EQ(source, copy);
    std::map<int, int> indexOfCell;
    for (int y = 0; y < source.Height(); ++y)
        for (int x = 0; x < source.Width(); ++x) {
            const Rgb c = test::PixelAt(source, x, y);
            const int cell = MedianCut::CellIndex(uint8_t(c.r), uint8_t(c.g), uint8_t(c.b));
            auto [it, fresh] = indexOfCell.emplace(cell, reduced.value().Row(y)[x]);
            ASSERT_EQ(it->second, reduced.value().Row(y)[x]);
        }
}

}  // namespace
}  // namespace zepo
