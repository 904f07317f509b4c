#pragma once
// A bitmap's pixels row by row, top to bottom and left to right: what the
// pixel tests compare, whether two pictures are the same, a picture kept to
// be looked at, and a picture to draw over.
#include <QImage>
#include <cstddef>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/Graphics.h"

namespace drivesim {

// Colours the pixel tests draw with and look for, written out rather than
// taken from the platform's names.
inline constexpr TColor kRed = 0x0000FF;
inline constexpr TColor kGreen = 0x00FF00;
inline constexpr TColor kBlue = 0xFF0000;

inline std::vector<TColor> Pixels(const TBitmap& bitmap) {
  std::vector<TColor> pixels;
  pixels.reserve(static_cast<std::size_t>(bitmap.Width()) * bitmap.Height());
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) pixels.push_back(bitmap.Pixel(x, y));
  }
  return pixels;
}

// Whether the two bitmaps have the same size and pixels.
inline bool SamePixels(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
  return true;
}

// Saves the picture as name in the folder DRIVESIM_PICTURES names, when it
// is set: the pictures a test draws, kept to be looked at.
inline void KeepPicture(const TBitmap& bitmap, const std::string& name) {
  if (const char* folder = std::getenv("DRIVESIM_PICTURES")) {
    bitmap.SaveToPng(std::string(folder) + "/" + name);
  }
}

// A picture that differs from pixel to pixel, so that a pixel left alone
// cannot pass for one that was set.
inline void PaintNoise(TBitmap& bitmap) {
  QImage& image = *static_cast<QImage*>(bitmap.PlatformImage());
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      image.setPixel(x, y, qRgb((x * 37 + y * 11) & 255, (x * 5 + y * 71) & 255, (x ^ y) & 255));
    }
  }
}

}  // namespace drivesim
