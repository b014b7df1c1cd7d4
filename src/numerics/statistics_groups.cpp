// Category numbers and groups of the statistics.
#include "numerics/statistics_groups.h"

#include "numerics/matrix_size.h"
#include "numerics/run_time_error.h"
#include "numerics/sorting.h"

namespace zelvora {

tIntvector CategoryCodes(const tRealVector& v)
{
    const int32_t n = v.Count();
    tIntvector codes(n);
    const tIntvector order = IndexSortReal(v);
    int32_t code = 0;
    for (int32_t i = 1; i <= n; ++i) {
        const int32_t position = order[static_cast<std::size_t>(i)];
        const int32_t previous = i > 1 ? order[static_cast<std::size_t>(i - 1)] : 0;
        if (i == 1
            || v[static_cast<std::size_t>(position)] != v[static_cast<std::size_t>(previous)])
            ++code;
        codes[static_cast<std::size_t>(position)] = code;
    }
    codes[0] = code;
    return codes;
}

tIntvector GroupCodes(const trealmatrix& groups, int32_t direction, int32_t count)
{
    if (groups.IsAbsent()) {
        tIntvector codes(count, 1);
        codes[0] = 1;
        return codes;
    }
    tRealVector keys;
    if (direction == 1 && groups.Rows() >= 1) {
        keys = tRealVector(groups.Cols());
        for (int32_t c = 1; c <= groups.Cols(); ++c)
            keys[static_cast<std::size_t>(c)] = groups(1, c);
    } else if (direction == 2 && groups.Cols() >= 1) {
        keys = tRealVector(groups.Rows());
        for (int32_t r = 1; r <= groups.Rows(); ++r)
            keys[static_cast<std::size_t>(r)] = groups(r, 1);
    } else if (direction == 3) {
        keys = tRealVector(DimensionProduct(groups.Rows(), groups.Cols()));
        std::size_t next = 0;
        for (int32_t r = 1; r <= groups.Rows(); ++r) {
            for (int32_t c = 1; c <= groups.Cols(); ++c)
                keys[++next] = groups(r, c);
        }
    } else {
        keys = tRealVector(0);
    }
    if (keys.Count() < count)
        throw tRangeError();
    return CategoryCodes(keys);
}

} // namespace zelvora
