// Curve fitting, polynomials, smoothing and interpolation through the built-in dispatch.
#include "dispatch_fixture.h"

namespace zelvora {
namespace {

using FittingDispatch = testing::DispatchFixture;

TEST_F(FittingDispatch, CurvefitTypesAndGates)
{
    const tVariableArray lin = Eval("Curvefit({{1,2,3,4},{2,4,6,8}}, \"  lin  \")");
    ASSERT_EQ(lin.size(), 3u); // slot 0 unused, then R and F
    EXPECT_NEAR(static_cast<double>(lin[1].matrix(1, 1)), 2, 1e-15);
    EXPECT_EQ(lin[2].matrix.Dims(), (tMatDims { 2, 4 }));
    EXPECT_EQ(One("Curvefit({{1,2},{3,4}}, \"S beta\")").shape, shEmpty);
    EXPECT_EQ(RowsOf(One("Curvefit({{1,2},{3,4}})")), (tRows { { 1, 2 }, { 3, 4 } }));
    EXPECT_EQ(RowsOf(One("Curvefit({{1,2},{3,4}}, \"Kreis\")")), (tRows { { 1, 2 }, { 3, 4 } }));
    EXPECT_EQ(One("Curvefit(3, \"Lin\")").shape, shEmpty);
    // S and Tanh fit nothing: the two values the call promises are missing.
    EXPECT_THROW(Eval("Curvefit({{1,2},{3,4}}, \"Tanh\", {{1}})"), tRangeError);
    const tVariableArray os = Eval("Curvefit({{1,2,3,4},{1,2,4,5}}, \"OS BETA PRED\", {{0,6}})");
    ASSERT_EQ(os.size(), 3u);
    EXPECT_EQ(os[1].matrix.Dims(), (tMatDims { 1, 6 }));
    EXPECT_EQ(os[2].matrix.Dims(), (tMatDims { 1, 4 }));
}

TEST_F(FittingDispatch, PolynomSmoothAndInterpolate)
{
    EXPECT_EQ(One("Polynom(2, {{1,2,3}})").realvalue, 11);
    EXPECT_EQ(RowsOf(One("Polynom({{0,1,2}}, {{1,0,0}})")), (tRows { { 0, 1, 4 } }));
    EXPECT_EQ(One("Polynom(\"x\", {{1}})").shape, shEmpty);
    EXPECT_EQ(RowsOf(One("TableSmooth({{3,1,2}})")), (tRows { { 2, 2, 2 } }));
    EXPECT_EQ(RowsOf(One("Interpolate({{0,10},{4,30}}, 2)")),
        (tRows { { 0, 10 }, { 2, 20 }, { 4, 30 } }));
    EXPECT_EQ(One("Interpolate({{0,10},{4,30}})").shape, shEmpty);
    EXPECT_THROW(Eval("Interpolate({{0},{1}}, 0)"), tFloatDivisionByZeroError);
}

} // namespace
} // namespace zelvora
