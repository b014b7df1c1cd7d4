// Covariance and correlation matrices, their conversion, variable removal, decorrelation and CR
// coefficients: worked examples, reference values of R, accuracy under a large offset.
#include "matrix_test_util.h"
#include "numerics/covariance.h"
#include "numerics/library_state.h"
#include "numerics/matrix_structure.h"
#include "numerics/statistics_transform.h"
#include "reference/covariance_reference.h"
#include "support/result_support.h"

#include <cmath>
#include <random>
#include <span>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using testing::Mat;
using testing::MaxDifference;
using testing::RandomMatrix;

// The largest difference relative to the largest magnitude of the expected matrix.
long double RelativeDifference(const trealmatrix& actual, const trealmatrix& expected)
{
    long double scale = 0;
    for (int32_t r = 1; r <= expected.Rows(); ++r)
        for (int32_t c = 1; c <= expected.Cols(); ++c)
            scale = std::max(scale, std::fabs(expected(r, c)));
    return MaxDifference(actual, expected) / scale;
}

// Correlations computed independently: means first, then sums of products of deviations.
trealmatrix TwoPassCorrelation(const trealmatrix& m, bool normalise)
{
    const int32_t p = m.Rows();
    const int32_t n = m.Cols();
    trealmatrix d(p, n);
    for (int32_t i = 1; i <= p; ++i) {
        long double mean = 0;
        for (int32_t c = 1; c <= n; ++c)
            mean += m(i, c);
        mean /= n;
        for (int32_t c = 1; c <= n; ++c)
            d(i, c) = m(i, c) - mean;
    }
    trealmatrix r(p, p);
    for (int32_t i = 1; i <= p; ++i)
        for (int32_t j = 1; j <= p; ++j) {
            long double sij = 0, sii = 0, sjj = 0;
            for (int32_t c = 1; c <= n; ++c) {
                sij += d(i, c) * d(j, c);
                sii += d(i, c) * d(i, c);
                sjj += d(j, c) * d(j, c);
            }
            r(i, j) = normalise ? sij / std::sqrt(sii * sjj) : sij / n;
        }
    return r;
}

// A data set of the reference header as variables x cases.
trealmatrix Variables(std::span<const long double> data, int cases, int variables)
{
    trealmatrix m(variables, cases);
    for (int c = 1; c <= cases; ++c)
        for (int v = 1; v <= variables; ++v)
            m(v, c) = data[static_cast<std::size_t>((c - 1) * variables + v - 1)];
    return m;
}

trealmatrix Square(std::span<const long double> values, int n)
{
    trealmatrix m(n, n);
    for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= n; ++c)
            m(r, c) = values[static_cast<std::size_t>((r - 1) * n + c - 1)];
    return m;
}

TEST(Covariance, WorkedExamplesOfBothKinds)
{
    const trealmatrix m = Mat({ { 1, -1 }, { 2, -2 } });
    EXPECT_EQ(CovarianceOf(m, 1).Value(), Mat({ { 1, 2 }, { 2, 4 } }));
    EXPECT_EQ(CovarianceOf(m, 2).Value(), Mat({ { 2.5, -2.5 }, { -2.5, 2.5 } }));
    EXPECT_EQ(FailureCode(CovarianceOf(m, 3)), 1);
    EXPECT_EQ(FailureCode(CovarianceOf(trealmatrix(2, 0), 1)), 1); // no case to divide by
    // A single case is its own outer product.
    EXPECT_EQ(CovarianceOf(Mat({ { 2 }, { 3 } }), 1).Value(), Mat({ { 4, 6 }, { 6, 9 } }));
}

TEST(Correlation, ProportionalConstantAndSingleCases)
{
    const trealmatrix r = CorrelationOf(Mat({ { 1, 2, 3, 5 }, { 2, 4, 6, 10 } }), 1).Value();
    EXPECT_LT(MaxDifference(r, Mat({ { 1, 1 }, { 1, 1 } })), 1e-18L);
    // A constant row has no spread: 0 beside the others, 1 on the diagonal (as CovToCorr).
    EXPECT_EQ(
        CorrelationOf(Mat({ { 5, 5, 5 }, { 1, 2, 4 } }), 1).Value(), Mat({ { 1, 0 }, { 0, 1 } }));
    EXPECT_EQ(CorrelationOf(Mat({ { 5 }, { 1 } }), 1).Value(), Mat({ { 1, 0 }, { 0, 1 } }));
    // Constants whose mean rounds are still found constant: their deviations are exactly 0.
    for (const long double value : { 0.1L, 1.0L / 3, 1e8L + 0.7L, -2.9e-7L }) {
        trealmatrix m(2, 7);
        for (int32_t c = 1; c <= 7; ++c) {
            m(1, c) = value;
            m(2, c) = c * c;
        }
        EXPECT_EQ(CorrelationOf(m, 1).Value(), Mat({ { 1, 0 }, { 0, 1 } }))
            << static_cast<double>(value);
    }
    EXPECT_EQ(FailureCode(CorrelationOf(Mat({ { 1, 2 }, { 3, 4 } }), 0)), 1);
    // Kind 2 correlates the columns.
    const trealmatrix cases = Mat({ { 1, 2 }, { 2, 4 }, { 3, 7 } });
    EXPECT_LT(
        MaxDifference(CorrelationOf(cases, 2).Value(), CorrelationOf(Transpose(cases), 1).Value()),
        1e-19L);
}

// The prescribed route is Cov(zvalue along rows), whose standard deviation comes from one pass,
// s = sqrt(n*sum x^2 - (sum x)^2) / n. Under an offset of 1e8 with noise of size 1 the two sums
// agree in all but about 3 of the 19 digits of the 80-bit mantissa, so its correlations are wrong
// from the 4th digit on. CorrelationOf standardises in two passes and keeps 15 digits.
TEST(Correlation, LargeOffsetKeepsFifteenDigits)
{
    std::mt19937 gen(1609);
    trealmatrix m = RandomMatrix(gen, 4, 500);
    for (int32_t r = 1; r <= m.Rows(); ++r)
        for (int32_t c = 1; c <= m.Cols(); ++c)
            m(r, c) = 1e8L + m(r, c) + (r == 2 ? 0.5L * m(1, c) : 0);
    const trealmatrix expected = TwoPassCorrelation(m, true);
    EXPECT_LT(RelativeDifference(CorrelationOf(m, 1).Value(), expected), 1e-15L);
    EXPECT_LT(RelativeDifference(CorrelationOf(Transpose(m), 2).Value(), expected), 1e-15L);
    const trealmatrix onePass = CovarianceOf(ZValues(m, 1).Value(), 1).Value();
    EXPECT_GT(RelativeDifference(onePass, expected), 1e-8L);
    // Covariances of deviation data (the program's convention) are as accurate.
    EXPECT_LT(RelativeDifference(
                  CovarianceOf(Deviations(m, 1).Value(), 1).Value(), TwoPassCorrelation(m, false)),
        1e-15L);
}

struct tReferenceSet {
    const char* name;
    std::span<const long double> data;
    int cases;
    int variables;
    std::span<const long double> populationCov, corr, sampleCov, covToCorr;
};

TEST(Correlation, AgreesWithRReferenceData)
{
    namespace ref = testing::reference;
    const tReferenceSet sets[] = {
        { "swiss", ref::swissData, ref::swissCases, ref::swissVariables, ref::swissPopulationCov,
            ref::swissCorr, ref::swissSampleCov, ref::swissCovToCorr },
        { "attitude", ref::attitudeData, ref::attitudeCases, ref::attitudeVariables,
            ref::attitudePopulationCov, ref::attitudeCorr, ref::attitudeSampleCov,
            ref::attitudeCovToCorr },
        { "mtcars", ref::mtcarsData, ref::mtcarsCases, ref::mtcarsVariables,
            ref::mtcarsPopulationCov, ref::mtcarsCorr, ref::mtcarsSampleCov, ref::mtcarsCovToCorr },
    };
    for (const tReferenceSet& set : sets) {
        SCOPED_TRACE(set.name);
        const trealmatrix x = Variables(set.data, set.cases, set.variables);
        const int p = set.variables;
        // R works in double precision: agreement to about 1e-14.
        EXPECT_LT(RelativeDifference(CovarianceOf(Deviations(x, 1).Value(), 1).Value(),
                      Square(set.populationCov, p)),
            1e-14L);
        EXPECT_LT(RelativeDifference(CovarianceOf(Deviations(Transpose(x), 2).Value(), 2).Value(),
                      Square(set.populationCov, p)),
            1e-14L);
        EXPECT_LT(RelativeDifference(CorrelationOf(x, 1).Value(), Square(set.corr, p)), 1e-14L);
        EXPECT_LT(RelativeDifference(
                      CovToCorrelation(Square(set.sampleCov, p)).Value(), Square(set.covToCorr, p)),
            1e-14L);
    }
}

TEST(CovToCorrelation, ScalesAndKeepsZeroVariances)
{
    const trealmatrix r = CovToCorrelation(Mat({ { 4, 2 }, { 2, 9 } })).Value();
    EXPECT_LT(MaxDifference(r, Mat({ { 1, 1.0L / 3 }, { 1.0L / 3, 1 } })), 1e-19L);
    EXPECT_EQ(CovToCorrelation(Mat({ { 4, 3, 1 }, { 3, 0, 2 }, { 1, 2, 1 } })).Value(),
        Mat({ { 1, 0, 0.5 }, { 0, 1, 0 }, { 0.5, 0, 1 } }));
    EXPECT_EQ(FailureCode(CovToCorrelation(Mat({ { 1, 2 } }))), 1);
}

TEST(RemoveVariable, ExtractsOneFactor)
{
    EXPECT_EQ(RemoveVariable(Mat({ { 4, 2 }, { 2, 9 } }), 1).Value(), Mat({ { 0, 0 }, { 0, 8 } }));
    // Removing every variable in turn leaves nothing of a positive definite matrix.
    const trealmatrix c = Mat({ { 4, 2, 1 }, { 2, 5, 3 }, { 1, 3, 6 } });
    EXPECT_LT(
        MaxDifference(
            RemoveVariable(RemoveVariable(RemoveVariable(c, 2).Value(), 1).Value(), 3).Value(),
            trealmatrix(3, 3)),
        1e-18L);
    // A variable without variance has no factor; a number outside the matrix is a range error.
    EXPECT_EQ(RemoveVariable(Mat({ { 0, 0 }, { 0, 9 } }), 1).Value(), Mat({ { 0, 0 }, { 0, 9 } }));
    EXPECT_THROW(RemoveVariable(c, 4).Value(), tRangeError);
    EXPECT_THROW(RemoveVariable(c, 0).Value(), tRangeError);
    EXPECT_EQ(FailureCode(RemoveVariable(Mat({ { 1, 2 } }), 1)), 1);
}

TEST(DecorrelateRows, LeavesUncorrelatedRowsWithTheirVariances)
{
    tNumericsContextScope context;
    std::mt19937 gen(77);
    trealmatrix m = RandomMatrix(gen, 3, 200);
    for (int32_t c = 1; c <= m.Cols(); ++c) {
        m(2, c) = 3 * m(2, c) + 2 * m(1, c);
        m(3, c) = 0.1L * m(3, c) - m(1, c);
    }
    m = Deviations(m, 1).Value();
    const trealmatrix covariance = CovarianceOf(m, 1).Value();
    const trealmatrix after = CovarianceOf(DecorrelateRows(m).Value(), 1).Value();
    for (int32_t i = 1; i <= 3; ++i)
        for (int32_t j = 1; j <= 3; ++j)
            EXPECT_NEAR(static_cast<double>(after(i, j)),
                i == j ? static_cast<double>(covariance(i, i)) : 0.0, 1e-13)
                << i << "," << j;
}

TEST(DecorrelateRows, ConstantRowsStayAndDependentRowsFail)
{
    tNumericsContextScope context;
    const trealmatrix withZero = Mat({ { 1, -1, 2, -2 }, { 0, 0, 0, 0 } });
    EXPECT_EQ(DecorrelateRows(withZero), withZero);
    EXPECT_NE(FailureMessage(DecorrelateRows(Mat({ { 1, -1, 2, -2 }, { 2, -2, 4, -4 } })))
                  .find("linear abh\xE4ngig"),
        std::string::npos);
}

TEST(CRCoefficients, PairsOffTheDiagonal)
{
    const trealmatrix m = Mat({ { 1, 4, 2, 8, 5, 7 }, { 2, 3, 3, 9, 4, 8 } });
    const trealmatrix r = CRCoefficients(m, 1);
    ASSERT_EQ(r.Dims(), (tMatDims { 2, 2 }));
    EXPECT_EQ(r(1, 1), 0);
    EXPECT_EQ(r(2, 2), 0);
    EXPECT_NE(r(1, 2), r(2, 1)); // the two ordered pairs differ
    // A tall matrix is transposed first; metric 2 differs from metric 1.
    EXPECT_EQ(CRCoefficients(Transpose(m), 1), r);
    EXPECT_NE(CRCoefficients(m, 2), r);
    // By hand for metric 2: z-values, their squares standardised, residuals of each on the other.
    const trealmatrix z = StandardiseRows(m);
    long double rho = 0;
    for (int32_t c = 1; c <= 6; ++c)
        rho += z(1, c) * z(2, c) / 6;
    trealmatrix e(1, 6), zz(1, 6);
    for (int32_t c = 1; c <= 6; ++c) {
        e(1, c) = z(2, c) - rho * z(1, c);
        zz(1, c) = z(1, c) * z(1, c);
    }
    e = StandardiseRows(e);
    for (int32_t c = 1; c <= 6; ++c)
        e(1, c) *= e(1, c);
    e = StandardiseRows(e);
    zz = StandardiseRows(zz);
    long double expected = 0;
    for (int32_t c = 1; c <= 6; ++c)
        expected += zz(1, c) * e(1, c) / 6;
    EXPECT_NEAR(
        static_cast<double>(CRCoefficients(m, 2)(1, 2)), static_cast<double>(expected), 1e-15);
}

TEST(StandardiseRows, TwoPassZValues)
{
    const trealmatrix z = StandardiseRows(Mat({ { 1, 2, 3 }, { 4, 4, 4 } }));
    const long double s = std::sqrt(2.0L / 3);
    EXPECT_LT(MaxDifference(z, Mat({ { -1 / s, 0, 1 / s }, { 0, 0, 0 } })), 1e-18L);
    EXPECT_EQ(StandardiseRows(trealmatrix(2, 0)).Dims(), (tMatDims { 2, 0 }));
}

} // namespace
} // namespace zelvora
