#include "chart/ChartPanel.h"

#include <algorithm>

#include "chart/ChartCanvas.h"

namespace drivesim {

TCustomChartPanel::TCustomChartPanel() : fChartCanvas(std::make_unique<TChartCanvas3D>()) {
  SetBounds(0, 0, 400, 250);
  fChartCanvas->AttachCanvas(Canvas());
  fLoadedCursor = Cursor();
}

TCustomChartPanel::~TCustomChartPanel() = default;

void TCustomChartPanel::RequestRepaint() {
  if (!fRepaintOnChange) return;
  fChartCanvas->MarkDirty();
  Invalidate();
}

void TCustomChartPanel::RepaintNow() {
  RequestRepaint();
  Update();
}

void TCustomChartPanel::SetChartCanvas(std::unique_ptr<TChartCanvas3D> canvas) {
  if (!canvas) return;
  fChartCanvas = std::move(canvas);
  fChartCanvas->AttachCanvas(Canvas());
  RequestRepaint();
}

void TCustomChartPanel::ApplyFont(const TFont& font) {
  TFont& canvasFont = fChartCanvas->Font();
  const int pixelsPerInch = canvasFont.PixelsPerInch();
  canvasFont.Assign(font);
  canvasFont.SetPixelsPerInch(pixelsPerInch);
}

int TCustomChartPanel::MultiLineExtent(const std::string& text, int& lineCount) {
  constexpr char kLineSeparator = '\r';
  if (text.find(kLineSeparator) == std::string::npos) {
    lineCount = 1;
    return fChartCanvas->MeasureTextWidth(text);
  }
  int width = 0;
  lineCount = 0;
  std::size_t start = 0;
  for (std::size_t end = text.find(kLineSeparator); end != std::string::npos;
       end = text.find(kLineSeparator, start)) {
    width = std::max(width, fChartCanvas->MeasureTextWidth(text.substr(start, end - start)));
    ++lineCount;
    start = end + 1;
  }
  if (start < text.size()) {
    width = std::max(width, fChartCanvas->MeasureTextWidth(text.substr(start)));
    ++lineCount;
  }
  return width;
}

void TCustomChartPanel::SetPlotRect(const TRect& rect) {
  fPlotRect = rect;
  NormalizeChartRect();
}

void TCustomChartPanel::NormalizeChartRect() {
  TRect& r = fPlotRect;
  r.Left = std::max(r.Left, fPanelBounds.Left);
  r.Top = std::max(r.Top, fPanelBounds.Top);
  if (r.Right < r.Left) {
    r.Right = r.Left + 1;
  } else if (r.Right == r.Left) {
    r.Right = r.Left + Width();
  }
  if (r.Bottom < r.Top) {
    r.Bottom = r.Top + 1;
  } else if (r.Bottom == r.Top) {
    r.Bottom = r.Top + Height();
  }
  fPlotWidth = r.Right - r.Left;
  fPlotHeight = r.Bottom - r.Top;
  fPlotCenterX = (r.Left + r.Right) / 2;
  fPlotCenterY = (r.Top + r.Bottom) / 2;
}

void TCustomChartPanel::SetView3D(bool value) {
  if (fView3D == value) return;
  fView3D = value;
  RequestRepaint();
}

void TCustomChartPanel::SetColor(TColor value) {
  if (fColor == value) return;
  fColor = value;
  RequestRepaint();
}

}  // namespace drivesim
