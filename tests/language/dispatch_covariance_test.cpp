// Covariance, distances, frequency tables and variance analysis through the built-in dispatch:
// argument forms, several results, refused data and the catalogue entries being carried out.
#include "dispatch_fixture.h"
#include "lexicon/catalogue.h"
#include "numerics/missing_values.h"

#include <string>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using testing::DispatchFixture;

class CovarianceDispatch : public DispatchFixture { };

TEST_F(CovarianceDispatch, EveryFunctionOfTheGroupIsCarriedOut)
{
    using O = tOpcode;
    const tOpcode opcodes[] = { O::Freq, O::Crosstabs, O::ANOVA, O::UnkorrZl, O::Cov, O::Corr,
        O::CovToCorr, O::CRcoeff, O::RemVar, O::SeqMult, O::SeqMultCenter, O::UDist, O::Dist };
    const tTOCList& entries = Catalogue().Entries();
    int found = 0;
    for (std::int32_t i = 1; i <= Catalogue().EntryCount(); ++i) {
        const tTOC& entry = entries[static_cast<std::size_t>(i)];
        if (std::find(std::begin(opcodes), std::end(opcodes), entry.Opcode) == std::end(opcodes))
            continue;
        ++found;
        EXPECT_TRUE(dispatch.IsRegistered(entry.Opcode)) << entry.Name;
        Eval(entry.Name + "({{1,2,3},{2,1,4}}, {{1,2,2}})");
        EXPECT_EQ(machine.EvalErrorMessage().find("noch nicht verf"), std::string::npos)
            << entry.Name;
    }
    EXPECT_EQ(found, 13);
}

TEST_F(CovarianceDispatch, CovarianceFunctionsOfRows)
{
    EXPECT_EQ(RowsOf(One("Cov({{1,-1},{2,-2}})")), (tRows { { 1, 2 }, { 2, 4 } }));
    EXPECT_EQ(One("Cov({{1,-1},{2,-2}})").datatype, dtReal);
    const tVariable r = One("Corr({{1,2,4},{2,4,8}})");
    EXPECT_NEAR(static_cast<double>(r.matrix(1, 2)), 1, 1e-18);
    EXPECT_EQ(r.matrix(2, 2), 1);
    const tVariable c = One("CovToCorr({{4,2},{2,9}})");
    EXPECT_NEAR(static_cast<double>(c.matrix(2, 1)), 1.0 / 3, 1e-18);
    EXPECT_EQ(RowsOf(One("RemVar({{4,2},{2,9}}, 1)")), (tRows { { 0, 0 }, { 0, 8 } }));
    EXPECT_EQ(RowsOf(One("RemVar({{4,2},{2,9}}, 1, 2)")), (tRows { { 0, 0 }, { 0, 0 } }));
    EXPECT_TRUE(CountRefused("RemVar({{4,2},{2,9}})"));
    EXPECT_THROW(Eval("RemVar({{4,2},{2,9}}, 3)"), tRangeError);
    // The gate of the functions of one matrix.
    EXPECT_EQ(One("Cov(5)").shape, shEmpty);
    EXPECT_TRUE(ArgumentsRefused("Corr(1..3)"));
    const tVariable cr = One("CRcoeff({{1,4,2,8,5},{2,3,3,9,4}}, 2)");
    EXPECT_EQ(cr.matrix(1, 1), 0);
    EXPECT_NE(cr.matrix(1, 2), One("CRcoeff({{1,4,2,8,5},{2,3,3,9,4}})").matrix(1, 2));
    EXPECT_EQ(One("decorrRw({{1,-1,2,-2},{0,0,0,0}})").matrix(1, 3), 2);
}

TEST_F(CovarianceDispatch, DistanceArgumentForms)
{
    Store("M", "{{0,0},{3,4}}");
    EXPECT_EQ(One("UDist(M)").matrix(1, 2), 25);
    EXPECT_EQ(One("Dist(M)").matrix(1, 2), 5);
    EXPECT_EQ(One("Dist(M, 1)").matrix(1, 2), 7);
    EXPECT_EQ(One("UDist(M, 0)").matrix(1, 2), 2);
    EXPECT_EQ(One("Dist(M, 0)").matrix(1, 2), 1);
    EXPECT_EQ(RowsOf(One("Dist(M, {{0},{0}})")), (tRows { { 0 }, { 5 } }));
    EXPECT_EQ(RowsOf(One("UDist(M, {{1},{1}}, 1)")), (tRows { { 2 }, { 5 } }));
    EXPECT_TRUE(ArgumentsRefused("Dist(M, {{1,2,3}})")); // rows differ from cols(M1)
    EXPECT_TRUE(CountRefused("Dist()"));
    Eval("Dist(M, -2)");
    EXPECT_EQ(machine.EvalErrorCode(), 1);
}

TEST_F(CovarianceDispatch, FrequencyTablesAndTheirSeveralResults)
{
    EXPECT_EQ(
        RowsOf(One("Freq({{1,2,2},{3,1,1}})")), (tRows { { 1, 2, 3 }, { 1, 2, 0 }, { 2, 0, 1 } }));
    const tVariableArray cross = Eval("Crosstabs({{1,1,2},{5,6,6}})");
    ASSERT_EQ(cross.size(), 4u);
    EXPECT_EQ(RowsOf(cross[1]), (tRows { { 1, 1 }, { 0, 1 } }));
    EXPECT_EQ(RowsOf(cross[2]), (tRows { { 1 }, { 2 } }));
    EXPECT_EQ(RowsOf(cross[3]), (tRows { { 5, 6 } }));
}

TEST_F(CovarianceDispatch, AnovaGivesFourMatricesAndTheLabels)
{
    const tVariableArray results = Eval("ANOVA({{1,2,3,4}}, {{1,1,2,2}})");
    ASSERT_EQ(results.size(), 6u);
    EXPECT_EQ(results[1].matrix.Dims(), (tMatDims { 8, 3 }));
    EXPECT_EQ(results[1].matrix(1, 1), 30);
    EXPECT_EQ(results[4].matrix.Dims(), (tMatDims { 2, 1 }));
    EXPECT_EQ(results[5].datatype, dtString);
    EXPECT_EQ(results[5].strmatrix(8, 1), "Residual Variation");
    EXPECT_TRUE(CountRefused("ANOVA({{1,2,3,4}})"));
}

TEST_F(CovarianceDispatch, NeighbourSumsNeedMatricesOrVectors)
{
    EXPECT_EQ(RowsOf(One("SeqMult({{1,2,3}}, {{1,1}})")), (tRows { { 1, 3, 5 } }));
    EXPECT_EQ(RowsOf(One("SeqMultCenter({{1,2,3}}, {{1,1,1}})")), (tRows { { 3, 6, 5 } }));
    EXPECT_EQ(
        RowsOf(One("SeqMultCenter({{1,2,3}}, {{1,1,1}}, {{1,0,1}})")), (tRows { { 1, 2, 3 } }));
    EXPECT_TRUE(CountRefused("SeqMult({{1,2,3}})"));
    EXPECT_EQ(One("SeqMult({{1,2,3}}, 2)").shape, shEmpty);
    EXPECT_TRUE(CountRefused("SeqMult()"));
}

TEST_F(CovarianceDispatch, MissingAndNonFiniteValuesAreRefusedWithTheirPlace)
{
    trealmatrix data(2, 3);
    data(1, 1) = 1;
    data(2, 3) = MissingNumber;
    StoreMatrix("X", data);
    Eval("Corr(X)");
    EXPECT_EQ(machine.EvalErrorCode(), 1);
    EXPECT_NE(machine.EvalErrorMessage().find("fehlender Wert in Zeile 2, Spalte 3 von Argument 1"),
        std::string::npos)
        << machine.EvalErrorMessage();
    // Frequencies count the marker as a value of its own.
    const tVariable freq = One("Freq(X)");
    EXPECT_EQ(machine.EvalErrorCode(), 0);
    EXPECT_EQ(freq.matrix.Dims(), (tMatDims { 3, 3 }));
    data(2, 3) = std::numeric_limits<long double>::quiet_NaN();
    StoreMatrix("Y", data);
    for (const char* formula :
        { "Freq(Y)", "Dist(Y)", "Cov(Y)", "ANOVA({{1,2,3}}, Y)", "Dist({{1,2,3}}, Y)" }) {
        Eval(formula);
        EXPECT_EQ(machine.EvalErrorCode(), 1) << formula;
        EXPECT_NE(machine.EvalErrorMessage().find("keine endliche Zahl"), std::string::npos)
            << formula;
    }
}

} // namespace
} // namespace zelvora
