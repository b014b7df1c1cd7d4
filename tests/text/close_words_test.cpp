// Words one slip apart, for the suggestions of messages.
#include "text/close_words.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

TEST(CloseWords, OneSlipApart)
{
    EXPECT_TRUE(CloseWords("ZEICHEN", "ZEICHNE")); // two neighbours swapped
    EXPECT_TRUE(CloseWords("DfltFormt", "DfltFormat")); // one letter left out
    EXPECT_TRUE(CloseWords("BATCHH", "BATCH")); // one letter added
    EXPECT_TRUE(CloseWords("SHAW", "SHOW")); // one letter changed
    EXPECT_TRUE(CloseWords("zeichen", "ZEICHNE")); // case does not count
}

TEST(CloseWords, FurtherApartOrEqual)
{
    EXPECT_FALSE(CloseWords("ZEICHNE", "zeichne"));
    EXPECT_FALSE(CloseWords("ZEICH", "ZEICHNE"));
    EXPECT_FALSE(CloseWords("ABCD", "BADC"));
    EXPECT_FALSE(CloseWords("", "A"));
    EXPECT_FALSE(CloseWords("SET", "SHOWOPTIONS"));
}

} // namespace
} // namespace zelvora
