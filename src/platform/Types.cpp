#include "platform/Types.h"

#include <algorithm>

namespace drivesim {

TColor ColorToRGB(TColor color) {
  if ((color & kSystemColorFlag) == 0) return color & 0x00FFFFFF;
  switch (color) {
    case clWindowText: return 0x000000;
    case clBtnFace: return 0xF0F0F0;
    case clBtnShadow: return 0xA0A0A0;
    case clBtnHighlight: return 0xFFFFFF;
    default: return 0x000000;
  }
}

TRect IntersectRects(const TRect& a, const TRect& b) {
  TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
          std::min(a.Bottom, b.Bottom)};
  if (r.IsEmpty()) return TRect{};
  return r;
}

bool PointInRect(const TRect& r, TPoint p) {
  return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

}  // namespace drivesim
