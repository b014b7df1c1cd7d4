// The formula parser: reads tokens once, left to right, in the states operand expected and operator
// expected, and feeds the evaluation machine; brackets, argument lists, index lists and matrix
// literals are nested levels.
#pragma once

#include "language/eval_machine.h"
#include "language/formula_plan.h"

namespace zelvora {

// Deeper bracket nesting fails the formula with a message instead of exhausting the stack.
inline constexpr int MaxFormulaLevels = 200;

class tFormulaParser {
public:
    // With a plan, the catalogue entries and numbers of the tokens come from it (and are kept in
    // it when first read).
    tFormulaParser(tEvalMachine& machine, const tAnsiTokens& tokens, tFormulaPlan* plan = nullptr);

    // The top level's operand slots 0..Top.
    tVariableArray EvaluateTopLevel();

private:
    // level := operand operator operand ... ; reads from m_position up to the closing bracket or
    // the end and returns the level's operand slots 0..Top.
    tVariableArray EvaluateLevel();
    bool OperandStep(tEvalLevel& level);
    void OperatorStep(tEvalLevel& level);
    bool PushFunctionCall(tEvalLevel& level, const tTocLookup& function);
    bool PushConstant(tEvalLevel& level);
    void PushLevelValues(tEvalLevel& level, tVariableArray values, std::int32_t sign);
    std::string TokenText(std::size_t index) const;
    std::string_view TokenView(std::size_t index) const;
    // The catalogue entry of the token's text; reached only while the formula reads well.
    tTocLookup CatalogueEntry(std::size_t index);
    // Pushes the value of the number token at index.
    void PushNumber(tEvalLevel& level, std::size_t index);
    // True when the token at index is the whole-range "*" of an index or argument list: it stands
    // alone between "[", "(", "{" or "," and ",", "]", ")" or "}".
    bool IsWholeRangeStar(std::size_t index) const;
    // Fails the formula: the token at index stands where an operand is expected.
    bool FailOperandExpected(std::size_t index);
    // Fails the formula naming the token at index, its position and what is wrong with it.
    void FailAtToken(std::size_t index, std::string_view what);

    tEvalMachine& m_machine;
    const tAnsiTokens& m_tokens;
    tFormulaPlan* m_plan;
    std::size_t m_position = 0;
    std::size_t m_end = 0;
    int m_depth = 0;
    std::size_t m_lastOperator = 0; // token of the last binary operator pushed
};

} // namespace zelvora
