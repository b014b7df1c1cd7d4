// The temporary names counted up as text must be the names the count gives written out afresh.
#include "language/temporary_names.h"

#include <cstdint>
#include <string>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

std::string Written(std::uint32_t count)
{
    return "$" + std::to_string(count);
}

// Names one unnamed value and gives its name.
std::string NextName(tTemporaryNames& names)
{
    std::string name;
    names.Name(name);
    return name;
}

TEST(TemporaryNames, CountUpThroughEveryCarry)
{
    tTemporaryNames names;
    for (std::uint32_t count = 1; count <= 12000; ++count)
        ASSERT_EQ(NextName(names), Written(count));
}

TEST(TemporaryNames, SkippedAndNamedValuesCount)
{
    tTemporaryNames names;
    std::uint32_t count = 0;
    std::string named = "x";
    // Steps of every size up to beyond the carried ones, across 9 -> 10, 99 -> 100 and 999 -> 1000.
    for (std::uint32_t step = 0; step <= 12; ++step) {
        for (int round = 0; round < 40; ++round) {
            names.Skip(step);
            names.Name(named);
            count += step + 1;
            ASSERT_EQ(named, "x");
            ++count;
            ASSERT_EQ(NextName(names), Written(count)) << "step " << step;
        }
    }
}

TEST(TemporaryNames, CounterWrapsAfterThirtyTwoBits)
{
    tTemporaryNames names;
    names.Skip(4294967293U);
    EXPECT_EQ(NextName(names), "$4294967294");
    EXPECT_EQ(NextName(names), "$4294967295");
    EXPECT_EQ(NextName(names), "$0");
    EXPECT_EQ(NextName(names), "$1");
    names.Skip(8);
    EXPECT_EQ(NextName(names), "$10");
}

} // namespace
} // namespace zelvora
