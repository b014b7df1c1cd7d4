// Factor analysis in formulas: whether a correlation matrix is fit for factoring (KMO, Bartlett's
// test), how many factors to keep (MAP, parallel analysis), the extraction and oblique rotation of
// factors, the factor scores of the cases and the scree picture. A call gives its main result as
// its value; the further results go to further targets when the call is the whole formula (L, h2 =
// Faktoren(...)).
#include "language/builtin_dispatch.h"
#include "language/dispatch_gates.h"
#include "numerics/factor_adequacy.h"
#include "numerics/factor_count.h"
#include "numerics/factor_extraction.h"
#include "numerics/factor_scores.h"
#include "numerics/oblique_rotations.h"
#include "text/name_fold.h"
#include "variables/variable.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <string_view>

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

struct tMethodWord {
    std::string_view Word;
    tExtractionMethod Method;
};
constexpr std::array<tMethodWord, 3> MethodWords = { { { "MINRES", tExtractionMethod::Minres },
    { "PA", tExtractionMethod::PrincipalAxis }, { "ML", tExtractionMethod::MaximumLikelihood } } };

std::string ExtractionWarning(const tFactorExtraction& run)
{
    std::string warning;
    if (!run.heywood.empty()) {
        warning = "Heywood-Fall bei Variable";
        for (std::size_t i = 0; i < run.heywood.size(); ++i)
            warning += (i == 0 ? " " : ", ") + std::to_string(run.heywood[i]);
        warning += ": Kommunalit\xE4t erreicht 1 (Eindeutigkeit 0 oder an der Untergrenze 0.005)";
    }
    if (!run.converged)
        warning += (warning.empty() ? "" : "; ") + std::string("nach ")
            + std::to_string(run.iterations) + " Schritten nicht konvergiert";
    return warning;
}

tVariable FitRow(const tModelFit& fit)
{
    trealmatrix row(1, 9);
    const long double values[] = { fit.objective, fit.chiSquare, fit.df, fit.p, fit.rmsea,
        fit.rmseaLower, fit.rmseaUpper, fit.tli, fit.bic };
    for (int32_t c = 1; c <= 9; ++c)
        row(1, c) = values[c - 1];
    return call::RealMatrixValue(std::move(row));
}

// Faktoren(R, k [, methode [, n]]): the loadings; communalities, uniquenesses, steps, whether it
// converged and, for ML with n cases, the fit row for further targets.
tCallOutcome FactorsCall(const tCallArgs& args)
{
    tCallOutcome refused;
    if (!CorrelationArgument(args, refused))
        return refused;
    if (!args.IsNumber(2))
        return Refuse("Argument 2 muss die Zahl der Faktoren sein");
    tExtractionMethod method = tExtractionMethod::Minres;
    if (args.Has(3)) {
        if (!args.IsText(3))
            return Refuse("Argument 3 muss die Methode sein (MINRES, PA oder ML)");
        const std::string word = NameFold(args.Text(3));
        const auto known = std::find_if(MethodWords.begin(), MethodWords.end(),
            [&](const tMethodWord& m) { return m.Word == word; });
        if (known == MethodWords.end())
            return Refuse("unbekannte Methode \"" + args.Text(3)
                + "\"; m\xF6gliche Methoden: MINRES, PA, ML");
        method = known->Method;
    }
    long double cases = 0;
    if (args.Has(4)) {
        if (!args.IsNumber(4))
            return Refuse("Argument 4 muss die Zahl der F\xE4lle sein");
        if (method != tExtractionMethod::MaximumLikelihood)
            return Refuse("die Zahl der F\xE4lle (Argument 4) gilt nur f\xFCr ML");
        cases = args.Real(4);
        if (!(cases > 0))
            return Refuse("die Zahl der F\xE4lle muss positiv sein");
    }
    tResult<tFactorExtraction> run = ExtractFactors(args.Matrix(1), args.Integer(2), method, cases);
    if (!run)
        return FailNamed(args, run.Error());
    tVariableArray further { call::RealMatrixValue(run->communalities),
        call::RealMatrixValue(run->uniquenesses), IntegerValue(run->iterations) };
    tVariable converged;
    VarSetBoolean(converged, run->converged);
    further.push_back(std::move(converged));
    std::string warning = ExtractionWarning(*run);
    if (run->fit)
        further.push_back(FitRow(*run->fit));
    else if (cases > 0)
        warning += (warning.empty() ? "" : "; ")
            + std::string("keine Freiheitsgrade \xFC"
                          "brig: keine G\xFCtema\xDF"
                          "e");
    tCallOutcome outcome = MainAndFurther(call::RealMatrixValue(run->loadings), std::move(further));
    outcome.Warning = std::move(warning);
    return outcome;
}

// RotSchief(LAD, typ [, parameter [, starts]]): the pattern; structure, Phi, the transformation
// (pattern = LAD * transformation) and the criterion for further targets.
tCallOutcome ObliqueCall(const tCallArgs& args)
{
    if (!args.IsMatrix(1))
        return Refuse("Argument 1 muss eine Ladungsmatrix sein");
    if (!DataUsable(args, args.Arg(1).matrix))
        return call::Empty();
    if (!args.IsText(2))
        return Refuse("Argument 2 muss der Typ sein (OBLIMIN, GEOMIN oder PROMAX)");
    if (args.Has(3) && !args.IsNumber(3))
        return Refuse("Argument 3 muss eine Zahl sein");
    const std::string type = NameFold(args.Text(2));
    if (args.Has(4) && type != "GEOMIN")
        return Refuse("Argument 4 (Zahl der Starts) gilt nur f\xFCr GEOMIN");
    tResult<tObliqueRotation> run = Failure("");
    if (type == "OBLIMIN")
        run = ObliminRotation(args.Matrix(1), args.Real(3, 0));
    else if (type == "GEOMIN")
        run = GeominRotation(
            args.Matrix(1), args.Real(3, 0.01L), args.Integer(4, 10), args.Random());
    else if (type == "PROMAX")
        run = PromaxRotation(args.Matrix(1), args.Real(3, 4));
    else
        return Refuse(
            "unbekannter Typ \"" + args.Text(2) + "\"; m\xF6gliche Typen: OBLIMIN, GEOMIN, PROMAX");
    if (!run)
        return FailNamed(args, run.Error());
    tCallOutcome outcome = MainAndFurther(call::RealMatrixValue(run->pattern),
        { call::RealMatrixValue(run->structure), call::RealMatrixValue(run->phi),
            call::RealMatrixValue(run->transform), RealValue(run->criterion) });
    if (!run->converged)
        outcome.Warning
            = "nach " + std::to_string(run->iterations) + " Schritten nicht konvergiert";
    return outcome;
}

// Faktorwerte(X, LAD [, methode [, Phi]]): the scores; the weights for a further target.
tCallOutcome ScoresCall(const tCallArgs& args)
{
    if (!args.IsMatrix(1))
        return Refuse("Argument 1 muss die Datenmatrix sein (F\xE4lle in Zeilen)");
    if (!DataUsable(args, args.Arg(1).matrix))
        return call::Empty();
    if (!args.IsMatrix(2))
        return Refuse("Argument 2 muss die Ladungsmatrix sein");
    if (!DataUsable(args, args.Arg(2).matrix, 2))
        return call::Empty();
    tScoreMethod method = tScoreMethod::Regression;
    if (args.Has(3)) {
        const std::string word = args.IsText(3) ? NameFold(args.Text(3)) : std::string();
        if (word == "BARTLETT")
            method = tScoreMethod::Bartlett;
        else if (word != "REGRESSION" && word != "THURSTONE")
            return Refuse("Argument 3 muss die Methode sein: REGRESSION oder BARTLETT");
    }
    const trealmatrix loadings = args.Matrix(2);
    trealmatrix phi(loadings.Cols(), loadings.Cols());
    if (args.Has(4)) {
        if (!args.IsMatrix(4))
            return Refuse("Argument 4 muss die Matrix der Faktorkorrelationen Phi sein");
        if (!DataUsable(args, args.Arg(4).matrix, 4))
            return call::Empty();
        phi = args.Matrix(4);
    } else {
        for (int32_t i = 1; i <= phi.Rows(); ++i)
            phi(i, i) = 1;
    }
    tResult<tFactorScores> run = FactorScores(args.Matrix(1), loadings, phi, method);
    if (!run)
        return FailNamed(args, run.Error());
    return MainAndFurther(
        call::RealMatrixValue(run->scores), { call::RealMatrixValue(run->weights) });
}

// MAP(R): the averages per number of components; the suggested number and the average before
// any component is removed for further targets.
tCallOutcome MapCall(const tCallArgs& args)
{
    tCallOutcome refused;
    if (!CorrelationArgument(args, refused))
        return refused;
    tResult<tMinimumAveragePartial> map = MinimumAveragePartial(args.Matrix(1));
    if (!map)
        return FailNamed(args, map.Error());
    tCallOutcome outcome = MainAndFurther(call::RealMatrixValue(map->averages),
        { IntegerValue(map->suggested), RealValue(map->none) });
    if (map->undefinedFrom > 0)
        outcome.Warning = "nach " + std::to_string(map->undefinedFrom)
            + " Komponenten bleibt Variable " + std::to_string(map->emptyVariable)
            + " keine Restvarianz: ihre partiellen Korrelationen und die Mittel ab Zeile "
            + std::to_string(map->undefinedFrom) + " sind nicht bestimmt (leer)";
    return outcome;
}

// Argument i as a whole number from `lowest` to `highest`; otherwise a refusal that names it.
bool WholeArgument(const tCallArgs& args, int32_t i, std::string_view what, long double lowest,
    long double highest, int32_t& value, tCallOutcome& refused)
{
    const long double x = args.IsNumber(i) ? args.Real(i) : -1;
    if (!args.IsNumber(i) || x != std::floor(x) || x < lowest || x > highest) {
        refused = Refuse("Argument " + std::to_string(i) + " muss " + std::string(what)
            + " sein, eine ganze Zahl von " + std::to_string(static_cast<long long>(lowest))
            + " bis " + std::to_string(static_cast<long long>(highest)));
        return false;
    }
    value = static_cast<int32_t>(x);
    return true;
}

// Parallelanalyse(R, n [, saetze [, typ]]): the observed eigenvalues; the percentile eigenvalues
// and the suggested number for further targets.
tCallOutcome ParallelCall(const tCallArgs& args)
{
    tCallOutcome refused;
    if (!CorrelationArgument(args, refused))
        return refused;
    int32_t cases = 0;
    int32_t sets = 100;
    if (!WholeArgument(args, 2, "die Zahl der F\xE4lle", 3, 10000000, cases, refused))
        return refused;
    if (args.Has(3)
        && !WholeArgument(args, 3, "die Zahl der Zufallsdatens\xE4tze", 2, 100000, sets, refused))
        return refused;
    tParallelKind kind = tParallelKind::Components;
    if (args.Has(4)) {
        const std::string word = args.IsText(4) ? NameFold(args.Text(4)) : std::string();
        if (word == "FA")
            kind = tParallelKind::Factors;
        else if (word != "PC")
            return Refuse("Argument 4 muss der Typ sein: PC oder FA");
    }
    tResult<tParallelAnalysis> run
        = ParallelAnalysis(args.Matrix(1), cases, sets, kind, args.Random(), args.Checkpoint());
    if (!run)
        return FailNamed(args, run.Error());
    return MainAndFurther(call::RealMatrixValue(run->observed),
        { call::RealMatrixValue(run->percentile), IntegerValue(run->suggested) });
}

// The values of a vector argument, one per row of a column.
trealmatrix AsColumn(const trealmatrix& m)
{
    if (m.Cols() == 1)
        return m;
    trealmatrix column(m.Cols(), 1);
    for (int32_t j = 1; j <= m.Cols(); ++j)
        column(j, 1) = m(1, j);
    return column;
}

bool VectorArgument(const tCallArgs& args, int32_t i, std::string_view what, tCallOutcome& refused)
{
    const tVariable& arg = args.Arg(i);
    const bool vector = args.IsMatrix(i) && arg.datatype != dtString
        && (arg.matrix.Rows() == 1 || arg.matrix.Cols() == 1) && arg.matrix.Rows() >= 1
        && arg.matrix.Cols() >= 1;
    if (!vector) {
        refused = Refuse("Argument " + std::to_string(i) + " muss " + std::string(what)
            + " sein (eine Zeile oder Spalte)");
        return false;
    }
    return DataUsable(args, arg.matrix, i);
}

// Eigenwertbild(E [, P]): draws the scree picture; the number of eigenvalues above 1, and with P
// the number of leading eigenvalues above their percentile for a further target.
tCallOutcome ScreeCall(const tCallArgs& args)
{
    tCallOutcome refused;
    if (!VectorArgument(args, 1, "der Vektor der Eigenwerte", refused))
        return refused;
    const trealmatrix eigenvalues = AsColumn(args.Matrix(1));
    trealmatrix percentiles;
    if (args.Has(2)) {
        if (!VectorArgument(args, 2, "der Vektor der Perzentile", refused))
            return refused;
        percentiles = AsColumn(args.Matrix(2));
        if (percentiles.Rows() != eigenvalues.Rows())
            return Refuse(
                "es braucht so viele Perzentile (Argument 2: " + std::to_string(percentiles.Rows())
                + ") wie Eigenwerte (Argument 1: " + std::to_string(eigenvalues.Rows()) + ")");
    }
    if (!args.Graphics())
        return call::Fail(Failure(
            1, args.Entry().Name + ": Zeichnungen sind in dieser Ausgabe noch nicht verf\xFCgbar"));
    const std::string refusal
        = args.Graphics()->ShowScree(eigenvalues, args.Has(2) ? &percentiles : nullptr);
    if (!refusal.empty())
        return call::Fail(Failure(1, args.Entry().Name + ": " + refusal));
    int32_t aboveOne = 0;
    for (int32_t i = 1; i <= eigenvalues.Rows(); ++i)
        aboveOne += eigenvalues(i, 1) > 1 ? 1 : 0;
    // Eigenvalues out of their falling order are drawn as given, but a scree that rises again
    // is most likely the wrong vector.
    std::string warning;
    for (int32_t i = 2; i <= eigenvalues.Rows() && warning.empty(); ++i) {
        if (eigenvalues(i, 1) > eigenvalues(i - 1, 1))
            warning = "die Eigenwerte fallen nicht: Wert " + std::to_string(i)
                + " ist gr\xF6\xDF"
                  "er als Wert "
                + std::to_string(i - 1) + "; das Bild zeigt sie in der gegebenen Reihenfolge";
    }
    if (!args.Has(2)) {
        tCallOutcome outcome = call::Integer(aboveOne);
        outcome.Warning = std::move(warning);
        return outcome;
    }
    int32_t leading = 0;
    while (
        leading < eigenvalues.Rows() && eigenvalues(leading + 1, 1) > percentiles(leading + 1, 1))
        ++leading;
    tCallOutcome outcome = MainAndFurther(IntegerValue(aboveOne), { IntegerValue(leading) });
    outcome.Warning = std::move(warning);
    return outcome;
}

// clang-format off
constexpr tDispatchRow Rows[] = {
    { O::KMO,           KmoCall },
    { O::Sphaerizitaet, SphericityCall },
    { O::Faktoren,      FactorsCall },
    { O::RotSchief,     ObliqueCall },
    { O::Faktorwerte,   ScoresCall },
    { O::MAP,           MapCall },
    { O::Parallelanalyse, ParallelCall },
    { O::Eigenwertbild, ScreeCall },
};
// clang-format on

} // namespace

std::span<const tDispatchRow> FactorAnalysisRows()
{
    return Rows;
}

} // namespace zelvora
