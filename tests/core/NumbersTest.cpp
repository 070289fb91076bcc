#include <gtest/gtest.h>

#include "core/Numbers.h"

namespace zepo {
namespace {

TEST(Numbers, ParseInt) {
    struct Case {
        const char* text;
        std::optional<int> value;
    };
    const std::vector<Case> cases = {
        {"0", 0},
        {"42", 42},
        {"-7", -7},
        {"+3", 3},
        {" 12", 12},
        {"", std::nullopt},
        {"12 ", std::nullopt},
        {"1.5", std::nullopt},
        {"x", std::nullopt},
        {"-", std::nullopt},
        {"2147483647", 2147483647},
        {"2147483648", std::nullopt},
        {"-2147483648", -2147483647 - 1},
        {"99999999999999999999", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseInt(c.text), c.value) << c.text;
}

TEST(Numbers, ParseNumber) {
    EXPECT_EQ(ParseNumber("2.5"), 2.5L);
    EXPECT_EQ(ParseNumber(" 100 "), 100.0L);
    EXPECT_FALSE(ParseNumber("x"));
    EXPECT_FALSE(ParseNumber(""));
    EXPECT_FALSE(ParseNumber("0x10"));
    EXPECT_FALSE(ParseNumber("nan"));
    EXPECT_FALSE(ParseNumber("1.5abc"));
}

TEST(Numbers, FormatOneDecimal) {
    struct Case {
        long double value;
        const char* text;
    };
    const std::vector<Case> cases = {
        {100, "100.0"},
        {150, "150.0"},
        {12.25L, "12.3"},
        {0.15L, "0.2"},
        {0.04L, "0.0"},
        {0.05L, "0.1"},
        {-2.25L, "-2.3"},
        {-0.01L, "0.0"},
        {99.95L, "100.0"},
        {9.96L, "10.0"},
        {33.299999237060547L, "33.3"},
        {1234567.0L, "1234567.0"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatOneDecimal(c.value), c.text) << static_cast<double>(c.value);
}

}  // namespace
}  // namespace zepo

namespace zepo {
namespace {

TEST(Numbers, RoundDecimalsHalfUpOnTheDecimalDigits) {
    struct Case {
        long double value;
        int places;
        const char* text;
    };
    const std::vector<Case> cases = {
        {0.3335L, 3, "0.334"},    {1.0004L, 3, "1.000"}, {0.0005L, 3, "0.001"},      {0.0004L, 3, "0.000"},
        {99.9996L, 3, "100.000"}, {2.5L, 0, "3"},        {1234.5678L, 2, "1234.57"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatFixed(c.value, c.places), c.text) << static_cast<double>(c.value);
    EXPECT_EQ(RoundDecimals(0.3335L, 3), std::strtold("0.334", nullptr));
}

TEST(Numbers, IntegerOutOfRangeOnlyForWellFormedNumbers) {
    const struct {
        const char* text;
        bool outOfRange;
    } cases[] = {{"2147483648", true},  {"-2147483649", true},  {" +99999999999999999999", true},
                 {"2147483647", false}, {"-2147483648", false}, {"99999999999x", false},
                 {"", false},           {"-", false},           {"1 000", false}};
    for (const auto& c : cases) EXPECT_EQ(IsIntegerOutOfRange(c.text), c.outOfRange) << c.text;
}

}  // namespace
}  // namespace zepo
