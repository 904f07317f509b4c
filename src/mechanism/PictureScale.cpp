#include "mechanism/PictureScale.h"

#include <algorithm>
#include <cmath>

#include "platform/Exceptions.h"
#include "platform/Numbers.h"

namespace drivesim {

TPictureScale::TPictureScale(double ratio) : fRatio(ratio) {
  if (!(ratio > 0) || !std::isfinite(ratio)) throw Exception("Invalid pixel ratio");
  fLineWidth = std::max(1, ScalePixels(1, ratio));
  // A line of odd width covers the pixel it names and as many on either
  // side, its middle half a pixel beyond its coordinate; one of even width
  // covers one pixel more after its coordinate than before it, its middle a
  // whole pixel beyond.
  fLineShift = ratio / 2 - (fLineWidth % 2 == 1 ? 0.5 : 1.0);
}

int TPictureScale::DeviceLength(int pixels) const { return ScalePixels(pixels, fRatio); }

int TPictureScale::Pixel(int x) const {
  if (fRatio == 1.0) return x;
  return static_cast<int>(std::floor(Line(x) + 0.5));
}

TRect TPictureScale::Box(int left, int top, int right, int bottom) const {
  return TRect{Pixel(left), Pixel(top), Pixel(right - 1) + 1, Pixel(bottom - 1) + 1};
}

}  // namespace drivesim
