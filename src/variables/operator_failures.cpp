// Shape rules and operand descriptions for the messages of operators that found no value.
#include "variables/operator_failures.h"

namespace zelvora {
namespace {

std::string SizeText(const tVariable& v)
{
    return std::to_string(VarRows(v)) + "x" + std::to_string(VarCols(v));
}

bool Broadcasts(std::int32_t a, std::int32_t b)
{
    return a == b || a == 1 || b == 1;
}

} // namespace

std::string ShapeMismatchText(tShapeRule rule, const tVariable& l, const tVariable& r)
{
    if (l.shape != shMatrix || r.shape != shMatrix)
        return {};
    bool fits = true;
    switch (rule) {
    case tShapeRule::Elementwise:
        fits = Broadcasts(VarRows(l), VarRows(r)) && Broadcasts(VarCols(l), VarCols(r));
        break;
    case tShapeRule::Product:
        fits = VarCols(l) == VarRows(r);
        break;
    case tShapeRule::PseudoInverseProduct:
        fits = VarCols(l) == VarCols(r);
        break;
    }
    return fits ? std::string()
                : "Die Dimensionen passen nicht: " + SizeText(l) + " und " + SizeText(r);
}

std::string OperandDescription(const tVariable& v)
{
    switch (v.shape) {
    case shScalar:
        switch (v.datatype) {
        case dtString:
            return "Zeichenkette";
        case dtBoolean:
            return "Wahrheitswert";
        default:
            return "Zahl";
        }
    case shMatrix:
        return (v.datatype == dtString ? "Textmatrix " : "Matrix ") + SizeText(v);
    case shRange:
        return "Bereichsliste";
    case shVector:
        return "Vektor";
    default:
        return "leerer Wert";
    }
}

bool IsEmptyValue(const tVariable& v)
{
    return v.shape == shEmpty && v.datatype == dtNone;
}

} // namespace zelvora
