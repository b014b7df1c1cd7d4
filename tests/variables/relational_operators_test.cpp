// Comparisons, logical operators, the conditional and membership.
#include "numerics/run_time_error.h"
#include "variable_test_support.h"
#include "variables/variable_operators.h"

#include <limits>

#include <gtest/gtest.h>

namespace zelvora {
namespace {
using namespace zelvora::testing;

constexpr int32_t less = 4, equal = 2, greater = 1, lessOrEqual = 6, notEqual = 5;
constexpr int32_t andTable = 8, orTable = 14, norTable = 1, nandTable = 7, xorTable = 6,
                  aeqTable = 9;

bool Truth(const tVariable& v)
{
    EXPECT_EQ(KindOf(v), (tKind { dtBoolean, tgNone, shScalar }));
    return v.boolvalue == 1;
}

TEST(Comparison, ScalarsAndTexts)
{
    EXPECT_TRUE(Truth(VarCompare(Int(2), Real(2.5L), less)));
    EXPECT_FALSE(Truth(VarCompare(Int(2), Real(2.5L), greater)));
    EXPECT_TRUE(Truth(VarCompare(Bool(true), Int(1), equal)));
    EXPECT_TRUE(Truth(VarCompare(Int(3), Int(3), lessOrEqual)));
    EXPECT_FALSE(Truth(VarCompare(Int(3), Int(3), notEqual)));
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    EXPECT_FALSE(Truth(VarCompare(Real(nan), Int(1), notEqual | equal)));

    EXPECT_TRUE(Truth(VarCompare(Str("ab"), Str("abc"), less)));
    EXPECT_TRUE(Truth(VarCompare(Str("\xE4"), Str("z"), greater))) << "bytes compare unsigned";
    EXPECT_TRUE(Truth(
        VarCompare(Str(std::string(255, 'a') + "x"), Str(std::string(255, 'a') + "y"), equal)));
    EXPECT_EQ(VarCompare(Str("1"), Int(1), equal).shape, shEmpty);
}

TEST(Comparison, MatricesBroadcastTheRightOperand)
{
    const tVariable left = VarCompare(Int(3), IntMat({ { 1, 5 } }), less);
    EXPECT_EQ(KindOf(left), (tKind { dtBoolean, tgLogical, shMatrix }));
    EXPECT_TRUE(MatrixNear(left.matrix, Mat({ { 0, 1 } })));
    EXPECT_TRUE(
        MatrixNear(VarCompare(IntMat({ { 1, 5 } }), Int(3), less).matrix, Mat({ { 1, 0 } })));

    const tVariable rows
        = VarCompare(IntMat({ { 1, 2, 3 }, { 1, 0, 3 } }), IntMat({ { 1, 2, 3 } }), equal);
    EXPECT_TRUE(MatrixNear(rows.matrix, Mat({ { 1, 1, 1 }, { 1, 0, 1 } })));
    const tVariable tooManyRows
        = VarCompare(IntMat({ { 1, 2, 3 } }), IntMat({ { 1, 2, 3 }, { 1, 0, 3 } }), equal);
    EXPECT_TRUE(MatrixNear(tooManyRows.matrix, Mat({ { 0, 0, 0 } })));
    EXPECT_TRUE(MatrixNear(
        VarCompare(IntMat({ { 1, 2 }, { 3, 4 } }), IntMat({ { 1, 0 }, { 3, 4 } }), equal).matrix,
        Mat({ { 1, 0 }, { 1, 1 } })));
    EXPECT_TRUE(MatrixNear(
        VarCompare(IntMat({ { 1, 2 }, { 3, 4 } }), IntMat({ { 2 }, { 3 } }), less).matrix,
        Mat({ { 1, 0 }, { 0, 0 } })));
    tVariable noRows;
    VarSetMatrix(noRows, trealmatrix(0, 2), tgPlain);
    EXPECT_TRUE(
        MatrixNear(VarCompare(IntMat({ { 1, 2 } }), noRows, equal).matrix, Mat({ { 0, 0 } })));

    EXPECT_EQ(VarCompare(Ranges({ { 1, 2 } }), Int(1), equal).shape, shEmpty);
    EXPECT_EQ(VarCompare(StrMat({ { "a" } }), Str("a"), equal).shape, shEmpty);
}

TEST(Logic, TruthTables)
{
    const std::pair<int32_t, const char*> tables[] = { { andTable, "0001" }, { orTable, "0111" },
        { norTable, "1000" }, { nandTable, "1110" }, { xorTable, "0110" }, { aeqTable, "1001" } };
    for (const auto& [table, expected] : tables) {
        std::string actual;
        for (bool a : { false, true })
            for (bool b : { false, true })
                actual += Truth(VarLogic(Bool(a), Bool(b), table)) ? '1' : '0';
        EXPECT_EQ(actual, expected) << "table " << table;
    }
    EXPECT_TRUE(Truth(VarLogic(Int(2), Real(0.5L), andTable))) << "scalars are true when not 0";
    EXPECT_EQ(VarLogic(Str("x"), Bool(true), andTable).shape, shEmpty);
}

TEST(Logic, MatrixElementsAreTrueOnlyWhenOne)
{
    const tVariable masked = VarLogic(IntMat({ { 1, 2, 0 } }), Bool(true), andTable);
    EXPECT_EQ(KindOf(masked), (tKind { dtBoolean, tgLogical, shMatrix }));
    EXPECT_TRUE(MatrixNear(masked.matrix, Mat({ { 1, 0, 0 } })));
    EXPECT_TRUE(MatrixNear(
        VarLogic(Bool(false), IntMat({ { 1, -1 } }), orTable).matrix, Mat({ { 1, 0 } })));
    EXPECT_TRUE(MatrixNear(
        VarLogic(BoolMat({ { 1, 0 } }), BoolMat({ { 1, 1 }, { 0, 0 } }), xorTable).matrix,
        Mat({ { 0, 1 } })));
    EXPECT_THROW(VarLogic(BoolMat({ { 1 }, { 0 } }), BoolMat({ { 1 } }), andTable), tRangeError);
    EXPECT_THROW(VarLogic(BoolMat({ { 1, 0 } }), BoolMat({ { 1 } }), andTable), tRangeError);
    EXPECT_EQ(VarLogic(Ranges({ { 1, 2 } }), Bool(true), andTable).shape, shEmpty);
}

TEST(Condition, FallsAndSonst)
{
    const tVariable x = Named(RealMat({ { 1, 2 } }), "X");
    const tVariable kept = VarCondition(x, Bool(true), 1);
    EXPECT_EQ(kept.name, "X");
    EXPECT_TRUE(MatrixNear(kept.matrix, x.matrix));
    EXPECT_EQ(VarCondition(x, Bool(false), 1).shape, shEmpty);
    EXPECT_EQ(VarCondition(x, Int(1), 1).shape, shEmpty) << "only a true boolean scalar selects";
    EXPECT_EQ(VarCondition(x, BoolMat({ { 1 } }), 1).shape, shEmpty);

    // x falls (1=2) sonst 5 gives 5; x falls (1=1) sonst 5 gives x.
    const tVariable otherwise
        = VarCondition(VarCondition(x, VarCompare(Int(1), Int(2), equal), 1), Int(5), 2);
    EXPECT_EQ(otherwise.intvalue, 5);
    const tVariable chosen
        = VarCondition(VarCondition(x, VarCompare(Int(1), Int(1), equal), 1), Int(5), 2);
    EXPECT_EQ(chosen.name, "X");
}

TEST(Membership, ScalarsAndRanges)
{
    const tVariable inside = VarMembership(IntMat({ { 1, 4, 7 } }), Ranges({ { 2, 5 } }));
    EXPECT_EQ(KindOf(inside), (tKind { dtBoolean, tgLogical, shMatrix }));
    EXPECT_TRUE(MatrixNear(inside.matrix, Mat({ { 0, 1, 0 } })));
    EXPECT_TRUE(
        MatrixNear(VarMembership(Real(7), Ranges({ { 2, 5 }, { 7, 7 } })).matrix, Mat({ { 1 } })));
    EXPECT_TRUE(MatrixNear(VarMembership(Str("3"), Ranges({ { 2, 5 } })).matrix, Mat({ { 1 } })));
    EXPECT_EQ(VarMembership(Int(3), Bool(true)).intvalue, 3);
    EXPECT_EQ(VarMembership(Int(3), Bool(false)).shape, shEmpty);
    EXPECT_EQ(VarMembership(Int(3), IntMat({ { 2, 5 } })).shape, shEmpty);
}

} // namespace
} // namespace zelvora
