#include "ui/ProgramIcon.h"

#include <algorithm>
#include <cmath>

#include "platform/Canvas.h"
#include "platform/Graphics.h"

namespace drivesim {

namespace {

// One gear of the design, in the units of the 32 x 32 picture: the disc
// covers pixels CenterX - Radius .. CenterX + Radius (likewise in y).
struct IconGear {
  int CenterX, CenterY;
  int Radius;
  int Teeth;
  TColor Fill;
};

// The load gear first, so that the motor gear's teeth lie over it where the
// two mesh.
constexpr IconGear kIconGears[] = {{20, 20, 9, 10, clSilver}, {9, 8, 5, 6, clGray}};
// A tooth is a square of 4 units centred one unit outside the disc's radius;
// the hub is a disc of 5 units; outlines are one unit wide.
constexpr double kToothSide = 4;
constexpr double kHubDiameter = 5;

double ToothAngle(const IconGear& gear, int tooth) { return 2 * M_PI * tooth / gear.Teeth; }

// The 32 x 32 picture, pixel by pixel: one-pixel outlines, teeth upright.
void DrawOnPixelGrid(TCanvas& canvas) {
  canvas.Pen().SetColor(clBlack);
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetWidth(1);
  for (const IconGear& g : kIconGears) {
    canvas.Brush().SetColor(g.Fill);
    for (int t = 0; t < g.Teeth; ++t) {
      const double a = ToothAngle(g, t);
      const int x = g.CenterX + static_cast<int>(std::lround((g.Radius + 1) * std::sin(a)));
      const int y = g.CenterY - static_cast<int>(std::lround((g.Radius + 1) * std::cos(a)));
      canvas.Rectangle(x - 2, y - 2, x + 2, y + 2);
    }
    canvas.Ellipse(g.CenterX - g.Radius, g.CenterY - g.Radius, g.CenterX + g.Radius + 1,
                   g.CenterY + g.Radius + 1);
    canvas.Brush().SetColor(clWhite);
    canvas.Ellipse(g.CenterX - 2, g.CenterY - 2, g.CenterX + 3, g.CenterY + 3);
  }
}

// Samples per pixel along each axis for the sizes drawn smooth.
constexpr int kSamples = 4;

// Draws in samples what the design gives in units, for a picture of `scale`
// pixels per unit drawn `samples` times larger. Outlined shapes are a black
// shape with the filled one, one outline width smaller, on top of it, so
// that outlines scale with the picture.
class ScaledIcon {
 public:
  ScaledIcon(TCanvas& canvas, double scale, int samples)
      : fCanvas(canvas), fScale(scale * samples), fLine(std::max(1.0, scale) / scale) {}

  void Draw() {
    for (const IconGear& g : kIconGears) {
      // The disc's centre: the middle of its pixels in the 32 x 32 picture.
      const double cx = g.CenterX + 0.5;
      const double cy = g.CenterY + 0.5;
      for (int t = 0; t < g.Teeth; ++t) {
        const double a = ToothAngle(g, t);
        const double tx = cx + (g.Radius + 1) * std::sin(a);
        const double ty = cy - (g.Radius + 1) * std::cos(a);
        Square(tx, ty, kToothSide / 2, clBlack);
        Square(tx, ty, kToothSide / 2 - fLine, g.Fill);
      }
      Disc(cx, cy, g.Radius + 0.5, clBlack);
      Disc(cx, cy, g.Radius + 0.5 - fLine, g.Fill);
      Disc(cx, cy, kHubDiameter / 2, clBlack);
      Disc(cx, cy, kHubDiameter / 2 - fLine, clWhite);
    }
  }

 private:
  int Sample(double units) const { return static_cast<int>(std::lround(units * fScale)); }

  void Solid(TColor color) {
    fCanvas.Pen().SetColor(color);
    fCanvas.Brush().SetColor(color);
  }

  // An upright square by its centre and half side, units.
  void Square(double x, double y, double half, TColor color) {
    Solid(color);
    fCanvas.Rectangle(Sample(x - half), Sample(y - half), Sample(x + half), Sample(y + half));
  }

  void Disc(double x, double y, double radius, TColor color) {
    Solid(color);
    fCanvas.Ellipse(Sample(x - radius), Sample(y - radius), Sample(x + radius), Sample(y + radius));
  }

  TCanvas& fCanvas;
  double fScale;  // samples per unit
  double fLine;   // outline width, units
};

// The mean colour of the kSamples x kSamples samples of pixel (x, y).
TColor MeanColor(const TBitmap& large, int x, int y) {
  unsigned sum[3] = {0, 0, 0};
  for (int sy = 0; sy < kSamples; ++sy)
    for (int sx = 0; sx < kSamples; ++sx) {
      const TColor c = large.Pixel(x * kSamples + sx, y * kSamples + sy);
      for (int channel = 0; channel < 3; ++channel) sum[channel] += (c >> (8 * channel)) & 0xFF;
    }
  constexpr unsigned kCount = kSamples * kSamples;
  TColor mean = 0;
  for (int channel = 0; channel < 3; ++channel)
    mean |= ((sum[channel] + kCount / 2) / kCount) << (8 * channel);
  return mean;
}

}  // namespace

void DrawProgramIcon(TBitmap& icon, int size) {
  icon.SetSize(size, size);
  TCanvas& canvas = icon.Canvas();
  canvas.Brush().SetColor(clBtnFace);
  canvas.FillRect(TRect{0, 0, size, size});
  if (size == kProgramIconSize) {
    DrawOnPixelGrid(canvas);
    return;
  }
  // Other sizes are drawn kSamples times larger and each pixel is the mean
  // of its kSamples x kSamples samples, so that round edges are smooth.
  TBitmap large(size * kSamples, size * kSamples);
  TCanvas& largeCanvas = large.Canvas();
  largeCanvas.Brush().SetColor(clBtnFace);
  largeCanvas.FillRect(TRect{0, 0, large.Width(), large.Height()});
  largeCanvas.Pen().SetStyle(psSolid);
  largeCanvas.Pen().SetWidth(1);
  ScaledIcon(largeCanvas, static_cast<double>(size) / kProgramIconSize, kSamples).Draw();
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) canvas.SetPixel(x, y, MeanColor(large, x, y));
}

}  // namespace drivesim
