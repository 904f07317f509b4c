// The chart pens: the platform pen with the chart's Visible and SmallDots,
// and the pens the engine starts its parts with.
#include "chart/ChartPen.h"

namespace drivesim {

void TChartPen::SetVisible(bool value) {
  if (value == fVisible) return;
  fVisible = value;
  NotifyOwner();
}

void TChartPen::SetSmallDots(bool value) {
  if (value == fSmallDots) return;
  fSmallDots = value;
  NotifyOwner();
}

void TChartPen::Assign(const TChartPen& source) {
  SetVisible(source.fVisible);
  SetSmallDots(source.fSmallDots);
  TPen::Assign(source);
}

void TChartPen::NotifyOwner() {
  if (OnChange) OnChange();
}

TChartHiddenPen::TChartHiddenPen() { SetVisible(false); }

TDottedGrayPen::TDottedGrayPen() {
  SetColor(clGray);
  SetStyle(psDot);
}

TDarkGrayPen::TDarkGrayPen() { SetColor(clGray); }

TChartAxisPen::TChartAxisPen() { SetWidth(2); }

TChartArrowPen::TChartArrowPen() { SetColor(clWhite); }

}  // namespace drivesim
