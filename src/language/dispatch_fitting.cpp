// Curve fitting, polynomials, monotone smoothing and row interpolation in formulas.
#include "language/builtin_dispatch.h"
#include "language/dispatch_gates.h"
#include "lexicon/scanner.h"
#include "numerics/curve_fitting.h"
#include "numerics/polynomials.h"
#include "variables/variable.h"

#include <algorithm>
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

// The values of a fit (count of them, all when count is 0), or the reason why the routine refused
// the data; an empty list has no values.
tCallOutcome FitValues(const tResult<trealmatrixarr>& fit, std::size_t count = 0)
{
    if (!fit)
        return call::Fail(fit.Error());
    return fit->empty() ? call::Empty() : ListValues(*fit, count == 0 ? fit->size() : count);
}

tCallOutcome CurveTypeRefused(std::string_view type, const char* reason)
{
    return call::Fail(Failure("Curvefit: der Kurventyp \"" + std::string(type) + "\" " + reason
        + " (m\xF6glich: Lin, OS)"));
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
    const std::string_view typeText = trimmed.substr(0, blank);
    const std::string type = NameFold(typeText);
    const std::string_view options
        = blank == std::string_view::npos ? std::string_view() : Trimmed(trimmed.substr(blank));
    int32_t position = 0;
    for (std::size_t i = 0; i < CurveTypes.size(); ++i) {
        if (type == CurveTypes[i])
            position = static_cast<int32_t>(i) + 1;
    }
    // S and Tanh are accepted words whose fit was never settled, and a misspelt type would give
    // the data back as if it were a fit: both fail with a message instead.
    if (position == 2 || position == 3)
        return CurveTypeRefused(typeText, "ist nicht festgelegt");
    if (position == 0)
        return CurveTypeRefused(typeText, "ist unbekannt");
    const trealmatrix m = args.Matrix(1);
    if (!DataUsable(args, m))
        return call::Empty();
    if (position == 1)
        return FitValues(FitCurve(1, options, m, trealmatrix(), trealmatrix(), args.Random()), 2);
    if (!args.IsMatrix(3))
        return call::Fail(
            Failure("Curvefit OS: das dritte Argument muss die Parametermatrix sein (untere und "
                    "obere Asymptote, Rand, Klassen)"));
    const trealmatrix extra
        = args.Count() >= 4 && args.IsMatrix(4) ? args.Matrix(4) : trealmatrix();
    return FitValues(FitCurve(4, options, m, args.Matrix(3), extra, args.Random()));
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
    if (args.Count() != 1 && args.Count() != 2)
        return call::Empty();
    const trealmatrix m = args.Matrix(1);
    if (!DataUsable(args, m))
        return call::Empty();
    if (args.Count() == 1)
        return call::RealMatrix(MonotoneSmooth(m));
    const trealmatrix w = args.Matrix(2);
    if (!DataUsable(args, w, 2))
        return call::Empty();
    // The weights are shares of their sum: a sum of 0 would make every smoothed value a NaN.
    long double total = 0;
    for (int32_t k = 1; w.Rows() >= 1 && k <= std::min(m.Cols(), w.Cols()); ++k)
        total += w(1, k);
    if (w.Rows() >= 1 && total == 0)
        return call::Fail(
            Failure("TableSmooth: die Gewichte in Zeile 1 von Argument 2 haben die Summe 0"));
    return call::RealMatrix(MonotoneSmooth(m, w));
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
