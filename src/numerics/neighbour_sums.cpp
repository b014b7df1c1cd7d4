// Weighted neighbour sums, plain, centred and masked.
#include "numerics/neighbour_sums.h"

#include "numerics/scalar_math.h"

namespace zelvora {

tResult<trealmatrix> WeightedNeighbours(
    const trealmatrix& m, const trealmatrix& w, bool centred, const trealmatrix& mask)
{
    if (w.Rows() != 1 && w.Rows() < m.Rows()) {
        return Failure("Die Gewichtsmatrix braucht eine Zeile oder so viele Zeilen wie die Matrix");
    }
    const bool masked = !mask.IsAbsent();
    if (masked && (mask.Cols() != m.Cols() || (mask.Rows() != 1 && mask.Rows() != m.Rows()))) {
        return Failure("Die Maske braucht die Gr\xF6\xDF"
                       "e der Matrix oder eine Zeile ebenso vieler Spalten");
    }
    const int32_t cols = m.Cols();
    const int32_t width = w.Cols();
    const int32_t shift = centred ? (width + 1) / 2 : 1;
    trealmatrix result(m.Rows(), cols);
    for (int32_t i = 1; i <= m.Rows(); ++i) {
        const long double* weights = w.Row(w.Rows() == 1 ? 1 : i);
        const long double* marks = masked ? mask.Row(mask.Rows() == 1 ? 1 : i) : nullptr;
        for (int32_t f = 1; f <= cols; ++f) {
            long double sum = 0;
            long double weightSum = 0;
            for (int32_t k = width; k >= 1; --k) {
                const int32_t source = f - k + shift;
                if (source < 1 || source > cols || (marks && marks[source] == 0))
                    continue;
                sum += SafeMul(weights[k], m(i, source), 0);
                weightSum += weights[k];
            }
            result(i, f) = masked ? SafeDiv(sum, weightSum, 0) : sum;
        }
    }
    return result;
}

} // namespace zelvora
