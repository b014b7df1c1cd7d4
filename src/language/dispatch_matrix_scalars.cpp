// Scalar results of a matrix: element values, rows and columns.
#include "language/builtin_dispatch.h"
#include "numerics/scalar_math.h"
#include "variables/variable.h"
#include "variables/variable_convert.h"

namespace zelvora {
namespace {

using O = tOpcode;

// One value per element, rows first, each with the call's sign, by the element type.
tCallOutcome ScalarCall(const tCallArgs& args)
{
    const tVariable& v = args.Arg(1);
    if (v.shape == shScalar)
        return call::Value(v);
    if (v.shape != shMatrix && v.shape != shRange)
        return call::Slot();
    tVariableArray values;
    if (v.datatype == dtString) {
        for (std::int32_t r = 1; r <= v.strmatrix.Rows(); ++r)
            for (std::int32_t c = 1; c <= v.strmatrix.Cols(); ++c) {
                tVariable element;
                VarSetString(element, v.strmatrix(r, c));
                values.push_back(std::move(element));
            }
    } else {
        for (std::int32_t r = 1; r <= v.matrix.Rows(); ++r)
            for (std::int32_t c = 1; c <= v.matrix.Cols(); ++c) {
                tVariable element;
                const long double x = v.matrix(r, c);
                if (v.datatype == dtInteger) {
                    VarSetInteger(element, RoundToInt32(x));
                } else if (v.datatype == dtBoolean) {
                    VarSetBoolean(element, x != 0);
                } else {
                    VarSetReal(element, x);
                }
                values.push_back(std::move(element));
            }
    }
    if (values.empty())
        return { tCallOutcome::tKind::Values, {} };
    return call::Values(std::move(values), true);
}

// The size of any value: a scalar counts as one row and one column.
tCallOutcome RowsCall(const tCallArgs& args)
{
    return args.Arg(1).shape == shEmpty ? call::Slot() : call::Integer(VarRows(args.Arg(1)));
}

tCallOutcome ColumnsCall(const tCallArgs& args)
{
    return args.Arg(1).shape == shEmpty ? call::Slot() : call::Integer(VarCols(args.Arg(1)));
}

tCallOutcome SlotCall(const tCallArgs&)
{
    return call::Slot();
}

// clang-format off
    constexpr tDispatchRow Rows[] = {
        { O::Reserved232, SlotCall },
        { O::Reserved233, SlotCall },
        { O::Reserved234, SlotCall },
        { O::Zeilen, RowsCall },
        { O::Spalten, ColumnsCall },
        { O::Skalar, ScalarCall },
        { O::Reserved242, SlotCall },
    };
// clang-format on

} // namespace

std::span<const tDispatchRow> MatrixScalarRows()
{
    return Rows;
}

} // namespace zelvora
