#include "chart/ChartFontObject.h"

#include "chart/ChartCanvas.h"
#include "chart/ChartPanel.h"

namespace drivesim {

TChartFontObject::TChartFontObject(TCustomChartPanel* chart)
    : fChart(chart), fFont(MakeDefaultFont([this] { Repaint(); })) {}

TChartFontObject::~TChartFontObject() = default;

void TChartFontObject::Repaint() const {
  if (fChart) fChart->RequestRepaint();
}

}  // namespace drivesim
