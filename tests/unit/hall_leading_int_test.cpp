#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

#include "hall/leading_int.h"

namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

struct LeadingIntCase {
    const char* text;
    std::int32_t expected;
};

TEST(HallLeadingInt, ReadsLikeAtoiAndClampsBeyondTheRange) {
    const LeadingIntCase cases[] = {
        {"42", 42},
        {"0", 0},
        {"-7", -7},
        {"+5", 5},
        {"  \t12", 12},
        {"12abc", 12},
        {"3.9", 3},
        {"abc", 0},
        {"", 0},
        {"-", 0},
        {"+-3", 0},
        {"- 3", 0},
        {"0x10", 0},
        {"007", 7},
        {"2147483647", kMax},
        {"-2147483648", kMin},
        {"2147483648", kMax},
        {"-2147483649", kMin},
        {"99999999999999999999999999", kMax},
        {"-99999999999999999999999999", kMin},
        {"0000000000000000000000000001", 1},
    };
    for (const LeadingIntCase& c : cases) {
        EXPECT_EQ(ParseLeadingInt(c.text), c.expected) << "text: '" << c.text << "'";
    }
}

}  // namespace
