#include "analysis/PrintChart.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "chart/ChartPalette.h"
#include "platform/Numbers.h"

namespace drivesim {

namespace {

void SetFont(TFont& font, int pixels, TFontStyles style) {
  font.SetName("Arial");
  font.SetHeight(-pixels);
  font.SetStyle(style);
  font.SetColor(clBlack);
}

void ConfigureAxis(TChartAxis& axis) {
  SetFont(axis.LabelsFont(), 12, 0);
  SetFont(axis.Title().Font(), 13, 0);
  axis.Grid().SetColor(0xC0C0C0);
}

}  // namespace

void ConfigurePrintChart(TChart& chart, const std::string& title, int width, int height) {
  chart.SetBounds(0, 0, width, height);
  chart.SetView3D(false);
  chart.SetColor(clWhite);
  chart.SetBevelOuter(bvNone);
  chart.SetBackColor(clWhite);
  chart.Title().SetText({title});
  SetFont(chart.Title().Font(), 15, fsBold);
  for (TChartAxis* axis :
       {&chart.BottomAxis(), &chart.LeftAxis(), &chart.RightAxis(), &chart.TopAxis()}) {
    ConfigureAxis(*axis);
  }
  // Room between the labels along the time and value axes, for reading.
  chart.BottomAxis().SetLabelsSeparation(60);
  chart.Legend().SetVisible(true);
  chart.Legend().SetAlignment(laRight);
  SetFont(chart.Legend().Font(), 12, 0);
}

TColor SequentialColor(int index, int count) {
  return SequentialColor(count <= 1 ? 0.5 : static_cast<double>(index) / (count - 1));
}

std::string ValueText(double value) {
  if (value == 0 || !std::isfinite(value)) return value == 0 ? "0" : FloatToStr(value);
  const int exponent = static_cast<int>(std::floor(std::log10(std::abs(value))));
  const int decimals = 5 - exponent;
  char buffer[64];
  std::to_chars_result result;
  if (exponent >= 15 || decimals > 15) {
    result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
  } else {
    result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed,
                           std::max(0, decimals));
  }
  std::string text(buffer, result.ptr);
  if (text.find('.') != std::string::npos && text.find('e') == std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  for (char& ch : text) {
    if (ch == '.') ch = DecimalSeparator();
  }
  return text;
}

void SetFineLabels(TChartAxis& axis, double range) {
  const double step = std::abs(range) / 20;
  if (!(step > 0) || !std::isfinite(step)) return;
  const int exponent = static_cast<int>(std::floor(std::log10(step)));
  const int decimals = std::clamp(-exponent, 0, 10);
  axis.SetIncrement(std::pow(10.0, exponent));
  axis.SetAxisValuesFormat(
      decimals == 0 ? "#,##0" : "#,##0." + std::string(static_cast<std::size_t>(decimals), '0'));
}

void LayOutChart(TChart& chart) {
  TBitmap scratch;
  scratch.SetSize(chart.ClientWidth(), chart.ClientHeight());
  chart.RenderTo(scratch.Canvas(), chart.ClientRect());
  chart.RequestRepaint();
}

void RenderChart(TChart& chart, TBitmap& bitmap, int scale) {
  // Drawn straight onto the bitmap: the chart's own buffer would be one more
  // image of the bitmap's size, filled, drawn on and handed over for one
  // frame. The chart paints every pixel, so the picture is the same. The
  // chart gets its pixel ratio and its buffering back, also when drawing
  // fails.
  struct Restore {
    TChart& Chart;
    double Ratio;
    bool Buffered;
    ~Restore() {
      Chart.ChartCanvas().ChangeBuffered(Buffered);
      Chart.SetPixelRatio(Ratio);
    }
  } restore{chart, chart.PixelRatio(), chart.ChartCanvas().IsBuffered()};
  chart.SetPixelRatio(scale);
  chart.ChartCanvas().ChangeBuffered(false);
  bitmap.SetSize(chart.ClientWidth(), chart.ClientHeight());
  const TRect plot = chart.PlotRect();
  chart.RenderTo(bitmap.Canvas(), chart.ClientRect());
  // The room of the labels was measured by the axes' lengths on the plot
  // of the last layout; where this one moved the plot, a second pass
  // measures it by the lengths on the new one.
  if (chart.PlotRect() != plot) chart.RenderTo(bitmap.Canvas(), chart.ClientRect());
}

}  // namespace drivesim
