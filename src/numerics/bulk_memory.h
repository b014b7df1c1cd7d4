// Memory for bulk data: the slot blocks of matrices and whole files read at once.
#pragma once

#include <cstddef>

namespace zelvora {

// Blocks of this many bytes or more are large: they are marked for transparent huge pages, so
// that a fresh result of a 1000 x 1000 matrix meets a few page faults instead of four thousand.
inline constexpr std::size_t largeBlockBytes = std::size_t { 4 } << 20;

// Uninitialised memory for a block of `bytes` bytes from the ordinary heap (so that freed blocks
// are reused as any other memory); throws std::bad_alloc when there is none. Free it with
// ::operator delete.
void* AllocateBulkMemory(std::size_t bytes);

} // namespace zelvora
