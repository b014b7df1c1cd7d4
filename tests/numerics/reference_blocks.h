// Reference answers of R stored as named blocks of numbers ("name rows cols" and the elements row
// by row), read from the test data folder, and comparisons that allow a factor's sign and order.
#pragma once

#include "numerics/matrix_types.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include <gtest/gtest.h>

namespace zelvora::testing {

using tBlocks = std::map<std::string, trealmatrix>;

// The test data folder: $ZELVORA_TEST_DATA as CTest sets it, else the one beside this file.
inline std::string DataDirectory()
{
    if (const char* set = std::getenv("ZELVORA_TEST_DATA"))
        return set;
    return std::filesystem::path(__FILE__).parent_path().parent_path() / "data";
}

// The blocks of <data>/<folder>/<name>.txt.
inline tBlocks ReadBlocks(const std::string& folder, const std::string& name)
{
    std::ifstream in(DataDirectory() + "/" + folder + "/" + name + ".txt");
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

inline long double MaxAbs(const trealmatrix& m)
{
    long double worst = 0;
    for (int32_t r = 1; r <= m.Rows(); ++r)
        for (int32_t c = 1; c <= m.Cols(); ++c)
            worst = std::max(worst, std::fabs(m(r, c)));
    return worst;
}

// The largest difference between the columns of `ours` and the reference columns they match
// best, each taken with the sign that fits: equality up to column order and sign.
inline long double DifferenceUpToOrderAndSign(const trealmatrix& ours, const trealmatrix& reference)
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

} // namespace zelvora::testing
