// Complex pairs and cube-root triples in formulas.
#include "dispatch_fixture.h"
#include "numerics/run_time_error.h"

#include <cmath>

namespace zelvora {
namespace {

using Complex = testing::DispatchFixture;

TEST_F(Complex, PairArithmetic)
{
    Store("Z", "{{1,2,3,-1},{0,1,2,0}}");
    EXPECT_EQ(RowsOf(One("R2_Add(Z, {1,1,1,1})")), (tRows { { 2, 3, 4, 0 }, { 1, 2, 3, 1 } }));
    EXPECT_EQ(RowsOf(One("R2_Sub(Z, Z)")), (tRows { { 0, 0, 0, 0 }, { 0, 0, 0, 0 } }));
    // (1+2i)(0+1i) = -2+i, (3-i)(0+1i) = 1+3i; a one-pair W serves every pair.
    EXPECT_EQ(RowsOf(One("R2_Mul(Z, {0,1})")), (tRows { { -2, 1, 1, 3 }, { -1, 0, 0, 2 } }));
    // Row by row with as many pairs as Z.
    EXPECT_EQ(RowsOf(One("R2_Mul(Z, {{1,0,2,0},{0,-1,1,1}})")),
        (tRows { { 1, 2, 6, -2 }, { 1, 0, 2, 2 } }));
    EXPECT_EQ(RowsOf(One("R2_Mul(Z, 2)")), (tRows { { 2, 4, 6, -2 }, { 0, 2, 4, 0 } }));
    EXPECT_EQ(RowsOf(One("R2_Div(Z, 2)")), (tRows { { 0.5, 1, 1.5, -0.5 }, { 0, 0.5, 1, 0 } }));
    EXPECT_EQ(RowsOf(One("R2_Div(Z, 0)")), (tRows { { 0, 0, 0, 0 }, { 0, 0, 0, 0 } }));
    EXPECT_EQ(RowsOf(One("R2_Div({{-2,1}}, {0,1})")), (tRows { { 1, 2 } }));
    EXPECT_EQ(RowsOf(One("R2_Mul({1,2,3}, {0,1})")), (tRows { { 0, 0, 0 } })); // odd columns
    EXPECT_EQ(RowsOf(One("R2_Mul(Z, {0,1,0})")), (tRows { { 0, 0, 0, 0 }, { 0, 0, 0, 0 } }));
    EXPECT_THROW(One("R2_Div(Z, {0,0})"), tFloatDivisionByZeroError);
}

TEST_F(Complex, PairReciprocalAndExponential)
{
    EXPECT_EQ(RowsOf(One("R2_Inv({{0,2}})")), (tRows { { 0, -0.5 } }));
    EXPECT_EQ(RowsOf(One("R2_Inv(4)")), (tRows { { 0.25, 0 } }));
    EXPECT_EQ(RowsOf(One("R2_Inv(0)")), (tRows { { 0, 0 } }));
    EXPECT_THROW(One("R2_Inv({{0,0}})"), tFloatDivisionByZeroError);
    const tVariable e = One("R2_Exp({{1,0.5}})");
    EXPECT_EQ(e.matrix(1, 1), std::exp(1.0L) * std::cos(0.5L));
    EXPECT_EQ(e.matrix(1, 2), std::exp(1.0L) * std::sin(0.5L));
    EXPECT_EQ(RowsOf(One("R2_Exp(0)")), (tRows { { 1, 0 } }));
    EXPECT_EQ(RowsOf(One("R2_Exp({1,2,3})")), (tRows { { 0, 0, 0 } }));
    EXPECT_THROW(One("R2_Exp({{100000,0}})"), tFloatOverflowError);
    EXPECT_EQ(One("R2_Add(3, 4)").shape, shEmpty); // only inverse and exponential take a number
    EXPECT_TRUE(ArgumentsRefused("R2_Add(1..2, 4)"));
    EXPECT_EQ(One("R2_Add({1,2})").shape, shEmpty);
    EXPECT_EQ(One("R2_Inv({\"a\",\"b\"})").shape, shEmpty);
}

TEST_F(Complex, TriplesAndConversions)
{
    // 1 + 0p + 0q is the real 1; p is the cube root (-1/2, sqrt(3)/2).
    const tVariable pairs = One("R3_ToR2({{1,0,0},{0,1,0}})");
    EXPECT_EQ(RowsOf(pairs), (tRows { { 1, 0 }, { -0.5, std::sqrt(3.0L / 4) } }));
    const tVariable back = One("R2_ToR3(R3_ToR2({{2,0,0}}))");
    EXPECT_EQ(RowsOf(back), (tRows { { 2, 0, 0 } }));
    // Normalising removes the part a + a p + a q = 0.
    const tVariable normal = One("R3_Norm({{1,1,1}})");
    for (std::int32_t c = 1; c <= 3; ++c)
        EXPECT_NEAR(normal.matrix(1, c), 0, 1e-18L);
    // p * p = q: the circulant product shifts the components.
    EXPECT_EQ(RowsOf(One("R3_Mul({{0,1,0}}, {0,1,0})")), (tRows { { 0, 0, 1 } }));
    EXPECT_EQ(RowsOf(One("R3_Div({{0,0,1}}, {0,1,0})")), (tRows { { 0, 1, 0 } }));
    EXPECT_EQ(RowsOf(One("R3_Add({{1,2,3}}, {1,1,1})")), (tRows { { 2, 3, 4 } }));
    EXPECT_TRUE(ArgumentsRefused("R3_Mul({{1,2,3}}, {1,2})")); // too few components
    EXPECT_TRUE(ArgumentsRefused("R3_ToR2({{1,2}})")); // misfitting product
}

} // namespace
} // namespace zelvora
