// Factor rotations against reference answers of R (stats::varimax, GPArotation::quartimax, the
// orthogonal Procrustes solution of GPArotation::targetT, the principal axes of L'L) for factor
// solutions of Harman74.cor, ability.cov, attitude and mtcars. The data files were written once by
// tests/data/rotations/make_reference.R.
#include "matrix_test_util.h"
#include "numerics/factor_rotations.h"
#include "numerics/matrix_product.h"
#include "numerics/rotation_criteria.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using tBlocks = std::map<std::string, trealmatrix>;

// The test data folder: $ZELVORA_TEST_DATA as CTest sets it, else the one beside this file.
std::string DataDirectory()
{
    if (const char* set = std::getenv("ZELVORA_TEST_DATA"))
        return set;
    return std::filesystem::path(__FILE__).parent_path().parent_path() / "data";
}

tBlocks ReadBlocks(const std::string& name)
{
    std::ifstream in(DataDirectory() + "/rotations/" + name + ".txt");
    tBlocks blocks;
    std::string key;
    int32_t rows = 0;
    int32_t cols = 0;
    while (in >> key >> rows >> cols) {
        trealmatrix m(rows, cols);
        for (int32_t r = 1; r <= rows; ++r)
            for (int32_t c = 1; c <= cols; ++c)
                in >> m(r, c);
        blocks[key] = std::move(m);
    }
    return blocks;
}

long double MaxAbs(const trealmatrix& m)
{
    long double worst = 0;
    for (int32_t r = 1; r <= m.Rows(); ++r)
        for (int32_t c = 1; c <= m.Cols(); ++c)
            worst = std::max(worst, std::fabs(m(r, c)));
    return worst;
}

// The largest difference between the columns of `ours` and the reference columns they match
// best, each taken with the sign that fits: equality up to column order and sign.
long double DifferenceUpToOrderAndSign(const trealmatrix& ours, const trealmatrix& reference)
{
    EXPECT_EQ(ours.Dims(), reference.Dims());
    long double worst = 0;
    for (int32_t c = 1; c <= ours.Cols(); ++c) {
        long double best = INFINITY;
        for (int32_t k = 1; k <= reference.Cols(); ++k) {
            for (long double sign : { 1.0L, -1.0L }) {
                long double diff = 0;
                for (int32_t r = 1; r <= ours.Rows(); ++r)
                    diff = std::max(diff, std::fabs(ours(r, c) - sign * reference(r, k)));
                best = std::min(best, diff);
            }
        }
        worst = std::max(worst, best);
    }
    return worst;
}

long double RawVarimax(const trealmatrix& l)
{
    long double total = 0;
    for (int32_t c = 1; c <= l.Cols(); ++c) {
        long double fourth = 0;
        long double second = 0;
        for (int32_t r = 1; r <= l.Rows(); ++r) {
            fourth += std::pow(l(r, c), 4);
            second += l(r, c) * l(r, c);
        }
        total += fourth - second * second / l.Rows();
    }
    return total;
}

long double Quartimax(const trealmatrix& l)
{
    long double total = 0;
    for (int32_t r = 1; r <= l.Rows(); ++r)
        for (int32_t c = 1; c <= l.Cols(); ++c)
            total += std::pow(l(r, c), 4);
    return total;
}

long double SquaredDistance(const trealmatrix& a, const trealmatrix& b)
{
    long double total = 0;
    for (int32_t r = 1; r <= a.Rows(); ++r)
        for (int32_t c = 1; c <= a.Cols(); ++c)
            total += (a(r, c) - b(r, c)) * (a(r, c) - b(r, c));
    return total;
}

class RotationReference : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        blocks = ReadBlocks(GetParam());
        ASSERT_EQ(blocks.count("loadings"), 1u) << "missing data file " << GetParam();
        loadings = blocks["loadings"];
        rows = AllIndexes(loadings.Rows());
        cols = AllIndexes(loadings.Cols());
        tolerance = 1e-6L * MaxAbs(loadings);
    }
    long double Relative(long double ours, const char* key)
    {
        const long double reference = blocks[key](1, 1);
        return std::fabs(ours - reference) / std::fabs(reference);
    }
    tBlocks blocks;
    trealmatrix loadings;
    tIntvector rows;
    tIntvector cols;
    long double tolerance = 0;
};

TEST_P(RotationReference, RawVarimax)
{
    const tRotationResult run = RotationSweeps(loadings, rows, cols, VarimaxCriterion);
    EXPECT_LT(DifferenceUpToOrderAndSign(run.rotated, blocks["varimax"]), tolerance);
    EXPECT_LT(Relative(RawVarimax(run.rotated), "varimax_value"), 1e-9L);
    EXPECT_LT(testing::MaxDifference(MatMul(loadings, run.transform).Value(), run.rotated), 1e-15L);
    EXPECT_LT(run.sweeps, 40) << "a converged rotation ends within a few sweeps";
}

TEST_P(RotationReference, Quartimax)
{
    const tRotationResult run = RotationSweeps(loadings, rows, cols, QuartimaxCriterion);
    EXPECT_LT(DifferenceUpToOrderAndSign(run.rotated, blocks["quartimax"]), tolerance);
    EXPECT_LT(Relative(Quartimax(run.rotated), "quartimax_value"), 1e-9L);
    EXPECT_LT(run.sweeps, 40);
}

TEST_P(RotationReference, TargetIsTheProcrustesSolution)
{
    const trealmatrix& target = blocks["target"];
    const tRotationResult run = TargetRotation(loadings, target, rows, cols, false);
    // The target fixes order and signs: no matching needed.
    EXPECT_LT(testing::MaxDifference(run.rotated, blocks["ziel"]), tolerance);
    EXPECT_LT(Relative(SquaredDistance(run.rotated, target), "ziel_value"), 1e-9L);
    EXPECT_LT(run.sweeps, 60);
}

TEST_P(RotationReference, PrincipalAxes)
{
    const tRotationResult run = RotationSweeps(loadings, rows, cols, PrincipalAxisCriterion);
    EXPECT_LT(DifferenceUpToOrderAndSign(run.rotated, blocks["pca"]), tolerance);
}

INSTANTIATE_TEST_SUITE_P(FactorSolutions, RotationReference,
    ::testing::Values("harman74", "ability", "attitude", "mtcars"));

} // namespace
} // namespace zelvora
