#pragma once
// TChartFontObject: a part of the chart that carries its own font (axis
// titles, chart titles). The font starts as the chart's default font, and
// every change of it asks the chart for a repaint.

#include <memory>

#include "platform/Graphics.h"

namespace drivesim {

class TCustomChartPanel;

class TChartFontObject {
 public:
  // The chart is not owned and may be null.
  explicit TChartFontObject(TCustomChartPanel* chart);
  virtual ~TChartFontObject();
  TChartFontObject(const TChartFontObject&) = delete;
  TChartFontObject& operator=(const TChartFontObject&) = delete;

  TFont& Font() { return *fFont; }
  const TFont& Font() const { return *fFont; }
  // Copies the font's properties (one repaint request when they differ).
  void SetFont(const TFont& font) { fFont->Assign(font); }
  TCustomChartPanel* ParentChart() const { return fChart; }

  void Assign(const TChartFontObject& source) { SetFont(source.Font()); }

 protected:
  // Asks the chart for a repaint; nothing without a chart.
  void Repaint() const;

 private:
  TCustomChartPanel* fChart;
  std::unique_ptr<TFont> fFont;
};

}  // namespace drivesim
