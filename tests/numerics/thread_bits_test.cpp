// Kernels that split their rows among the worker threads give the same bits, and the same errors,
// for 1, 2 and 3 threads as on the run thread alone.
#include "matrix_test_util.h"
#include "numerics/covariance.h"
#include "numerics/eigen_system.h"
#include "numerics/factor_count.h"
#include "numerics/gauss_jordan.h"
#include "numerics/library_state.h"
#include "numerics/matrix_arith.h"
#include "numerics/matrix_product.h"
#include "numerics/oblique_rotations.h"
#include "numerics/rank_inverse.h"
#include "numerics/worker_pool.h"

#include <functional>
#include <random>
#include <string>
#include <thread>
#include <typeinfo>

#include <gtest/gtest.h>

namespace zelvora {
namespace {
using testing::BitHash;

constexpr std::uint32_t seed = 3517;

// Elements with all 64 significant bits random, over a spread of magnitudes.
trealmatrix FullBitsMatrix(std::mt19937_64& random, int32_t rows, int32_t cols)
{
    std::uniform_real_distribution<long double> uniform(-1, 1);
    trealmatrix m(rows, cols);
    for (int32_t r = 1; r <= rows; ++r) {
        for (int32_t c = 1; c <= cols; ++c)
            m(r, c) = uniform(random) * std::exp2(static_cast<long double>(random() % 20) - 10);
    }
    return m;
}

// The hash of a kernel's result, or the name of the error it raised.
std::string Outcome(const std::function<trealmatrix()>& kernel)
{
    try {
        return std::to_string(BitHash(kernel()));
    } catch (const std::exception& error) {
        return std::string("raised ") + typeid(error).name();
    }
}

// The kernel's outcome on the run thread alone, then with pools of 1, 2 and 3 threads: all equal.
void ExpectSameForEveryThreadCount(const char* what, const std::function<trealmatrix()>& kernel)
{
    const tNumericsContextScope context;
    const std::string alone = Outcome(kernel);
    for (int32_t threads : { 1, 2, 3 }) {
        tWorkerPool pool(threads);
        const tWorkersScope workers(&pool);
        EXPECT_EQ(Outcome(kernel), alone) << what << " with " << threads << " threads";
    }
}

TEST(ThreadBits, ProductsOfEveryShapeKeepTheirBits)
{
    std::mt19937_64 random(seed);
    struct tShape {
        int32_t rows, inner, cols;
    };
    for (const tShape& shape :
        { tShape { 1, 1, 1 }, { 7, 5, 3 }, { 130, 257, 129 }, { 300, 40, 301 }, { 65, 600, 2 } }) {
        trealmatrix a = FullBitsMatrix(random, shape.rows, shape.inner);
        const trealmatrix b = FullBitsMatrix(random, shape.inner, shape.cols);
        const std::string size = std::to_string(shape.rows) + "x" + std::to_string(shape.inner)
            + "x" + std::to_string(shape.cols);
        ExpectSameForEveryThreadCount(
            ("MatMul " + size).c_str(), [&] { return MatMul(a, b).Value(); });
        ExpectSameForEveryThreadCount(
            ("MatMul B*A " + size).c_str(), [&] { return MatMul(b, a, 2).Value(); });
        // A value outside the doubles' range takes the products' other packing.
        a(1, 1) = 1e-4000L;
        ExpectSameForEveryThreadCount(
            ("MatMul wide " + size).c_str(), [&] { return MatMul(a, b).Value(); });
    }
    SCOPED_TRACE("seed " + std::to_string(seed));
}

TEST(ThreadBits, GramProductsCorrelationsAndCovariancesKeepTheirBits)
{
    std::mt19937_64 random(seed + 1);
    const trealmatrix wide = FullBitsMatrix(random, 201, 600);
    const trealmatrix tall = FullBitsMatrix(random, 600, 33);
    ExpectSameForEveryThreadCount("A*A'", [&] { return GramProduct(wide, 1).Value(); });
    ExpectSameForEveryThreadCount("A'*A", [&] { return GramProduct(tall, 2).Value(); });
    ExpectSameForEveryThreadCount("Corr rows", [&] { return CorrelationOf(wide, 1).Value(); });
    ExpectSameForEveryThreadCount("Corr columns", [&] { return CorrelationOf(tall, 2).Value(); });
    ExpectSameForEveryThreadCount("Cov rows", [&] { return CovarianceOf(wide, 1).Value(); });
    ExpectSameForEveryThreadCount("Cov columns", [&] { return CovarianceOf(tall, 2).Value(); });
}

TEST(ThreadBits, GaussJordanKeepsItsBitsAndItsErrors)
{
    std::mt19937_64 random(seed + 2);
    for (int32_t n : { 3, 61, 150, 201 }) {
        const trealmatrix a = FullBitsMatrix(random, n, n);
        const trealmatrix b = FullBitsMatrix(random, 40, n);
        const std::string size = std::to_string(n);
        ExpectSameForEveryThreadCount(
            ("UInv " + size).c_str(), [&] { return GaussJordanInverse(a).Value(); });
        ExpectSameForEveryThreadCount(
            ("B*A^-1 " + size).c_str(), [&] { return SolveRight(b, a).Value(); });
        if (n <= 61) // its sweeps take long; the inner inverse is the same Gauss-Jordan
            ExpectSameForEveryThreadCount(
                ("Inv " + size).c_str(), [&] { return RankInverse(a).Value(); });
    }
    // Values near the largest real overflow in the row updates, on whichever thread.
    trealmatrix huge = FullBitsMatrix(random, 150, 150);
    for (int32_t r = 1; r <= huge.Rows(); ++r) {
        for (int32_t c = 1; c <= huge.Cols(); ++c)
            huge(r, c) *= 1e4931L;
    }
    EXPECT_EQ(Outcome([&] { return GaussJordanInverse(huge).Value(); }).rfind("raised", 0), 0u);
    ExpectSameForEveryThreadCount(
        "UInv overflowing", [&] { return GaussJordanInverse(huge).Value(); });
}

TEST(ThreadBits, GaussJordanStopsAtTheCheckPointOnTheRunThread)
{
    std::mt19937_64 random(seed + 5);
    const trealmatrix a = FullBitsMatrix(random, 120, 120);
    const std::thread::id runThread = std::this_thread::get_id();
    for (int32_t threads : { 1, 2, 3 }) {
        const tNumericsContextScope context;
        tWorkerPool pool(threads);
        const tWorkersScope workers(&pool);
        int32_t reached = 0;
        bool elsewhere = false;
        const tCheckpoint stopAtTheTenth = [&] {
            elsewhere = elsewhere || std::this_thread::get_id() != runThread;
            if (++reached == 10)
                throw tInterrupted();
        };
        EXPECT_THROW(GaussJordanInverse(a, &stopAtTheTenth), tInterrupted) << threads;
        EXPECT_EQ(reached, 10) << threads;
        EXPECT_FALSE(elsewhere) << threads;
        const tCheckpoint never = [] {};
        EXPECT_EQ(
            BitHash(GaussJordanInverse(a, &never).Value()), BitHash(GaussJordanInverse(a).Value()));
    }
}

TEST(ThreadBits, ElementwiseArithmeticKeepsItsBitsAndItsErrors)
{
    std::mt19937_64 random(seed + 3);
    trealmatrix a = FullBitsMatrix(random, 400, 401);
    trealmatrix b = FullBitsMatrix(random, 400, 401);
    const trealmatrix row = FullBitsMatrix(random, 1, 401);
    for (const tElementwiseOp op :
        { tElementwiseOp::Add, tElementwiseOp::Subtract, tElementwiseOp::Multiply }) {
        const std::string name = std::to_string(static_cast<int>(op));
        ExpectSameForEveryThreadCount(
            ("elementwise " + name).c_str(), [&] { return ElementwiseArith(a, b, op).Value(); });
        ExpectSameForEveryThreadCount(("row broadcast " + name).c_str(),
            [&] { return ElementwiseArith(a, row, op).Value(); });
    }
    // An overflow in any row, whichever thread computes it, fails the sum; with an invalid
    // operation in another row the worse error is the same for every count.
    const auto sum = [&] { return ElementwiseArith(a, b, tElementwiseOp::Add).Value(); };
    for (int32_t r = 1; r <= a.Rows(); r += 19) {
        a(r, 5) = b(r, 5) = 1e4932L;
        EXPECT_EQ(Outcome(sum).rfind("raised", 0), 0u);
        ExpectSameForEveryThreadCount(("overflow in row " + std::to_string(r)).c_str(), sum);
        a(r, 5) = b(r, 5) = 1;
    }
    a(399, 5) = b(399, 5) = 1e4932L;
    a(2, 2) = HUGE_VALL;
    b(2, 2) = -HUGE_VALL;
    const std::string invalid = Outcome(sum);
    ExpectSameForEveryThreadCount("invalid and overflowing sum", sum);
    a(2, 2) = b(2, 2) = 0;
    EXPECT_NE(Outcome(sum), invalid);
}

// The matrices side by side, so one hash covers all of them.
trealmatrix SideBySide(const std::vector<trealmatrix>& parts)
{
    int32_t cols = 0;
    for (const trealmatrix& part : parts)
        cols += part.Cols();
    trealmatrix joined(parts.front().Rows(), cols);
    int32_t offset = 0;
    for (const trealmatrix& part : parts) {
        for (int32_t r = 1; r <= part.Rows(); ++r) {
            for (int32_t c = 1; c <= part.Cols(); ++c)
                joined(r, offset + c) = part(r, c);
        }
        offset += part.Cols();
    }
    return joined;
}

TEST(ThreadBits, EigenSystemsKeepTheirBits)
{
    std::mt19937_64 random(seed + 4);
    // 90 stays below the size at which the sweeps' rotations go to the workers; 150 splits them
    // for the first half of each sweep's rows of pairs.
    for (int32_t n : { 90, 150 }) {
        const trealmatrix root = FullBitsMatrix(random, n, n);
        const trealmatrix symmetric = GramProduct(root, 2).Value();
        ExpectSameForEveryThreadCount(("EigenSys " + std::to_string(n)).c_str(), [&] {
            const trealmatrixarr parts = EigenSystem(symmetric).Value();
            return SideBySide({ parts[0], parts[1], parts[2] });
        });
    }
}

TEST(ThreadBits, SweepsOverPartOfTheRowsAndColumnsKeepTheirBits)
{
    // Every index but each tenth, last to first: the rows and columns outside the list still take
    // the turns of each sweep, in blocks on the workers.
    std::mt19937_64 random(seed + 6);
    const int32_t n = 170;
    const trealmatrix root = FullBitsMatrix(random, n, n);
    const trealmatrix symmetric = GramProduct(root, 2).Value();
    tIntvector list(n - n / 10);
    int32_t index = n + 1;
    for (int32_t i = 1; i <= list.Count(); ++i) {
        if (--index % 10 == 0)
            --index;
        list[i] = index;
    }
    ExpectSameForEveryThreadCount("sweeps over part of the indexes", [&] {
        const tRotationResult result = SimilaritySweeps(symmetric, list, list, nullptr);
        return SideBySide({ result.rotated, result.transform });
    });
}

// GEOMIN's starts and parallel analysis's random sets run as tasks of their own; the random
// numbers are drawn before, in the order of the starts and sets.
TEST(ThreadBits, FactorAnalysisStartsAndRandomSetsKeepTheirBits)
{
    // Loadings whose best GEOMIN solution only random starts find.
    const trealmatrix loadings
        = testing::Mat({ { 0.7, 0.3, 0.1 }, { 0.6, -0.2, 0.3 }, { 0.5, 0.4, -0.3 },
            { 0.4, -0.5, 0.2 }, { 0.6, 0.1, 0.5 }, { 0.3, 0.6, 0.2 }, { 0.5, -0.3, -0.4 } });
    ExpectSameForEveryThreadCount("GEOMIN with 7 starts", [&] {
        tRandomGenerator generator(11);
        tObliqueRotation run = GeominRotation(loadings, 0.01L, 7, generator).Value();
        run.pattern(1, 1) += run.criterion; // the criterion's bits count as well
        return run.pattern;
    });
    std::mt19937_64 random(seed + 7);
    const trealmatrix r = GramProduct(FullBitsMatrix(random, 6, 6), 2).Value();
    for (const tParallelKind kind : { tParallelKind::Components, tParallelKind::Factors }) {
        ExpectSameForEveryThreadCount("parallel analysis", [&] {
            tRandomGenerator generator(9);
            return ParallelAnalysis(r, 40, 23, kind, generator).Value().percentile;
        });
    }
}

} // namespace
} // namespace zelvora
