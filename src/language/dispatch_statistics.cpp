// Statistics of one matrix (opcodes 121 to 203 without the frequency tables, and the contingency
// coefficients 240, 241): reductions, medians, range marks, per-element transformations,
// percentile classes and normal scores, each along rows (1), columns (2) or the whole matrix (3).
#include "language/builtin_dispatch.h"
#include "language/dispatch_gates.h"

#include "numerics/contingency.h"
#include "numerics/medians.h"
#include "numerics/percentiles.h"
#include "numerics/range_marks.h"
#include "numerics/scalar_math.h"
#include "numerics/statistics_reduce.h"
#include "numerics/statistics_transform.h"
#include "variables/variable_convert.h"

namespace zelvora {
namespace {

    // The grouping matrix: argument 2 when it is a matrix, else none.
    trealmatrix Groups(const tCallArgs& args)
    {
        return args.Count() >= 2 && args.IsMatrix(2) ? args.Matrix(2) : trealmatrix();
    }

    template <tReduction reduction, std::int32_t direction>
    tCallOutcome ReduceCall(const tCallArgs& args)
    {
        return Gated(args, [](const tCallArgs& a, const tVariable&) {
            return call::RealMatrix(Reduce(a.Matrix(1), direction, reduction, Groups(a)));
        });
    }

    // The position of the first extreme of the whole matrix: its row and its column, each with
    // the call's sign.
    template <tReduction reduction>
    tCallOutcome PositionCall(const tCallArgs& args)
    {
        return Gated(args, [](const tCallArgs& a, const tVariable&) {
            const trealmatrix position = Reduce(a.Matrix(1), 3, reduction, Groups(a));
            tVariableArray values(2);
            VarSetInteger(values[0], RoundToInt32(position.At(1, 1)));
            VarSetInteger(values[1], RoundToInt32(position.At(1, 2)));
            return call::Values(std::move(values), true);
        });
    }

    template <tMedianKind kind, std::int32_t direction>
    tCallOutcome MedianCall(const tCallArgs& args)
    {
        return Gated(args, [](const tCallArgs& a, const tVariable&) {
            return call::RealMatrix(MedianOf(a.Matrix(1), direction, Groups(a), kind));
        });
    }

    // Table medians take the categories from whatever matrix-like value argument 2 holds and the
    // grouped kind when argument 3 is true.
    template <std::int32_t direction>
    tCallOutcome TabMedianCall(const tCallArgs& args)
    {
        return Gated(args, [](const tCallArgs& a, const tVariable&) {
            const std::uint8_t shape = a.Arg(2).shape;
            const bool holdsMatrix = shape == shMatrix || shape == shRange || shape == shVector;
            const trealmatrix categories = holdsMatrix ? a.Matrix(2) : trealmatrix();
            const tMedianKind kind = a.Truth(3) ? tMedianKind::Grouped : tMedianKind::Plain;
            return call::RealMatrix(TabMedian(a.Matrix(1), direction, categories, kind));
        });
    }

    tCallOutcome AbsoluteExtremeCall(const tCallArgs& args)
    {
        return Gated(args, [](const tCallArgs&, const tVariable&) { return call::Empty(); });
    }

    // Marks along rows and along columns are the same marks.
    tCallOutcome InRangeCall(const tCallArgs& args)
    {
        return Gated(args, [](const tCallArgs& a, const tVariable&) {
            return call::BoolMatrix(InRangeMarks(a.Matrix(1), VarToRangeList(a.Arg(2))));
        });
    }

    template <std::int32_t direction>
    tCallOutcome InRangeIndexCall(const tCallArgs& args)
    {
        return Gated(args, [](const tCallArgs& a, const tVariable&) {
            return call::RealMatrix(InRangeIndices(a.Matrix(1), VarToRangeList(a.Arg(2)), direction));
        });
    }

    template <std::int32_t direction>
    tCallOutcome ZValueCall(const tCallArgs& args)
    {
        return Gated(args, [](const tCallArgs& a, const tVariable&) {
            return call::RealMatrix(ZValues(a.Matrix(1), direction, Groups(a)));
        });
    }

    template <std::int32_t direction>
    tCallOutcome DeviationCall(const tCallArgs& args)
    {
        return Gated(args, [](const tCallArgs& a, const tVariable&) {
            return call::RealMatrix(Deviations(a.Matrix(1), direction, Groups(a)));
        });
    }

    template <std::int32_t direction>
    tCallOutcome NormCall(const tCallArgs& args)
    {
        return Gated(args, [](const tCallArgs& a, const tVariable&) {
            return call::RealMatrix(NormaliseSquares(a.Matrix(1), direction));
        });
    }

    template <std::int32_t direction>
    tCallOutcome CumulateCall(const tCallArgs& args)
    {
        return Gated(args, [](const tCallArgs& a, const tVariable&) {
            return call::RealMatrix(Cumulate(a.Matrix(1), direction));
        });
    }

    // The contingency functions work on the whole table in every direction.
    template <trealmatrix (*routine)(const trealmatrix&)>
    tCallOutcome TableCall(const tCallArgs& args)
    {
        return Gated(args, [](const tCallArgs& a, const tVariable&) {
            return call::RealMatrix(routine(a.Matrix(1)));
        });
    }

    template <std::int32_t direction>
    tCallOutcome PercentileCall(const tCallArgs& args)
    {
        return Gated(args, [](const tCallArgs& a, const tVariable&) {
            if (a.Count() < 2)
                return call::Empty();
            const trealmatrix groups = a.Count() >= 3 ? a.Matrix(3) : trealmatrix();
            return call::RealMatrix(PercentileClasses(a.Matrix(1), a.Integer(2), direction, groups));
        });
    }

    template <std::int32_t direction>
    tCallOutcome NormalScoreCall(const tCallArgs& args)
    {
        return Gated(args, [](const tCallArgs& a, const tVariable&) {
            if (a.Count() < 2)
                return call::Empty();
            return call::RealMatrix(NormalScores(a.Matrix(1), a.Text(2), direction));
        });
    }

    template <long double (*coefficient)(const trealmatrix&)>
    tCallOutcome CoefficientCall(const tCallArgs& args)
    {
        if (!args.IsMatrix(1))
            return call::Slot();
        return call::Real(coefficient(args.Matrix(1)));
    }

    using R = tReduction;
    using K = tMedianKind;

    // clang-format off
    constexpr tDispatchRow Rows[] = {
        { 121, ReduceCall<R::Count, 2> },        { 122, ReduceCall<R::Count, 1> },        { 123, ReduceCall<R::Count, 3> },
        { 124, ReduceCall<R::Sum, 2> },          { 125, ReduceCall<R::Sum, 1> },          { 126, ReduceCall<R::Sum, 3> },
        { 127, ReduceCall<R::SquareSum, 2> },    { 128, ReduceCall<R::SquareSum, 1> },    { 129, ReduceCall<R::SquareSum, 3> },
        { 130, ReduceCall<R::Hypotenuse, 2> },   { 131, ReduceCall<R::Hypotenuse, 1> },   { 132, ReduceCall<R::Hypotenuse, 3> },
        { 133, ReduceCall<R::Stddev, 2> },       { 134, ReduceCall<R::Stddev, 1> },       { 135, ReduceCall<R::Stddev, 3> },
        { 136, ReduceCall<R::Mean, 2> },         { 137, ReduceCall<R::Mean, 1> },         { 138, ReduceCall<R::Mean, 3> },
        { 139, MedianCall<K::Plain, 2> },        { 140, MedianCall<K::Plain, 1> },        { 141, MedianCall<K::Plain, 3> },
        { 142, MedianCall<K::Grouped, 2> },      { 143, MedianCall<K::Grouped, 1> },      { 144, MedianCall<K::Grouped, 3> },
        { 145, TabMedianCall<2> },               { 146, TabMedianCall<1> },               { 147, TabMedianCall<3> },
        { 148, ReduceCall<R::Min, 2> },          { 149, ReduceCall<R::Min, 1> },          { 150, ReduceCall<R::Min, 3> },
        { 151, ReduceCall<R::Max, 2> },          { 152, ReduceCall<R::Max, 1> },          { 153, ReduceCall<R::Max, 3> },
        { 154, AbsoluteExtremeCall },            { 155, AbsoluteExtremeCall },            { 156, AbsoluteExtremeCall },
        { 157, AbsoluteExtremeCall },            { 158, AbsoluteExtremeCall },            { 159, AbsoluteExtremeCall },
        { 160, ReduceCall<R::IndexOfMin, 2> },   { 161, ReduceCall<R::IndexOfMin, 1> },   { 162, PositionCall<R::IndexOfMin> },
        { 163, ReduceCall<R::IndexOfMax, 2> },   { 164, ReduceCall<R::IndexOfMax, 1> },   { 165, PositionCall<R::IndexOfMax> },
        { 166, AbsoluteExtremeCall },            { 167, AbsoluteExtremeCall },            { 168, AbsoluteExtremeCall },
        { 169, AbsoluteExtremeCall },            { 170, AbsoluteExtremeCall },            { 171, AbsoluteExtremeCall },
        { 172, ReduceCall<R::Product, 2> },      { 173, ReduceCall<R::Product, 1> },      { 174, ReduceCall<R::Product, 3> },
        { 175, InRangeCall },                    { 176, InRangeCall },
        { 177, InRangeIndexCall<2> },            { 178, InRangeIndexCall<1> },
        { 182, ZValueCall<1> },                  { 183, ZValueCall<2> },                  { 184, ZValueCall<3> },
        { 185, NormCall<1> },                    { 186, NormCall<2> },                    { 187, NormCall<3> },
        { 188, DeviationCall<1> },               { 189, DeviationCall<2> },               { 190, DeviationCall<3> },
        { 191, CumulateCall<1> },                { 192, CumulateCall<2> },
        { 193, TableCall<ExpectedCounts> },      { 194, TableCall<ExpectedCounts> },      { 195, TableCall<ExpectedCounts> },
        { 196, TableCall<ErwAbw> },              { 197, TableCall<ChiSquareParts> },
        { 198, PercentileCall<3> },              { 199, PercentileCall<2> },              { 200, PercentileCall<1> },
        { 201, NormalScoreCall<3> },             { 202, NormalScoreCall<1> },             { 203, NormalScoreCall<2> },
        { 240, CoefficientCall<ChiSquareStatistic> },
        { 241, CoefficientCall<CramersV> },
    };
    // clang-format on

} // namespace

std::span<const tDispatchRow> StatisticsRows()
{
    return Rows;
}

} // namespace zelvora
