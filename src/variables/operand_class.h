// Classification of the two operands of a binary operator: datatype pair, shape pair, pair tag.
#pragma once

#include "variables/variable.h"

#include <cstdint>

namespace zelvora {

// Datatype pair codes, 5*datatype(L) + datatype(R).
enum tTypePair : std::int32_t {
    tpIntInt = 6,
    tpIntReal = 7,
    tpIntBool = 8,
    tpIntString = 9,
    tpRealInt = 11,
    tpRealReal = 12,
    tpRealBool = 13,
    tpRealString = 14,
    tpBoolInt = 16,
    tpBoolReal = 17,
    tpBoolBool = 18,
    tpStringInt = 21,
    tpStringReal = 22,
    tpStringString = 24,
};

// Shape pair codes, 7*s(L) + s(R) with a vector counted as a matrix: S scalar, M matrix, R range.
enum tShapePair : std::int32_t {
    spNone = 0, // an empty, handle or unknown shape on either side
    spSS = 8,
    spSM = 9,
    spSR = 11,
    spMS = 15,
    spMM = 16,
    spMR = 18,
    spRS = 29,
    spRM = 30,
    spRR = 32,
};

struct tOperandPair {
    std::int32_t types = 0;
    std::int32_t shapes = spNone;
};

tOperandPair ClassifyOperands(const tVariable& l, const tVariable& r);

// Integer or real on both sides.
bool IsNumericPair(std::int32_t types);
// Integer, real or boolean on both sides.
bool IsNumberLikePair(std::int32_t types);

// Tag of a result of two matrices: start (1 for numeric, 2 for text results), replaced by L's tag
// when that is not 1, then by R's tag when that is not 1.
std::uint8_t PairTag(const tVariable& l, const tVariable& r, std::uint8_t start);

} // namespace zelvora
