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
  const int r1 = (bottom - 1) / kTileHeight;
  for (int r = top / kTileHeight; r <= r1; ++r) {
    std::uint8_t* row = fTiles.data() + static_cast<std::size_t>(r) * fColumns;
    std::fill(row + c0, row + c1 + 1, std::uint8_t{1});
  }
  fAny = true;
}

void TDamageTiles::Clear() {
  if (fAny) std::fill(fTiles.begin(), fTiles.end(), std::uint8_t{0});
  fAny = false;
  fAll = false;
}

bool TDamageTiles::Marked(int x, int y) const {
  if (x < 0 || y < 0 || x >= fWidth || y >= fHeight) return false;
  if (fAll) return true;
  return fTiles[static_cast<std::size_t>(y / kTileHeight) * fColumns + x / kTileWidth] != 0;
}

}  // namespace drivesim
