// The dispatch of built-in function calls.
#include "language/builtin_dispatch.h"

#include "text/paths.h"
#include "variables/operator_results.h"
#include "variables/variable_convert.h"

#include <cmath>
#include <cstdio>

namespace zelvora {

namespace {
const tVariable& EmptyValue()
{
    static const tVariable empty;
    return empty;
}

// An integer argument (a count, an index, a size) whose number does not fit 32 bits.
struct tIntegerArgumentTooLarge {
    std::int32_t Number;
    long double Value;
};

std::string TooLargeText(const tIntegerArgumentTooLarge& argument)
{
    char digits[64];
    std::snprintf(digits, sizeof digits, "%.21Lg", argument.Value);
    return "Argument " + std::to_string(argument.Number) + " (" + digits
        + ") ist als ganze Zahl zu gro\xDF (h\xF6"
          "chstens 2147483647)";
}
} // namespace

tCallArgs::tCallArgs(tOpcode opcode, const tTOC& entry, std::span<const tVariable> arguments,
    const std::string& scriptDirectory, tRandomGenerator& random, tClipboardPort* clipboard,
    const tCheckpoint* checkpoint, tGraphicsPort* graphics)
    : m_opcode(opcode)
    , m_entry(entry)
    , m_arguments(arguments)
    , m_scriptDirectory(scriptDirectory)
    , m_random(random)
    , m_clipboard(clipboard)
    , m_checkpoint(checkpoint)
    , m_graphics(graphics)
{
}

const tVariable& tCallArgs::Arg(std::int32_t i) const
{
    return Has(i) ? m_arguments[static_cast<std::size_t>(i - 1)] : EmptyValue();
}

std::int32_t tCallArgs::Integer(std::int32_t i, std::int32_t fallback) const
{
    if (!Has(i))
        return fallback;
    const tVariable& argument = Arg(i);
    if (argument.shape == shScalar && argument.datatype == dtReal
        && !(std::fabs(argument.realvalue) < 2147483647.5L))
        throw tIntegerArgumentTooLarge { i, argument.realvalue };
    return VarAsInteger(argument);
}

long double tCallArgs::Real(std::int32_t i, long double fallback) const
{
    return Has(i) ? VarAsReal(Arg(i)) : fallback;
}

std::string tCallArgs::Text(std::int32_t i) const
{
    return Has(i) ? VarAsString(Arg(i)) : std::string();
}

bool tCallArgs::Truth(std::int32_t i, bool fallback) const
{
    return Has(i) ? VarAsBoolean(Arg(i)) : fallback;
}

trealmatrix tCallArgs::Matrix(std::int32_t i) const
{
    return VarToMatrix(Arg(i));
}

std::string tCallArgs::ResolveFileName(std::string_view name) const
{
    std::size_t begin = 0;
    std::size_t end = name.size();
    while (begin < end && static_cast<unsigned char>(name[begin]) <= ' ')
        ++begin;
    while (end > begin && static_cast<unsigned char>(name[end - 1]) <= ' ')
        --end;
    const std::string_view trimmed = name.substr(begin, end - begin);
    if (trimmed.empty() || m_scriptDirectory.empty())
        return ForwardSlashes(trimmed);
    return JoinPath(m_scriptDirectory, trimmed);
}

namespace call {

tCallOutcome Empty()
{
    return { tCallOutcome::tKind::Values, { tVariable {} } };
}

tCallOutcome Slot()
{
    return { tCallOutcome::tKind::Slot, {} };
}

tCallOutcome Value(tVariable value)
{
    return { tCallOutcome::tKind::Values, { std::move(value) } };
}

tCallOutcome Value(tResult<tVariable> value)
{
    if (!value)
        return Fail(value.Error());
    return Value(std::move(value).Value());
}

tCallOutcome Values(tVariableArray values, bool signAll)
{
    tCallOutcome outcome { tCallOutcome::tKind::Values, std::move(values) };
    outcome.SignAll = signAll;
    return outcome;
}

tVariable RealMatrixValue(trealmatrix m)
{
    return operators::RealMatrixResult(std::move(m), tgPlain);
}

tCallOutcome RealMatrix(trealmatrix m)
{
    return Value(RealMatrixValue(std::move(m)));
}

tCallOutcome RealMatrix(tResult<trealmatrix> m)
{
    if (!m)
        return Fail(m.Error());
    return RealMatrix(std::move(m).Value());
}

tCallOutcome Fail(tFailure failure)
{
    tCallOutcome outcome { tCallOutcome::tKind::Values, {} };
    outcome.Failure = std::move(failure);
    return outcome;
}

tCallOutcome StringMatrix(tStringmatrix s)
{
    return Value(operators::StringMatrixResult(std::move(s), tgLogical));
}

tCallOutcome StringMatrix(tResult<tStringmatrix> s)
{
    if (!s)
        return Fail(s.Error());
    return StringMatrix(std::move(s).Value());
}

tCallOutcome BoolMatrix(trealmatrix m)
{
    return Value(operators::BoolMatrixResult(std::move(m), tgLogical));
}

tCallOutcome Integer(std::int32_t n)
{
    return Value(operators::IntegerResult(n));
}

tCallOutcome Real(long double x)
{
    return Value(operators::RealResult(x));
}

tCallOutcome Text(std::string s)
{
    return Value(operators::StringResult(std::move(s)));
}

} // namespace call

tFunctionDispatch::tFunctionDispatch(tDispatchReach reach)
    : m_scriptDirectory(reach.ScriptDirectory)
    , m_clipboard(reach.Clipboard)
    , m_checkpoint(reach.Checkpoint)
    , m_graphics(reach.Graphics)
{
    Register(MatrixFunctionRows());
    Register(MatrixScalarRows());
    Register(GeneratorRows());
    Register(ConstructorRows());
    Register(SumRows());
    Register(StatisticsRows());
    Register(SelectionRows());
    Register(LinearAlgebraRows());
    Register(RotationRows());
    Register(FittingRows());
    Register(ScalarFunctionRows());
    Register(ComplexRows());
    Register(CovarianceRows());
    Register(FactorAnalysisRows());
}

void tFunctionDispatch::Register(std::span<const tDispatchRow> rows)
{
    for (const tDispatchRow& row : rows) {
        if (OpcodeNumber(row.Opcode) <= HighestFunctionOpcode)
            m_routines[OpcodeNumber(row.Opcode)] = row.Routine;
    }
}

bool tFunctionDispatch::IsRegistered(tOpcode opcode) const
{
    return OpcodeNumber(opcode) <= HighestFunctionOpcode
        && m_routines[OpcodeNumber(opcode)] != nullptr;
}

tCallOutcome tFunctionDispatch::Call(
    tOpcode opcode, const tTOC& entry, std::span<const tVariable> arguments)
{
    if (!IsRegistered(opcode))
        return { tCallOutcome::tKind::Unavailable, {} };
    static const std::string noDirectory;
    const std::string& directory = m_scriptDirectory ? *m_scriptDirectory : noDirectory;
    const tCallArgs args(
        opcode, entry, arguments, directory, m_random, m_clipboard, m_checkpoint, m_graphics);
    tCallOutcome outcome;
    try {
        outcome = m_routines[OpcodeNumber(opcode)](args);
    } catch (const tIntegerArgumentTooLarge& argument) {
        outcome = call::Empty();
        outcome.Refusal = TooLargeText(argument);
        return outcome;
    }
    if (args.Failure() && !outcome.Failure)
        return call::Fail(*args.Failure());
    return outcome;
}

} // namespace zelvora
