// How many large blocks a statement allocates: operands share the stored matrices, results move
// into the store. Large blocks are counted by replacing the global allocation functions of this
// test program.
#include "support/recording_ports.h"
#include "ui/session.h"
#include "variables/display_list.h"

#include <atomic>
#include <cstdlib>
#include <new>

#include <gtest/gtest.h>

namespace {

// Blocks of at least this size count: a 300 x 300 matrix has 1.4 MB, anything else is far smaller.
constexpr std::size_t LargeBlock = 512 * 1024;
std::atomic<long> largeAllocations { 0 };

} // namespace

void* operator new(std::size_t size)
{
    if (size >= LargeBlock)
        ++largeAllocations;
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept
{
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}

namespace zelvora {
namespace {

using namespace zelvora::testing;

class LargeAllocations : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(session.RunText("A = fill(300, 300, 1.5)\nB = fill(300, 300, 2)", "").Success);
    }

    // Large blocks allocated while the statement runs.
    long Count(const std::string& statement)
    {
        const long before = largeAllocations;
        EXPECT_TRUE(session.RunText(statement, "").Success) << statement;
        return largeAllocations - before;
    }

    tRecordingTextView journalView;
    tRecordingTextView listingView;
    tSession session { { &journalView, &listingView }, "09.12.2026 10:00:00" };
};

TEST_F(LargeAllocations, OneResultMatrixPerStatement)
{
    EXPECT_EQ(Count("P = A + B"), 1);
    EXPECT_EQ(Count("P = A + B"), 1); // replacing P
    EXPECT_EQ(Count("P = Transp(A)"), 1);
    EXPECT_EQ(Count("A = A + B"), 1);
    EXPECT_EQ(Count("C = A"), 0); // a copy shares the block until one side is written
}

TEST_F(LargeAllocations, WritingIntoASharedMatrixLeavesTheOtherAlone)
{
    ASSERT_TRUE(session.RunText("C = A\nC[1,1] = 7", "").Success);
    ASSERT_TRUE(session.Variable("A"));
    EXPECT_EQ(session.Variable("A")->matrix(1, 1), 1.5L);
    ASSERT_TRUE(session.Variable("C"));
    EXPECT_EQ(session.Variable("C")->matrix(1, 1), 7.0L);
}

} // namespace
} // namespace zelvora
