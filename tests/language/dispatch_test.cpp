// Built-in function calls through the dispatch: gates, results, signs and unavailable functions.
#include "language/dispatch_fixture.h"
#include "lexicon/catalogue.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using Dispatch = zelvora::testing::DispatchFixture;

TEST_F(Dispatch, StructuralFunctionsOfOneMatrix)
{
    tVariable t = One("Transp({{1,2,3},{4,5,6}})");
    ASSERT_EQ(t.shape, shMatrix);
    EXPECT_EQ(t.matrix.Rows(), 3);
    EXPECT_EQ(t.matrix(3, 2), 6);
    EXPECT_EQ(t.datatype, dtReal);
    EXPECT_EQ(t.tag, tgPlain);
    EXPECT_EQ(One("Diag({{1,2},{3,4}})").matrix(2, 1), 4);
    EXPECT_EQ(One("Diag({{1,2},{3,4}}, 1)").matrix(1, 1), 2);
    EXPECT_EQ(One("Diag({{1,2},{3,4}}, 1, 2)").shape, shEmpty);
    tVariable text = One("DiagCopy({{\"a\",\"b\"},{\"c\",\"d\"}})");
    EXPECT_EQ(text.datatype, dtString);
    EXPECT_EQ(text.strmatrix(2, 2), "d");
    EXPECT_EQ(text.strmatrix(1, 2), "");
    EXPECT_EQ(One("Spiegeln({1,2,3})").matrix(1, 1), 3);
    EXPECT_EQ(One("Ar({1,2})").tag, tgLogical);
}

TEST_F(Dispatch, GateOfOneMatrixFunctions)
{
    EXPECT_EQ(One("Transp(5)").shape, shEmpty);
    // A routine that leaves its slot refused its arguments: the call fails instead of giving 1.
    EXPECT_TRUE(ArgumentsRefused("Transp(1..3)"));
    EXPECT_TRUE(ArgumentsRefused("-Transp(1..3)"));
}

TEST_F(Dispatch, SignOfTheCallAppliesToItsResult)
{
    EXPECT_EQ(One("-Transp({1,2})").matrix(2, 1), -2);
    EXPECT_EQ(One("-Zeilen({1,2})").intvalue, -1);
}

TEST_F(Dispatch, ScalarResultsOfAMatrix)
{
    Store("M", "{{1,2,3},{4,5,6}}");
    EXPECT_EQ(One("Zeilen(M)").intvalue, 2);
    EXPECT_EQ(One("Spalten(M)").intvalue, 3);
    EXPECT_EQ(One("Zeilen(5)").intvalue, 1); // a scalar is one row
    EXPECT_EQ(One("Spalten(1..3)").intvalue, 2); // a range list: its lower and upper column
    const tVariableArray elements = Eval("-Skalar(M)");
    ASSERT_EQ(elements.size(), 7u);
    EXPECT_EQ(elements[1].datatype, dtInteger);
    EXPECT_EQ(elements[1].intvalue, -1);
    EXPECT_EQ(elements[6].intvalue, -6);
    EXPECT_EQ(One("Skalar(2.5)").realvalue, 2.5L);
}

TEST_F(Dispatch, ZeroAndIdentityMatrices)
{
    EXPECT_EQ(One("null(3)").matrix.Dims(), (tMatDims { 3, 1 }));
    EXPECT_EQ(One("null(2, 3)").matrix.Dims(), (tMatDims { 2, 3 }));
    Store("M", "{{1,2,3},{4,5,6}}");
    EXPECT_EQ(One("null(M)").matrix.Dims(), (tMatDims { 2, 3 }));
    tVariable identity = One("einh(3)");
    EXPECT_EQ(identity.matrix.Dims(), (tMatDims { 3, 3 }));
    EXPECT_EQ(identity.matrix(2, 2), 1);
    EXPECT_TRUE(CountRefused("einh()")); // its signature takes one or two arguments
}

TEST_F(Dispatch, UnavailableFunctionsFailNamingThem)
{
    // Any catalogue function without a routine serves; none left means nothing to check.
    const tTocINFO& catalogue = Catalogue();
    for (std::int32_t i = 1; i <= catalogue.EntryCount(); ++i) {
        const tTOC& entry = catalogue.Entry(i);
        if (entry.Kind != tTocKind::Function || !IsFunctionOpcode(entry.Opcode)
            || dispatch.IsRegistered(entry.Opcode))
            continue;
        Eval("1 + " + entry.Name + "({{1,2},{3,4}})");
        EXPECT_EQ(machine.EvalErrorCode(), 1) << entry.Name;
        EXPECT_NE(machine.EvalErrorMessage().find(entry.Name), std::string::npos);
        return;
    }
}

} // namespace
} // namespace zelvora
