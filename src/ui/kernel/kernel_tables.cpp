// Values as JSON tables.
#include "ui/kernel/kernel_tables.h"

#include "text/text_encoding.h"
#include "variables/display_list.h"

#include <algorithm>

namespace zelvora {
namespace {

// The console's screenful, for the plain text beside a table.
constexpr std::int32_t TextRows = 20;
constexpr std::int32_t TextCols = 8;

std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

// A cell without the blanks that align it in a text column.
std::string_view Unpadded(std::string_view cell)
{
    const std::size_t first = cell.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return cell.substr(first, cell.find_last_not_of(' ') - first + 1);
}

} // namespace

tJsonValue JsonText(std::string_view text)
{
    return tJsonValue(Cp1252ToUtf8(text));
}

tJsonValue MatrixTableJson(std::string_view caption, std::int32_t rows, std::int32_t cols,
    const tCellTextSource& cellText, const tTableLimits& limits)
{
    tJsonValue cells = tJsonValue::Array();
    const std::int32_t shownRows = std::clamp(rows, 0, limits.MaxRows);
    const std::int32_t shownCols = std::clamp(cols, 0, limits.MaxCols);
    for (std::int32_t r = 1; r <= shownRows; ++r) {
        tJsonValue row = tJsonValue::Array();
        for (std::int32_t c = 1; c <= shownCols; ++c)
            row.Append(JsonText(Unpadded(cellText(r, c))));
        cells.Append(std::move(row));
    }
    return tJsonValue::Object({ { "kind", "matrix" }, { "caption", JsonText(caption) },
        { "rows", rows }, { "cols", cols }, { "cells", std::move(cells) },
        { "text",
            JsonText(JoinLines(
                MatrixWindowLines(caption, rows, cols, cellText, TextRows, TextCols))) } });
}

tJsonValue ScalarJson(std::string_view name, std::string_view value)
{
    return tJsonValue::Object(
        { { "kind", "scalar" }, { "name", JsonText(name) }, { "value", JsonText(value) } });
}

tJsonValue FormulaValuesJson(std::string_view formula, const tVariableArray& values,
    const tValueStyle& style, const tTableLimits& limits)
{
    tJsonValue tables = tJsonValue::Array();
    const std::size_t count = values.empty() ? 0 : values.size() - 1;
    for (std::size_t i = 1; i <= count; ++i) {
        const tVariable& value = values[i];
        const std::string label = FormulaValueLabel(formula, i, count);
        if (value.shape == shScalar) {
            tables.Append(ScalarJson(label,
                ScalarDisplayText(value, style.Layout, style.Readable, style.DecimalSeparator)));
        } else if (IsMatrixLike(value.shape)) {
            const long double largest = LargestMagnitude(value);
            tables.Append(MatrixTableJson(
                label + " " + ValueSizeText(value), VarRows(value), VarCols(value),
                [&](std::int32_t r, std::int32_t c) {
                    return VariableCellText(
                        value, r, c, style.Layout, style.Readable, style.DecimalSeparator, largest);
                },
                limits));
        } else {
            tables.Append(tJsonValue::Object({ { "kind", "empty" }, { "name", JsonText(label) } }));
        }
    }
    return tables;
}

} // namespace zelvora
