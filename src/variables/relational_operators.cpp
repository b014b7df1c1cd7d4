// Comparisons, logical operators, the conditional "falls"/"sonst" and membership "in".
#include "numerics/run_time_error.h"
#include "variables/operand_class.h"
#include "variables/operator_results.h"
#include "variables/variable_convert.h"
#include "variables/variable_operators.h"

#include <algorithm>
#include <cstring>

namespace zelvora {
namespace {
using namespace operators;

constexpr std::size_t comparedTextLength = 255;

// 4 when a < b, 2 when equal, 1 when a > b; 0 for unordered values (NaN), which satisfy no
// relation.
int Outcome(long double a, long double b)
{
    if (a < b)
        return 4;
    if (a == b)
        return 2;
    if (a > b)
        return 1;
    return 0;
}

int TextOutcome(const std::string& a, const std::string& b)
{
    const std::string_view x = std::string_view(a).substr(0, comparedTextLength);
    const std::string_view y = std::string_view(b).substr(0, comparedTextLength);
    // string_view compares bytes as unsigned char, a proper prefix being less.
    const int order = x.compare(y);
    return order < 0 ? 4 : order == 0 ? 2 : 1;
}

bool Holds(int outcome, std::int32_t submode)
{
    return (outcome & submode) != 0;
}

bool TruthTable(bool a, bool b, std::int32_t submode)
{
    return ((submode >> (2 * (a ? 1 : 0) + (b ? 1 : 0))) & 1) != 0;
}

// A matrix element counts as true only when it is exactly 1.
bool ElementTruth(long double x)
{
    return x == 1;
}

bool IsRangeShape(std::int32_t shapes)
{
    return shapes == spSR || shapes == spRS || shapes == spMR || shapes == spRM || shapes == spRR;
}

// Element (i, j) of the left matrix against R broadcast along its dimensions of size 1;
// R sizes of 2 or more that differ from L's (or R without elements) give zeros throughout.
trealmatrix CompareMatrices(const trealmatrix& l, const trealmatrix& r, std::int32_t submode)
{
    trealmatrix result(l.Rows(), l.Cols());
    const bool rowsFit = r.Rows() == l.Rows() || r.Rows() == 1;
    const bool colsFit = r.Cols() == l.Cols() || r.Cols() == 1;
    if (!rowsFit || !colsFit)
        return result;
    for (std::int32_t i = 1; i <= l.Rows(); ++i) {
        const std::int32_t ri = r.Rows() == 1 ? 1 : i;
        for (std::int32_t j = 1; j <= l.Cols(); ++j) {
            const std::int32_t rj = r.Cols() == 1 ? 1 : j;
            result(i, j) = Holds(Outcome(l(i, j), r(ri, rj)), submode) ? 1 : 0;
        }
    }
    return result;
}
} // namespace

tVariable VarCompare(const tVariable& l, const tVariable& r, std::int32_t submode)
{
    const auto [types, shapes] = ClassifyOperands(l, r);
    if (shapes == spSS && types == tpStringString)
        return BooleanResult(Holds(TextOutcome(l.strvalue, r.strvalue), submode));
    if (!IsNumberLikePair(types) || IsRangeShape(shapes))
        return {};
    switch (shapes) {
    case spSS:
        return BooleanResult(Holds(Outcome(VarAsReal(l), VarAsReal(r)), submode));
    case spMS: {
        const long double b = VarAsReal(r);
        trealmatrix result(l.matrix.Rows(), l.matrix.Cols());
        for (std::int32_t i = 1; i <= result.Rows(); ++i)
            for (std::int32_t j = 1; j <= result.Cols(); ++j)
                result(i, j) = Holds(Outcome(l.matrix(i, j), b), submode) ? 1 : 0;
        return BoolMatrixResult(std::move(result), tgLogical);
    }
    case spSM: {
        const long double a = VarAsReal(l);
        trealmatrix result(r.matrix.Rows(), r.matrix.Cols());
        for (std::int32_t i = 1; i <= result.Rows(); ++i)
            for (std::int32_t j = 1; j <= result.Cols(); ++j)
                result(i, j) = Holds(Outcome(a, r.matrix(i, j)), submode) ? 1 : 0;
        return BoolMatrixResult(std::move(result), tgLogical);
    }
    case spMM:
        return BoolMatrixResult(CompareMatrices(l.matrix, r.matrix, submode), tgLogical);
    default:
        return {};
    }
}

tVariable VarLogic(const tVariable& l, const tVariable& r, std::int32_t submode)
{
    const auto [types, shapes] = ClassifyOperands(l, r);
    if (!IsNumberLikePair(types))
        return {};
    switch (shapes) {
    case spSS:
        return BooleanResult(TruthTable(VarAsBoolean(l), VarAsBoolean(r), submode));
    case spMS: {
        const bool b = VarAsBoolean(r);
        trealmatrix result(l.matrix.Rows(), l.matrix.Cols());
        for (std::int32_t i = 1; i <= result.Rows(); ++i)
            for (std::int32_t j = 1; j <= result.Cols(); ++j)
                result(i, j) = TruthTable(ElementTruth(l.matrix(i, j)), b, submode) ? 1 : 0;
        return BoolMatrixResult(std::move(result), tgLogical);
    }
    case spSM: {
        const bool a = VarAsBoolean(l);
        trealmatrix result(r.matrix.Rows(), r.matrix.Cols());
        for (std::int32_t i = 1; i <= result.Rows(); ++i)
            for (std::int32_t j = 1; j <= result.Cols(); ++j)
                result(i, j) = TruthTable(a, ElementTruth(r.matrix(i, j)), submode) ? 1 : 0;
        return BoolMatrixResult(std::move(result), tgLogical);
    }
    case spMM: {
        const trealmatrix& a = l.matrix;
        const trealmatrix& b = r.matrix;
        // The right operand is read over the left one's size; too small is a range error, never a
        // read past its storage.
        if (b.Rows() < a.Rows() || b.Cols() < a.Cols())
            throw tRangeError();
        trealmatrix result(a.Rows(), a.Cols());
        for (std::int32_t i = 1; i <= a.Rows(); ++i)
            for (std::int32_t j = 1; j <= a.Cols(); ++j)
                result(i, j)
                    = TruthTable(ElementTruth(a(i, j)), ElementTruth(b(i, j)), submode) ? 1 : 0;
        return BoolMatrixResult(std::move(result), tgLogical);
    }
    default:
        return {};
    }
}

tVariable VarCondition(const tVariable& l, const tVariable& r, std::int32_t submode)
{
    if (submode == 1) {
        if (r.shape == shScalar && r.datatype == dtBoolean && r.boolvalue == 1)
            return l;
        return {};
    }
    if (submode == 2)
        return l.datatype != dtNone ? l : r;
    return {};
}

tVariable VarMembership(const tVariable& l, const tVariable& r)
{
    if (r.shape == shScalar)
        return r.boolvalue == 1 ? l : tVariable();
    if (r.shape != shRange)
        return {};
    trealmatrix values = VarToMatrix(l);
    const trealmatrix& ranges = r.matrix;
    for (std::int32_t i = 1; i <= values.Rows(); ++i) {
        for (std::int32_t j = 1; j <= values.Cols(); ++j) {
            const double x = static_cast<double>(values(i, j));
            bool inside = false;
            for (std::int32_t k = 1; k <= ranges.Rows() && ranges.Cols() >= 1 && !inside; ++k) {
                const double lower = static_cast<double>(ranges(k, 1));
                const double upper = static_cast<double>(ranges(k, ranges.Cols() >= 2 ? 2 : 1));
                inside = lower <= x && x <= upper;
            }
            values(i, j) = inside ? 1 : 0;
        }
    }
    return BoolMatrixResult(std::move(values), tgLogical);
}

} // namespace zelvora
