#pragma once
// TDamageTiles: where a bitmap's pixels may have changed, kept in tiles of
// kTileWidth x kTileHeight pixels. A tile is marked when any drawing may
// have set one of its pixels; a mark can stand for more pixels than were
// set, never for fewer. Used to bring an image back to an earlier picture by
// copying only the tiles drawn on since (TCanvas::RestoreDamage).

#include <cstdint>
#include <vector>

#include "platform/Types.h"

namespace drivesim {

class TDamageTiles {
 public:
  static constexpr int kTileWidth = 8;
  static constexpr int kTileHeight = 4;

  // An image of this size, every pixel marked: nothing is known of it yet.
  void Reset(int width, int height);
  void MarkAll() { fAll = true; }
  // Marks the tiles the rectangle touches, as far as it lies in the image.
  void Mark(const TRect& rect);
  void Clear();
  bool All() const { return fAll; }
  bool IsClear() const { return !fAll && !fAny; }
  // The share of the image's tiles marked, from 0 to 1.
  double MarkedShare() const;
  // Whether the pixel (x, y) of the image lies in a marked tile.
  bool Marked(int x, int y) const;
  // Calls f(TRect) for each run of marked tiles along a row of tiles, cut to
  // the image, top row first; once for the whole image when All().
  template <class F>
  void ForEachRun(F f) const;

 private:
  int fWidth = 0;
  int fHeight = 0;
  int fColumns = 0;
  int fRows = 0;
  // Marks tiles c0..c1 of rows r0..r1 (inside the image; none when r1 < r0).
  void MarkTiles(int c0, int c1, int r0, int r1);

  bool fAll = true;
  bool fAny = false;
  std::size_t fMarked = 0;
  // The tiles of the last marks along the same columns of tiles, all
  // marked: a trace drawn column by column marks mostly the same tiles
  // again, and then only the rows beyond them are marked.
  int fLastC0 = -1;
  int fLastC1 = -1;
  int fLastR0 = 0;
  int fLastR1 = -1;
  std::vector<std::uint8_t> fTiles;
};

template <class F>
void TDamageTiles::ForEachRun(F f) const {
  if (fWidth <= 0 || fHeight <= 0) return;
  if (fAll) {
    f(TRect{0, 0, fWidth, fHeight});
    return;
  }
  if (!fAny) return;
  for (int row = 0; row < fRows; ++row) {
    const std::uint8_t* tiles = fTiles.data() + static_cast<std::size_t>(row) * fColumns;
    const int top = row * kTileHeight;
    const int bottom = top + kTileHeight < fHeight ? top + kTileHeight : fHeight;
    for (int c = 0; c < fColumns;) {
      if (!tiles[c]) {
        ++c;
        continue;
      }
      const int first = c;
      while (c < fColumns && tiles[c]) ++c;
      const int right = c * kTileWidth < fWidth ? c * kTileWidth : fWidth;
      f(TRect{first * kTileWidth, top, right, bottom});
    }
  }
}

}  // namespace drivesim
