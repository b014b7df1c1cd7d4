// The variable record: one value of the language, named or temporary.
#pragma once

#include "numerics/matrix_types.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zelvora {

enum tDatatype : std::uint8_t { dtNone = 0, dtInteger = 1, dtReal = 2, dtBoolean = 3, dtString = 4 };
enum tShape : std::uint8_t { shEmpty = 0, shScalar = 1, shMatrix = 2, shHandle = 3, shRange = 4, shVector = 5 };
enum tTag : std::uint8_t { tgNone = 0, tgPlain = 1, tgLogical = 2, tgRange = 3, tgVector = 4 };

inline constexpr std::size_t MaxVariableNameLength = 32;

// Fields in the order the workspace file writes them.
struct tVariable {
    std::string name; // at most 32 bytes when stored
    std::uint8_t datatype = dtNone;
    std::uint8_t tag = tgNone;
    std::uint8_t shape = shEmpty;
    std::uint8_t reserved = 0;
    long double realvalue = 0;
    std::int32_t intvalue = 0;
    std::uint8_t boolvalue = 0;
    std::string strvalue;
    trealmatrix matrix; // datatypes 1 to 3 of matrix-like values
    tStringmatrix strmatrix; // datatype 4 of matrix-like values
    std::uintptr_t handle = 0; // shape 3 only
};

// Operands and results of operators; the store's array. Index 0 is unused where the program says so.
using tVariableArray = std::vector<tVariable>;

} // namespace zelvora
