// Large operands are not copied: an operator allocates only its result, storing it moves it.
#include "variable_test_support.h"
#include "variables/operator_handlers.h"
#include "variables/variable_store.h"

#include <atomic>
#include <cstdlib>
#include <new>

#include <gtest/gtest.h>

namespace {
std::atomic<bool> countingLargeAllocations { false };
std::atomic<int> largeAllocations { 0 };
constexpr std::size_t largeSize = std::size_t { 1 } << 20;

void* CountedAllocation(std::size_t size)
{
    if (countingLargeAllocations && size >= largeSize)
        ++largeAllocations;
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
} // namespace

// Every allocation of this test program passes here; only those of 1 MiB or more are counted, and
// only while a test asks for it.
void* operator new(std::size_t size)
{
    return CountedAllocation(size);
}
void* operator new[](std::size_t size)
{
    return CountedAllocation(size);
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete[](void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}

namespace zelvora {
namespace {
using namespace zelvora::testing;

tVariable Filled(int32_t n, long double value)
{
    trealmatrix m(n, n);
    for (int32_t r = 1; r <= n; ++r)
        for (int32_t c = 1; c <= n; ++c)
            m(r, c) = value + r;
    tVariable v;
    VarSetMatrix(v, std::move(m), tgPlain);
    return v;
}

class tLargeAllocations {
public:
    tLargeAllocations()
    {
        largeAllocations = 0;
        countingLargeAllocations = true;
    }
    ~tLargeAllocations() { countingLargeAllocations = false; }
    int Count() const { return largeAllocations; }
};

TEST(OperatorAllocation, SumOfTwoLargeMatricesAllocatesOnlyTheResult)
{
    const int32_t n = 1000;
    tVariableArray operands(1);
    operands.push_back(Filled(n, 1));
    operands.push_back(Filled(n, 0.5L));
    tVarClass store;

    tVariableArray sum;
    {
        tLargeAllocations allocations;
        sum = ApplyOperatorHandler(tOperatorHandler::Addition, operands, 1, 2, 0);
        EXPECT_EQ(allocations.Count(), 1);
    }
    ASSERT_EQ(sum.size(), 1u);
    EXPECT_EQ(sum[0].matrix.Dims(), (tMatDims { n, n }));
    EXPECT_EQ(sum[0].matrix(n, 1), 2 * n + 1.5L);

    {
        tLargeAllocations allocations;
        store.Store(Named(std::move(sum[0]), "C"));
        ASSERT_TRUE(store.Find("c"));
        EXPECT_EQ(store.Find("c")->matrix(1, n), 3.5L);
        store.Store(Named(
            std::move(ApplyOperatorHandler(tOperatorHandler::Multiplication, operands, 1, 2, 1)[0]),
            "C"));
        EXPECT_EQ(allocations.Count(), 1) << "storing moves; only the product is new";
    }
}

} // namespace
} // namespace zelvora
