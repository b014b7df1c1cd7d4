// Linear algebra through the built-in dispatch: gates, argument conversions and several results.
#include "language/builtin_dispatch.h"
#include "numerics/library_state.h"
#include "support/test_machine.h"
#include "variables/variable.h"
#include "variables/variable_store.h"

#include <cmath>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

class tNoVariables : public tEvalEnvironment {
public:
    const tVariable* FindVariable(std::string_view) override { return nullptr; }
    std::optional<tVariable> SystemVariableValue(std::string_view) override { return std::nullopt; }
};

class LinearAlgebraDispatch : public ::testing::Test {
protected:
    tVariableArray Eval(const std::string& text)
    {
        machine.ResetErrors();
        return machine.Evaluate(Tokenize(text, '"'));
    }
    tVariable One(const std::string& text)
    {
        tVariableArray results = Eval(text);
        return results.size() > 1 && machine.EvalErrorCode() == 0 ? results[1] : tVariable {};
    }
    std::string Failure(const std::string& text)
    {
        Eval(text);
        return machine.EvalErrorMessage();
    }
    bool CountRefused(const std::string& text)
    {
        return Failure(text).find(" erwartet ") != std::string::npos;
    }
    tNumericsContextScope numerics;
    tNoVariables environment;
    tFunctionDispatch dispatch;
    testing::tTestMachine machine { environment, &dispatch };
};

TEST_F(LinearAlgebraDispatch, ArgumentCountsFollowTheSignature)
{
    EXPECT_EQ(Failure("Inv()"), "Funktion INV(MQ) erwartet 1 Argument, nicht 0");
    EXPECT_EQ(Failure("Inv({{1}}, {{1}}, {{1}})"), "Funktion INV(MQ) erwartet 1 Argument, nicht 3");
    EXPECT_EQ(Failure("Det({{2}}, 5)"), "Funktion DET(MQ) erwartet 1 Argument, nicht 2");
    EXPECT_EQ(Failure("2 * EigenVek({{2}}, {{2}}, {{2}})"),
        "Funktion EIGENVEK(M [,Md]) erwartet 1 bis 2 Argumente, nicht 3");
    EXPECT_EQ(Failure("Det({{2}})"), "");
}

TEST_F(LinearAlgebraDispatch, InversesAndFactorsOfOneMatrix)
{
    const tVariable inverse = One("Inv({{2,0},{0,4}})");
    ASSERT_EQ(inverse.shape, shMatrix);
    EXPECT_EQ(inverse.datatype, dtReal);
    EXPECT_NEAR(static_cast<double>(inverse.matrix(2, 2)), 0.25, 1e-18);
    EXPECT_NEAR(static_cast<double>(One("UInv({{2,1},{1,1}})").matrix(2, 2)), 2, 1e-18);
    EXPECT_EQ(One("Cholesky({{4,2},{2,3}})").matrix(2, 1), 1);
    EXPECT_EQ(One("GS({{4,2},{2,3}})").matrix(1, 1), 2);
    EXPECT_EQ(One("GSUD({{4,2},{2,3}})").matrix(2, 1), 2);
    EXPECT_EQ(Failure("Inv({{1,2,3},{4,5,6}})"),
        "Funktion \"INV\": die Argumente passen nicht: Matrix 2x3");
    // The gate of the functions of one matrix: a scalar is empty, a range list the slot.
    EXPECT_EQ(One("Inv(5)").shape, shEmpty);
    EXPECT_EQ(
        Failure("UInv(1..3)"), "Funktion \"UINV\": die Argumente passen nicht: Bereichsliste");
}

TEST_F(LinearAlgebraDispatch, DeterminantAndTraceAreReals)
{
    const tVariable det = One("Det({{0,1},{1,0}})");
    EXPECT_EQ(det.shape, shScalar);
    EXPECT_EQ(det.datatype, dtReal);
    EXPECT_EQ(det.realvalue, 1);
    EXPECT_EQ(One("-Det({{-4}})").realvalue, -4);
    EXPECT_EQ(One("Det({{1,2,3},{4,5,6}})").realvalue, 0);
    EXPECT_EQ(One("Spur({{1,2,3},{4,5,6}})").realvalue, 6);
    EXPECT_EQ(One("trace({{1,2},{3,4}})").realvalue, 5);
    EXPECT_NE(Failure("Det(7)").find("die Argumente passen nicht"), std::string::npos);
}

TEST_F(LinearAlgebraDispatch, GaussElimArguments)
{
    EXPECT_EQ(One("GaussElim({{2,4},{6,8}}, {1,1}, 1..2, 1..2)").matrix(2, 2), -4);
    EXPECT_EQ(One("GaussElim1({{2,4},{6,8}}, {1,1}, 1..2)").matrix(2, 2), -8);
    EXPECT_EQ(One("GaussElim({{2,4},{6,8}}, {1,1}, 2, 1)").matrix(2, 2), 8);
    EXPECT_TRUE(CountRefused("GaussElim({{2,4},{6,8}}, 1)"));
    EXPECT_TRUE(CountRefused("GaussElim(3)"));
    EXPECT_TRUE(CountRefused("GaussElim(\"x\", 1, 2, 3, 4)"));
    EXPECT_THROW(Eval("GaussElim({{2,4},{6,8}}, {3,1}, 1..2)"), tRangeError);
}

TEST_F(LinearAlgebraDispatch, EigenSystemsGiveThreeValuesOrOne)
{
    const tVariableArray results = Eval("EigenSys({{2,1},{1,2}})");
    ASSERT_EQ(results.size(), 4u); // the slot and the three values
    EXPECT_NEAR(static_cast<double>(results[2].matrix(1, 1)), 3, 1e-18);
    EXPECT_NEAR(static_cast<double>(results[3].matrix(2, 1)), std::sqrt(0.5), 1e-18);
    EXPECT_EQ(Eval("EigSys({{2,0},{0,3}}, {{2},{3}})").size(), 2u);
    EXPECT_EQ(One("EigVec({{0,-1},{1,0}})").matrix(1, 2), -1);
    EXPECT_NEAR(
        static_cast<double>(One("EigenVek({{2,0},{0,3}}, {{2,0},{0,3}})").matrix(2, 2)), 1, 1e-18);
    EXPECT_NE(Failure("EigenVek({{2,0},{0,3}}, 2)").find("die Argumente passen nicht"),
        std::string::npos);
    EXPECT_NE(Failure("EigenSys(2)").find("die Argumente passen nicht"), std::string::npos);
}

TEST_F(LinearAlgebraDispatch, NonSquareEigenSystemStopsTheFormula)
{
    Eval("EigenSys({{1,2,3},{4,5,6}})");
    EXPECT_EQ(machine.EvalErrorCode(), 1);
}

} // namespace
} // namespace zelvora
