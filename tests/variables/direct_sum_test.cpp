// The direct sum "++" of two matrices.
#include "variable_test_support.h"
#include "variables/direct_sum.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {
using namespace zelvora::testing;

TEST(DirectSum, BlocksOnTheDiagonal)
{
    const tVariable sum = VarDirectSum(RealMat({ { 1, 2, 3 } }), IntMat({ { 4 }, { 5 } }));
    EXPECT_EQ(KindOf(sum), (tKind { dtReal, tgPlain, shMatrix }));
    EXPECT_TRUE(MatrixNear(sum.matrix, Mat({ { 1, 2, 3, 0 }, { 0, 0, 0, 4 }, { 0, 0, 0, 5 } })));
    const tVariable ints = VarDirectSum(Int(7), IntMat({ { 1, 2 } }, tgLogical));
    EXPECT_EQ(KindOf(ints), (tKind { dtInteger, tgPlain, shMatrix }));
    EXPECT_TRUE(MatrixNear(ints.matrix, Mat({ { 7, 0, 0 }, { 0, 1, 2 } })));
    EXPECT_TRUE(MatrixNear(VarDirectSum(RealMat({}), Real(2)).matrix, Mat({ { 2 } })));
    EXPECT_EQ(VarDirectSum(Str("a"), Int(1)).shape, shEmpty);
    EXPECT_EQ(VarDirectSum(Int(1), Ranges({ { 1, 2 } })).shape, shEmpty);
    EXPECT_EQ(VarDirectSum(StrMat({ { "a" } }), Int(1)).shape, shEmpty);
    EXPECT_EQ(VarDirectSum(tVariable {}, Int(1)).shape, shEmpty);
}

} // namespace
} // namespace zelvora
