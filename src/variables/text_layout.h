// Text layouts: the cell number format of the matrix windows and the schemes that shape a matrix
// as text for the clipboard and the listing.
#pragma once

#include "variables/variable.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zelvora {

// The text of a cell that holds MissingValue(): a point, as statistics programs show a missing
// value, and as the CSV reader reads one.
inline constexpr const char* MissingCellText = ".";

// Maximum lengths of the layout's short strings; setters of the options cut to them.
inline constexpr std::size_t LayoutCharMax = 3; // DecimalChar
inline constexpr std::size_t LayoutSeparatorMax = 7; // ColumnSep .. LineCont
inline constexpr std::size_t LayoutLineMax = 63; // Header, BeginLine, EndLine

// Cell number formats of real cells.
inline constexpr std::int32_t CellKindGeneral = 1;
inline constexpr std::int32_t CellKindFixed = 2;
inline constexpr std::int32_t CellKindExponent = 3;

struct tTextLayout {
    std::int32_t CellKind = 0; // 1 general, 2 fixed, 3 exponent
    std::int32_t CellWidth = 0; // minimum cell text width
    std::int32_t CellDecimals = 0; // digits after the point (fixed) or significant digits
    std::int32_t TextWidth = 0; // field width of numbers in text renderings; -1 or 0: no padding
    std::int32_t TextDecimals = 0; // decimals in text renderings; negative: exponent form
    bool OmitZeros = false; // kept and saved; no rendering reads it
    std::string DecimalChar; // its first character replaces '.' in text renderings
    std::string ColumnSep; // between the cells of a row
    std::string RowBrackets; // character 1 opens, character 2 closes every row
    std::string RowSep; // after every row but the last
    std::string RowBars; // characters 1 and 2 frame every row
    std::string LineCont; // line continuation after the header line and the rows
    std::string Header; // first line; "%n" stands for the variable's name
    std::string BeginLine; // appended to the header line with a column specification
    std::string EndLine; // text of the closing line

    bool operator==(const tTextLayout&) const = default;
};

// Scheme numbers: those of the table below; any other number selects no scheme.
inline constexpr std::int32_t SchemeZelvora = 1;
inline constexpr std::int32_t SchemeOffice = 2;
inline constexpr std::int32_t SchemeUser = 3;
inline constexpr std::int32_t SchemePrint = 4;
inline constexpr std::int32_t SchemeListing = 6;
inline constexpr std::int32_t SchemeExcel = 7;
inline constexpr std::int32_t SchemeCompressed = 9;
inline constexpr std::int32_t SchemeTex = 10;
inline constexpr std::int32_t SchemePari = 11;
inline constexpr std::int32_t SchemeSpss = 12;

// The words of the options CCSchema and clSchema, in order.
inline constexpr std::string_view SchemeWords = "Zelvora;Office;Nix;Print;Excel;Tex;Pari;Spss";
// The scheme a word of SchemeWords chooses (compared after NameFold): "Nix" gives 0, which
// MakeScheme treats as no scheme; a word outside the list gives -1.
std::int32_t SchemeNumberOfWord(std::string_view word);

// Option values as the layouts take them: DfltFormat "Auto;Fix;Sci" gives kinds 1, 2, 3 and any
// other word 1; DfltFeldweite is clamped to 1..30 and DfltDezweite to 0..20; CCSpaltenTrenner "T"
// (either case) stands for a tab. Texts are cut to the field's maximum length.
std::int32_t CellKindOfWord(std::string_view word);
std::int32_t ClampCellWidth(std::int32_t width);
std::int32_t ClampCellDecimals(std::int32_t decimals);
std::string CopyColumnSepOfOption(std::string_view text);
std::string CutLayoutText(std::string_view text, std::size_t maxLength);

// The layouts of a new store: the copy layout is scheme 1 with text width 8 and 2 decimals and
// fixed cells of width 8 with 3 decimals; the listing layout is scheme 6 with text width 8 and 2
// decimals and no cell format.
tTextLayout DefaultCopyLayout();
tTextLayout DefaultListingLayout();

// Overwrites the scheme fields (separators, brackets, header lines, OmitZeros) of layout from
// scheme number; scheme 9 also sets TextWidth to -1. The cell format and TextDecimals stay. A
// number without a scheme leaves the layout unchanged. Schemes 7, 9, 10 and 11 take
// decimalSeparator (the session's), the others their own.
void ApplyScheme(std::int32_t number, tTextLayout& layout, char decimalSeparator);

// A new layout for scheme number: a copy of copyLayout (listingLayout for scheme 6) without
// BeginLine and EndLine, the scheme's fields applied (not the -1 width of scheme 9), then TextWidth
// := w and TextDecimals := d, where -2 keeps the value of the layout the copy was taken from.
tTextLayout MakeScheme(std::int32_t number, std::int32_t w, std::int32_t d,
    const tTextLayout& copyLayout, const tTextLayout& listingLayout, char decimalSeparator);

// The matrix-like variable (shapes 2, 4, 5) as multi-line text: the header line, one line per row
// and the closing line, every line ending in CR LF, byte 0 replaced by 185. Numbers are rounded to
// TextDecimals in TextWidth; strings are right-aligned per column (quoted when quote is set);
// booleans show "???". Any other shape gives the empty text.
std::string RenderText(const tVariable& variable, const tTextLayout& layout, bool quote);

} // namespace zelvora
