// Curve fitting, polynomials, smoothing and interpolation through the built-in dispatch.
#include "dispatch_fixture.h"
#include "numerics/missing_values.h"

#include <limits>

namespace zelvora {
namespace {

using FittingDispatch = testing::DispatchFixture;

TEST_F(FittingDispatch, CurvefitTypesAndGates)
{
    const tVariableArray lin = Eval("Curvefit({{1,2,3,4},{2,4,6,8}}, \"  lin  \")");
    ASSERT_EQ(lin.size(), 3u); // slot 0 unused, then R and F
    EXPECT_NEAR(static_cast<double>(lin[1].matrix(1, 1)), 2, 1e-15);
    EXPECT_EQ(lin[2].matrix.Dims(), (tMatDims { 2, 4 }));
    EXPECT_TRUE(CountRefused("Curvefit({{1,2},{3,4}})"));
    EXPECT_EQ(One("Curvefit(3, \"Lin\")").shape, shEmpty);
    const tVariableArray os = Eval("Curvefit({{1,2,3,4},{1,2,4,5}}, \"OS BETA PRED\", {{0,6}})");
    ASSERT_EQ(os.size(), 3u);
    EXPECT_EQ(os[1].matrix.Dims(), (tMatDims { 1, 6 }));
    EXPECT_EQ(os[2].matrix.Dims(), (tMatDims { 1, 4 }));
}

TEST_F(FittingDispatch, CurvefitRefusalsSayWhy)
{
    // S and Tanh fit nothing that is settled; an unknown type is no fit either.
    EXPECT_EQ(Failure("Curvefit({{1,2},{3,4}}, \"S beta\")"),
        "Curvefit: der Kurventyp \"S\" ist nicht festgelegt (m\xF6glich: Lin, OS)");
    EXPECT_EQ(Failure("Curvefit({{1,2},{3,4}}, \"tanh\", {{1}})"),
        "Curvefit: der Kurventyp \"tanh\" ist nicht festgelegt (m\xF6glich: Lin, OS)");
    EXPECT_EQ(Failure("Curvefit({{1,2},{3,4}}, \"Kreis\")"),
        "Curvefit: der Kurventyp \"Kreis\" ist unbekannt (m\xF6glich: Lin, OS)");
    // Data that are no numbers, and y without variance, stop with their reason.
    trealmatrix data(2, 3);
    data(1, 3) = std::numeric_limits<long double>::quiet_NaN();
    StoreMatrix("D", data);
    EXPECT_EQ(Failure("Curvefit(D, \"OS\", {{0,6}})"),
        "CURVEFIT: keine endliche Zahl in Zeile 1, Spalte 3 von Argument 1");
    data(1, 3) = MissingNumber;
    StoreMatrix("D", data);
    EXPECT_EQ(Failure("Curvefit(D, \"Lin\")"),
        "CURVEFIT: fehlender Wert in Zeile 1, Spalte 3 von Argument 1 (Miss2Mean ersetzt "
        "fehlende Werte)");
    EXPECT_EQ(Failure("Curvefit({{1,2,3},{4,4,4}}, \"Lin\")"),
        "Curvefit Lin: die abh\xE4ngige Variable (Zeile 2) hat keine Varianz");
    EXPECT_EQ(Failure("Curvefit({{1},{4}}, \"OS BETA\", {{0,6}})"),
        "Curvefit OS: die Werte y (Zeile 2) haben keine Varianz");
    EXPECT_EQ(Failure("Curvefit({{1,2,3},{4,5,6}}, \"OS\", {{0,6,0.01,2}})"),
        "Curvefit OS: f\xFCr 2 Klassen fehlt die Gruppenmatrix (ihre Zeile 1 gruppiert die "
        "F\xE4lle)");
}

TEST_F(FittingDispatch, PolynomSmoothAndInterpolate)
{
    EXPECT_EQ(One("Polynom(2, {{1,2,3}})").realvalue, 11);
    EXPECT_EQ(RowsOf(One("Polynom({{0,1,2}}, {{1,0,0}})")), (tRows { { 0, 1, 4 } }));
    EXPECT_EQ(One("Polynom(\"x\", {{1}})").shape, shEmpty);
    EXPECT_EQ(RowsOf(One("TableSmooth({{3,1,2}})")), (tRows { { 2, 2, 2 } }));
    EXPECT_EQ(Failure("TableSmooth({{3,1,2}}, {{1,-1,0}})"),
        "TableSmooth: die Gewichte in Zeile 1 von Argument 2 haben die Summe 0");
    EXPECT_EQ(RowsOf(One("Interpolate({{0,10},{4,30}}, 2)")),
        (tRows { { 0, 10 }, { 2, 20 }, { 4, 30 } }));
    EXPECT_EQ(One("Interpolate({{0,10},{4,30}})").shape, shEmpty);
    EXPECT_THROW(Eval("Interpolate({{0},{1}}, 0)"), tFloatDivisionByZeroError);
}

} // namespace
} // namespace zelvora
