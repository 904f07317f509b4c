#pragma once
// Runs of pixels of one colour written straight into a row of an image, for
// the canvas's own fills and rasterisers. A run is written several pixels per
// store; which pixels are set, and to what, is exactly what setting them one
// by one gives. Nothing outside src/platform includes this header.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <cwchar>

namespace drivesim {

// Sets the count pixels (none when count <= 0) from first on to color.
inline void FillPixelRun(std::uint32_t* first, std::ptrdiff_t count, std::uint32_t color) {
  // Long runs (the rows of a fill) go to the C library's wide-character
  // fill, which writes them with the widest stores the processor has;
  // wchar_t is a 32-bit integer here, as a pixel is.
  static_assert(sizeof(wchar_t) == sizeof(std::uint32_t));
  if (count >= 64) {
    std::wmemset(reinterpret_cast<wchar_t*>(first), static_cast<wchar_t>(color),
                 static_cast<std::size_t>(count));
    return;
  }
  if (count < 8) {
    for (std::ptrdiff_t i = 0; i < count; ++i) first[i] = color;
    return;
  }
  // Four pixels per store; the last store may overlap the one before, which
  // sets the same colour again.
  using Four = std::uint32_t __attribute__((vector_size(16)));
  const Four four = {color, color, color, color};
  std::ptrdiff_t i = 0;
  for (; i + 8 <= count; i += 8) {
    std::memcpy(first + i, &four, sizeof four);
    std::memcpy(first + i + 4, &four, sizeof four);
  }
  if (i + 4 <= count) std::memcpy(first + i, &four, sizeof four);
  std::memcpy(first + count - 4, &four, sizeof four);
}

}  // namespace drivesim
