// The numeric library's storage and elementary operations in one include.
#pragma once

#include "numerics/library_state.h"
#include "numerics/matrix_alloc.h"
#include "numerics/matrix_arith.h"
#include "numerics/matrix_convert.h"
#include "numerics/matrix_product.h"
#include "numerics/matrix_structure.h"
#include "numerics/matrix_types.h"
#include "numerics/run_time_error.h"
#include "numerics/scalar_math.h"
