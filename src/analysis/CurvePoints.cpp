#include "analysis/CurvePoints.h"

#include <algorithm>

namespace drivesim {

std::vector<std::size_t> CurvePointIndices(const std::vector<double>& samples, int columns) {
  std::vector<std::size_t> indices;
  const std::size_t n = samples.size();
  if (n == 0) return indices;
  const std::size_t wanted = static_cast<std::size_t>(std::max(columns, 1)) * 2;
  if (n <= wanted) {
    for (std::size_t i = 0; i < n; ++i) indices.push_back(i);
    return indices;
  }
  const std::size_t buckets = static_cast<std::size_t>(std::max(columns, 1));
  indices.push_back(0);
  for (std::size_t b = 0; b < buckets; ++b) {
    const std::size_t begin = std::max<std::size_t>(1, b * (n - 1) / buckets);
    const std::size_t end = std::min(n - 1, (b + 1) * (n - 1) / buckets);
    if (begin >= end) continue;
    std::size_t low = begin;
    std::size_t high = begin;
    for (std::size_t i = begin; i < end; ++i) {
      if (samples[i] < samples[low]) low = i;
      if (samples[i] > samples[high]) high = i;
    }
    indices.push_back(std::min(low, high));
    if (low != high) indices.push_back(std::max(low, high));
  }
  indices.push_back(n - 1);
  return indices;
}

}  // namespace drivesim
