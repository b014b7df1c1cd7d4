// A formula of one operator between two plain operands, run from its plan, gives exactly what the
// general reading gives: the same values and names, the same failures, the same run-time errors.
#include "language/eval_machine.h"
#include "numerics/run_time_error.h"
#include "variables/operator_results.h"
#include "variables/variable_store.h"

#include <cstdio>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

class tStoreEnvironment : public tEvalEnvironment {
public:
    const tVariable* FindVariable(std::string_view name) override { return store.Find(name); }
    std::optional<tVariable> SystemVariableValue(std::string_view name) override
    {
        if (NameFold(name) != "ANZAHL")
            return std::nullopt;
        return operators::IntegerResult(42);
    }
    tVarClass store;
};

std::string ExactReal(long double x)
{
    char text[64];
    std::snprintf(text, sizeof text, "%La", x);
    return text;
}

std::string ValueText(const tVariable& v)
{
    std::string text = v.name + " shape " + std::to_string(v.shape) + " type "
        + std::to_string(v.datatype) + " tag " + std::to_string(v.tag) + ": "
        + std::to_string(v.intvalue) + " " + ExactReal(v.realvalue) + " "
        + std::to_string(v.boolvalue) + " \"" + v.strvalue + "\"";
    for (std::int32_t r = 1; r <= v.matrix.Rows(); ++r) {
        for (std::int32_t c = 1; c <= v.matrix.Cols(); ++c)
            text += " " + ExactReal(v.matrix(r, c));
    }
    return text;
}

trealmatrix Filled(std::int32_t rows, std::int32_t cols, long double value)
{
    trealmatrix m(rows, cols);
    for (std::int32_t r = 1; r <= rows; ++r) {
        for (std::int32_t c = 1; c <= cols; ++c)
            m(r, c) = value + r - c;
    }
    return m;
}

// One machine over its own store with the same variables as every other.
struct tMachineUnderTest {
    tMachineUnderTest()
    {
        const auto store = [this](const char* name, tVariable value) {
            value.name = name;
            environment.store.Store(std::move(value));
        };
        store("x", operators::IntegerResult(7));
        store("big", operators::IntegerResult(2147483647));
        store("r", operators::RealResult(2.5L));
        store("null", operators::IntegerResult(0));
        store("b", operators::BooleanResult(true));
        store("s", operators::StringResult("ab"));
        tVariable m;
        VarSetMatrix(m, Filled(2, 2, 1.5L), tgPlain);
        store("M", m);
        tVariable n;
        VarSetMatrix(n, Filled(3, 1, 2.0L), tgPlain);
        store("N", n);
    }

    // The outcome of one evaluation as text; a run-time error is an outcome too.
    std::string Run(const tAnsiTokens& tokens, tFormulaPlan* plan)
    {
        try {
            const tEvaluation evaluation = machine.Evaluate(tokens, plan);
            if (!evaluation)
                return "failure " + std::to_string(evaluation.Error().Code) + " "
                    + evaluation.Error().Message;
            std::string text;
            for (const tVariable& value : *evaluation)
                text += ValueText(value) + "\n";
            return text;
        } catch (const tRunTimeError& error) {
            return std::string("run-time error ") + error.what();
        }
    }

    tStoreEnvironment environment;
    tEvalMachine machine { environment };
};

TEST(BinaryFormula, PlannedRunsGiveWhatTheGeneralReadingGives)
{
    for (const char* formula : {
             "x + 1",
             "x - r",
             "x * 2.5",
             "r / x",
             "x / 0",
             "x / null",
             "big + 1",
             "big * big",
             "x ^ 2",
             "2 ^ 0.5",
             "x div 3",
             "x mod 0",
             "x div null",
             "x = 7",
             "x < r",
             "b und b",
             "b + x",
             "s + 1",
             "s + s",
             "M + 1",
             "M * M",
             "M * N",
             "M + N",
             "x sonst 1",
             "x falls b",
             "1e4000 * 1e4000",
             "x in M",
             "x + anzahl",
             "x + q",
             "x + 1 + 1",
             "-x + 1",
             "x + (1)",
             "x +",
             "x , 1",
         }) {
        SCOPED_TRACE(formula);
        tAnsiTokens tokens = Tokenize(formula, '"');
        AppendEndTokens(tokens, 3);
        tMachineUnderTest general;
        tMachineUnderTest planned;
        tFormulaPlan plan;
        // Three runs each: the plan is made on the first and used by the later ones; the values'
        // temporary names follow the count of pushed values, so they must stay in step too.
        // Between runs the plan gets a used value array back, as an assignment hands it back:
        // none of its old values may show up again.
        for (int run = 0; run < 3; ++run) {
            EXPECT_EQ(planned.Run(tokens, &plan), general.Run(tokens, nullptr)) << "run " << run;
            plan.KeepSpareValues(tVariableArray(3, operators::IntegerResult(99)));
        }
    }
}

// A variable that changes its kind between runs of the same plan is read as it is now.
TEST(BinaryFormula, AnOperandThatChangesItsKindIsReadAsItIsNow)
{
    tMachineUnderTest planned;
    tMachineUnderTest general;
    tAnsiTokens tokens = Tokenize("y * 2", '"');
    AppendEndTokens(tokens, 3);
    tFormulaPlan plan;
    const auto both = [&](tVariable value) {
        value.name = "y";
        planned.environment.store.Store(value);
        general.environment.store.Store(value);
        EXPECT_EQ(planned.Run(tokens, &plan), general.Run(tokens, nullptr));
    };
    both(operators::IntegerResult(3));
    tVariable m;
    VarSetMatrix(m, Filled(1, 2, 4.0L), tgPlain);
    both(m);
    both(operators::StringResult("t"));
    planned.environment.store.Delete("y");
    general.environment.store.Delete("y");
    const std::string unknown = planned.Run(tokens, &plan);
    EXPECT_EQ(unknown, general.Run(tokens, nullptr));
    EXPECT_NE(unknown.find("Unbekannter Name \"y\""), std::string::npos) << unknown;
}

} // namespace
} // namespace zelvora
