// The pseudo-inverse through the Gram products.
#include "numerics/pseudo_inverse.h"

#include "numerics/gauss_jordan.h"
#include "numerics/matrix_product.h"
#include "numerics/matrix_structure.h"

namespace zelvora {

tResult<trealmatrix> PseudoInverse(const trealmatrix& a)
{
    if (a.IsAbsent())
        return Failure(1, "");
    if (a.Rows() < a.Cols())
        return MatMul(Transpose(a), GaussJordanInverse(GramProduct(a, 1).Value()).Value());
    if (a.Rows() > a.Cols())
        return MatMul(GaussJordanInverse(GramProduct(a, 2).Value()).Value(), Transpose(a));
    return GaussJordanInverse(a).Value();
}

} // namespace zelvora
