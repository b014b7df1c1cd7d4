// How a run through the session ended, as the front ends show it: success, the failure's message
// and the place of the statement that failed, or the run-time error that ended the run.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelvora {

// Where a statement stands: its script file (empty for typed text), its first line (1-based) and
// its text.
struct tRunPlace {
    std::string Source;
    std::int32_t Line = 0;
    std::string Statement;
};

struct tRunOutcome {
    bool Success = true;
    std::int32_t Code = 0;
    std::string Message; // the failure's message
    std::string LastStatement; // text of the last statement run (the failing one on failure)
    bool RunTimeError = false;
    std::string ErrorText; // the run-time error's own text
    // The innermost failing statement, inside BATCH files and macros too.
    std::optional<tRunPlace> FailurePlace;
};

// The statement that failed: the innermost one where it is known, else the last one run.
tRunPlace FailedStatementPlace(const tRunOutcome& outcome);
// The failure as the command window shows it: message (or run-time error text), line break, the
// quoted statement that failed.
std::string FailureDisplayText(const tRunOutcome& outcome);
// The failure with its place, as the console writes it: "file:line: " + message (or run-time
// error text), line break, the quoted statement.
std::string LocatedFailureText(const tRunOutcome& outcome);

} // namespace zelvora
