// Factor rotations through the built-in dispatch: keywords and their sign, selections, the
// transformation of each run, the argument gates and the communality estimates.
#include "dispatch_fixture.h"
#include "lexicon/catalogue.h"
#include "numerics/matrix_alloc.h"
#include "numerics/matrix_product.h"
#include "numerics/matrix_structure.h"
#include "numerics/matrix_test_util.h"

#include <cmath>

namespace zelvora {
namespace {

class RotationDispatch : public testing::DispatchFixture {
protected:
    static long double ColumnSquares(const trealmatrix& m, int32_t c)
    {
        long double sum = 0;
        for (int32_t r = 1; r <= m.Rows(); ++r)
            sum += m(r, c) * m(r, c);
        return sum;
    }
};

TEST_F(RotationDispatch, PrincipalAxesWithSignAndTransform)
{
    Store("L", "{{1,2},{3,1},{0,2}}");
    const trealmatrix rotated = One("Rot(L, \"PCA\")").matrix;
    EXPECT_GT(ColumnSquares(rotated, 1), ColumnSquares(rotated, 2));
    const trealmatrix reversed = One("Rot(L, \"-pca\")").matrix;
    EXPECT_LT(ColumnSquares(reversed, 1), ColumnSquares(reversed, 2));
    const trealmatrix t = One("GetTrans(L, \"PCA\")").matrix;
    ASSERT_EQ(t.Dims(), (tMatDims { 2, 2 }));
    EXPECT_LT(testing::MaxDifference(MatMul(One("L").matrix, t).Value(), rotated), 1e-17L);
    // The minus of one call does not carry over to the next.
    EXPECT_EQ(One("Rot(L, \"PCA\")").matrix, rotated);
}

TEST_F(RotationDispatch, VarimaxOfSimpleStructureAndRowSelections)
{
    Store("S", "{{0.8,0},{0,0.7},{0.6,0},{0,0.5}}");
    EXPECT_EQ(One("Rot(S, \"VARIMAX\")").matrix, One("S").matrix);
    EXPECT_EQ(One("GetTrans(S, \"varimax\")").matrix, IdentityMatrix(2));
    // Angles from rows 1 and 2 only, applied to every row.
    Store("L", "{{1,1},{1,-1},{5,2}}");
    const trealmatrix selected = One("Rot(L, \"VARIMAX\", {1,2})").matrix;
    const trealmatrix t = One("GetTrans(L, \"VARIMAX\", {1,2})").matrix;
    EXPECT_LT(testing::MaxDifference(MatMul(One("L").matrix, t).Value(), selected), 1e-17L);
    EXPECT_NE(selected, One("Rot(L, \"VARIMAX\")").matrix);
    EXPECT_LT(std::fabs(selected(1, 1) * selected(1, 2)), 1e-9L); // row 1 on one axis
}

TEST_F(RotationDispatch, NegativeRowEntries)
{
    Store("L", "{{3,1},{1,2},{0.5,2}}");
    // QUARTIMAX skips a negative entry; MEDIMAX and PCA count the row against the others.
    EXPECT_EQ(
        One("Rot(L, \"QUARTIMAX\", {1,-2})").matrix, One("Rot(L, \"QUARTIMAX\", {1})").matrix);
    EXPECT_NE(
        One("Rot(L, \"MEDIMAX\", {1,-2,3})").matrix, One("Rot(L, \"MEDIMAX\", {1,3})").matrix);
    const trealmatrix against = One("Rot({{1,1}}, \"PCA\", {-1})").matrix;
    EXPECT_LT(std::fabs(against(1, 1)), 1e-9L);
    // ZIEL and POWER take no negative entries.
    EXPECT_THROW(Eval("Rot(L, \"POWER\", 1, {-1})"), tRangeError);
}

TEST_F(RotationDispatch, EdgeCasesOfTheKeywords)
{
    // GLEICH: sums of squares 9 and 1 become 5 and 5.
    const trealmatrix equal = One("Rot({{3,0},{0,1}}, \"GLEICH\")").matrix;
    EXPECT_NEAR(static_cast<double>(ColumnSquares(equal, 1)), 5, 1e-15);
    EXPECT_NEAR(static_cast<double>(ColumnSquares(equal, 2)), 5, 1e-15);
    // ZIEL turns the pair onto the target.
    const trealmatrix target = One("Rot({{1,0}}, \"ZIEL\", {{0,1}})").matrix;
    EXPECT_NEAR(static_cast<double>(target(1, 1)), 0, 1e-18);
    EXPECT_NEAR(static_cast<double>(target(1, 2)), 1, 1e-18);
    // ANTISYMMETRISCH negates a block with negative determinant and leaves a positive one.
    EXPECT_EQ(
        RowsOf(One("Rot({{0,1},{1,0}}, \"ANTISYMMETRISCH\")")), (tRows { { 0, -1 }, { -1, 0 } }));
    EXPECT_EQ(RowsOf(One("GetTrans({{0,1},{1,0}}, \"ANTISYMMETRISCH\")")),
        (tRows { { -1, 0 }, { 0, -1 } }));
    EXPECT_EQ(
        RowsOf(One("Rot({{1,0},{0,1}}, \"ANTISYMMETRISCH\")")), (tRows { { 1, 0 }, { 0, 1 } }));
    // POWER turns the row onto the nearer axis whatever its parameter.
    for (const char* formula : { "Rot({{3,4}}, \"POWER\", 2)", "Rot({{3,4}}, \"POWER\", 7.5)",
             "Rot({{3,4}}, \"POWER\")" }) {
        const trealmatrix power = One(formula).matrix;
        EXPECT_NEAR(static_cast<double>(power(1, 1)), 0, 1e-9) << formula;
        EXPECT_NEAR(static_cast<double>(power(1, 2)), 5, 1e-9) << formula;
    }
    // TRI: lower triangular with a nonnegative diagonal; with a start row; with a row list.
    const trealmatrix tri = One("Rot({{1,2,3},{4,5,6},{7,8,10}}, \"TRI\")").matrix;
    EXPECT_LT(std::fabs(tri(1, 2)) + std::fabs(tri(1, 3)) + std::fabs(tri(2, 3)), 1e-17L);
    EXPECT_GE(tri(2, 2), 0);
    const trealmatrix wrapped = One("Rot({{1,2,3},{4,5,6},{7,8,10}}, \"TRI\", 1)").matrix;
    EXPECT_LT(std::fabs(wrapped(2, 2)) + std::fabs(wrapped(2, 3)), 1e-17L);
    const trealmatrix listed = One("Rot({{1,2,3},{4,5,6},{7,8,10}}, \"TRI\", {3})").matrix;
    EXPECT_LT(std::fabs(listed(3, 2)) + std::fabs(listed(3, 3)), 1e-17L);
    EXPECT_EQ(One("Rot({{1,2},{3,4}}, \"TRI\", \"x\")").shape, shEmpty);
    // DREI reduces the listed rows one by one.
    const trealmatrix drei = One("Rot({{1,2,3},{4,5,6}}, \"DREI\")").matrix;
    EXPECT_LT(std::fabs(drei(1, 2)) + std::fabs(drei(1, 3)) + std::fabs(drei(2, 3)), 1e-17L);
}

TEST_F(RotationDispatch, ArgumentGatesAndUnknownKeywords)
{
    EXPECT_TRUE(CountRefused("Rot({{1,2}})"));
    EXPECT_EQ(One("Rot({{1,2}}, \"NIX\")").shape, shEmpty);
    EXPECT_EQ(One("GetTrans({{1,2}}, \"VARIMAXX\")").shape, shEmpty);
    EXPECT_EQ(One("Rot(5, \"PCA\")").shape, shEmpty);
    EXPECT_EQ(One("Rot({{1,2}}, 3)").shape, shEmpty);
    EXPECT_EQ(One("Rot({{1,2}}, \"ZIEL\", 3)").shape, shEmpty);
    EXPECT_EQ(One("Rot({{1,2}}, \"BLKCU\", 1.5)").shape, shEmpty);
    EXPECT_EQ(RowsOf(One("Rot({{1,2}}, \"BLKCU\")")), (tRows { { 1, 2 } }));
    // A keyword in any case; the same rotation.
    Store("L", "{{1,2},{3,1},{0,2}}");
    EXPECT_EQ(One("Rot(L, \"VariMax\")").matrix, One("Rot(L, \"VARIMAX\")").matrix);
    // Similar and Permut keep X for a word not in their lists.
    // An unknown type would leave the matrix unrotated without a word.
    EXPECT_EQ(Failure("Similar({{1,2},{3,4}}, \"VARIMAX\")"),
        "Funktion \"SIMILAR\": unbekannter Typ \"VARIMAX\"; m\xF6gliche Typen: DREI, "
        "ANTISYMMETRISCH, SYM");
    EXPECT_EQ(Failure("Permut({{1,2},{3,4}}, \"ZIEL\")"),
        "Funktion \"PERMUT\": unbekannter Typ \"ZIEL\"; m\xF6gliche Typen: DREI, PCA");
}

TEST_F(RotationDispatch, BadSelectionsAndNonFiniteInputFailSafely)
{
    // A row outside the matrix is a range error that ends the run.
    EXPECT_THROW(Eval("Rot({{1,2},{3,4}}, \"VARIMAX\", {3})"), tRangeError);
    EXPECT_THROW(Eval("Rot({{1,2},{3,4}}, \"ZIEL\", {{1,0},{0,1}}, {-1})"), tRangeError);
    EXPECT_THROW(Eval("Rot({{1,2},{3,4},{5,6}}, \"ZIEL\", {{1,0}})"), tRangeError);
    // VARIMAX of a pair without any criterion (a single row) divides by zero.
    EXPECT_THROW(Eval("Rot({{3,4}}, \"VARIMAX\")"), tFloatDivisionByZeroError);
    // Non-finite loadings end after one sweep instead of spinning.
    const tVariable nan = One("Rot({{1,2},{3,4}}*(0/0), \"QUARTIMAX\")");
    EXPECT_TRUE(nan.shape == shMatrix || nan.shape == shEmpty);
    // One column and no rows: nothing to rotate.
    EXPECT_EQ(RowsOf(One("Rot({{1},{2}}, \"VARIMAX\")")), (tRows { { 1 }, { 2 } }));
    EXPECT_EQ(RowsOf(One("GetTrans({{1},{2}}, \"PCA\")")), (tRows { { 1 } }));
}

TEST_F(RotationDispatch, SimilarityAndPermutation)
{
    const trealmatrix sym = One("Similar({{3,0},{0,1}}, \"SYM\")").matrix;
    EXPECT_LT(testing::MaxDifference(sym, One("{{2,1},{1,2}}").matrix), 1e-17L);
    const trealmatrix anti = One("Similar({{2,1},{1,2}}, \"ANTISYMMETRISCH\")").matrix;
    EXPECT_LT(testing::MaxDifference(anti, One("{{3,0},{0,1}}").matrix), 1e-17L);
    const trealmatrix s = One("GetSimilar({{2,1},{1,2}}, \"DREI\")").matrix;
    const trealmatrix d = One("Similar({{2,1},{1,2}}, \"DREI\")").matrix;
    EXPECT_LT(testing::MaxDifference(
                  MatMul(MatMul(Transpose(s), One("{{2,1},{1,2}}").matrix).Value(), s).Value(), d),
        1e-17L);
    // Absolute sums 1 and 3: exchanged, the first column negated; reversed: unchanged.
    EXPECT_EQ(RowsOf(One("Permut({{1,3}}, \"PCA\")")), (tRows { { 3, -1 } }));
    EXPECT_EQ(RowsOf(One("GetPermut({{1,3}}, \"PCA\")")), (tRows { { 0, -1 }, { 1, 0 } }));
    EXPECT_EQ(RowsOf(One("Permut({{1,3}}, \"-PCA\")")), (tRows { { 1, 3 } }));
}

TEST_F(RotationDispatch, ColumnPairRotations)
{
    EXPECT_EQ(RowsOf(One("RotMult({{1,1}}, 1, 2)")), (tRows { { 0, 2 } }));
    const trealmatrix tripled = One("RotMult({{1,1}}, 1, 2, 3)").matrix;
    EXPECT_NEAR(static_cast<double>(tripled(1, 1)), -2, 1e-17);
    EXPECT_NEAR(static_cast<double>(tripled(1, 2)), 2, 1e-17);
    EXPECT_EQ(RowsOf(One("RotMult({{1,1}}, {1,2})")), (tRows { { 0, 2 } }));
    EXPECT_TRUE(ArgumentsRefused("RotMult({{1,1}}, 2)"));
    EXPECT_THROW(Eval("RotMult({{0,0}}, 1, 2, 3)"), tFloatDivisionByZeroError);
    const trealmatrix turned = One("RotSp({{1,0}}, 1, 2, 3, 4)").matrix;
    EXPECT_NEAR(static_cast<double>(turned(1, 1)), 0.6, 1e-18);
    EXPECT_NEAR(static_cast<double>(turned(1, 2)), -0.8, 1e-18);
    EXPECT_EQ(One("RotSp({{1,0}}, {1,2}, {3,4})").matrix, turned);
    EXPECT_EQ(One("RotSp({{1,0}}, {1,2}, 3, 4)").matrix, turned);
    EXPECT_EQ(RowsOf(One("RotSp({{1,0}}, 1, 2, 0, 0)")), (tRows { { 1, 0 } }));
    EXPECT_THROW(Eval("RotSp({{1,0}}, 1, 3, 1, 1)"), tRangeError);
}

TEST_F(RotationDispatch, CommunalityEstimates)
{
    const trealmatrix unique = One("GetIndiv({{1,0.6},{0.6,1}})").matrix;
    EXPECT_NEAR(static_cast<double>(unique(1, 1)), 0.64, 1e-17);
    EXPECT_NEAR(static_cast<double>(unique(2, 2)), 0.64, 1e-17);
    EXPECT_EQ(unique(1, 2), 0);
    EXPECT_EQ(One("ComVar(5)").shape, shEmpty);
    EXPECT_TRUE(CountRefused("ComVarPaf({{1,0.6},{0.6,1}})"));
    EXPECT_EQ(One("ComVarPaf({{1,0.6},{0.6,1}}, 1)").matrix.Dims(), (tMatDims { 2, 1 }));
    EXPECT_TRUE(CountRefused("Fconsist({{1,2,3},{2,1,3}}, \"ZIEL\")"));
}

// No function of the rotation, communality and fitting groups stops as "not available in this
// edition".
TEST_F(RotationDispatch, EveryRotationFunctionIsAvailable)
{
    const tTocINFO& catalogue = Catalogue();
    int32_t checked = 0;
    for (int32_t i = 1; i <= catalogue.EntryCount(); ++i) {
        const tTOC& entry = catalogue.Entry(i);
        const auto number = OpcodeNumber(entry.Opcode);
        const bool communality = number >= 212 && number <= 216;
        const bool rotation = number >= 314 && number <= 330;
        if (entry.Kind != tTocKind::Function || !(communality || rotation))
            continue;
        ++checked;
        EXPECT_TRUE(dispatch.IsRegistered(entry.Opcode)) << entry.Name;
    }
    EXPECT_EQ(checked, 22);
}

} // namespace
} // namespace zelvora
