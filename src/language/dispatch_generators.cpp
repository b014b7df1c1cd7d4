// Generators and file readers (opcodes 243 to 263).
#include "language/builtin_dispatch.h"

#include "numerics/matrix_alloc.h"

namespace zelvora {
namespace {

    tCallOutcome EmptyCall(const tCallArgs&) { return call::Empty(); }

    // (rows, columns) of null and einh: none (1, 1); a scalar (its integer, 1); a matrix its size;
    // argument 2 replaces the columns.
    tMatDims SizeArguments(const tCallArgs& args)
    {
        tMatDims dims { 1, 1 };
        if (args.IsScalar(1))
            dims.rows = args.Integer(1);
        else if (args.Arg(1).shape == shMatrix || args.Arg(1).shape == shVector)
            dims = { args.Arg(1).matrix.Rows(), args.Arg(1).matrix.Cols() };
        if (args.Has(2))
            dims.cols = args.Integer(2);
        return dims;
    }

    tCallOutcome ZeroCall(const tCallArgs& args)
    {
        const tMatDims dims = SizeArguments(args);
        return call::RealMatrix(NewMatrix(dims.rows, dims.cols));
    }

    tCallOutcome IdentityCall(const tCallArgs& args)
    {
        const tMatDims dims = SizeArguments(args);
        return call::RealMatrix(MakeIdentity(dims.rows, dims.cols));
    }

    // clang-format off
    constexpr tDispatchRow Rows[] = {
        { 243, EmptyCall },
        { 244, ZeroCall },
        { 245, IdentityCall },
        { 263, EmptyCall },
    };
    // clang-format on

} // namespace

std::span<const tDispatchRow> GeneratorRows()
{
    return Rows;
}

} // namespace zelvora
