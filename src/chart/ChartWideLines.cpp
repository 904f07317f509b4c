// The chart canvas's wide lines along a row or a column and its boxes with a
// wide pen: their pixels learnt from the surface once (ChartWideLines.h) and
// set again from what was learnt.
#include "chart/ChartWideLines.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "platform/DamageTiles.h"

namespace drivesim {

// ---------------------------------------------------------------------------
// What the surface sets, learnt

namespace {

// Adds a thin line to the lines learnt: as one more copy of the last repeat
// when it has that repeat's length and direction and lies one step on from
// its last copy (the first copy after the line itself sets the step), else
// as a repeat of its own.
void AddRepeated(std::vector<TThinLineRepeat>& lines, int x0, int y0, int x1, int y1) {
  if (!lines.empty()) {
    TThinLineRepeat& last = lines.back();
    const int dx = x0 - last.X0;
    const int dy = y0 - last.Y0;
    if (x1 - x0 == last.X1 - last.X0 && y1 - y0 == last.Y1 - last.Y0 && (dx != 0 || dy != 0)) {
      if (last.Count == 1) {
        last.StepX = dx;
        last.StepY = dy;
        last.Count = 2;
        return;
      }
      if (dx == last.Count * last.StepX && dy == last.Count * last.StepY) {
        ++last.Count;
        return;
      }
    }
  }
  lines.push_back(TThinLineRepeat{x0, y0, x1, y1, 1, 0, 0});
}

}  // namespace

TChartCanvas3D::WideLineCoverage::Entry* TChartCanvas3D::WideLineCoverage::Find(const Key& key) {
  ++Uses;
  for (Entry& entry : Entries) {
    if (entry.Line == key) {
      entry.LastUse = Uses;
      return &entry;
    }
  }
  return nullptr;
}

TBitmap& TChartCanvas3D::WideLineCoverage::BlankImage(int width, int height) {
  if (!Blank || Blank->Width() != width || Blank->Height() != height) {
    // A new image is white all over: nothing of it is marked.
    Blank = std::make_unique<TBitmap>(width, height);
    Blank->KeepDamage(true);
    Blank->Damage()->Clear();
  }
  TCanvas& canvas = Blank->Canvas();
  canvas.RemoveClip();
  canvas.FillDamage(clWhite);
  return *Blank;
}

TChartCanvas3D::WideLineCoverage::Entry TChartCanvas3D::WideLineCoverage::Learn(const Key& key,
                                                                                const TPen& pen) {
  TBitmap& blank = BlankImage(key.SurfaceWidth, key.SurfaceHeight);
  TCanvas& canvas = blank.Canvas();
  if (key.HasClip) canvas.IntersectClipRect(key.Clip);
  canvas.Pen().Assign(pen);
  canvas.Pen().SetColor(clBlack);
  canvas.SetBackgroundMode(TRANSPARENT);
  canvas.Brush().SetStyle(bsClear);
  if (key.Box) {
    canvas.Rectangle(key.X0, key.Y0, key.X1, key.Y1);
    return LearnBox(key, blank);
  }
  canvas.MoveTo(key.X0, key.Y0);
  canvas.LineTo(key.X1, key.Y1);

  const bool horizontal = key.Y0 == key.Y1;
  const int across = horizontal ? key.Y0 : key.X0;
  const int margin = key.PenWidth + 2;
  const int alongLow =
      std::min(horizontal ? key.X0 : key.Y0, horizontal ? key.X1 : key.Y1) - margin;
  const int alongHigh =
      std::max(horizontal ? key.X0 : key.Y0, horizontal ? key.X1 : key.Y1) + margin;
  const auto set = [&](int along, int acrossAt) {
    const int x = horizontal ? along : acrossAt;
    const int y = horizontal ? acrossAt : along;
    return blank.Pixel(x, y) == 0;  // outside the image reads 0xFFFFFFFF
  };
  Entry entry{key, true, false, {}, Uses};
  for (int a = across - margin; a <= across + margin && entry.Learnt; ++a) {
    const bool edge = a == across - margin || a == across + margin;
    int start = alongLow;
    while (start <= alongHigh && entry.Learnt) {
      if (!set(start, a)) {
        ++start;
        continue;
      }
      int stop = start;
      while (stop <= alongHigh && set(stop, a)) ++stop;
      // A run touching the searched band's border may go on beyond it.
      if (edge || start == alongLow || stop > alongHigh) {
        entry.Learnt = false;
        entry.Lines.clear();
        break;
      }
      if (horizontal) {
        AddRepeated(entry.Lines, start, a, stop, a);
      } else {
        AddRepeated(entry.Lines, a, start, a, stop);
      }
      start = stop;
    }
  }
  return entry;
}

TChartCanvas3D::WideLineCoverage::Entry TChartCanvas3D::WideLineCoverage::LearnBox(
    const Key& key, const TBitmap& blank) {
  const int margin = key.PenWidth + 2;
  const int left = std::min(key.X0, key.X1) - margin;
  const int right = std::max(key.X0, key.X1) + margin;  // last column searched
  const int top = std::min(key.Y0, key.Y1) - margin;
  const int bottom = std::max(key.Y0, key.Y1) + margin;
  const auto set = [&](int x, int y) { return blank.Pixel(x, y) == 0; };
  // A block of pixels X0 .. X1 - 1 by Y0 .. Y1 - 1.
  struct Block {
    int X0, Y0, X1, Y1;
  };
  std::vector<Block> blocks;
  Entry entry{key, true, false, {}, Uses};
  for (int y = top; y <= bottom && entry.Learnt; ++y) {
    int x = left;
    while (x <= right) {
      if (!set(x, y)) {
        ++x;
        continue;
      }
      int stop = x;
      while (stop <= right && set(stop, y)) ++stop;
      // Pixels on the searched band's border may go on beyond it.
      if (y == top || y == bottom || x == left || stop > right) {
        entry.Learnt = false;
        blocks.clear();
        break;
      }
      const auto continued = std::find_if(blocks.begin(), blocks.end(), [&](const Block& b) {
        return b.Y1 == y && b.X0 == x && b.X1 == stop;
      });
      if (continued != blocks.end()) {
        continued->Y1 = y + 1;
      } else {
        blocks.push_back(Block{x, y, stop, y + 1});
      }
      x = stop;
    }
  }
  for (const Block& block : blocks) {
    if (block.Y1 - block.Y0 > block.X1 - block.X0) {
      for (int x = block.X0; x < block.X1; ++x) AddRepeated(entry.Lines, x, block.Y0, x, block.Y1);
    } else {
      for (int y = block.Y0; y < block.Y1; ++y) AddRepeated(entry.Lines, block.X0, y, block.X1, y);
    }
  }
  return entry;
}

const TChartCanvas3D::WideLineCoverage::Entry* TChartCanvas3D::WideLineCoverage::Coverage(
    const Key& key, const TPen& pen) {
  Entry* entry = Find(key);
  if (!entry) {
    Keep(Entry{key, false, true, {}, Uses});
    return nullptr;
  }
  if (entry->Pending) *entry = Learn(key, pen);
  return entry->Learnt ? entry : nullptr;
}

void TChartCanvas3D::WideLineCoverage::Keep(Entry&& entry) {
  if (Entries.size() >= kLines) {
    Entries.erase(
        std::min_element(Entries.begin(), Entries.end(),
                         [](const Entry& a, const Entry& b) { return a.LastUse < b.LastUse; }));
  }
  Entries.push_back(std::move(entry));
}

// ---------------------------------------------------------------------------
// Drawing from what was learnt

bool TChartCanvas3D::DrawWideAxisLine(int x0, int y0, int x1, int y1) {
  TPen& pen = fTarget->Pen();
  const bool transparentGaps =
      fTarget->BackgroundMode() == TRANSPARENT || fTarget->Brush().Style() != bsSolid;
  if ((pen.Style() != psSolid && !transparentGaps) || pen.Style() == psClear || pen.Width() <= 1 ||
      pen.AlternatePixels() || pen.Mode() != pmCopy || (x0 == x1 && y0 == y1)) {
    return false;
  }
  TBitmap& surface = fTarget->Bitmap();
  // Lines far outside the surface are left to it, so that the search around
  // the line stays small.
  constexpr int kReach = 4096;
  const auto near = [](int v, int size) { return v >= -kReach && v <= size + kReach; };
  if (!near(x0, surface.Width()) || !near(x1, surface.Width()) || !near(y0, surface.Height()) ||
      !near(y1, surface.Height())) {
    return false;
  }
  const WideLineCoverage::Key key{surface.Width(),
                                  surface.Height(),
                                  fTarget->HasClip(),
                                  fTarget->ClipRect(),
                                  pen.Width(),
                                  pen.Style(),
                                  x0,
                                  y0,
                                  x1,
                                  y1,
                                  false};
  if (!fWideLines) fWideLines = std::make_unique<WideLineCoverage>();
  const WideLineCoverage::Entry* entry = fWideLines->Coverage(key, pen);
  if (!entry) return false;
  DrawLearntPixels(TRect{}, entry->Lines, pen.Color());
  // The pen ends where the wide line ends, as after drawing it.
  fTarget->MoveTo(x1, y1);
  return true;
}

bool TChartCanvas3D::DrawWideBox(int x0, int y0, int x1, int y1) {
  TPen& pen = fTarget->Pen();
  TBrush& brush = fTarget->Brush();
  if (pen.Style() != psSolid || pen.Width() <= 1 || pen.AlternatePixels() || pen.Mode() != pmCopy ||
      (brush.Style() != bsClear && brush.Style() != bsSolid)) {
    return false;
  }
  const TRect box{std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
  TBitmap& bitmap = fTarget->Bitmap();
  // Boxes far outside the surface are left to it, so that the search around
  // the outline stays small.
  constexpr int kReach = 4096;
  if (box.Width() < 2 || box.Height() < 2 || box.Left < -kReach || box.Top < -kReach ||
      box.Right > bitmap.Width() + kReach || box.Bottom > bitmap.Height() + kReach) {
    return false;
  }
  const WideLineCoverage::Key key{bitmap.Width(),
                                  bitmap.Height(),
                                  fTarget->HasClip(),
                                  fTarget->ClipRect(),
                                  pen.Width(),
                                  pen.Style(),
                                  box.Left,
                                  box.Top,
                                  box.Right,
                                  box.Bottom,
                                  true};
  if (!fWideLines) fWideLines = std::make_unique<WideLineCoverage>();
  const WideLineCoverage::Entry* entry = fWideLines->Coverage(key, pen);
  if (!entry) return false;
  // As the surface draws it: the brush inside the outline, then the outline
  // over it.
  DrawLearntPixels(TRect{box.Left + 1, box.Top + 1, box.Right - 1, box.Bottom - 1}, entry->Lines,
                   pen.Color());
  return true;
}

void TChartCanvas3D::DrawLearntPixels(const TRect& fill, const std::vector<TThinLineRepeat>& lines,
                                      TColor color) {
  TBitmap& bitmap = fTarget->Bitmap();
  const bool notify = bitmap.NotificationsEnabled;
  bitmap.NotificationsEnabled = false;
  fTarget->FillRect(fill);
  fTarget->DrawThinLineRepeats(lines.data(), static_cast<int>(lines.size()), color);
  bitmap.NotificationsEnabled = notify;
  // The bitmap hears of it once, as of one shape the surface draws: when
  // some of the bitmap can be drawn on, even if the shape misses it.
  const TRect whole{0, 0, bitmap.Width(), bitmap.Height()};
  const bool drawable =
      fTarget->HasClip() ? !IntersectRects(whole, fTarget->ClipRect()).IsEmpty() : !whole.IsEmpty();
  if (drawable) bitmap.Changed();
}

}  // namespace drivesim
