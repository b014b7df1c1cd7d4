// The values of a bare formula as text.
#include "ui/formula_values.h"

#include "interpreter/commands_list.h"
#include "ui/matrix_window_text.h"
#include "variables/display_list.h"

#include <algorithm>

namespace zelvora {
namespace {

// A formula longer than this is named by a plain word instead of its text.
constexpr std::size_t LongestLabel = 40;

std::string ValueText(const std::string& label, const tVariable& value, const tValueStyle& style)
{
    if (value.shape == shScalar)
        return label + " = "
            + ScalarDisplayText(value, style.Layout, style.Readable, style.DecimalSeparator) + "\n";
    if (!IsMatrixLike(value.shape))
        return label + " = (leer)\n";
    std::string text;
    const long double largest = LargestMagnitude(value);
    const auto cell = [&](std::int32_t r, std::int32_t c) {
        return VariableCellText(
            value, r, c, style.Layout, style.Readable, style.DecimalSeparator, largest);
    };
    for (const std::string& line : MatrixWindowLines(label + " " + ValueSizeText(value),
             VarRows(value), VarCols(value), cell, style.MaxRows, style.MaxCols))
        text += line + "\n";
    return text + "\n"; // a blank line closes a matrix, as after a window
}

} // namespace

std::string ValueSizeText(const tVariable& value)
{
    const std::int32_t rows = VarRows(value);
    const std::int32_t cols = VarCols(value);
    switch (value.shape) {
    case shRange:
        return std::to_string(rows);
    case shVector:
        return std::to_string(std::max(rows, cols));
    default:
        return std::to_string(rows) + "x" + std::to_string(cols);
    }
}

std::string FormulaValueLabel(std::string_view formula, std::size_t index, std::size_t count)
{
    std::string label = TrimText(formula);
    if (label.size() > LongestLabel)
        label = "Wert";
    return count == 1 ? label : label + " [" + std::to_string(index) + "]";
}

std::string FormulaValuesText(
    std::string_view formula, const tVariableArray& values, const tValueStyle& style)
{
    const std::size_t count = values.empty() ? 0 : values.size() - 1;
    std::string text;
    for (std::size_t i = 1; i <= count; ++i)
        text += ValueText(FormulaValueLabel(formula, i, count), values[i], style);
    return text;
}

bool EvaluateBareFormula(tComputeServices& services, tStmtList& statements,
    const tAnsiTokens& tokens, std::string_view formula, const tValueStyle& style,
    std::string& text, tVariableArray* values)
{
    const tResult<tVariableArray> evaluation = services.Evaluate(tokens);
    if (!evaluation) {
        statements.Fail(evaluation.Error().Code, evaluation.Error().Message);
        return false;
    }
    if (evaluation->size() < 2) {
        statements.Fail(1, "Die Formel liefert keinen Wert");
        return false;
    }
    text = FormulaValuesText(formula, *evaluation, style);
    if (values)
        *values = *evaluation;
    return true;
}

} // namespace zelvora
