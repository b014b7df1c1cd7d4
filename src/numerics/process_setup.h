// Process-wide settings that a front end makes once at start, before the first statement runs.
#pragma once

namespace zelvora {

// Keeps freed matrix blocks in the heap for the next statement instead of giving them back to the
// system after every statement: blocks up to 32 MiB (a 1400 x 1400 matrix) come from the heap, and
// the heap is trimmed only when more than 256 MiB lie free at its top. Without it each large result
// lands on fresh pages and the statement pays a page fault per 4 KiB. Does nothing where the C
// library offers no such settings.
void KeepLargeBlocksForReuse();

} // namespace zelvora
