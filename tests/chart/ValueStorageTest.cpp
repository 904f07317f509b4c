// The value lists' array against the standard vector on random edits: the
// same values in the same places after every step, whatever the growth and
// the moves of storage in between.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "chart/ValueStorage.h"

namespace drivesim {
namespace {

void ExpectSame(const TValueStorage& storage, const std::vector<double>& model,
                const std::string& what) {
  ASSERT_EQ(storage.size(), model.size()) << what;
  ASSERT_GE(storage.capacity(), storage.size()) << what;
  ASSERT_EQ(storage.empty(), model.empty()) << what;
  for (std::size_t i = 0; i < model.size(); ++i)
    ASSERT_EQ(storage[i], model[i]) << what << " at " << i;
  if (!model.empty()) {
    EXPECT_EQ(storage.front(), model.front()) << what;
    EXPECT_EQ(storage.back(), model.back()) << what;
    EXPECT_EQ(storage.end() - storage.begin(), static_cast<long>(model.size())) << what;
  }
}

TEST(ValueStorage, RandomEditsLeaveWhatAVectorLeaves) {
  std::mt19937 random(17);
  const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  for (int sequence = 0; sequence < 100; ++sequence) {
    TValueStorage storage;
    std::vector<double> model;
    double next = 0;
    for (int step = 0; step < 300; ++step) {
      const std::string what =
          "sequence " + std::to_string(sequence) + ", step " + std::to_string(step);
      const auto size = static_cast<int>(model.size());
      switch (pick(12)) {
        case 0: {
          const int at = pick(size + 1);
          storage.insert(storage.begin() + at, next);
          model.insert(model.begin() + at, next);
          break;
        }
        case 1:
          if (size > 0) {
            const int at = pick(size);
            storage.erase(storage.begin() + at);
            model.erase(model.begin() + at);
          }
          break;
        case 2: {
          // Grown values are written right after, as the lists do.
          const auto count = static_cast<std::size_t>(pick(2 * size + 3));
          const std::size_t old = model.size();
          storage.resize(count);
          model.resize(count);
          for (std::size_t i = old; i < count; ++i) storage[i] = model[i] = next + i;
          break;
        }
        case 3: storage.reserve(static_cast<std::size_t>(pick(3 * size + 2))); break;
        case 4:
          storage.shrink_to_fit();
          EXPECT_EQ(storage.capacity(), storage.size()) << what;
          break;
        case 5:
          if (pick(4) == 0) {
            storage.clear();
            model.clear();
          }
          break;
        case 6: {
          // Out and back again through a move and a swap.
          TValueStorage moved(std::move(storage));
          EXPECT_TRUE(storage.empty()) << what;
          EXPECT_EQ(storage.capacity(), 0u) << what;
          TValueStorage other;
          other.push_back(-1);
          other.swap(moved);
          EXPECT_EQ(moved.size(), 1u) << what;
          storage = std::move(other);
          break;
        }
        default:
          if (storage.size() < storage.capacity() && pick(2) == 0) {
            storage.AppendWithRoom(next);
          } else {
            storage.push_back(next);
          }
          model.push_back(next);
      }
      next += 1;
      ExpectSame(storage, model, what);
    }
  }
}

TEST(ValueStorage, EmptyingToNoStorageAndGrowingAgain) {
  TValueStorage storage;
  storage.shrink_to_fit();
  EXPECT_EQ(storage.data(), nullptr);
  for (int i = 0; i < 300000; ++i) storage.push_back(i * 0.5);  // across 2 MiB
  EXPECT_EQ(storage[299999], 299999 * 0.5);
  for (int i = 0; i < 300000; i += 997) ASSERT_EQ(storage[static_cast<std::size_t>(i)], i * 0.5);
  // Large storage lies on a large page's boundary.
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(storage.data()) % (std::size_t{2} << 20), 0u);
  storage.clear();
  EXPECT_GE(storage.capacity(), 300000u);  // clear keeps the storage
  storage.shrink_to_fit();
  EXPECT_EQ(storage.capacity(), 0u);
  EXPECT_EQ(storage.data(), nullptr);
  storage.insert(storage.end(), 7);
  EXPECT_EQ(storage.size(), 1u);
  EXPECT_EQ(storage.back(), 7);
}

}  // namespace
}  // namespace drivesim
