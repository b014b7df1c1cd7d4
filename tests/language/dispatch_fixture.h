// A formula machine with the built-in function dispatch and a variable store, for the tests of
// the function groups.
#pragma once

#include "language/builtin_dispatch.h"
#include "numerics/library_state.h"
#include "support/test_machine.h"
#include "variables/variable.h"
#include "variables/variable_store.h"

#include <initializer_list>
#include <vector>

#include <gtest/gtest.h>

namespace zelvora::testing {

class tStoreEnvironment : public tEvalEnvironment {
public:
    const tVariable* FindVariable(std::string_view name) override { return store.Find(name); }
    std::optional<tVariable> SystemVariableValue(std::string_view) override { return std::nullopt; }
    tVarClass store;
};

class DispatchFixture : public ::testing::Test {
protected:
    // All values the formula leaves (slot 0 unused).
    tVariableArray Eval(const std::string& text)
    {
        machine.ResetErrors();
        return machine.Evaluate(Tokenize(text, '"'));
    }
    // The first value the formula leaves, or an empty one; a formula that fails leaves none.
    // The formula's failure message ("" when it did not fail).
    std::string Failure(const std::string& text)
    {
        Eval(text);
        return machine.EvalErrorCode() != 0 ? machine.EvalErrorMessage() : std::string();
    }

    // True when the formula failed because a routine refused its arguments.
    bool ArgumentsRefused(const std::string& text)
    {
        return Failure(text).find("die Argumente passen nicht") != std::string::npos;
    }

    // True when the formula failed because the call's argument count does not fit the function's
    // signature.
    bool CountRefused(const std::string& text)
    {
        return Failure(text).find(" Argument") != std::string::npos
            && machine.EvalErrorMessage().find(" erwartet ") != std::string::npos;
    }

    tVariable One(const std::string& text)
    {
        tVariableArray results = Eval(text);
        return results.size() > 1 && machine.EvalErrorCode() == 0 ? results[1] : tVariable {};
    }
    void Store(const std::string& name, const std::string& formula)
    {
        tVariable v = One(formula);
        v.name = name;
        environment.store.Store(v);
    }
    void StoreMatrix(const std::string& name, trealmatrix m)
    {
        tVariable v;
        VarSetMatrix(v, std::move(m), tgPlain);
        v.name = name;
        environment.store.Store(v);
    }
    // The rows of a matrix value, for comparing whole results.
    static std::vector<std::vector<long double>> RowsOf(const tVariable& v)
    {
        std::vector<std::vector<long double>> rows;
        for (std::int32_t r = 1; r <= v.matrix.Rows(); ++r) {
            rows.emplace_back();
            for (std::int32_t c = 1; c <= v.matrix.Cols(); ++c)
                rows.back().push_back(v.matrix(r, c));
        }
        return rows;
    }
    using tRows = std::vector<std::vector<long double>>;

    tNumericsContextScope numerics;
    tStoreEnvironment environment;
    tFunctionDispatch dispatch;
    tTestMachine machine { environment, &dispatch };
};

// The slot result: the integer 1 that a routine leaves when it does not compute.
inline bool IsSlot(const tVariable& v)
{
    return v.shape == shScalar && v.datatype == dtInteger && v.intvalue == 1;
}

} // namespace zelvora::testing
