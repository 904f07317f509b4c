// Storage for large arrays: small arrays are ordinary, arrays of 2 MiB and
// more lie on 2 MiB boundaries.
#include <gtest/gtest.h>

#include <cstdint>

#include "platform/LargeArray.h"

namespace drivesim {
namespace {

TEST(LargeArrayTest, LargeArraysLieOnLargePageBoundariesAndHoldTheirValues) {
  constexpr std::size_t kLargePage = std::size_t{2} << 20;
  for (const std::size_t bytes :
       {std::size_t{8}, kLargePage - 8, kLargePage, 3 * kLargePage + 24}) {
    void* storage = AllocateLargeArray(bytes);
    ASSERT_NE(storage, nullptr);
    const auto address = reinterpret_cast<std::uintptr_t>(storage);
    EXPECT_EQ(address % alignof(std::max_align_t), 0u) << bytes;
    if (bytes >= kLargePage) {
      EXPECT_EQ(address % kLargePage, 0u) << bytes;
    }
    // Every byte can be written and read back.
    auto* bytesOf = static_cast<unsigned char*>(storage);
    for (std::size_t i = 0; i < bytes; i += 4093) bytesOf[i] = static_cast<unsigned char>(i);
    bytesOf[bytes - 1] = 0xA5;
    for (std::size_t i = 0; i < bytes - 1; i += 4093) {
      ASSERT_EQ(bytesOf[i], static_cast<unsigned char>(i));
    }
    EXPECT_EQ(bytesOf[bytes - 1], 0xA5);
    FreeLargeArray(storage, bytes);
  }
}

}  // namespace
}  // namespace drivesim
