// Runs of one colour written several pixels per store: every length and
// every starting place sets exactly the run's pixels, whatever the
// alignment, and leaves its neighbours alone.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/PixelRuns.h"

namespace drivesim {
namespace {

TEST(PixelRunsTest, RunsOfEveryLengthSetExactlyTheirPixels) {
  constexpr std::uint32_t kBefore = 0xFF123456u;
  constexpr std::uint32_t kColor = 0xFF00FF00u;
  // Short runs, the lengths where long runs take over, and rows as wide
  // as the oscilloscope's at its pixel ratios.
  std::vector<int> counts;
  for (int count = -1; count <= 140; ++count) counts.push_back(count);
  for (const int count : {353, 441, 530, 706, 1001}) counts.push_back(count);
  for (int start = 0; start < 9; ++start) {
    for (const int count : counts) {
      SCOPED_TRACE(testing::Message() << "start " << start << ", count " << count);
      std::vector<std::uint32_t> row(1024, kBefore);
      FillPixelRun(row.data() + start, count, kColor);
      for (int x = 0; x < static_cast<int>(row.size()); ++x) {
        const bool inside = x >= start && x < start + count;
        ASSERT_EQ(row[static_cast<std::size_t>(x)], inside ? kColor : kBefore) << "pixel " << x;
      }
    }
  }
}

}  // namespace
}  // namespace drivesim
