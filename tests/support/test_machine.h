// A formula machine for tests that keeps the failure of its last evaluation beside its values.
#pragma once

#include "language/eval_machine.h"

#include <optional>
#include <string>

namespace zelvora::testing {

class tTestMachine : public tEvalMachine {
public:
    using tEvalMachine::tEvalMachine;

    // The values of the formula; a failed formula leaves only element 0 and its failure.
    tVariableArray Evaluate(const tAnsiTokens& tokens)
    {
        tEvaluation evaluation = tEvalMachine::Evaluate(tokens);
        if (evaluation) {
            failure.reset();
            return std::move(evaluation).Value();
        }
        failure = evaluation.Error();
        return tVariableArray(1);
    }
    tVariable EvaluateOne(const tAnsiTokens& tokens)
    {
        tVariableArray results = Evaluate(tokens);
        return results.size() > 1 ? std::move(results[1]) : tVariable {};
    }
    std::int32_t EvalErrorCode() const { return failure ? failure->Code : 0; }
    std::string EvalErrorMessage() const { return failure ? failure->Message : std::string(); }
    void ResetErrors() { failure.reset(); }

    std::optional<tFailure> failure;
};

} // namespace zelvora::testing
