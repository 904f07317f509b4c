#pragma once
// Storage for large arrays of numbers, such as the values of a series of a
// million points. An array of 2 MiB or more is placed on a 2 MiB boundary
// and marked as worth backing with the system's large pages where it offers
// them, so that walking through it takes one address translation per 2 MiB
// instead of one per 4 KiB page, and filling it for the first time one page
// fault per 2 MiB. Smaller arrays are ordinary allocations. Nothing about
// the contents changes: this is where the storage lies, not what it holds.

#include <cstddef>
#include <new>

namespace drivesim {

// Storage of at least `bytes` bytes, suitably aligned for any number type;
// raises std::bad_alloc when there is none. Freed by FreeLargeArray with
// the same size.
void* AllocateLargeArray(std::size_t bytes);
void FreeLargeArray(void* storage, std::size_t bytes) noexcept;

// An allocator for standard containers of numbers that may grow large.
template <typename T>
struct TLargeArrayAllocator {
  using value_type = T;
  TLargeArrayAllocator() = default;
  template <typename U>
  TLargeArrayAllocator(const TLargeArrayAllocator<U>&) noexcept {}
  T* allocate(std::size_t count) { return static_cast<T*>(AllocateLargeArray(count * sizeof(T))); }
  void deallocate(T* storage, std::size_t count) noexcept {
    FreeLargeArray(storage, count * sizeof(T));
  }
  // Elements made without a value are left as the storage holds them, so
  // that growing an array that is written right after costs no pass of
  // zeros; elements made from a value are copies of it.
  template <typename U>
  void construct(U* element) noexcept {
    ::new (static_cast<void*>(element)) U;
  }
  template <typename U, typename... Args>
  void construct(U* element, Args&&... args) {
    ::new (static_cast<void*>(element)) U(static_cast<Args&&>(args)...);
  }
  friend bool operator==(const TLargeArrayAllocator&, const TLargeArrayAllocator&) { return true; }
};

}  // namespace drivesim
