// The dispatch of built-in function calls: argument conversions with defaults, result shapes, and
// the table of routines by opcode that each group of functions fills.
#pragma once

#include "language/eval_machine.h"
#include "numerics/checkpoint.h"
#include "numerics/random_matrices.h"
#include "ports/graphics_port.h"
#include "ports/picture_port.h"

#include <array>
#include <optional>
#include <span>
#include <string>

namespace zelvora {

// The arguments of one call (argument 1 is the first) with the conversions every routine uses.
class tCallArgs {
public:
    tCallArgs(tOpcode opcode, const tTOC& entry, std::span<const tVariable> arguments,
        const std::string& scriptDirectory, tRandomGenerator& random,
        tClipboardPort* clipboard = nullptr, const tCheckpoint* checkpoint = nullptr,
        tGraphicsPort* graphics = nullptr);

    tOpcode Opcode() const { return m_opcode; }
    const tTOC& Entry() const { return m_entry; }
    // Number of arguments given.
    std::int32_t Count() const { return static_cast<std::int32_t>(m_arguments.size()); }
    bool Has(std::int32_t i) const { return i >= 1 && i <= Count(); }
    // Argument i, or an empty value when it was not given.
    const tVariable& Arg(std::int32_t i) const;
    std::span<const tVariable> All() const { return m_arguments; }

    bool IsScalar(std::int32_t i) const { return Arg(i).shape == shScalar; }
    bool IsMatrix(std::int32_t i) const { return Arg(i).shape == shMatrix; }
    bool IsText(std::int32_t i) const { return IsScalar(i) && Arg(i).datatype == dtString; }
    bool IsNumber(std::int32_t i) const
    {
        return IsScalar(i) && (Arg(i).datatype == dtInteger || Arg(i).datatype == dtReal);
    }

    // The integer, real and text value of argument i; the default when it was not given.
    std::int32_t Integer(std::int32_t i, std::int32_t fallback = 0) const;
    long double Real(std::int32_t i, long double fallback = 0) const;
    std::string Text(std::int32_t i) const;
    bool Truth(std::int32_t i, bool fallback = false) const;
    // The matrix of argument i (a matrix argument's own matrix).
    trealmatrix Matrix(std::int32_t i) const;

    // A file name resolved against the directory of the running script: trimmed; empty stays
    // empty; an absolute name ("/..." or a drive letter and ':') as it is; any other appended.
    std::string ResolveFileName(std::string_view name) const;
    // The session's random generator.
    tRandomGenerator& Random() const { return m_random; }
    // The session's clipboard; null when the front end has none.
    tClipboardPort* Clipboard() const { return m_clipboard; }
    // Where long routines check whether to stop (none: they run to the end).
    const tCheckpoint* Checkpoint() const { return m_checkpoint; }
    // The session's graphics windows; null when the front end draws nothing.
    tGraphicsPort* Graphics() const { return m_graphics; }

    // Notes that the call fails (the first failure noted counts): whatever the routine returns,
    // the call gives this failure. For checks that sit apart from the routine's result.
    void Fail(tFailure failure) const
    {
        if (!m_failure)
            m_failure = std::move(failure);
    }
    const std::optional<tFailure>& Failure() const { return m_failure; }

private:
    tOpcode m_opcode;
    const tTOC& m_entry;
    std::span<const tVariable> m_arguments;
    const std::string& m_scriptDirectory;
    tRandomGenerator& m_random;
    tClipboardPort* m_clipboard;
    const tCheckpoint* m_checkpoint;
    tGraphicsPort* m_graphics;
    mutable std::optional<tFailure> m_failure;
};

// Results of a routine.
namespace call {
tCallOutcome Empty();
tCallOutcome Slot();
tCallOutcome Value(tVariable value);
// The routine's value, or its failure.
tCallOutcome Value(tResult<tVariable> value);
// Several results, pushed in order with sign 1 (signAll: each with the call's sign).
tCallOutcome Values(tVariableArray values, bool signAll = false);
tCallOutcome RealMatrix(trealmatrix m); // element type real, tag 1
// The routine's matrix, or its failure.
tCallOutcome RealMatrix(tResult<trealmatrix> m);
// The call fails; a failure without a message says that the arguments do not fit the function.
tCallOutcome Fail(tFailure failure);
tCallOutcome StringMatrix(tStringmatrix s); // tag 2
// The routine's text matrix, or its failure.
tCallOutcome StringMatrix(tResult<tStringmatrix> s);
tCallOutcome BoolMatrix(trealmatrix m); // tag 2
tCallOutcome Integer(std::int32_t n);
tCallOutcome Real(long double x);
tCallOutcome Text(std::string s);
tVariable RealMatrixValue(trealmatrix m);
} // namespace call

using tDispatchRoutine = tCallOutcome (*)(const tCallArgs&);

struct tDispatchRow {
    tOpcode Opcode;
    tDispatchRoutine Routine;
};

// Functions have numbers below the opening bracket and, for the factor analysis, after it.
inline constexpr std::uint16_t HighestFunctionOpcode = HighestOpcodeNumber;

// "m\xF6gliche Typen: ..." for the functions that take a rotation type word; empty for others.
std::string RotationTypesText(tOpcode opcode);

// What the built-in functions reach beyond their arguments; each may be absent.
struct tDispatchReach {
    // Relative file names in formulas resolve against the directory of the running script, read
    // from this text at each call (the interpreter's current script directory).
    const std::string* ScriptDirectory = nullptr;
    // The clipboard that file functions read ("CLIP").
    tClipboardPort* Clipboard = nullptr;
    // The session's check point, passed to the long routines.
    const tCheckpoint* Checkpoint = nullptr;
    // The graphics windows that drawing functions reach.
    tGraphicsPort* Graphics = nullptr;
};

class tFunctionDispatch : public tBuiltinDispatch {
public:
    // Every group of built-in functions registered.
    explicit tFunctionDispatch(tDispatchReach reach = {});

    // Registers routines; a later row replaces an earlier one of the same opcode.
    void Register(std::span<const tDispatchRow> rows);
    bool IsRegistered(tOpcode opcode) const;

    tCallOutcome Call(
        tOpcode opcode, const tTOC& entry, std::span<const tVariable> arguments) override;
    std::string ArgumentHint(tOpcode opcode) const override { return RotationTypesText(opcode); }

    // The generator of the random functions; the session's options and system variables reseed it.
    tRandomGenerator& Random() { return m_random; }

private:
    std::array<tDispatchRoutine, HighestFunctionOpcode + 1> m_routines {};
    const std::string* m_scriptDirectory = nullptr;
    tRandomGenerator m_random;
    tClipboardPort* m_clipboard = nullptr;
    const tCheckpoint* m_checkpoint = nullptr;
    tGraphicsPort* m_graphics = nullptr;
};

// The groups of routines, each in its own unit.
std::span<const tDispatchRow> MatrixFunctionRows(); // functions of one matrix
std::span<const tDispatchRow> MatrixScalarRows(); // scalar results of a matrix
std::span<const tDispatchRow> GeneratorRows(); // generators
std::span<const tDispatchRow> ConstructorRows(); // matrix constructors
std::span<const tDispatchRow> SumRows(); // sum, product and conditional value of arguments
std::span<const tDispatchRow> StatisticsRows(); // statistics of one matrix
std::span<const tDispatchRow> SelectionRows(); // selection, joining and reordering
std::span<const tDispatchRow> LinearAlgebraRows(); // inverses, factors, eigen systems
std::span<const tDispatchRow> RotationRows(); // factor rotations and communality estimates
std::span<const tDispatchRow> FittingRows(); // curve fitting, polynomials, smoothing, interpolation
std::span<const tDispatchRow> ScalarFunctionRows(); // general, trigonometric and integer functions
std::span<const tDispatchRow> ComplexRows(); // complex pairs and cube-root triples
std::span<const tDispatchRow> CovarianceRows(); // covariance, distances, frequencies, ANOVA
std::span<const tDispatchRow> FactorAnalysisRows(); // adequacy, extraction, oblique rotations

} // namespace zelvora
