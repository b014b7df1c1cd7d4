// The comment symbol that "remove comment" replaces by blanks.
#include "ui/comment_tools.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

TEST(LeadingCommentSymbol, SemicolonOrSlashesAfterLeadingBlanks)
{
    EXPECT_EQ(LeadingCommentSymbol("; A = 1"), (tTextStretch { 0, 1 }));
    EXPECT_EQ(LeadingCommentSymbol(" \t//A = 1"), (tTextStretch { 2, 2 }));
    EXPECT_FALSE(LeadingCommentSymbol("A = 1 ; x"));
    EXPECT_FALSE(LeadingCommentSymbol("/ A"));
    EXPECT_FALSE(LeadingCommentSymbol("   "));
    EXPECT_FALSE(LeadingCommentSymbol(""));
}

} // namespace
} // namespace zelvora
