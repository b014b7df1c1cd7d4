// Factor rotations in formulas: Rot and GetTrans with their keywords, the similarity and
// permutation rotations, rotations of one column pair, factor consistency and the communality
// estimates. Each call runs its rotation and yields either the rotated matrix or the
// transformation that the run returned; nothing is kept between calls.
#include "language/builtin_dispatch.h"
#include "language/dispatch_gates.h"
#include "lexicon/scanner.h"
#include "numerics/communalities.h"
#include "numerics/eigen_system.h"
#include "numerics/factor_consistency.h"
#include "numerics/factor_decompositions.h"
#include "numerics/factor_rotations.h"
#include "numerics/matrix_alloc.h"
#include "numerics/oblique_rotations.h"
#include "variables/variable.h"
#include "variables/variable_convert.h"

#include <array>
#include <optional>
#include <string_view>

namespace zelvora {
namespace {

using O = tOpcode;
using K = tRotationKeyword;

// The keyword lists, in the order that numbers them (1-based).
constexpr std::array<std::string_view, 15> RotKeywords
    = { "TRI", "ZIEL", "DREI", "PCA", "QUARTIMAX", "MEDIMAX", "ZTCU", "VARIMAX", "DECOMP",
          "ANTISYMMETRISCH", "BLKCU", "GLEICH", "VARIEQ", "MINRES", "POWER" };
constexpr std::array<std::string_view, 3> SimilarKeywords = { "DREI", "ANTISYMMETRISCH", "SYM" };
constexpr std::array<std::string_view, 2> PermutKeywords = { "DREI", "PCA" };

template <std::size_t n> std::string TypesText(const std::array<std::string_view, n>& list)
{
    std::string known;
    for (std::string_view word : list)
        known += (known.empty() ? "" : ", ") + std::string(word);
    return "m\xF6gliche Typen: " + known;
}

// A keyword argument: a leading '-' reverses the criterion, a trailing "/KAISER" asks for Kaiser
// normalisation of the rows; the rest is looked up after NameFold.
struct tKeyword {
    int32_t position = 0; // 1-based place in the list, 0 when absent
    bool reversed = false;
    bool kaiser = false;
};

constexpr std::string_view KaiserSuffix = "/KAISER";

template <std::size_t n>
tKeyword ReadKeyword(const std::string& text, const std::array<std::string_view, n>& list)
{
    tKeyword keyword;
    std::string_view word = text;
    if (!word.empty() && word.front() == '-') {
        keyword.reversed = true;
        word.remove_prefix(1);
    }
    std::string folded = NameFold(word);
    if (folded.size() > KaiserSuffix.size() && folded.ends_with(KaiserSuffix)) {
        keyword.kaiser = true;
        folded.resize(folded.size() - KaiserSuffix.size());
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (folded == list[i])
            keyword.position = static_cast<int32_t>(i) + 1;
    }
    return keyword;
}

// The selections from arguments `first` and `first` + 1, or all rows and columns.
struct tSelections {
    tIntvector rows;
    tIntvector cols;
};

tSelections ReadSelections(const tCallArgs& args, int32_t first, const trealmatrix& m)
{
    return { args.Has(first) ? VarToIndexVector(args.Arg(first), m.Rows()) : AllIndexes(m.Rows()),
        args.Has(first + 1) ? VarToIndexVector(args.Arg(first + 1), m.Cols())
                            : AllIndexes(m.Cols()) };
}

tRotationResult Unrotated(const trealmatrix& m)
{
    return { m, IdentityMatrix(m.Cols()), 0 };
}

// TRI: the column triangularization from row rows+1 (or a given start), or with a list argument
// the row-wise Givens sweep; any other argument 3 gives no result.
std::optional<tRotationResult> TriRotation(const tCallArgs& args, const trealmatrix& m)
{
    if (args.Count() < 3)
        return ColumnTriangularize(m, m.Rows());
    const tVariable& third = args.Arg(3);
    if (args.IsNumber(3))
        return ColumnTriangularize(m, args.Integer(3));
    if (third.shape != shMatrix && third.shape != shRange)
        return std::nullopt;
    const tIntvector rows = VarToIndexVector(third, third.shape == shMatrix ? m.Rows() : m.Cols());
    const tIntvector cols
        = args.Has(4) ? VarToIndexVector(args.Arg(4), m.Cols()) : AllIndexes(m.Cols());
    return RowGivensSweep(m, rows, cols);
}

// The rotation a Rot keyword names, or no result.
// The pairwise criteria rotate the rows normalised to unit length when asked to; the other
// keywords build new matrices or follow rows, for which the normalisation means nothing.
std::optional<tRotationResult> RunRot(const tCallArgs& args, const trealmatrix& m, tKeyword keyword)
{
    const auto word = static_cast<K>(keyword.position);
    const bool pairwise = word == K::Power || PairwiseCriterionOf(word) != nullptr;
    if (keyword.kaiser && !pairwise) {
        args.Fail(Failure("Rot: die Kaiser-Normierung gibt es nur f\xFCr PCA, QUARTIMAX, MEDIMAX, "
                          "VARIMAX, GLEICH, VARIEQ, MINRES, ANTISYMMETRISCH und POWER"));
        return std::nullopt;
    }
    if (keyword.kaiser) {
        keyword.kaiser = false;
        return KaiserNormalised(
            m, [&](const trealmatrix& normalised) { return *RunRot(args, normalised, keyword); });
    }
    switch (word) {
    case K::Tri:
        return TriRotation(args, m);
    case K::Ziel: {
        if (!args.IsMatrix(3))
            return std::nullopt;
        const tSelections s = ReadSelections(args, 4, m);
        return TargetRotation(m, args.Matrix(3), s.rows, s.cols, keyword.reversed);
    }
    case K::Drei: {
        const tSelections s = ReadSelections(args, 3, m);
        return RowGivensSweep(m, s.rows, s.cols);
    }
    case K::Ztcu:
        return CommonUniqueSplit(m);
    case K::Decomp: {
        tResult<tRotationResult> decomposition = SubsetDecomposition(m);
        if (!decomposition) {
            args.Fail(decomposition.Error());
            return std::nullopt;
        }
        return std::move(decomposition).Value();
    }
    case K::Blkcu: {
        if (args.Count() < 3)
            return Unrotated(m);
        if (!args.IsScalar(3) || args.Arg(3).datatype != dtInteger)
            return std::nullopt;
        const tSelections s = ReadSelections(args, 4, m);
        return BlockDecomposition(m, args.Integer(3), s.rows, s.cols);
    }
    case K::Power: {
        // The exponent has no effect on the criterion; it is read for its conversions only.
        static_cast<void>(static_cast<double>(args.Real(3, 4)));
        const tSelections s = ReadSelections(args, 4, m);
        return RotationSweeps(m, s.rows, s.cols, PowerCriterion, keyword.reversed);
    }
    case K::None:
        return std::nullopt;
    default: {
        const tSelections s = ReadSelections(args, 3, m);
        return RotationSweeps(m, s.rows, s.cols, PairwiseCriterionOf(word), keyword.reversed);
    }
    }
}

std::optional<tRotationResult> RunSimilar(
    const tCallArgs& args, const trealmatrix& m, tKeyword keyword)
{
    const tSelections s = ReadSelections(args, 3, m);
    switch (keyword.position) {
    case 1:
        return SimilaritySweeps(m, s.rows, s.cols);
    case 2:
        return PairSimilaritySweeps(m, s.rows, s.cols, tPairSimilarity::Antisymmetric);
    case 3:
        return PairSimilaritySweeps(m, s.rows, s.cols, tPairSimilarity::Sym);
    default:
        return Unrotated(m);
    }
}

std::optional<tRotationResult> RunPermut(
    const tCallArgs& args, const trealmatrix& m, tKeyword keyword)
{
    const tSelections s = ReadSelections(args, 3, m);
    switch (keyword.position) {
    case 1:
        return RowExchangeSweep(m, s.rows, s.cols);
    case 2:
        return RotationSweeps(m, s.rows, s.cols, AbsSumCriterion, keyword.reversed);
    default:
        return Unrotated(m);
    }
}

// The shared frame of Rot/GetTrans, Similar/GetSimilar and Permut/GetPermut: no argument gives
// empty, one a copy of it; then argument 1 must be a matrix and argument 2 a text.
template <std::size_t n,
    std::optional<tRotationResult> (*run)(const tCallArgs&, const trealmatrix&, tKeyword),
    bool transform>
tCallOutcome RotationCall(const tCallArgs& args, const std::array<std::string_view, n>& list)
{
    if (args.Count() == 0)
        return call::Empty();
    if (args.Count() == 1) {
        tVariable copy = args.Arg(1);
        copy.name.clear();
        return call::Value(std::move(copy));
    }
    if (!args.IsMatrix(1) || !args.IsText(2))
        return call::Empty();
    const tKeyword keyword = ReadKeyword(args.Text(2), list);
    if (keyword.position == 0) {
        // An unknown type would rotate nothing (or by the default rule) without a word.
        tCallOutcome failed = call::Empty();
        failed.Refusal = "unbekannter Typ \"" + args.Text(2) + "\"; " + TypesText(list);
        return failed;
    }
    if (keyword.kaiser && list.data() != RotKeywords.data()) {
        tCallOutcome failed = call::Empty();
        failed.Refusal = "die Kaiser-Normierung (\"/KAISER\") gibt es nur bei Rot und GetTrans";
        return failed;
    }
    std::optional<tRotationResult> result = run(args, args.Matrix(1), keyword);
    if (!result)
        return call::Empty();
    return call::RealMatrix(transform ? std::move(result->transform) : std::move(result->rotated));
}

template <bool transform> tCallOutcome RotCall(const tCallArgs& args)
{
    return RotationCall<RotKeywords.size(), RunRot, transform>(args, RotKeywords);
}

template <bool transform> tCallOutcome SimilarCall(const tCallArgs& args)
{
    return RotationCall<SimilarKeywords.size(), RunSimilar, transform>(args, SimilarKeywords);
}

template <bool transform> tCallOutcome PermutCall(const tCallArgs& args)
{
    return RotationCall<PermutKeywords.size(), RunPermut, transform>(args, PermutKeywords);
}

// The first two elements of a matrix argument, row by row (a column pair or a cosine and sine).
std::pair<long double, long double> PairOf(const trealmatrix& m)
{
    if (m.Rows() * m.Cols() < 2)
        throw tRangeError();
    const long double first = m(1, 1);
    const long double second = m.Cols() >= 2 ? m(1, 2) : m(2, 1);
    return { first, second };
}

int32_t ColumnNumber(long double x)
{
    tVariable v;
    VarSetReal(v, x);
    return VarAsInteger(v);
}

tCallOutcome RotMultCall(const tCallArgs& args)
{
    const int32_t n = args.Count();
    if (n == 1)
        return call::RealMatrix(args.Matrix(1));
    if (n == 2) {
        if (!args.IsMatrix(2))
            return call::Slot();
        const auto [a, b] = PairOf(args.Matrix(2));
        return call::RealMatrix(
            MultiplyAngles(args.Matrix(1), ColumnNumber(a), ColumnNumber(b), 2));
    }
    if (n == 3 && args.IsMatrix(2)) {
        const auto [a, b] = PairOf(args.Matrix(2));
        return call::RealMatrix(
            MultiplyAngles(args.Matrix(1), ColumnNumber(a), ColumnNumber(b), args.Real(3)));
    }
    if (n == 3 || n == 4) {
        return call::RealMatrix(MultiplyAngles(
            args.Matrix(1), args.Integer(2), args.Integer(3), n == 4 ? args.Real(4) : 2));
    }
    return call::Slot();
}

tCallOutcome RotSpCall(const tCallArgs& args)
{
    const int32_t n = args.Count();
    if (n == 1 || n == 2)
        return call::RealMatrix(args.Matrix(1));
    if (n == 3) {
        if (!args.IsMatrix(2) || !args.IsMatrix(3))
            return call::RealMatrix(args.Matrix(1));
        const auto [a, b] = PairOf(args.Matrix(2));
        const auto [c, s] = PairOf(args.Matrix(3));
        return call::RealMatrix(
            RotateColumnPair(args.Matrix(1), ColumnNumber(a), ColumnNumber(b), c, s));
    }
    if (n == 4) {
        if (!args.IsMatrix(2))
            return call::RealMatrix(args.Matrix(1));
        const auto [a, b] = PairOf(args.Matrix(2));
        return call::RealMatrix(RotateColumnPair(
            args.Matrix(1), ColumnNumber(a), ColumnNumber(b), args.Real(3), args.Real(4)));
    }
    if (n == 5) {
        return call::RealMatrix(RotateColumnPair(
            args.Matrix(1), args.Integer(2), args.Integer(3), args.Real(4), args.Real(5)));
    }
    return call::Slot();
}

tCallOutcome FconsistCall(const tCallArgs& args)
{
    const tKeyword keyword = ReadKeyword(args.Text(2), RotKeywords);
    if (keyword.kaiser) {
        tCallOutcome failed = call::Empty();
        failed.Refusal = "die Kaiser-Normierung (\"/KAISER\") gibt es nur bei Rot und GetTrans";
        return failed;
    }
    const int32_t position = keyword.position;
    const bool allowed = (position >= 3 && position <= 9) || (position >= 12 && position <= 14);
    if (!allowed || args.Text(2).starts_with('-'))
        return call::Slot();
    return call::RealMatrix(FactorConsistency(
        args.Matrix(1), static_cast<K>(position), args.Integer(3), args.Integer(4), args.Random()));
}

template <auto routine> tCallOutcome CommunalityCall(const tCallArgs& args)
{
    return Gated(args, [](const tCallArgs& a, const tVariable&) {
        return call::RealMatrix(routine(a.Matrix(1)));
    });
}

tCallOutcome ComVarPafCall(const tCallArgs& args)
{
    return Gated(args, [](const tCallArgs& a, const tVariable&) {
        if (a.Count() != 2 && a.Count() != 3)
            return call::Slot();
        return call::RealMatrix(ComVarPaf(a.Matrix(1), a.Integer(2), a.Integer(3, 50)));
    });
}

// clang-format off
constexpr tDispatchRow Rows[] = {
    { O::GetIndiv,   CommunalityCall<UniqueVariances> },
    { O::ComVar,     CommunalityCall<ComVar> },
    { O::ComVarPCA,  CommunalityCall<ComVarPCA> },
    { O::ComVarFix,  CommunalityCall<ComVarFix> },
    { O::ComVarPaf,  ComVarPafCall },
    { O::Rot,        RotCall<false> },
    { O::RotMult,    RotMultCall },
    { O::GetTrans,   RotCall<true> },
    { O::RotSp,      RotSpCall },
    { O::Fconsist,   FconsistCall },
    { O::Similar,    SimilarCall<false> },
    { O::GetSimilar, SimilarCall<true> },
    { O::Permut,     PermutCall<false> },
    { O::GetPermut,  PermutCall<true> },
};
// clang-format on

} // namespace

std::string RotationTypesText(tOpcode opcode)
{
    switch (opcode) {
    case O::Rot:
    case O::GetTrans:
        return TypesText(RotKeywords);
    case O::Similar:
    case O::GetSimilar:
        return TypesText(SimilarKeywords);
    case O::Permut:
    case O::GetPermut:
        return TypesText(PermutKeywords);
    default:
        return {};
    }
}

std::span<const tDispatchRow> RotationRows()
{
    return Rows;
}

} // namespace zelvora
