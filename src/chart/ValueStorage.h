#pragma once
// The stored values of a value list: a growable array of doubles on storage
// fit for a million of them (LargeArray.h). It does what the lists ask of
// an array and no more, so that appending a value the list has made room
// for is one store and one count, with no check of its own.

#include <cstddef>
#include <utility>

#include "platform/LargeArray.h"

namespace drivesim {

class TValueStorage {
 public:
  TValueStorage() = default;
  TValueStorage(const TValueStorage&) = delete;
  TValueStorage& operator=(const TValueStorage&) = delete;
  TValueStorage(TValueStorage&& other) noexcept { swap(other); }
  TValueStorage& operator=(TValueStorage&& other) noexcept {
    TValueStorage(std::move(other)).swap(*this);
    return *this;
  }
  ~TValueStorage() { Release(); }

  std::size_t size() const { return fSize; }
  std::size_t capacity() const { return fCapacity; }
  bool empty() const { return fSize == 0; }
  double* data() { return fData; }
  const double* data() const { return fData; }
  double* begin() { return fData; }
  double* end() { return fData + fSize; }
  const double* begin() const { return fData; }
  const double* end() const { return fData + fSize; }
  double& operator[](std::size_t index) { return fData[index]; }
  double operator[](std::size_t index) const { return fData[index]; }
  double front() const { return fData[0]; }
  double back() const { return fData[fSize - 1]; }

  // Keeps the storage.
  void clear() { fSize = 0; }
  // Room for at least count values, the values kept.
  void reserve(std::size_t count) {
    if (count > fCapacity) MoveTo(count);
  }
  // count values; the ones added are left as the storage holds them, for a
  // caller who writes them right after.
  void resize(std::size_t count) {
    reserve(count);
    fSize = count;
  }
  // Storage for exactly the values held, none when there are none.
  void shrink_to_fit() {
    if (fCapacity > fSize) MoveTo(fSize);
  }
  void push_back(double value) {
    if (fSize == fCapacity) MoveTo(fCapacity == 0 ? 1 : 2 * fCapacity);
    fData[fSize++] = value;
  }
  // push_back when size() < capacity(), which the caller has made sure of.
  void AppendWithRoom(double value) { fData[fSize++] = value; }
  // Inserts value before position (begin()..end()); returns where it lies.
  double* insert(const double* position, double value);
  // Removes the value at position (begin()..end() - 1).
  void erase(const double* position);
  void swap(TValueStorage& other) noexcept {
    std::swap(fData, other.fData);
    std::swap(fSize, other.fSize);
    std::swap(fCapacity, other.fCapacity);
  }

 private:
  // Moves the values to new storage for capacity values (at least size()).
  void MoveTo(std::size_t capacity);
  void Release() noexcept {
    if (fData) FreeLargeArray(fData, fCapacity * sizeof(double));
    fData = nullptr;
    fCapacity = 0;
  }

  double* fData = nullptr;
  std::size_t fSize = 0;
  std::size_t fCapacity = 0;
};

}  // namespace drivesim
