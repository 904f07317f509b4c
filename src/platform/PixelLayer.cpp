#include "platform/PixelLayer.h"

#include <QImage>
#include <algorithm>
#include <climits>

#include "platform/Canvas.h"
#include "platform/CanvasPainter.h"
#include "platform/Graphics.h"

namespace drivesim {

TPixelLayer TPixelLayer::Capture(int width, int height, const std::function<void(TCanvas&)>& draw) {
  TPixelLayer layer;
  layer.fWidth = std::max(width, 0);
  layer.fHeight = std::max(height, 0);
  if (layer.fWidth == 0 || layer.fHeight == 0) return layer;
  TBitmap onBlack(layer.fWidth, layer.fHeight);
  TBitmap onWhite(layer.fWidth, layer.fHeight);
  // Blackened directly, so that its canvas stays as fresh as the other's.
  ImageOf(onBlack).fill(0xFF000000u);
  draw(onBlack.Canvas());
  draw(onWhite.Canvas());

  const QImage& black = ImageOf(onBlack);
  const QImage& white = ImageOf(onWhite);
  TRect bounds{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  for (int y = 0; y < layer.fHeight; ++y) {
    const auto* b = reinterpret_cast<const QRgb*>(black.constScanLine(y));
    const auto* w = reinterpret_cast<const QRgb*>(white.constScanLine(y));
    int x = 0;
    while (x < layer.fWidth) {
      if (b[x] != w[x]) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < layer.fWidth && b[x] == w[x]) ++x;
      layer.fRuns.push_back(Run{y, start, x - start, layer.fColors.size()});
      layer.fColors.insert(layer.fColors.end(), b + start, b + x);
      bounds = TRect{std::min(bounds.Left, start), std::min(bounds.Top, y),
                     std::max(bounds.Right, x), std::max(bounds.Bottom, y + 1)};
    }
  }
  if (!layer.fRuns.empty()) layer.fBounds = bounds;
  return layer;
}

}  // namespace drivesim
