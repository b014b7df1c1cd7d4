// Covariance, correlation, distances, frequency tables and variance analysis in formulas
// (Freq, Crosstabs, ANOVA, UnkorrZl, Cov, Corr, CovToCorr, CRcoeff, RemVar, SeqMult,
// SeqMultCenter, UDist and Dist).
#include "language/builtin_dispatch.h"
#include "language/dispatch_gates.h"
#include "numerics/covariance.h"
#include "numerics/distances.h"
#include "numerics/frequency_tables.h"
#include "numerics/neighbour_sums.h"
#include "numerics/variance_analysis.h"
#include "variables/operator_results.h"
#include "variables/variable.h"

#include <cmath>
#include <string>

namespace zelvora {
namespace {

using O = tOpcode;

// A routine of the data matrix of argument 1 behind the gate of the functions of one matrix.
template <auto routine> tCallOutcome DataCall(const tCallArgs& args)
{
    return Gated(args, [](const tCallArgs& a, const tVariable&) {
        const trealmatrix m = a.Matrix(1);
        return DataUsable(a, m) ? call::RealMatrix(routine(m)) : call::Empty();
    });
}

tResult<trealmatrix> RowCovariance(const trealmatrix& m)
{
    return CovarianceOf(m, 1);
}

tResult<trealmatrix> RowCorrelation(const trealmatrix& m)
{
    return CorrelationOf(m, 1);
}

tCallOutcome CRcoeffCall(const tCallArgs& args)
{
    return Gated(args, [](const tCallArgs& a, const tVariable&) {
        const trealmatrix m = a.Matrix(1);
        return DataUsable(a, m) ? call::RealMatrix(CRCoefficients(m, a.Integer(2, 1)))
                                : call::Empty();
    });
}

// Freq counts the missing-value marker as a value of its own.
tCallOutcome FreqCall(const tCallArgs& args)
{
    return Gated(args, [](const tCallArgs& a, const tVariable&) {
        const trealmatrix m = a.Matrix(1);
        return DataUsable(a, m, 1, tMissing::Counted) ? call::RealMatrix(FrequencyTable(m))
                                                      : call::Empty();
    });
}

tCallOutcome CrosstabsCall(const tCallArgs& args)
{
    return Gated(args, [](const tCallArgs& a, const tVariable&) {
        const trealmatrix m = a.Matrix(1);
        if (!DataUsable(a, m, 1, tMissing::Counted))
            return call::Empty();
        tResult<trealmatrixarr> table = CrossTable(m);
        if (!table)
            return call::Fail(table.Error());
        tVariableArray values;
        for (trealmatrix& part : *table)
            values.push_back(call::RealMatrixValue(std::move(part)));
        return call::Values(std::move(values));
    });
}

// ANOVA(y, factors): the statistics, the squares and the Cholesky factor, the regression weights
// and, as a fifth value, the labels of the statistics' lines (a string column).
tCallOutcome AnovaCall(const tCallArgs& args)
{
    return Gated(args, [](const tCallArgs& a, const tVariable&) {
        if (a.Count() < 2) {
            return call::Fail(
                Failure(a.Entry().Name + " braucht die abh\xE4ngigen Werte und die Faktoren"));
        }
        const trealmatrix y = a.Matrix(1);
        const trealmatrix factors = a.Matrix(2);
        if (!DataUsable(a, y) || !DataUsable(a, factors, 2))
            return call::Empty();
        tResult<tVarianceAnalysis> analysis = VarianceAnalysis(y, factors);
        if (!analysis)
            return call::Fail(analysis.Error());
        tVarianceAnalysis& anova = *analysis;
        tVariableArray values;
        values.push_back(call::RealMatrixValue(std::move(anova.statistics)));
        values.push_back(call::RealMatrixValue(std::move(anova.squares)));
        values.push_back(call::RealMatrixValue(std::move(anova.factor)));
        values.push_back(call::RealMatrixValue(std::move(anova.weights)));
        values.push_back(operators::StringMatrixResult(std::move(anova.labels), tgLogical));
        return call::Values(std::move(values));
    });
}

// RemVar(C, v1, v2, ...): the factors of the listed variables removed one after the other.
tCallOutcome RemVarCall(const tCallArgs& args)
{
    trealmatrix x = args.Matrix(1);
    if (!DataUsable(args, x))
        return call::Empty();
    for (int32_t i = 2; i <= args.Count(); ++i) {
        tResult<trealmatrix> removed = RemoveVariable(x, args.Integer(i));
        if (!removed)
            return call::Fail(removed.Error());
        x = std::move(removed).Value();
    }
    return call::RealMatrix(std::move(x));
}

bool MatrixOrVector(const tCallArgs& args, int32_t i)
{
    return args.IsMatrix(i) || args.Arg(i).shape == shVector;
}

// SeqMult (centred false) and SeqMultCenter (true): M, weights[, mask].
template <bool centred> tCallOutcome SeqMultCall(const tCallArgs& args)
{
    const int32_t n = args.Count();
    if (n < 1 || n > 3)
        return call::Empty();
    for (int32_t i = 1; i <= n; ++i) {
        if (!MatrixOrVector(args, i))
            return call::Empty();
    }
    if (n == 1)
        return call::RealMatrix(args.Matrix(1));
    const trealmatrix m = args.Matrix(1);
    const trealmatrix w = args.Matrix(2);
    if (!DataUsable(args, m) || !DataUsable(args, w, 2))
        return call::Empty();
    const trealmatrix mask = n == 3 ? args.Matrix(3) : trealmatrix();
    return call::RealMatrix(WeightedNeighbours(m, w, centred, mask));
}

// UDist (rooted false) and Dist (true): M1[, M2][, norm], the norm 2 unless given.
template <bool rooted> tCallOutcome DistCall(const tCallArgs& args)
{
    const int32_t n = args.Count();
    if (n < 1 || n > 3)
        return call::Empty();
    const trealmatrix m1 = args.Matrix(1);
    if (!DataUsable(args, m1))
        return call::Empty();
    if (n == 1 || (n == 2 && !args.IsMatrix(2)))
        return call::RealMatrix(RowDistances(m1, n == 2 ? args.Integer(2) : 2, rooted));
    const trealmatrix m2 = args.Matrix(2);
    if (!DataUsable(args, m2, 2))
        return call::Empty();
    return call::RealMatrix(RowDistances(m1, m2, n == 3 ? args.Integer(3) : 2, rooted));
}

// clang-format off
    constexpr tDispatchRow Rows[] = {
        { O::Freq,          FreqCall },
        { O::Crosstabs,     CrosstabsCall },
        { O::ANOVA,         AnovaCall },
        { O::UnkorrZl,      DataCall<DecorrelateRows> },     // alias decorrRw
        { O::Cov,           DataCall<RowCovariance> },
        { O::Corr,          DataCall<RowCorrelation> },
        { O::CovToCorr,     DataCall<CovToCorrelation> },
        { O::CRcoeff,       CRcoeffCall },
        { O::RemVar,        RemVarCall },
        { O::SeqMult,       SeqMultCall<false> },
        { O::SeqMultCenter, SeqMultCall<true> },
        { O::UDist,         DistCall<false> },
        { O::Dist,          DistCall<true> },
    };
// clang-format on

} // namespace

std::span<const tDispatchRow> CovarianceRows()
{
    return Rows;
}

} // namespace zelvora
