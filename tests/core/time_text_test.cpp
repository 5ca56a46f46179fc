#include "log/TimeText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

using namespace quorbin;

namespace {

struct Seconds {
    std::int32_t count;
    std::string text;
};

struct Padded {
    std::int32_t value;
    std::int16_t width;
    std::string text;
};

} // namespace

TEST(FormatTime, RendersHoursMinutesSecondsAtTheFieldBoundaries) {
    const std::vector<Seconds> cases{
        {0, "00:00:00"},     {59, "00:00:59"},    {60, "00:01:00"},
        {3599, "00:59:59"},  {3600, "01:00:00"},  {3661, "01:01:01"},
        {86399, "23:59:59"}, {86400, "24:00:00"}, {359999, "99:59:59"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatTime(c.count), c.text) << "seconds " << c.count;
}

// Counts of 100 hours and more keep only the last two digits of the hours.
TEST(FormatTime, HoursKeepOnlyTheirLastTwoDigits) {
    const std::vector<Seconds> cases{
        {360000, "00:00:00"},
        {442800, "23:00:00"},
        {446399, "23:59:59"},
        {std::numeric_limits<std::int32_t>::max(), "23:14:07"}, // 596523 h 14 min 7 s
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatTime(c.count), c.text) << "seconds " << c.count;
}

// Hours are floored, minutes and seconds truncate toward zero, and each field is cut to
// two characters on its own, minus sign included.
TEST(FormatTime, NegativeCountsAreRenderedFieldByField) {
    const std::vector<Seconds> cases{
        {-1, "-1:-1:-1"},    {-59, "-1:-1:59"}, // minutes: floor(-59 / 60) = -1; seconds -59 cut to "59"
        {-60, "-1:-1:00"},                      // seconds -60 % 60 = 0
        {-605, "-1:11:-5"},                     // minutes floor(-10.08) = -11, cut to "11"
        {-3600, "-1:00:00"},                    // minutes -60 % 60 = 0
        {-3601, "-2:-1:-1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatTime(c.count), c.text) << "seconds " << c.count;
}

TEST(ZeroPad, KeepsTheRightmostCharactersBehindTwelveZeros) {
    const std::vector<Padded> cases{
        // The width that formatTime uses.
        {7, 2, "07"},
        {123, 2, "23"},
        {-3, 2, "-3"},
        {0, 2, "00"},
        {-12, 2, "12"},
        // Width 0 gives nothing, width 1 only the last character.
        {7, 0, ""},
        {123, 0, ""},
        {7, 1, "7"},
        {123, 1, "3"},
        {-3, 1, "3"},
        // Width 12: the value fills up from the right.
        {7, 12, "000000000007"},
        {123, 12, "000000000123"},
        {-3, 12, "0000000000-3"},
        // Wider than the twelve zeros and the number together: the whole text.
        {7, 20, "0000000000007"},
        {-3, 20, "000000000000-3"},
        {std::numeric_limits<std::int32_t>::min(), 20, "000000000-2147483648"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(zeroPad(c.value, c.width), c.text) << "value " << c.value << " width " << c.width;
}
