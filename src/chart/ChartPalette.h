#pragma once
// The colours every chart that colours runs or curves takes its colours from,
// defined once, and the colour arithmetic that checks them.
//
// Qualitative: eleven colours for curves that stand for different things,
// each pair clearly apart on white, also as people with protanopia or
// deuteranopia see them. The first seven are the Okabe-Ito colours (their
// yellow left out: too faint on white), then wine, indigo, dark green and
// maroon.
//
// Sequential: colours for curves that stand for an ordered value (a sweep),
// dark violet through blue and teal to green, rising steadily in lightness
// and perceptually even steps: the first three quarters of the viridis
// scale, where its colours are still dark enough for thin lines on white.

#include <vector>

#include "platform/Types.h"

namespace drivesim {

// How many qualitative colours there are (at least ten).
int QualitativeColorCount();
// Qualitative colour index, from the start again beyond the last one (a
// negative index counts from the end).
TColor QualitativeColor(int index);

// The sequential colour at t in 0..1 (clamped; a NaN gives the start),
// interpolated between the anchor colours.
TColor SequentialColor(double t);
// count colours evenly spread over the sequential scale, first to last; one
// colour is the middle of the scale, none gives none.
std::vector<TColor> SequentialColors(int count);

// A colour in CIE L*a*b* (D65 white): L from 0 (black) to 100 (white).
struct TLabColor {
  double L = 0.0;
  double A = 0.0;
  double B = 0.0;
};
TLabColor ColorToLab(TColor color);
// The CIE76 colour difference Delta E: the distance in L*a*b*. About 2 is
// just noticeable side by side; curves need clearly more.
double ColorDistance(TColor a, TColor b);

// Colour vision as simulated for a colour: as people with protanopia
// (no red cones), deuteranopia (no green cones) or tritanopia (no blue cones)
// see it, by the full-severity matrices of Machado, Oliveira and Fernandes
// (2009) applied in linear RGB.
enum TColorVision { cvNormal, cvProtanopia, cvDeuteranopia, cvTritanopia };
TColor SimulateColorVision(TColor color, TColorVision vision);

}  // namespace drivesim
