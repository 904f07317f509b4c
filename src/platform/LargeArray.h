#pragma once
// Storage for large arrays of numbers, such as the values of a series of a
// million points. An array of 2 MiB or more is placed on a 2 MiB boundary
// and marked as worth backing with the system's large pages where it offers
// them, so that walking through it takes one address translation per 2 MiB
// instead of one per 4 KiB page, and filling it for the first time one page
// fault per 2 MiB. Smaller arrays are ordinary allocations. Nothing about
// the contents changes: this is where the storage lies, not what it holds.

#include <cstddef>

namespace drivesim {

// Storage of at least `bytes` bytes, suitably aligned for any number type;
// raises std::bad_alloc when there is none. Freed by FreeLargeArray with
// the same size.
void* AllocateLargeArray(std::size_t bytes);
void FreeLargeArray(void* storage, std::size_t bytes) noexcept;

}  // namespace drivesim
