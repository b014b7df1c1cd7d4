// Values as a notebook shows them: tables of the cells a window would show, as JSON, beside the
// text the console prints for them. Program text (Windows-1252) becomes UTF-8 here.
#pragma once

#include "text/json.h"
#include "ui/formula_values.h"
#include "ui/matrix_window_text.h"

#include <cstdint>
#include <string_view>

namespace zelvora {

// The cells of a table that are sent: a notebook shows more than a terminal's screenful, but never
// a million cells. The text beside keeps the console's screenful.
struct tTableLimits {
    std::int32_t MaxRows = 50;
    std::int32_t MaxCols = 20;
};

// Program text as a JSON string.
tJsonValue JsonText(std::string_view text);

// A matrix, range list or vector as its window shows it:
// {"kind":"matrix","caption","rows","cols","cells":[[row 1], ...],"text"}; rows and cols are the
// whole size, cells holds at most the limits' rows and columns, without the blanks that align them.
tJsonValue MatrixTableJson(std::string_view caption, std::int32_t rows, std::int32_t cols,
    const tCellTextSource& cellText, const tTableLimits& limits);

// A scalar: {"kind":"scalar","name","value"}.
tJsonValue ScalarJson(std::string_view name, std::string_view value);

// The values of a bare formula, each named as the console names it: matrices as tables, scalars,
// and an empty value as {"kind":"empty","name"}.
tJsonValue FormulaValuesJson(std::string_view formula, const tVariableArray& values,
    const tValueStyle& style, const tTableLimits& limits);

} // namespace zelvora
