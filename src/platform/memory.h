#pragma once
// The process's free memory handed back to the system.

namespace platform {

// After a large structure was freed: the C library's allocator keeps freed blocks inside its
// heaps (one per thread that allocated), resident, until told to give them back. Windows' heap
// returns large blocks by itself, so there it does nothing.
void releaseFreeMemory();

} // namespace platform
