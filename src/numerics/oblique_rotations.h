// Oblique rotations of a loading matrix: direct OBLIMIN and GEOMIN by gradient projection, and
// PROMAX from the Kaiser-normalised VARIMAX.
#pragma once

#include "numerics/matrix_types.h"
#include "numerics/plane_rotations.h"
#include "numerics/random_matrices.h"
#include "numerics/result.h"

#include <functional>

namespace zelvora {

// Every result has its factors turned so that each pattern column has a nonnegative sum.
struct tObliqueRotation {
    trealmatrix pattern; // p x k: A * transform
    trealmatrix structure; // p x k: pattern * phi, the correlations of variables and factors
    trealmatrix phi; // k x k factor correlations, (transform' transform)^-1
    trealmatrix transform; // k x k
    long double criterion = 0; // the rotation criterion at the pattern (PROMAX: none, 0)
    int32_t iterations = 0;
    bool converged = false;
};

// Direct OBLIMIN with parameter gamma (0: quartimin): minimises
// sum over pairs of factors j != l of sum_i x_ij x_il - gamma / p * (sum_i x_ij)(sum_i x_il), x =
// L^2, divided by 4. Gradient projection (Jennrich 2002) from the identity: T with unit columns,
// pattern = A (T')^-1, steps halved until the criterion falls by half the squared projected
// gradient times the step; ends when the projected gradient's norm is below 1e-10 (converged),
// when rounding stops the progress (converged when the norm is below 1e-8) or after
// maxIterations. Every step on the run thread reaches the session's check point (NumericsContext),
// where a stop request ends the rotation. A with fewer than 2 columns or a non-finite element
// fails.
tResult<tObliqueRotation> ObliminRotation(
    const trealmatrix& a, long double gamma, int32_t maxIterations = 100000);

// GEOMIN with epsilon: minimises sum_i (prod_j (L_ij^2 + epsilon))^(1/k) by the same gradient
// projection, from the identity and starts - 1 random starts (normal elements, unit columns, drawn
// from `random`, all before the first run); the start with the lowest criterion wins (the
// earliest of equals). The starts run on the threads of the context's worker pool, which reaches
// the context's check point between them: the same result for any number of threads. epsilon
// must be positive.
tResult<tObliqueRotation> GeominRotation(const trealmatrix& a, long double epsilon, int32_t starts,
    tRandomGenerator& random, int32_t maxIterations = 100000);

// PROMAX with power m > 1 (Hendrickson and White): B = the VARIMAX of A with rows normalised
// (Kaiser) and scaled back; target Q = B * |B|^(m-1); U = (B'B)^-1 B'Q with its columns scaled so
// that (U'U)^-1 has a unit diagonal; pattern = B U.
tResult<tObliqueRotation> PromaxRotation(const trealmatrix& a, long double power);

// Kaiser normalisation around an orthogonal rotation: the rows of A scaled to unit length (a zero
// row stays zero), rotated, and scaled back; rotated = A * transform as before.
tRotationResult KaiserNormalised(
    const trealmatrix& a, const std::function<tRotationResult(const trealmatrix&)>& rotate);

} // namespace zelvora
