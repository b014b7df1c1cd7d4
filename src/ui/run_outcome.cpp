// The texts of a failed run, worded by the interpreter's rules.
#include "ui/run_outcome.h"

#include "interpreter/interpreter.h"

namespace zelvora {

namespace {

std::string_view FailureMessage(const tRunOutcome& outcome)
{
    return outcome.RunTimeError ? outcome.ErrorText : outcome.Message;
}

} // namespace

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
