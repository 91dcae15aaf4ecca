#include <gtest/gtest.h>

#include <cmath>

#include "host/host.h"
#include "settings/number.h"

namespace discmenu {
namespace {

TEST(NumericValueTest, ReadsTheNumberAtTheStart)
{
    const struct {
        const char* text;
        double expected;
    } cases[] = {
        {"56", 56},      {"12.5", 12.5},  {"12,5", 12},     {"  7", 7},      {"\t7", 7},
        {"-3", -3},      {"+4", 4},       {".5", 0.5},      {"5.", 5},       {"1.2.3", 1.2},
        {"1e3", 1000},   {"1E-1", 0.1},   {"2d2", 200},     {"1e", 1},       {"1e+", 1},
        {"3x", 3},       {"", 0},         {"abc", 0},       {"-", 0},        {".", 0},
        {"- 3", 0},      {"1 000", 1},    {"&H10", 0},      {"1e-999", 0},   {"007", 7},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(NumericValue(c.text), c.expected) << c.text;
    EXPECT_TRUE(std::isinf(NumericValue("1e999")));
    EXPECT_LT(NumericValue("-1e999"), 0);
}

TEST(RoundToInt16Test, HalvesGoToEven)
{
    const struct {
        double value;
        int expected;
    } cases[] = {{1.5, 2}, {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {2.4, 2}, {2.6, 3},
                 {32767, 32767}, {-32768, -32768}, {32767.4, 32767}, {-32768.5, -32768}};
    for (const auto& c : cases) EXPECT_EQ(RoundToInt16(c.value), c.expected) << c.value;
}

TEST(RoundToInt16Test, OutOfRangeIsAnError)
{
    for (double value : {40000.0, 32767.5, -32769.0, -32768.6, double(INFINITY), -double(INFINITY)})
        EXPECT_THROW(RoundToInt16(value), HostError) << value;
}

TEST(RoundToInt32Test, HalvesGoToEven)
{
    EXPECT_EQ(RoundToInt32(30.5), 30);
    EXPECT_EQ(RoundToInt32(31.5), 32);
    EXPECT_EQ(RoundToInt32(30.7), 31);
}

} // namespace
} // namespace discmenu
