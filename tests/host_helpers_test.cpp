// The two number forms and the real random source.

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "clock_random.h"
#include "number_text.h"

using namespace snoutsum;

TEST(NumberText, DecimalTextIsTheShortestForm)
{
    EXPECT_EQ(decimalText(3), "3");
    EXPECT_EQ(decimalText(12), "12");
    EXPECT_EQ(decimalText(0), "0");
    EXPECT_EQ(decimalText(-4), "-4");
}

TEST(NumberText, SignedTextPutsASpaceWhereTheMinusWouldBe)
{
    EXPECT_EQ(signedText(3), " 3");
    EXPECT_EQ(signedText(0), " 0");
    EXPECT_EQ(signedText(-4), "-4");
    EXPECT_EQ(signedText(12), " 12");
    EXPECT_EQ("SCORE" + signedText(0), "SCORE 0");
}

// The rules' draw formula, in single precision as the rules form it.
static int tileValue(float x) { return static_cast<int>(std::floor(4.0f * x)) + 1; }

TEST(RandomSource, LargestDrawStaysBelowOneAndGivesFour)
{
    const float x = unitFromBits(0xFFFFFF);
    EXPECT_LT(x, 1.0f);
    EXPECT_EQ(x, 1.0f - 1.0f / 16777216.0f);
    EXPECT_EQ(tileValue(x), 4);
}

TEST(RandomSource, SmallestDrawIsZeroAndGivesOne)
{
    EXPECT_EQ(unitFromBits(0), 0.0f);
    EXPECT_EQ(tileValue(unitFromBits(0)), 1);
}

TEST(RandomSource, DrawIsKOver2To24AndIgnoresHigherBits)
{
    EXPECT_EQ(unitFromBits(1u << 23), 0.5f);
    EXPECT_EQ(unitFromBits(1u << 22), 0.25f);
    EXPECT_EQ(unitFromBits(1), 1.0f / 16777216.0f);
    EXPECT_EQ(unitFromBits(0xFFFFFFFFu), unitFromBits(0xFFFFFF));
    EXPECT_EQ(unitFromBits(0x01000000u), 0.0f);
    // The quarter boundaries give the four values.
    EXPECT_EQ(tileValue(unitFromBits((1u << 22) - 1)), 1);
    EXPECT_EQ(tileValue(unitFromBits(1u << 22)), 2);
    EXPECT_EQ(tileValue(unitFromBits(2u << 22)), 3);
    EXPECT_EQ(tileValue(unitFromBits(3u << 22)), 4);
}

TEST(RandomSource, ClockSeededDrawsStayInZeroToOne)
{
    ClockRandom source;
    std::set<float> distinct;
    int seen[5] = {0, 0, 0, 0, 0};
    int outside = 0;
    for (int run = 0; run < 20; ++run) {
        source.seed();
        for (int i = 0; i < 2000; ++i) {
            const float x = source.next();
            if (!(x >= 0.0f && x < 1.0f)) {
                ++outside;
                continue;
            }
            ++seen[tileValue(x)]; // 1 to 4: seen[] is indexed by value
            distinct.insert(x);
        }
    }
    EXPECT_EQ(outside, 0);
    for (int v = 1; v <= 4; ++v)
        EXPECT_GT(seen[v], 8000) << "value " << v << " is far too rare";
    EXPECT_GT(distinct.size(), 1000u);
}

TEST(RandomSource, DrawsWithoutASeedStayInZeroToOne)
{
    ClockRandom source; // default-constructed engine: still a valid source
    for (int i = 0; i < 1000; ++i) {
        const float x = source.next();
        ASSERT_GE(x, 0.0f);
        ASSERT_LT(x, 1.0f);
    }
}
