// Writing a matrix value to a file of a named type: the entry point of MATWRITE, ORBIDEX and
// ANIMATE.
#pragma once

#include "numerics/matrix_types.h"
#include "ports/picture_port.h"
#include "variables/variable.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zelvora {

// Codes of WriteMatrixFile (0 = written).
inline constexpr std::int32_t WriteUnknownType = 201;
inline constexpr std::int32_t WriteNotAMatrix = 202; // also: label rows differ from the value's
inline constexpr std::int32_t WriteWrongElements = 203; // also: label matrix without 2 columns
inline constexpr std::int32_t WriteTypeUnavailable = 204; // a type that this build cannot write
inline constexpr std::int32_t WriteFailed = 205; // the file or the clipboard took nothing

// Defaults of MATWRITE.
inline constexpr std::string_view DefaultWriteType = "CSV";
inline constexpr std::string_view DefaultWriteFileName = "ZelvoraData.csv";
inline constexpr std::string_view DefaultWriteTextOption = "T.";
inline constexpr std::int32_t DefaultWriteWidth = -1;
inline constexpr std::int32_t DefaultWriteDecimals = -2;

struct tMatrixWriteResult {
    std::int32_t Code = 0;
    std::string Message; // at most 255 bytes; empty when Code is 0
    bool Ok() const { return Code == 0; }
};

// Writes value (a matrix, shape 2) as type (compared without regard to case) to fileName, used as
// given ("CLIP": the clipboard for CSV and PARI; null when there is none). Numeric matrices: CSV,
// HEX, LAD, PARI, BIN, BMP and OXF, the latter with the label checks (rows equal to the value's,
// 2 columns) when labels is given; RTF is not written (code 204). String matrices: CSV. width,
// decimals and textOption are MATWRITE's options (field width, decimals, separators or the PARI
// name); MATWRITE passes ExactDecimals when none are given, so no digit is lost. A file that cannot
// be written gives code 205 with the writer's message; HEX and LAD raise tInputOutputError instead,
// BIN with more than 1023 columns and OXF with more than 2000 rows tRangeError.
tMatrixWriteResult WriteMatrixFile(const tVariable& value, std::string_view type,
    std::string_view fileName, std::int32_t width = DefaultWriteWidth,
    std::int32_t decimals = DefaultWriteDecimals,
    std::string_view textOption = DefaultWriteTextOption, const tStringmatrix* labels = nullptr,
    tClipboardPort* clipboard = nullptr);

} // namespace zelvora
