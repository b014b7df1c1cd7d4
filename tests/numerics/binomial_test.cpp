// The 64-bit binomial coefficient.
#include "numerics/binomial.h"
#include "numerics/run_time_error.h"

#include <limits>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

TEST(Binomial64, SmallValuesAndBoundaryRules)
{
    EXPECT_EQ(Binomial64(5, 2), 10);
    EXPECT_EQ(Binomial64(5, 3), 10);
    EXPECT_EQ(Binomial64(5, 7), 0);
    EXPECT_EQ(Binomial64(5, 5), 1);
    EXPECT_EQ(Binomial64(5, 0), 1);
    EXPECT_EQ(Binomial64(5, -1), 1);
    EXPECT_EQ(Binomial64(-3, -5), 1);
    EXPECT_EQ(Binomial64(2147483647, 2), 2305843005992468481LL);
}

TEST(Binomial64, LargestCoefficientsAndOverflow)
{
    EXPECT_EQ(Binomial64(66, 33), 7219428434016265740LL);
    EXPECT_EQ(
        Binomial64(std::numeric_limits<int64_t>::max(), 1), std::numeric_limits<int64_t>::max());
    EXPECT_THROW(Binomial64(67, 33), tRangeError);
    EXPECT_THROW(Binomial64(std::numeric_limits<int64_t>::max(), 2), tRangeError);
}

} // namespace
} // namespace zelvora
