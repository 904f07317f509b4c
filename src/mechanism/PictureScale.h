#pragma once
// Where the mechanism picture's pixels lie on a surface that is Ratio times
// as dense as the picture (1.5 device pixels per picture pixel at 144 pixels
// per inch, 2 at 192).
//
// A picture pixel x covers the device stretch [Ratio x, Ratio (x + 1)), its
// middle at Ratio x + Ratio / 2. A line of the picture runs through the
// middle of its pixels, and on the denser surface it is drawn LineWidth
// device pixels wide (the picture's 1-pixel lines scaled and rounded as the
// chart scales its pens) through the same middles, at the device coordinate
// that puts the middle of its width nearest to theirs. A
// box (an ellipse or a rectangle) has its outline on its outermost pixels,
// so its corners go the same way. At a ratio of 1 every position is the
// picture's own.

#include "platform/Types.h"

namespace drivesim {

class TPictureScale {
 public:
  // Raises Exception "Invalid pixel ratio" for a ratio that is not a
  // positive number.
  explicit TPictureScale(double ratio);

  double Ratio() const { return fRatio; }
  // Device width of the picture's 1-pixel lines: 1 up to a ratio below 1.5,
  // 2 up to a ratio below 2.5, and so on.
  int LineWidth() const { return fLineWidth; }
  // A length of the picture in device pixels, halves rounded up: the size of
  // the denser surface.
  int DeviceLength(int pixels) const;

  // The device coordinate, unrounded, at which a line through the middle of
  // picture pixel x is drawn; x itself at a ratio of 1.
  double Line(double x) const { return fRatio * x + fLineShift; }
  // The same, rounded to the device pixel grid.
  int Pixel(int x) const;
  TPoint Point(TPoint p) const { return TPoint{Pixel(p.X), Pixel(p.Y)}; }
  // A box given as (Left, Top, Right, Bottom), Right and Bottom exclusive,
  // whose outline runs through the middles of its outermost pixels.
  TRect Box(int left, int top, int right, int bottom) const;

 private:
  double fRatio;
  int fLineWidth;
  double fLineShift;
};

}  // namespace drivesim
