// The texts of a failed run, worded by the interpreter's rules.
#include "ui/run_outcome.h"

#include "interpreter/interpreter.h"
#include "ui/run_outcome_of.h"

namespace zelvora {

namespace {

std::string_view FailureMessage(const tRunOutcome& outcome)
{
    return outcome.RunTimeError ? outcome.ErrorText : outcome.Message;
}

} // namespace

tRunOutcome OutcomeOf(const tRunResult& result)
{
    tRunOutcome outcome;
    outcome.Success = result.Success;
    outcome.Code = result.Code;
    outcome.Message = result.Message;
    outcome.LastStatement = result.LastStatement;
    return outcome;
}

tRunOutcome OutcomeOf(const tOutermostRunResult& result)
{
    tRunOutcome outcome = OutcomeOf(static_cast<const tRunResult&>(result));
    outcome.RunTimeError = result.RunTimeError;
    outcome.ErrorText = result.ErrorText;
    if (result.FailurePlace)
        outcome.FailurePlace = tRunPlace { result.FailurePlace->Source, result.FailurePlace->Line,
            result.FailurePlace->Statement };
    return outcome;
}

tRunPlace FailedStatementPlace(const tRunOutcome& outcome)
{
    return outcome.FailurePlace.value_or(tRunPlace { {}, 0, outcome.LastStatement });
}

std::string FailureDisplayText(const tRunOutcome& outcome)
{
    return FailureDisplayText(FailureMessage(outcome), FailedStatementPlace(outcome).Statement);
}

std::string LocatedFailureText(const tRunOutcome& outcome)
{
    tRunPlace place = FailedStatementPlace(outcome);
    return LocatedFailureText(FailureMessage(outcome),
        tStatementPlace { std::move(place.Source), place.Line, std::move(place.Statement) });
}

} // namespace zelvora
