#pragma once
// A chart for the engine tests: the axis panel with its repaint requests
// counted, and a series type that records which points it was asked to paint.

#include <vector>

#include "chart/ChartEngine.h"

namespace drivesim::testing {

class CountingChart : public TCustomAxisPanel {
 public:
  // Every repaint request made while repaints are on.
  int Requests = 0;
  void RequestRepaint() override {
    if (RepaintOnChange()) ++Requests;
    TCustomAxisPanel::RequestRepaint();
  }
};

class RecordingSeries : public TChartSeries {
 public:
  std::vector<int> Painted;
  void PaintPoint(int index) override { Painted.push_back(index); }
};

}  // namespace drivesim::testing
