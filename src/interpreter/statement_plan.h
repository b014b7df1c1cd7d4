// The parsed form of a statement, kept with it so that running it again (the statements of a
// macro, repetition after repetition) skips the work that depends on its text alone.
#pragma once

#include "language/formula_plan.h"
#include "lexicon/scanner.h"

#include <string>
#include <vector>

namespace zelvora {

// One step of reading an assignment's targets, in the order of its tokens.
struct tTargetStep {
    enum class tKind : std::uint8_t {
        Target, // a target name
        Index, // the index brackets of the target before: a formula evaluated on every run
        TooManyTargets, // the sixteenth target: the statement fails here
    };
    tKind Kind = tKind::Target;
    std::string Name; // Target: cut to the length of a stored name
    tStoreSlotMemo Slot; // Target: where the store last found the name
    tAnsiTokens Index; // Index: the tokens between the brackets, end tokens appended
    tFormulaPlan IndexPlan;
};

// An assignment taken apart once: its targets and its formula with the formula's resolved tokens.
// Nothing here depends on the variables or settings of the moment.
struct tAssignmentPlan {
    bool Ready = false;
    std::vector<tTargetStep> TargetSteps;
    tAnsiTokens Formula; // the tokens after '=', end tokens included
    tFormulaPlan FormulaPlan;
};

// What the run loop decides from a statement's tokens alone: the tokens with their end tokens,
// and whether they form an assignment. Whether the first word names a command or a stored
// variable is asked again on every run.
struct tStatementPlan {
    bool Ready = false;
    tAnsiTokens All;
    bool IsAssignment = false;
    bool TargetsTooDeep = false;
    tAssignmentPlan Assignment;
};

} // namespace zelvora
