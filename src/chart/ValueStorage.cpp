#include "chart/ValueStorage.h"

#include <cstring>

namespace drivesim {

void TValueStorage::MoveTo(std::size_t capacity) {
  if (capacity == 0) {
    Release();
    return;
  }
  auto* storage = static_cast<double*>(AllocateLargeArray(capacity * sizeof(double)));
  if (fSize > 0) std::memcpy(storage, fData, fSize * sizeof(double));
  const std::size_t size = fSize;
  Release();
  fData = storage;
  fSize = size;
  fCapacity = capacity;
}

double* TValueStorage::insert(const double* position, double value) {
  const auto at = static_cast<std::size_t>(position - fData);
  if (fSize == fCapacity) MoveTo(fCapacity == 0 ? 1 : 2 * fCapacity);
  double* slot = fData + at;
  std::memmove(slot + 1, slot, (fSize - at) * sizeof(double));
  *slot = value;
  ++fSize;
  return slot;
}

void TValueStorage::erase(const double* position) {
  const auto at = static_cast<std::size_t>(position - fData);
  std::memmove(fData + at, fData + at + 1, (fSize - at - 1) * sizeof(double));
  --fSize;
}

}  // namespace drivesim
