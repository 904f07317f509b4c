#include "platform/DamageTiles.h"

#include <algorithm>

namespace drivesim {

void TDamageTiles::Reset(int width, int height) {
  fWidth = std::max(width, 0);
  fHeight = std::max(height, 0);
  fColumns = (fWidth + kTileWidth - 1) / kTileWidth;
  fRows = (fHeight + kTileHeight - 1) / kTileHeight;
  fTiles.assign(static_cast<std::size_t>(fColumns) * fRows, 0);
  fAny = false;
  fMarked = 0;
  fLastC0 = -1;
  fAll = true;
}

void TDamageTiles::Mark(const TRect& rect) {
  if (fAll) return;
  const int left = std::max(rect.Left, 0);
  const int top = std::max(rect.Top, 0);
  const int right = std::min(rect.Right, fWidth);
  const int bottom = std::min(rect.Bottom, fHeight);
  if (left >= right || top >= bottom) return;
  const int c0 = left / kTileWidth;
  const int c1 = (right - 1) / kTileWidth;
  const int r0 = top / kTileHeight;
  const int r1 = (bottom - 1) / kTileHeight;
  if (c0 == fLastC0 && c1 == fLastC1 && r0 <= fLastR1 + 1 && r1 >= fLastR0 - 1) {
    MarkTiles(c0, c1, r0, fLastR0 - 1);
    MarkTiles(c0, c1, fLastR1 + 1, r1);
    fLastR0 = std::min(fLastR0, r0);
    fLastR1 = std::max(fLastR1, r1);
    return;
  }
  MarkTiles(c0, c1, r0, r1);
  fLastC0 = c0;
  fLastC1 = c1;
  fLastR0 = r0;
  fLastR1 = r1;
}

void TDamageTiles::MarkTiles(int c0, int c1, int r0, int r1) {
  for (int r = r0; r <= r1; ++r) {
    std::uint8_t* row = fTiles.data() + static_cast<std::size_t>(r) * fColumns;
    for (int c = c0; c <= c1; ++c) {
      fMarked += row[c] ^ 1u;
      row[c] = 1;
    }
  }
  if (r0 <= r1) fAny = true;
}

void TDamageTiles::Clear() {
  if (fAny) std::fill(fTiles.begin(), fTiles.end(), std::uint8_t{0});
  fAny = false;
  fMarked = 0;
  fLastC0 = -1;
  fAll = false;
}

double TDamageTiles::MarkedShare() const {
  if (fAll) return 1.0;
  if (fTiles.empty()) return 0.0;
  return static_cast<double>(fMarked) / static_cast<double>(fTiles.size());
}

bool TDamageTiles::Marked(int x, int y) const {
  if (x < 0 || y < 0 || x >= fWidth || y >= fHeight) return false;
  if (fAll) return true;
  return fTiles[static_cast<std::size_t>(y / kTileHeight) * fColumns + x / kTileWidth] != 0;
}

}  // namespace drivesim
