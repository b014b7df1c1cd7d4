// A statement that is neither an assignment nor a command is a formula whose values are shown
// and not stored: `2+3`, `Inv(M)`, `M[2,*]`.
#pragma once

#include "interpreter/compute_services.h"
#include "interpreter/statement_table.h"
#include "variables/text_layout.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zelvora {

// How the values are written: cells by layout (readable: as the console shows numbers) with the
// session's decimal separator, at most maxRows x maxCols cells of a matrix.
struct tValueStyle {
    const tTextLayout& Layout;
    bool Readable = false;
    char DecimalSeparator = '.';
    std::int32_t MaxRows = 20;
    std::int32_t MaxCols = 8;
};

// The name of value index of count values of the formula in the answer: the formula's text (a
// plain word when it is long), with " [index]" behind it when there are several.
std::string FormulaValueLabel(std::string_view formula, std::size_t index, std::size_t count);
// The size a matrix window's caption shows: "rowsxcols", the length of a range list or vector.
std::string ValueSizeText(const tVariable& value);

// The values 1..n as text, each named by the formula's text (with "[i]" behind it when there are
// several): a scalar as "label = value", a matrix, range list or vector as its window shows it
// (caption with the size, header row and column). Lines end in '\n'.
std::string FormulaValuesText(
    std::string_view formula, const tVariableArray& values, const tValueStyle& style);

// Evaluates the statement's tokens as one formula. On failure Code and Message take the
// formula's failure (a formula that yields nothing says so) and the result is false; on
// success text holds FormulaValuesText and, when asked for, values the values 1..n.
bool EvaluateBareFormula(tComputeServices& services, tStmtList& statements,
    const tAnsiTokens& tokens, std::string_view formula, const tValueStyle& style,
    std::string& text, tVariableArray* values = nullptr);

} // namespace zelvora
