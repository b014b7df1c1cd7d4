// Memory for bulk data: the slot blocks of matrices and whole files read at once.
#include "numerics/bulk_memory.h"

#include <cstdint>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace zelvora {
namespace {

// Asks the kernel to back the 2 MiB stretches around a large block with huge pages. The stretch
// is widened to whole huge pages because the kernel uses one only where all of it carries the
// advice; the memory around the block is the process's own heap, where the advice does no harm.
// Advice only: a kernel without transparent huge pages refuses it and small pages serve as before.
void AdviseHugePages(void* block, std::size_t bytes)
{
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr std::uintptr_t hugePage = std::uintptr_t { 2 } << 20;
    const auto start = reinterpret_cast<std::uintptr_t>(block) & ~(hugePage - 1);
    const std::uintptr_t end
        = (reinterpret_cast<std::uintptr_t>(block) + bytes + hugePage - 1) & ~(hugePage - 1);
    madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
#else
    (void)block;
    (void)bytes;
#endif
}

} // namespace

void* AllocateBulkMemory(std::size_t bytes)
{
    void* block = ::operator new(bytes);
    if (bytes >= largeBlockBytes)
        AdviseHugePages(block, bytes);
    return block;
}

} // namespace zelvora
