// Heap settings for large matrices.
#include "numerics/process_setup.h"

// Any C library header defines __GLIBC__ where the C library is glibc; without one the test below
// would always be false and the settings would silently not be made.
#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace zelvora {

void KeepLargeBlocksForReuse()
{
#if defined(__GLIBC__)
    constexpr int mapThreshold = 32 * 1024 * 1024; // the C library's largest allowed value
    constexpr int trimThreshold = 256 * 1024 * 1024;
    mallopt(M_MMAP_THRESHOLD, mapThreshold);
    mallopt(M_TRIM_THRESHOLD, trimThreshold);
#endif
}

} // namespace zelvora
