// Curve fitting, polynomials, monotone smoothing and row interpolation in formulas.
#include "language/builtin_dispatch.h"
#include "language/scanner.h"
#include "numerics/curve_fitting.h"
#include "numerics/library_state.h"
#include "numerics/polynomials.h"
#include "variables/variable.h"

#include <array>
#include <string_view>

namespace zelvora {
namespace {

using O = tOpcode;

constexpr std::array<std::string_view, 4> CurveTypes = { "LIN", "S", "TANH", "OS" };

tCallOutcome CopyOfFirst(const tCallArgs& args)
{
    tVariable copy = args.Arg(1);
    copy.name.clear();
    return call::Value(std::move(copy));
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ')
        text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
        text.remove_suffix(1);
    return text;
}

// The first `count` matrices of a result list as values; a shorter list is a range error.
tCallOutcome ListValues(const trealmatrixarr& list, std::size_t count)
{
    if (list.size() < count)
        throw tRangeError();
    tVariableArray values;
    for (std::size_t i = 0; i < count; ++i)
        values.push_back(call::RealMatrixValue(list[i]));
    return call::Values(std::move(values));
}

tCallOutcome CurvefitCall(const tCallArgs& args)
{
    if (args.Count() == 1)
        return CopyOfFirst(args);
    if (!args.IsMatrix(1) || !args.IsText(2))
        return call::Empty();
    const std::string text = args.Text(2);
    const std::string_view trimmed = Trimmed(text);
    const std::size_t blank = trimmed.find(' ');
    const std::string type = NameFold(trimmed.substr(0, blank));
    const std::string_view options
        = blank == std::string_view::npos ? std::string_view() : Trimmed(trimmed.substr(blank));
    int32_t position = 0;
    for (std::size_t i = 0; i < CurveTypes.size(); ++i) {
        if (type == CurveTypes[i])
            position = static_cast<int32_t>(i) + 1;
    }
    const trealmatrix m = args.Matrix(1);
    switch (position) {
    case 1:
        return ListValues(
            FitCurve(1, options, m, FailureMatrix(), trealmatrix(), args.Random()), 2);
    case 2:
    case 3:
        if (!args.IsMatrix(3))
            return call::Empty();
        return ListValues(
            FitCurve(position, options, m, args.Matrix(3), trealmatrix(), args.Random()), 2);
    case 4: {
        if (!args.IsMatrix(3))
            return call::Empty();
        const trealmatrix extra
            = args.Count() >= 4 && args.IsMatrix(4) ? args.Matrix(4) : trealmatrix();
        const trealmatrixarr list = FitCurve(4, options, m, args.Matrix(3), extra, args.Random());
        return ListValues(list, list.size());
    }
    default:
        return CopyOfFirst(args);
    }
}

tCallOutcome PolynomCall(const tCallArgs& args)
{
    if (args.Count() == 1)
        return CopyOfFirst(args);
    if (args.Count() != 2)
        return call::Empty();
    if (args.IsNumber(1))
        return call::Real(PolynomialValue(args.Matrix(2), args.Real(1)));
    if (args.IsMatrix(1))
        return call::RealMatrix(PolynomialMatrix(args.Matrix(1), args.Matrix(2)));
    return call::Empty();
}

tCallOutcome TableSmoothCall(const tCallArgs& args)
{
    if (args.Count() == 1)
        return call::RealMatrix(MonotoneSmooth(args.Matrix(1)));
    if (args.Count() == 2)
        return call::RealMatrix(MonotoneSmooth(args.Matrix(1), args.Matrix(2)));
    return call::Empty();
}

tCallOutcome InterpolateCall(const tCallArgs& args)
{
    if (args.Count() != 2)
        return call::Empty();
    return call::RealMatrix(InterpolateRows(args.Matrix(1), args.Integer(2)));
}

// clang-format off
constexpr tDispatchRow Rows[] = {
    { O::Curvefit,    CurvefitCall },
    { O::Polynom,     PolynomCall },
    { O::TableSmooth, TableSmoothCall },
    { O::Interpolate, InterpolateCall },
};
// clang-format on

} // namespace

std::span<const tDispatchRow> FittingRows()
{
    return Rows;
}

} // namespace zelvora
