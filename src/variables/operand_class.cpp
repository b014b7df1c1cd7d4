// Classification of the operands of binary operators.
#include "variables/operand_class.h"

namespace zelvora {
namespace {
// The shape as the pair code counts it; -1 for shapes that take part in no operation.
std::int32_t ShapeCode(std::uint8_t shape)
{
    switch (shape) {
    case shScalar:
    case shMatrix:
    case shRange:
        return shape;
    case shVector:
        return shMatrix;
    default:
        return -1;
    }
}
} // namespace

tOperandPair ClassifyOperands(const tVariable& l, const tVariable& r)
{
    tOperandPair pair;
    pair.types = 5 * l.datatype + r.datatype;
    const std::int32_t left = ShapeCode(l.shape);
    const std::int32_t right = ShapeCode(r.shape);
    pair.shapes = left < 0 || right < 0 ? spNone : 7 * left + right;
    return pair;
}

bool IsNumericPair(std::int32_t types)
{
    return types == tpIntInt || types == tpIntReal || types == tpRealInt || types == tpRealReal;
}

bool IsNumberLikePair(std::int32_t types)
{
    return IsNumericPair(types) || types == tpIntBool || types == tpRealBool || types == tpBoolInt
        || types == tpBoolReal || types == tpBoolBool;
}

std::uint8_t PairTag(const tVariable& l, const tVariable& r, std::uint8_t start)
{
    std::uint8_t tag = start;
    if (l.tag != tgPlain)
        tag = l.tag;
    if (r.tag != tgPlain)
        tag = r.tag;
    return tag;
}

} // namespace zelvora
