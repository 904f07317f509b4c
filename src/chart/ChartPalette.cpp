#include "chart/ChartPalette.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace drivesim {

namespace {

constexpr std::array<TColor, 11> kQualitative = {
    RGB(230, 159, 0),    // orange
    RGB(86, 180, 233),   // sky blue
    RGB(0, 158, 115),    // bluish green
    RGB(0, 114, 178),    // blue
    RGB(213, 94, 0),     // vermillion
    RGB(204, 121, 167),  // reddish purple
    RGB(0, 0, 0),        // black
    RGB(136, 34, 85),    // wine
    RGB(51, 34, 136),    // indigo
    RGB(17, 119, 51),    // dark green
    RGB(102, 17, 0),     // maroon
};

// The viridis scale at 0, 1/9, ..., 7/9; the palette runs from the first to
// three quarters of the scale (6.75 anchor steps), where its green is still
// dark enough for a thin line on white.
constexpr std::array<std::array<double, 3>, 8> kViridisAnchors = {{
    {68, 1, 84},
    {72, 40, 120},
    {62, 74, 137},
    {49, 104, 142},
    {38, 130, 142},
    {31, 158, 137},
    {53, 183, 121},
    {109, 205, 89},
}};
constexpr double kSequentialSpan = 6.75;

// sRGB component (0..255) to linear light (0..1), and back (clamped).
double ToLinear(int component) {
  const double c = component / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
int FromLinear(double v) {
  v = std::clamp(v, 0.0, 1.0);
  const double c = v <= 0.0031308 ? 12.92 * v : 1.055 * std::pow(v, 1 / 2.4) - 0.055;
  return static_cast<int>(std::lround(c * 255));
}

using Matrix = std::array<std::array<double, 3>, 3>;
constexpr Matrix kProtanopia = {{{0.152286, 1.052583, -0.204868},
                                 {0.114503, 0.786281, 0.099216},
                                 {-0.003882, -0.048116, 1.051998}}};
constexpr Matrix kDeuteranopia = {{{0.367322, 0.860646, -0.227968},
                                   {0.280085, 0.672501, 0.047413},
                                   {-0.011820, 0.042940, 0.968881}}};
constexpr Matrix kTritanopia = {{{1.255528, -0.076749, -0.178779},
                                 {-0.078411, 0.930809, 0.147602},
                                 {0.004733, 0.691367, 0.303900}}};

}  // namespace

int QualitativeColorCount() { return static_cast<int>(kQualitative.size()); }

TColor QualitativeColor(int index) {
  const int n = QualitativeColorCount();
  const int k = ((index % n) + n) % n;
  return kQualitative[static_cast<std::size_t>(k)];
}

TColor SequentialColor(double t) {
  if (!(t > 0)) t = 0;
  const double at = std::min(t, 1.0) * kSequentialSpan;
  const std::size_t k = std::min(static_cast<std::size_t>(at), kViridisAnchors.size() - 2);
  const double f = at - static_cast<double>(k);
  int c[3];
  for (std::size_t i = 0; i < 3; ++i) {
    const double v = kViridisAnchors[k][i] * (1 - f) + kViridisAnchors[k + 1][i] * f;
    c[i] = static_cast<int>(std::lround(v));
  }
  return RGB(c[0], c[1], c[2]);
}

std::vector<TColor> SequentialColors(int count) {
  std::vector<TColor> colors;
  if (count <= 0) return colors;
  if (count == 1) return {SequentialColor(0.5)};
  colors.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i)
    colors.push_back(SequentialColor(static_cast<double>(i) / (count - 1)));
  return colors;
}

TLabColor ColorToLab(TColor color) {
  const double r = ToLinear(GetRValue(color));
  const double g = ToLinear(GetGValue(color));
  const double b = ToLinear(GetBValue(color));
  // Linear sRGB to XYZ, relative to the D65 white.
  const double x = (0.4124564 * r + 0.3575761 * g + 0.1804375 * b) / 0.95047;
  const double y = 0.2126729 * r + 0.7151522 * g + 0.0721750 * b;
  const double z = (0.0193339 * r + 0.1191920 * g + 0.9503041 * b) / 1.08883;
  const auto f = [](double t) {
    constexpr double kDelta = 6.0 / 29.0;
    return t > kDelta * kDelta * kDelta ? std::cbrt(t) : t / (3 * kDelta * kDelta) + 4.0 / 29.0;
  };
  const double fx = f(x);
  const double fy = f(y);
  const double fz = f(z);
  return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

double ColorDistance(TColor a, TColor b) {
  const TLabColor p = ColorToLab(a);
  const TLabColor q = ColorToLab(b);
  return std::sqrt((p.L - q.L) * (p.L - q.L) + (p.A - q.A) * (p.A - q.A) +
                   (p.B - q.B) * (p.B - q.B));
}

TColor SimulateColorVision(TColor color, TColorVision vision) {
  const Matrix* m = nullptr;
  switch (vision) {
    case cvNormal: return color;
    case cvProtanopia: m = &kProtanopia; break;
    case cvDeuteranopia: m = &kDeuteranopia; break;
    case cvTritanopia: m = &kTritanopia; break;
  }
  const std::array<double, 3> in = {ToLinear(GetRValue(color)), ToLinear(GetGValue(color)),
                                    ToLinear(GetBValue(color))};
  int out[3];
  for (std::size_t i = 0; i < 3; ++i) {
    const auto& row = (*m)[i];
    out[i] = FromLinear(row[0] * in[0] + row[1] * in[1] + row[2] * in[2]);
  }
  return RGB(out[0], out[1], out[2]);
}

}  // namespace drivesim
