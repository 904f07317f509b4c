#include "platform/LargeArray.h"

#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace drivesim {

namespace {

// The size and alignment of the system's large pages (2 MiB on the machines
// this program runs on).
constexpr std::size_t kLargePage = std::size_t{2} << 20;

}  // namespace

void* AllocateLargeArray(std::size_t bytes) {
  if (bytes < kLargePage) return ::operator new(bytes);
  void* storage = ::operator new (bytes, std::align_val_t{kLargePage});
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  // Before the first touch, so that the first fill faults in large pages.
  // Where the system does not offer them the advice is refused, and the
  // array simply lies on small pages.
  madvise(storage, bytes, MADV_HUGEPAGE);
#endif
  return storage;
}

void FreeLargeArray(void* storage, std::size_t bytes) noexcept {
  if (bytes < kLargePage) {
    ::operator delete(storage);
  } else {
    ::operator delete (storage, std::align_val_t{kLargePage});
  }
}

}  // namespace drivesim
