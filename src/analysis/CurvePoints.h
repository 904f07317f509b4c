#pragma once
// The points of a sampled curve that a chart of a given plot width needs to
// draw it as it does from every sample: per pixel column the lowest and
// the highest sample, and the curve's two ends. A long run keeps only these
// when all it is wanted for is a picture.

#include <cstddef>
#include <vector>

namespace drivesim {

// The points of one curve that a chart of the given plot width needs: the
// first and last samples and, for each run of samples that falls on one
// pixel column, its lowest and highest in time order. Returned as (sample
// index) in ascending order.
std::vector<std::size_t> CurvePointIndices(const std::vector<double>& samples, int columns);

}  // namespace drivesim
