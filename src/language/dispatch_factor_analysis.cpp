// Factor analysis in formulas: whether a correlation matrix is fit for factoring (KMO, Bartlett's
// test) and the extraction of factors. A call gives its main result as its value; the further
// results go to further targets when the call is the whole formula (L, h2 = Faktoren(...)).
#include "language/builtin_dispatch.h"
#include "language/dispatch_gates.h"
#include "numerics/factor_adequacy.h"
#include "variables/variable.h"

#include <string>

namespace zelvora {
namespace {

using O = tOpcode;

tCallOutcome Refuse(std::string text)
{
    tCallOutcome outcome = call::Empty();
    outcome.Refusal = std::move(text);
    return outcome;
}

// A routine's failure, its message headed by the function's name.
tCallOutcome FailNamed(const tCallArgs& args, const tFailure& failure)
{
    return call::Fail(Failure(failure.Code, args.Entry().Name + ": " + failure.Message));
}

tVariable RealValue(long double x)
{
    tVariable v;
    VarSetReal(v, x);
    return v;
}

tVariable IntegerValue(std::int32_t n)
{
    tVariable v;
    VarSetInteger(v, n);
    return v;
}

// The value first, the others for further targets.
tCallOutcome MainAndFurther(tVariable main, tVariableArray further)
{
    tCallOutcome outcome = call::Value(std::move(main));
    outcome.Further = std::move(further);
    return outcome;
}

// Argument 1 must be a matrix of usable numbers.
bool CorrelationArgument(const tCallArgs& args, tCallOutcome& refused)
{
    if (!args.IsMatrix(1)) {
        refused = Refuse("Argument 1 muss eine Korrelations- oder Kovarianzmatrix sein");
        return false;
    }
    return DataUsable(args, args.Arg(1).matrix);
}

// KMO(R): the overall measure; per variable (n x 1) for a second target.
tCallOutcome KmoCall(const tCallArgs& args)
{
    tCallOutcome refused;
    if (!CorrelationArgument(args, refused))
        return refused;
    tResult<tSamplingAdequacy> kmo = SamplingAdequacy(args.Matrix(1));
    if (!kmo)
        return FailNamed(args, kmo.Error());
    return MainAndFurther(RealValue(kmo->overall), { call::RealMatrixValue(kmo->perVariable) });
}

// Sphaerizitaet(R, n): chi-square; degrees of freedom and p for further targets.
tCallOutcome SphericityCall(const tCallArgs& args)
{
    tCallOutcome refused;
    if (!CorrelationArgument(args, refused))
        return refused;
    if (!args.IsNumber(2))
        return Refuse("Argument 2 muss die Zahl der F\xE4lle sein");
    tResult<tChiSquareTest> test = SphericityTest(args.Matrix(1), args.Real(2));
    if (!test)
        return FailNamed(args, test.Error());
    return MainAndFurther(RealValue(test->statistic),
        { IntegerValue(static_cast<std::int32_t>(test->df)), RealValue(test->p) });
}

// clang-format off
constexpr tDispatchRow Rows[] = {
    { O::KMO,           KmoCall },
    { O::Sphaerizitaet, SphericityCall },
};
// clang-format on

} // namespace

std::span<const tDispatchRow> FactorAnalysisRows()
{
    return Rows;
}

} // namespace zelvora
