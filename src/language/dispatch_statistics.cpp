// Statistics of one matrix (without the frequency tables, and the contingency
// coefficients St_ChiSq and St_CramersV): reductions, medians, range marks, per-element
// transformations, percentile classes and normal scores, each along rows (1), columns (2) or the
// whole matrix (3).
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

using O = tOpcode;

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
        const trealmatrix position = Reduce(a.Matrix(1), 3, reduction, Groups(a)).Value();
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

// A contingency routine's failure, refused under the function's name.
tCallOutcome RefusedTable(const tFailure& failure)
{
    tCallOutcome refused = call::Empty();
    refused.Refusal = failure.Message;
    return refused;
}

// The contingency functions work on the whole table in every direction.
template <auto routine> tCallOutcome TableCall(const tCallArgs& args)
{
    return Gated(args, [](const tCallArgs& a, const tVariable&) {
        tResult<trealmatrix> table = routine(a.Matrix(1));
        if (!table)
            return RefusedTable(table.Error());
        return call::RealMatrix(std::move(table).Value());
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

template <tResult<long double> (*coefficient)(const trealmatrix&)>
tCallOutcome CoefficientCall(const tCallArgs& args)
{
    if (!args.IsMatrix(1))
        return call::Slot();
    const tResult<long double> value = coefficient(args.Matrix(1));
    if (!value)
        return RefusedTable(value.Error());
    return call::Real(*value);
}

using R = tReduction;
using K = tMedianKind;

// clang-format off
constexpr tDispatchRow Rows[] = {
    { O::NSp, ReduceCall<R::Count, 2> },           // NSp
    { O::NZl, ReduceCall<R::Count, 1> },           // NZl
    { O::N, ReduceCall<R::Count, 3> },           // N
    { O::SumSp, ReduceCall<R::Sum, 2> },             // SumSp
    { O::SumZl, ReduceCall<R::Sum, 1> },             // SumZl
    { O::Sum, ReduceCall<R::Sum, 3> },             // Sum
    { O::Sqsumsp, ReduceCall<R::SquareSum, 2> },       // Sqsumsp
    { O::SqsumZl, ReduceCall<R::SquareSum, 1> },       // SqsumZl
    { O::Sqsum, ReduceCall<R::SquareSum, 3> },       // Sqsum
    { O::Hypothenusesp, ReduceCall<R::Hypotenuse, 2> },      // Hypothenusesp
    { O::HypothenuseZl, ReduceCall<R::Hypotenuse, 1> },      // HypothenuseZl
    { O::Hypothenuse, ReduceCall<R::Hypotenuse, 3> },      // Hypothenuse
    { O::StddevSp, ReduceCall<R::Stddev, 2> },          // StddevSp
    { O::StddevZl, ReduceCall<R::Stddev, 1> },          // StddevZl
    { O::Stddev, ReduceCall<R::Stddev, 3> },          // Stddev
    { O::Meansp, ReduceCall<R::Mean, 2> },            // Meansp
    { O::MeanZl, ReduceCall<R::Mean, 1> },            // MeanZl
    { O::Mean, ReduceCall<R::Mean, 3> },            // Mean
    { O::Mediansp, MedianCall<K::Plain, 2> },           // Mediansp
    { O::MedianZl, MedianCall<K::Plain, 1> },           // MedianZl
    { O::Median, MedianCall<K::Plain, 3> },           // Median
    { O::GMediansp, MedianCall<K::Grouped, 2> },         // GMediansp
    { O::GMedianZl, MedianCall<K::Grouped, 1> },         // GMedianZl
    { O::GMedian, MedianCall<K::Grouped, 3> },         // GMedian
    { O::TabMediansp, TabMedianCall<2> },                  // TabMediansp
    { O::TabMedianZl, TabMedianCall<1> },                  // TabMedianZl
    { O::TabMedian, TabMedianCall<3> },                  // TabMedian
    { O::MinSp, ReduceCall<R::Min, 2> },             // MinSp
    { O::MinZl, ReduceCall<R::Min, 1> },             // MinZl
    { O::Min, ReduceCall<R::Min, 3> },             // Min
    { O::MaxSp, ReduceCall<R::Max, 2> },             // MaxSp
    { O::MaxZl, ReduceCall<R::Max, 1> },             // MaxZl
    { O::Max, ReduceCall<R::Max, 3> },             // Max
    { O::AMinSp, AbsoluteExtremeCall },               // AMinSp
    { O::AMinZl, AbsoluteExtremeCall },               // AMinZl
    { O::AMin, AbsoluteExtremeCall },               // AMin
    { O::AMaxSp, AbsoluteExtremeCall },               // AMaxSp
    { O::AMaxZl, AbsoluteExtremeCall },               // AMaxZl
    { O::AMax, AbsoluteExtremeCall },               // AMax
    { O::IMinSp, ReduceCall<R::IndexOfMin, 2> },      // iMinSp
    { O::IMinZl, ReduceCall<R::IndexOfMin, 1> },      // iMinZl
    { O::IMin, PositionCall<R::IndexOfMin> },       // iMin
    { O::IMaxSp, ReduceCall<R::IndexOfMax, 2> },      // iMaxSp
    { O::IMaxZl, ReduceCall<R::IndexOfMax, 1> },      // iMaxZl
    { O::IMax, PositionCall<R::IndexOfMax> },       // iMax
    { O::IAMinSp, AbsoluteExtremeCall },               // iAMinSp
    { O::IAMinZl, AbsoluteExtremeCall },               // iAMinZl
    { O::IAMin, AbsoluteExtremeCall },               // iAMin
    { O::IAMaxSp, AbsoluteExtremeCall },               // iAMaxSp
    { O::IAMaxZl, AbsoluteExtremeCall },               // iAMaxZl
    { O::IAMax, AbsoluteExtremeCall },               // iAMax
    { O::ProdSp, ReduceCall<R::Product, 2> },         // ProdSp
    { O::ProdZl, ReduceCall<R::Product, 1> },         // ProdZl
    { O::Prod, ReduceCall<R::Product, 3> },         // Prod
    { O::InRangeSp, InRangeCall },                       // InRangeSp
    { O::InRangeZl, InRangeCall },                       // InRangeZl
    { O::IInRangeSp, InRangeIndexCall<2> },               // iInRangeSp
    { O::IInRangeZl, InRangeIndexCall<1> },               // iInRangeZl
    { O::Zvaluezl, ZValueCall<1> },                     // zvaluezl
    { O::Zvaluesp, ZValueCall<2> },                     // zvaluesp
    { O::Zvalue, ZValueCall<3> },                     // zvalue
    { O::NormZl, NormCall<1> },                       // normZl
    { O::NormSp, NormCall<2> },                       // normSp
    { O::Norm, NormCall<3> },                       // norm
    { O::AbwZl, DeviationCall<1> },                  // AbwZl
    { O::AbwSp, DeviationCall<2> },                  // AbwSp
    { O::Abw, DeviationCall<3> },                  // Abw
    { O::KumulZl, CumulateCall<1> },                   // KumulZl
    { O::KumulSp, CumulateCall<2> },                   // KumulSp
    { O::ErwZl, TableCall<ExpectedCounts> },         // ErwZl
    { O::ErwSp, TableCall<ExpectedCounts> },         // ErwSp
    { O::Erw, TableCall<ExpectedCounts> },         // Erw
    { O::ErwAbw, TableCall<ErwAbw> },                 // ErwAbw
    { O::ChiSq, TableCall<ChiSquareParts> },         // ChiSq
    { O::Perzentil, PercentileCall<3> },                 // Perzentil
    { O::PerzentilSp, PercentileCall<2> },                 // PerzentilSp
    { O::PerzentilZl, PercentileCall<1> },                 // PerzentilZl
    { O::Anpassung, NormalScoreCall<3> },                // Anpassung
    { O::AnpassungZl, NormalScoreCall<1> },                // AnpassungZl
    { O::AnpassungSp, NormalScoreCall<2> },                // AnpassungSp
    { O::St_ChiSq, CoefficientCall<ChiSquareStatistic> },// St_ChiSq
    { O::St_CramersV, CoefficientCall<CramersV> },         // St_CramersV
};
// clang-format on

} // namespace

std::span<const tDispatchRow> StatisticsRows()
{
    return Rows;
}

} // namespace zelvora
