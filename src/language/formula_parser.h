// The formula parser: reads tokens once, left to right, in the states operand expected and operator
// expected, and feeds the evaluation machine; brackets, argument lists, index lists and matrix
// literals are nested levels.
#pragma once

#include "language/eval_machine.h"

namespace zelvora {

// Deeper bracket nesting fails the formula with a message instead of exhausting the stack.
inline constexpr int MaxFormulaLevels = 200;

class tFormulaParser {
public:
    tFormulaParser(tEvalMachine& machine, const tAnsiTokens& tokens);

    // The top level's operand slots 0..Top.
    tVariableArray EvaluateTopLevel();

private:
    // level := operand operator operand ... ; reads from m_position up to the closing bracket or the
    // end and returns the level's operand slots 0..Top.
    tVariableArray EvaluateLevel();
    bool OperandStep(tEvalLevel& level);
    void OperatorStep(tEvalLevel& level);
    bool PushFunctionCall(tEvalLevel& level, const tTocLookup& function);
    bool PushConstant(tEvalLevel& level);
    void PushLevelValues(tEvalLevel& level, tVariableArray values, std::int32_t sign);
    std::string TokenText(std::size_t index) const;

    tEvalMachine& m_machine;
    const tAnsiTokens& m_tokens;
    std::size_t m_position = 0;
    std::size_t m_end = 0;
    int m_depth = 0;
};

} // namespace zelvora
