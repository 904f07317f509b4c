#pragma once
// A bitmap's pixels row by row, top to bottom and left to right: what the
// pixel tests compare.
#include <cstddef>
#include <vector>

#include "platform/Graphics.h"

namespace drivesim {

inline std::vector<TColor> Pixels(const TBitmap& bitmap) {
  std::vector<TColor> pixels;
  pixels.reserve(static_cast<std::size_t>(bitmap.Width()) * bitmap.Height());
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) pixels.push_back(bitmap.Pixel(x, y));
  }
  return pixels;
}

}  // namespace drivesim
