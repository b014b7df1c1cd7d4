// The heap settings for large matrices take effect: a block of a 1000 x 1000 matrix comes from
// the heap, not from a mapping of its own, and stays in the heap when freed.
#include "numerics/process_setup.h"

#include <cstdlib>

#include <gtest/gtest.h>

#if defined(__GLIBC__)
#include <malloc.h>

namespace zelvora {
namespace {

TEST(HeapSettings, LargeMatrixBlocksStayInTheHeap)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer brings its own allocator";
#endif
    KeepLargeBlocksForReuse();
    constexpr std::size_t matrixBytes = 1001 * 1001 * 16;
    const std::size_t mappedBefore = mallinfo2().hblkhd;
    void* block = std::malloc(matrixBytes);
    ASSERT_NE(block, nullptr);
    static_cast<volatile char*>(block)[0] = 1;
    EXPECT_LT(mallinfo2().hblkhd, mappedBefore + matrixBytes); // not a mapping of its own
    std::free(block);
    EXPECT_GE(mallinfo2().fordblks, matrixBytes); // kept for the next statement
}

} // namespace
} // namespace zelvora
#endif
