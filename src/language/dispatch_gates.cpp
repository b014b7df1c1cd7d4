// The argument gates shared by the routines of a group.
#include "language/dispatch_gates.h"

#include "numerics/missing_values.h"

#include <cmath>
#include <string>

namespace zelvora {

bool DataUsable(const tCallArgs& args, const trealmatrix& m, int32_t argument, tMissing missing)
{
    for (int32_t r = 1; r <= m.Rows(); ++r) {
        for (int32_t c = 1; c <= m.Cols(); ++c) {
            const long double x = m(r, c);
            const bool unusable = !std::isfinite(x);
            if (!unusable && !(missing == tMissing::Refused && x == MissingNumber))
                continue;
            const std::string where = " in Zeile " + std::to_string(r) + ", Spalte "
                + std::to_string(c) + " von Argument " + std::to_string(argument);
            args.Fail(Failure(args.Entry().Name
                + (unusable ? ": keine endliche Zahl" + where
                            : ": fehlender Wert" + where + " (Miss2Mean ersetzt fehlende Werte)")));
            return false;
        }
    }
    return true;
}

} // namespace zelvora
