// Sum and product of all arguments (Summe, Produkt) and the conditional value (Wenn).
#include "language/builtin_dispatch.h"
#include "language/dispatch_values.h"
#include "numerics/merging.h"
#include "numerics/missing_values.h"
#include "variables/variable_convert.h"

#include <algorithm>

namespace zelvora {

std::vector<long double> CollectValues(std::span<const tVariable> arguments)
{
    std::vector<long double> values;
    for (const tVariable& v : arguments) {
        if (v.shape == shScalar) {
            values.push_back(v.datatype == dtString ? 0.0L : VarAsReal(v));
        } else if (v.shape == shMatrix || v.shape == shRange || v.shape == shVector) {
            if (v.datatype == dtString)
                throw tRangeError();
            for (std::int32_t r = 1; r <= v.matrix.Rows(); ++r)
                for (std::int32_t c = 1; c <= v.matrix.Cols(); ++c)
                    values.push_back(v.matrix(r, c));
        }
    }
    return values;
}

namespace {

using O = tOpcode;

// A sum or product over a missing cell is missing.
bool AnyMissing(const std::vector<long double>& values)
{
    return std::ranges::find(values, MissingNumber) != values.end();
}

tCallOutcome SumOfCall(const tCallArgs& args)
{
    const std::vector<long double> values = CollectValues(args.All());
    if (AnyMissing(values))
        return call::Real(MissingNumber);
    long double sum = 0;
    for (long double x : values)
        sum += x;
    return call::Real(sum);
}

tCallOutcome ProductOfCall(const tCallArgs& args)
{
    const std::vector<long double> values = CollectValues(args.All());
    if (AnyMissing(values))
        return call::Real(MissingNumber);
    long double product = 1;
    for (long double x : values)
        product *= x;
    return call::Real(product);
}

// Element type of an elementwise choice from the types of the condition and the alternative:
// integer and boolean mixed with integer stay integer, two booleans stay boolean.
std::uint8_t ChoiceType(std::uint8_t condition, std::uint8_t alternative)
{
    const auto whole = [](std::uint8_t t) { return t == dtInteger || t == dtBoolean; };
    if (!whole(condition) || !whole(alternative))
        return dtReal;
    return condition == dtBoolean && alternative == dtBoolean ? dtBoolean : dtInteger;
}

tCallOutcome IfCall(const tCallArgs& args)
{
    if (args.Count() < 2)
        return call::Empty();
    const tVariable& condition = args.Arg(1);
    if (condition.shape == shScalar) {
        const bool truth = condition.datatype != dtString && VarAsBoolean(condition);
        if (!truth && !args.Has(3))
            return call::Empty();
        tVariable chosen = args.Arg(truth ? 2 : 3);
        chosen.name.clear();
        return call::Value(std::move(chosen));
    }
    if (condition.shape != shMatrix)
        return call::Slot();
    // Without its other value the choice takes a single 0 where the condition does not hold.
    const trealmatrix alternative = args.Has(3) ? args.Matrix(3) : trealmatrix(1, 1);
    tResult<trealmatrix> selected = ElementwiseSelect(args.Matrix(1), args.Matrix(2), alternative);
    if (!selected)
        return call::Fail(selected.Error());
    trealmatrix chosen = std::move(selected).Value();
    const std::uint8_t alternativeType
        = args.Has(3) ? args.Arg(3).datatype : std::uint8_t { dtInteger };
    tVariable result;
    switch (ChoiceType(condition.datatype, alternativeType)) {
    case dtInteger:
        VarSetIntMatrix(result, std::move(chosen), tgPlain);
        break;
    case dtBoolean:
        VarSetBoolMatrix(result, std::move(chosen), tgPlain);
        break;
    default:
        VarSetMatrix(result, std::move(chosen), tgPlain);
        break;
    }
    return call::Value(std::move(result));
}

// clang-format off
constexpr tDispatchRow Rows[] = {
    { O::Summe, SumOfCall },
    { O::Produkt, ProductOfCall },
    { O::Wenn, IfCall },
};
// clang-format on

} // namespace

std::span<const tDispatchRow> SumRows()
{
    return Rows;
}

} // namespace zelvora
