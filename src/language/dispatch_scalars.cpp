// The general, trigonometric and integer functions of one value in formulas: each row picks the
// arguments and defaults of its function and calls the store's operation on them.
#include "language/builtin_dispatch.h"
#include "variables/factorial.h"
#include "variables/integer_functions.h"
#include "variables/unary_functions.h"
#include "variables/value_functions.h"

namespace zelvora {
namespace {

template <tVariable (*operation)(const tVariable&)> tCallOutcome OfFirst(const tCallArgs& args)
{
    return call::Value(operation(args.Arg(1)));
}

template <tUnaryFunction function> tCallOutcome UnaryCall(const tCallArgs& args)
{
    return call::Value(VarUnaryFunction(args.Arg(1), function));
}

tCallOutcome FormatCall(const tCallArgs& args)
{
    if (args.Count() < 2)
        return call::Empty();
    return call::Value(VarFormat(args.Arg(1), args.Text(2)));
}

// PExp(x[, count[, index]]): count 1 and index 0 by default.
tCallOutcome PartialExpCall(const tCallArgs& args)
{
    return call::Value(VarPartialExp(args.Arg(1), args.Integer(2, 1), args.Integer(3, 0)));
}

tCallOutcome AngleCall(const tCallArgs& args)
{
    return call::Value(VarAngle(args.Arg(1), args.Arg(2)));
}

// Gerundet(x[, digits]): digits 0 by default.
tCallOutcome RoundCall(const tCallArgs& args)
{
    return call::Value(VarRound(args.Arg(1), args.Integer(2, 0)));
}

// GGT, GGTZL, GGTSP: one argument on its own, more folded from left to right.
template <tGcdKind kind> tCallOutcome GcdCall(const tCallArgs& args)
{
    if (args.Count() < 2)
        return call::Value(VarGcd(args.Arg(1), kind));
    tVariable result = VarGcdPair(args.Arg(1), args.Arg(2), kind);
    for (std::int32_t i = 3; i <= args.Count(); ++i)
        result = VarGcdPair(result, args.Arg(i), kind);
    return call::Value(std::move(result));
}

template <bool power> tCallOutcome MaxExponentCall(const tCallArgs& args)
{
    if (args.Count() < 2)
        return call::Empty();
    return call::Value(VarMaxExponent(args.Arg(1), args.Integer(2), power));
}

tCallOutcome OrderCall(const tCallArgs& args)
{
    if (args.Count() > 2)
        return call::Empty();
    return call::Value(VarMultiplicativeOrder(args.Arg(1), args.Arg(2)));
}

// clang-format off
constexpr tDispatchRow Rows[] = {
    { 72,  FormatCall },                                    // format
    { 73,  OfFirst<VarNumericValue> },                      // Num
    { 74,  OfFirst<VarAbs> },                               // abs
    { 75,  OfFirst<VarNegate> },                            // neg
    { 76,  OfFirst<VarNegate> },                            // Nicht
    { 77,  OfFirst<VarSign> },                              // vorz
    { 78,  UnaryCall<tUnaryFunction::Ln> },                 // Ln
    { 79,  UnaryCall<tUnaryFunction::Square> },             // Quadrat
    { 80,  UnaryCall<tUnaryFunction::Sqrt> },               // Wurzel
    { 81,  UnaryCall<tUnaryFunction::Exp> },                // Exp
    { 82,  PartialExpCall },                                // PExp
    { 83,  UnaryCall<tUnaryFunction::Sinh> },               // sinh
    { 84,  UnaryCall<tUnaryFunction::Cosh> },               // cosh
    { 85,  UnaryCall<tUnaryFunction::Tanh> },               // tanh
    { 86,  UnaryCall<tUnaryFunction::ArcSinh> },            // arcsinh
    { 87,  UnaryCall<tUnaryFunction::ArcCosh> },            // arccosh
    { 88,  UnaryCall<tUnaryFunction::ArcTanh> },            // arctanh
    { 89,  UnaryCall<tUnaryFunction::Sin> },                // sin
    { 90,  UnaryCall<tUnaryFunction::Cos> },                // cos
    { 91,  UnaryCall<tUnaryFunction::Tan> },                // tan
    { 92,  UnaryCall<tUnaryFunction::ArcSin> },             // arcsin
    { 93,  UnaryCall<tUnaryFunction::ArcCos> },             // arccos
    { 94,  UnaryCall<tUnaryFunction::ArcTan> },             // arctan
    { 95,  AngleCall },                                     // arcCS
    { 96,  OfFirst<VarFractionalPart> },                    // Dezimalteil
    { 97,  OfFirst<VarIntegerPart> },                       // Ganzzahl
    { 98,  RoundCall },                                     // Gerundet
    { 99,  OfFirst<VarPrimeNo> },                           // PrimNr
    { 100, GcdCall<tGcdKind::All> },                        // GGT
    { 101, GcdCall<tGcdKind::Rows> },                       // GGTZL
    { 102, GcdCall<tGcdKind::Columns> },                    // GGTSP
    { 103, MaxExponentCall<false> },                        // MAXEXP
    { 104, MaxExponentCall<true> },                         // MAXPOW
    { 105, OrderCall },                                     // F_ord
    { 108, OfFirst<VarFactorial> },                         // Fak
};
// clang-format on

} // namespace

std::span<const tDispatchRow> ScalarFunctionRows()
{
    return Rows;
}

} // namespace zelvora
