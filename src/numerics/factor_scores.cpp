// Factor scores by regression (Thurstone) and by Bartlett's weighted least squares.
#include "numerics/factor_scores.h"

#include "numerics/factor_inputs.h"

#include <cmath>
#include <string>

namespace zelvora {
namespace {

std::string Size(const trealmatrix& m)
{
    return std::to_string(m.Rows()) + " x " + std::to_string(m.Cols());
}

// Columns as z-values with divisor n - 1; fails for a column without spread.
tResult<trealmatrix> StandardisedColumns(const trealmatrix& x)
{
    const int32_t n = x.Rows();
    trealmatrix z(n, x.Cols());
    for (int32_t c = 1; c <= x.Cols(); ++c) {
        long double mean = 0;
        for (int32_t r = 1; r <= n; ++r)
            mean += x(r, c);
        mean /= n;
        long double squares = 0;
        for (int32_t r = 1; r <= n; ++r)
            squares += (x(r, c) - mean) * (x(r, c) - mean);
        const long double sd = std::sqrt(squares / (n - 1));
        if (!(sd > 0))
            return Failure(
                "Variable (Spalte) " + std::to_string(c) + " der Daten hat keine Streuung");
        for (int32_t r = 1; r <= n; ++r)
            z(r, c) = (x(r, c) - mean) / sd;
    }
    return z;
}

trealmatrix Product(const trealmatrix& a, const trealmatrix& b)
{
    trealmatrix p(a.Rows(), b.Cols());
    for (int32_t i = 1; i <= a.Rows(); ++i)
        for (int32_t j = 1; j <= b.Cols(); ++j) {
            long double sum = 0;
            for (int32_t k = 1; k <= a.Cols(); ++k)
                sum += a(i, k) * b(k, j);
            p(i, j) = sum;
        }
    return p;
}

trealmatrix Correlations(const trealmatrix& z)
{
    const int32_t p = z.Cols();
    trealmatrix r(p, p);
    for (int32_t i = 1; i <= p; ++i)
        for (int32_t j = i; j <= p; ++j) {
            long double sum = 0;
            for (int32_t c = 1; c <= z.Rows(); ++c)
                sum += z(c, i) * z(c, j);
            r(i, j) = r(j, i) = sum / (z.Rows() - 1);
        }
    return r;
}

tResult<trealmatrix> RegressionWeights(const trealmatrix& z, const trealmatrix& structure)
{
    tResult<trealmatrix> inverse = CorrelationInverse(Correlations(z));
    if (!inverse)
        return Failure("Regressionsmethode: " + inverse.Error().Message);
    return Product(*inverse, structure);
}

tResult<trealmatrix> BartlettWeights(const trealmatrix& loadings, const trealmatrix& structure)
{
    const int32_t p = loadings.Rows();
    const int32_t k = loadings.Cols();
    // U^-2 L, row i divided by the uniqueness 1 - (L Phi L')_ii = 1 - sum_j S_ij L_ij.
    trealmatrix scaled(p, k);
    for (int32_t i = 1; i <= p; ++i) {
        long double communality = 0;
        for (int32_t j = 1; j <= k; ++j)
            communality += structure(i, j) * loadings(i, j);
        const long double uniqueness = 1 - communality;
        if (!(uniqueness > 1e-12L))
            return Failure("Bartlett-Methode: die Eindeutigkeit von Variable " + std::to_string(i)
                + " ist nicht positiv (Kommunalit\xE4t " + FactorMessageNumber(communality) + ")");
        for (int32_t j = 1; j <= k; ++j)
            scaled(i, j) = loadings(i, j) / uniqueness;
    }
    // (L' U^-2 L)^-1 by the Cholesky-based inverse: the matrix is positive definite unless the
    // columns of L are linearly dependent.
    trealmatrix normal(k, k);
    for (int32_t a = 1; a <= k; ++a)
        for (int32_t b = a; b <= k; ++b) {
            long double sum = 0;
            for (int32_t i = 1; i <= p; ++i)
                sum += loadings(i, a) * scaled(i, b);
            normal(a, b) = normal(b, a) = sum;
        }
    tResult<trealmatrix> inverse = CorrelationInverse(normal);
    if (!inverse)
        return Failure("Bartlett-Methode: die Spalten der Ladungsmatrix sind linear abh\xE4ngig");
    return Product(scaled, *inverse);
}

tResult<bool> ShapesFit(
    const trealmatrix& data, const trealmatrix& loadings, const trealmatrix& phi)
{
    if (data.Rows() < 2)
        return Failure("die Daten brauchen mindestens 2 F\xE4lle (Zeilen)");
    if (loadings.Rows() != data.Cols())
        return Failure("die Ladungsmatrix (" + Size(loadings) + ") braucht eine Zeile je Variable "
            + "(Spalte) der Daten (" + Size(data) + ")");
    const int32_t k = loadings.Cols();
    if (phi.Rows() != k || phi.Cols() != k)
        return Failure("Phi (" + Size(phi) + ") muss " + std::to_string(k) + " x "
            + std::to_string(k) + " sein, eine Zeile und Spalte je Faktor");
    for (int32_t a = 1; a <= k; ++a)
        for (int32_t b = a + 1; b <= k; ++b)
            if (!(std::fabs(phi(a, b) - phi(b, a)) <= 1e-12L))
                return Failure("Phi ist nicht symmetrisch: Element (" + std::to_string(a) + ","
                    + std::to_string(b) + ")");
    return true;
}

} // namespace

tResult<tFactorScores> FactorScores(const trealmatrix& data, const trealmatrix& loadings,
    const trealmatrix& phi, tScoreMethod method)
{
    tResult<bool> fit = ShapesFit(data, loadings, phi);
    if (!fit)
        return fit.Error();
    tResult<trealmatrix> z = StandardisedColumns(data);
    if (!z)
        return z.Error();
    const trealmatrix structure = Product(loadings, phi);
    tResult<trealmatrix> weights = method == tScoreMethod::Regression
        ? RegressionWeights(*z, structure)
        : BartlettWeights(loadings, structure);
    if (!weights)
        return weights.Error();
    return tFactorScores { Product(*z, *weights), std::move(*weights) };
}

} // namespace zelvora
