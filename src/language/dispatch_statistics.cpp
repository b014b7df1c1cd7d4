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
template <tReduction reduction> tCallOutcome PositionCall(const tCallArgs& args)
{
    return Gated(args, [](const tCallArgs& a, const tVariable&) {
        const trealmatrix position = Reduce(a.Matrix(1), 3, reduction, Groups(a));
        tVariableArray values(2);
        VarSetInteger(values[0], RoundToInt32(position.At(1, 1)));
        VarSetInteger(values[1], RoundToInt32(position.At(1, 2)));
        return call::Values(std::move(values), true);
    });
}

template <tMedianKind kind, std::int32_t direction> tCallOutcome MedianCall(const tCallArgs& args)
{
    return Gated(args, [](const tCallArgs& a, const tVariable&) {
        return call::RealMatrix(MedianOf(a.Matrix(1), direction, Groups(a), kind));
    });
}

// Table medians take the categories from whatever matrix-like value argument 2 holds and the
// grouped kind when argument 3 is true.
template <std::int32_t direction> tCallOutcome TabMedianCall(const tCallArgs& args)
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

template <std::int32_t direction> tCallOutcome InRangeIndexCall(const tCallArgs& args)
{
    return Gated(args, [](const tCallArgs& a, const tVariable&) {
        return call::RealMatrix(InRangeIndices(a.Matrix(1), VarToRangeList(a.Arg(2)), direction));
    });
}

template <std::int32_t direction> tCallOutcome ZValueCall(const tCallArgs& args)
{
    return Gated(args, [](const tCallArgs& a, const tVariable&) {
        return call::RealMatrix(ZValues(a.Matrix(1), direction, Groups(a)));
    });
}

template <std::int32_t direction> tCallOutcome DeviationCall(const tCallArgs& args)
{
    return Gated(args, [](const tCallArgs& a, const tVariable&) {
        return call::RealMatrix(Deviations(a.Matrix(1), direction, Groups(a)));
    });
}

template <std::int32_t direction> tCallOutcome NormCall(const tCallArgs& args)
{
    return Gated(args, [](const tCallArgs& a, const tVariable&) {
        return call::RealMatrix(NormaliseSquares(a.Matrix(1), direction));
    });
}

template <std::int32_t direction> tCallOutcome CumulateCall(const tCallArgs& args)
{
    return Gated(args, [](const tCallArgs& a, const tVariable&) {
        return call::RealMatrix(Cumulate(a.Matrix(1), direction));
    });
}

// The contingency functions work on the whole table in every direction.
template <trealmatrix (*routine)(const trealmatrix&)> tCallOutcome TableCall(const tCallArgs& args)
{
    return Gated(args, [](const tCallArgs& a, const tVariable&) {
        return call::RealMatrix(routine(a.Matrix(1)));
    });
}

template <std::int32_t direction> tCallOutcome PercentileCall(const tCallArgs& args)
{
    return Gated(args, [](const tCallArgs& a, const tVariable&) {
        if (a.Count() < 2)
            return call::Empty();
        const trealmatrix groups = a.Count() >= 3 ? a.Matrix(3) : trealmatrix();
        return call::RealMatrix(PercentileClasses(a.Matrix(1), a.Integer(2), direction, groups));
    });
}

template <std::int32_t direction> tCallOutcome NormalScoreCall(const tCallArgs& args)
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
    { 121, ReduceCall<R::Count, 2> },           // NSp
    { 122, ReduceCall<R::Count, 1> },           // NZl
    { 123, ReduceCall<R::Count, 3> },           // N
    { 124, ReduceCall<R::Sum, 2> },             // SumSp
    { 125, ReduceCall<R::Sum, 1> },             // SumZl
    { 126, ReduceCall<R::Sum, 3> },             // Sum
    { 127, ReduceCall<R::SquareSum, 2> },       // Sqsumsp
    { 128, ReduceCall<R::SquareSum, 1> },       // SqsumZl
    { 129, ReduceCall<R::SquareSum, 3> },       // Sqsum
    { 130, ReduceCall<R::Hypotenuse, 2> },      // Hypothenusesp
    { 131, ReduceCall<R::Hypotenuse, 1> },      // HypothenuseZl
    { 132, ReduceCall<R::Hypotenuse, 3> },      // Hypothenuse
    { 133, ReduceCall<R::Stddev, 2> },          // StddevSp
    { 134, ReduceCall<R::Stddev, 1> },          // StddevZl
    { 135, ReduceCall<R::Stddev, 3> },          // Stddev
    { 136, ReduceCall<R::Mean, 2> },            // Meansp
    { 137, ReduceCall<R::Mean, 1> },            // MeanZl
    { 138, ReduceCall<R::Mean, 3> },            // Mean
    { 139, MedianCall<K::Plain, 2> },           // Mediansp
    { 140, MedianCall<K::Plain, 1> },           // MedianZl
    { 141, MedianCall<K::Plain, 3> },           // Median
    { 142, MedianCall<K::Grouped, 2> },         // GMediansp
    { 143, MedianCall<K::Grouped, 1> },         // GMedianZl
    { 144, MedianCall<K::Grouped, 3> },         // GMedian
    { 145, TabMedianCall<2> },                  // TabMediansp
    { 146, TabMedianCall<1> },                  // TabMedianZl
    { 147, TabMedianCall<3> },                  // TabMedian
    { 148, ReduceCall<R::Min, 2> },             // MinSp
    { 149, ReduceCall<R::Min, 1> },             // MinZl
    { 150, ReduceCall<R::Min, 3> },             // Min
    { 151, ReduceCall<R::Max, 2> },             // MaxSp
    { 152, ReduceCall<R::Max, 1> },             // MaxZl
    { 153, ReduceCall<R::Max, 3> },             // Max
    { 154, AbsoluteExtremeCall },               // AMinSp
    { 155, AbsoluteExtremeCall },               // AMinZl
    { 156, AbsoluteExtremeCall },               // AMin
    { 157, AbsoluteExtremeCall },               // AMaxSp
    { 158, AbsoluteExtremeCall },               // AMaxZl
    { 159, AbsoluteExtremeCall },               // AMax
    { 160, ReduceCall<R::IndexOfMin, 2> },      // iMinSp
    { 161, ReduceCall<R::IndexOfMin, 1> },      // iMinZl
    { 162, PositionCall<R::IndexOfMin> },       // iMin
    { 163, ReduceCall<R::IndexOfMax, 2> },      // iMaxSp
    { 164, ReduceCall<R::IndexOfMax, 1> },      // iMaxZl
    { 165, PositionCall<R::IndexOfMax> },       // iMax
    { 166, AbsoluteExtremeCall },               // iAMinSp
    { 167, AbsoluteExtremeCall },               // iAMinZl
    { 168, AbsoluteExtremeCall },               // iAMin
    { 169, AbsoluteExtremeCall },               // iAMaxSp
    { 170, AbsoluteExtremeCall },               // iAMaxZl
    { 171, AbsoluteExtremeCall },               // iAMax
    { 172, ReduceCall<R::Product, 2> },         // ProdSp
    { 173, ReduceCall<R::Product, 1> },         // ProdZl
    { 174, ReduceCall<R::Product, 3> },         // Prod
    { 175, InRangeCall },                       // InRangeSp
    { 176, InRangeCall },                       // InRangeZl
    { 177, InRangeIndexCall<2> },               // iInRangeSp
    { 178, InRangeIndexCall<1> },               // iInRangeZl
    { 182, ZValueCall<1> },                     // zvaluezl
    { 183, ZValueCall<2> },                     // zvaluesp
    { 184, ZValueCall<3> },                     // zvalue
    { 185, NormCall<1> },                       // normZl
    { 186, NormCall<2> },                       // normSp
    { 187, NormCall<3> },                       // norm
    { 188, DeviationCall<1> },                  // AbwZl
    { 189, DeviationCall<2> },                  // AbwSp
    { 190, DeviationCall<3> },                  // Abw
    { 191, CumulateCall<1> },                   // KumulZl
    { 192, CumulateCall<2> },                   // KumulSp
    { 193, TableCall<ExpectedCounts> },         // ErwZl
    { 194, TableCall<ExpectedCounts> },         // ErwSp
    { 195, TableCall<ExpectedCounts> },         // Erw
    { 196, TableCall<ErwAbw> },                 // ErwAbw
    { 197, TableCall<ChiSquareParts> },         // ChiSq
    { 198, PercentileCall<3> },                 // Perzentil
    { 199, PercentileCall<2> },                 // PerzentilSp
    { 200, PercentileCall<1> },                 // PerzentilZl
    { 201, NormalScoreCall<3> },                // Anpassung
    { 202, NormalScoreCall<1> },                // AnpassungZl
    { 203, NormalScoreCall<2> },                // AnpassungSp
    { 240, CoefficientCall<ChiSquareStatistic> },// St_ChiSq
    { 241, CoefficientCall<CramersV> },         // St_CramersV
};
// clang-format on

} // namespace

std::span<const tDispatchRow> StatisticsRows()
{
    return Rows;
}

} // namespace zelvora
