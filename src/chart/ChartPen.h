#pragma once
// The chart pens: a platform pen with the chart's two extras, and the pens
// the engine's parts start with.

#include "platform/Graphics.h"

namespace drivesim {

// A platform pen with two chart extras. Changing Visible or SmallDots calls
// OnChange like the pen's own properties do; setting the current value does
// nothing.
class TChartPen : public TPen {
 public:
  TChartPen() = default;

  // When false, nothing is drawn with this pen: shapes are filled without an
  // outline and lines leave no trace.
  bool Visible() const { return fVisible; }
  void SetVisible(bool value);
  // Lines of width 1 are drawn as alternate pixels (one on, one off).
  bool SmallDots() const { return fSmallDots; }
  void SetSmallDots(bool value);

  // Copies Visible and SmallDots, then the platform pen's properties.
  void Assign(const TChartPen& source);
  using TPen::Assign;

 private:
  void NotifyOwner();
  bool fVisible = true;
  bool fSmallDots = false;
};

// A chart pen that starts hidden.
class TChartHiddenPen : public TChartPen {
 public:
  TChartHiddenPen();
};

// A grey dotted pen (grids).
class TDottedGrayPen : public TChartPen {
 public:
  TDottedGrayPen();
};

// A grey solid pen.
class TDarkGrayPen : public TChartPen {
 public:
  TDarkGrayPen();
};

// The axis line's pen: two pixels wide.
class TChartAxisPen : public TChartPen {
 public:
  TChartAxisPen();
};

// A white pen.
class TChartArrowPen : public TChartPen {
 public:
  TChartArrowPen();
};

}  // namespace drivesim
