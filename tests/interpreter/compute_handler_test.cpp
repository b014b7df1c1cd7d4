// Assignments through a fake formula machine and store: targets, index brackets and where results
// go.
#include "interpreter/compute_handler.h"

#include <map>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

std::string IndexText(const tIntvector& v)
{
    std::string text;
    for (const auto i : v.Elements())
        text += std::to_string(i) + " ";
    return text;
}

// Formulas are comma-separated integers; "err" fails; "none" yields nothing.
class tFakeServices : public tComputeServices {
public:
    tResult<tVariableArray> Evaluate(const tAnsiTokens& tokens) override
    {
        formulas.push_back(JoinTokenTexts(tokens, 0, static_cast<int>(tokens.size())));
        tVariableArray results(1);
        for (const auto& token : tokens) {
            if (token.Text == "err")
                return tFailure { 5, "Formelfehler" };
            if (token.Kind == tkInteger) {
                tVariable value;
                value.shape = shScalar;
                value.datatype = dtInteger;
                value.intvalue = std::stoi(token.Text);
                results.push_back(value);
            }
        }
        return results;
    }

    const tVariable* FindVariable(std::string_view name) const override
    {
        const auto it = store.find(NameFold(name));
        return it == store.end() ? nullptr : &it->second;
    }
    void Store(tVariable&& record) override { store[NameFold(record.name)] = std::move(record); }

    tVariable VarAssignPart(const tVariable& variable, const tVariable& value,
        const tIntvector& rows, const tIntvector& cols) override
    {
        tVariable merged = variable;
        merged.strvalue = "rows " + IndexText(rows) + "cols " + IndexText(cols) + "value "
            + std::to_string(value.intvalue);
        return merged;
    }
    tintrangelist VarToIntRangeList(const tVariable& value) override
    {
        tintrangelist list(1);
        list[1] = { 0, value.intvalue, value.intvalue };
        return list;
    }
    std::int32_t VarAsInteger(const tVariable& value) override { return value.intvalue; }
    bool VarAsBoolean(const tVariable& value) override { return value.intvalue != 0; }
    std::string VarAsString(const tVariable& value) override
    {
        return std::to_string(value.intvalue);
    }
    std::int32_t VarRows(const tVariable& variable) override { return variable.matrix.Rows(); }
    std::int32_t VarCols(const tVariable& variable) override { return variable.matrix.Cols(); }

    tSysVarType SystemVariableType(std::string_view name) override
    {
        return NameFold(name) == "LISTING" ? tSysVarType::Boolean : tSysVarType::None;
    }
    bool IsSystemVariable(std::string_view name) override
    {
        return NameFold(name) == "LISTING" || NameFold(name) == "BROKEN";
    }
    void SetSystemVariable(std::string_view name, const tVariable& value) override
    {
        settings[std::string(name)] = std::to_string(value.intvalue);
    }
    bool IsOptionName(std::string_view name) override
    {
        const std::string key = NameFold(name);
        return key == "RANDOMSTART" || key == "PROTOKOLLIEREN" || key == "JOURNALVERZ";
    }
    void SetDirectorySetting(std::string_view name, const std::string& value) override
    {
        settings[std::string(name)] = value;
    }
    void SetRandomStart(std::int32_t value) override
    {
        settings["RandomStart"] = std::to_string(value);
    }
    void SetFirstTimeUsed(bool) override { }

    std::map<std::string, tVariable> store;
    std::map<std::string, std::string> settings;
    std::vector<std::string> formulas;
};

class ComputeHandler : public ::testing::Test {
protected:
    bool Assign(const std::string& statement)
    {
        tAnsiTokens tokens = Tokenize(statement, '"');
        AppendEndTokens(tokens, 6);
        const bool ok = ComputeAssignment(services, statements, tokens);
        statements.EndStatement(statements.Reported); // as the interpreter ends each statement
        return ok;
    }
    void StoreMatrix(const std::string& name, std::uint8_t shape, int rows, int cols)
    {
        tVariable variable;
        variable.name = name;
        variable.shape = shape;
        variable.datatype = dtReal;
        variable.matrix = trealmatrix(rows, cols);
        services.store[NameFold(name)] = variable;
    }
    tFakeServices services;
    tStmtList statements;
};

TEST_F(ComputeHandler, SeveralTargetsTakeResultsInOrder)
{
    EXPECT_TRUE(Assign("A, B = 1, 2"));
    EXPECT_EQ(services.store["A"].intvalue, 1);
    EXPECT_EQ(services.store["B"].intvalue, 2);
    EXPECT_EQ(services.store["B"].name, "B");
}

TEST_F(ComputeHandler, TargetsAndValuesMustPairUp)
{
    // A target without a value would keep its old value unnoticed.
    EXPECT_FALSE(Assign("C, D = 3"));
    EXPECT_EQ(statements.Message, "Die Formel liefert 1 Wert f\xFCr 2 Ziele (C, D)");
    EXPECT_EQ(services.store.count("C"), 0u);
    // A value the formula lists beyond the targets would be dropped; between two numbers the
    // comma is probably meant as a decimal comma.
    EXPECT_FALSE(Assign("E = 4, 5"));
    EXPECT_EQ(statements.Message,
        "Die Formel liefert 2 Werte f\xFCr 1 Ziel (E); Dezimalkomma? 4,5 als Zahl schreibt man "
        "4.5");
    EXPECT_EQ(services.store.count("E"), 0u);
    EXPECT_FALSE(Assign("E = {4}, 5"));
    EXPECT_EQ(statements.Message, "Die Formel liefert 2 Werte f\xFCr 1 Ziel (E)");
    EXPECT_FALSE(Assign("F = none"));
    EXPECT_EQ(services.store.count("F"), 0u);
}

TEST_F(ComputeHandler, EvaluatorErrorFailsTheStatement)
{
    EXPECT_FALSE(Assign("A = err"));
    EXPECT_EQ(statements.Code, 5);
    EXPECT_EQ(statements.Message, "Formelfehler");
    EXPECT_EQ(services.store.count("A"), 0u);
}

TEST_F(ComputeHandler, IndexBracketsMergeIntoExistingMatrices)
{
    StoreMatrix("M", shMatrix, 4, 4);
    EXPECT_TRUE(Assign("M[2,3] = 7"));
    EXPECT_EQ(services.store["M"].strvalue, "rows 2 cols 3 value 7");
    EXPECT_EQ(services.formulas[0], "2,3?????????");

    StoreMatrix("M", shMatrix, 3, 2);
    EXPECT_TRUE(Assign("M[2] = 7"));
    EXPECT_EQ(services.store["M"].strvalue, "rows 2 cols 1 2 value 7");

    StoreMatrix("V", shVector, 1, 5);
    EXPECT_TRUE(Assign("V[4] = 9"));
    EXPECT_EQ(services.store["V"].strvalue, "rows 1 cols 4 value 9");

    StoreMatrix("M", shMatrix, 3, 3);
    EXPECT_TRUE(Assign("M = 8"));
    EXPECT_EQ(services.store["M"].shape, shScalar);
}

TEST_F(ComputeHandler, IndexOnANewNameStoresTheWholeResult)
{
    EXPECT_TRUE(Assign("N[2,3] = 7"));
    EXPECT_EQ(services.formulas.size(), 2u); // the bracket is evaluated all the same
    EXPECT_EQ(services.store["N"].intvalue, 7);
    EXPECT_EQ(services.store["N"].strvalue, "");
}

TEST_F(ComputeHandler, SystemVariablesAndOptions)
{
    EXPECT_TRUE(Assign("Listing = 1"));
    EXPECT_EQ(services.settings["Listing"], "1");
    EXPECT_TRUE(Assign("RandomStart = 17"));
    EXPECT_EQ(services.settings["RandomStart"], "17");
    EXPECT_TRUE(Assign("JournalVerz = 3"));
    EXPECT_EQ(services.settings["JournalVerz"], "3");
    EXPECT_FALSE(Assign("Protokollieren = 1"));
    EXPECT_EQ(statements.Code, 1);
    EXPECT_FALSE(Assign("Broken = 1"));
    EXPECT_EQ(statements.Code, 1);
    EXPECT_TRUE(services.store.empty());
}

TEST_F(ComputeHandler, TooManyTargetsAreRejected)
{
    std::string targets = "T1";
    for (int i = 2; i <= 16; ++i)
        targets += ", T" + std::to_string(i);
    EXPECT_FALSE(Assign(targets + " = 1"));
    EXPECT_EQ(statements.Code, 1);
    EXPECT_TRUE(services.formulas.empty());
    targets.resize(targets.rfind(','));
    std::string values = "1";
    for (int i = 2; i <= 15; ++i)
        values += ", " + std::to_string(i);
    EXPECT_TRUE(Assign(targets + " = " + values));
}

TEST_F(ComputeHandler, UnmatchedBracketEndsTheTargetWalk)
{
    EXPECT_TRUE(Assign("A[1 = 5"));
    EXPECT_EQ(services.store["A"].intvalue, 5);
}

} // namespace
} // namespace zelvora
