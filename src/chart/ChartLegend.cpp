#include "chart/ChartLegend.h"

#include <algorithm>
#include <string>

#include "chart/Chart.h"
#include "chart/ChartSeries.h"
#include "chart/ChartStrings.h"

namespace drivesim {

TChartLegend::TChartLegend(TCustomChart& chart) : TChartFontObject(&chart), fChart(chart) {
  fFrame.OnChange = [this] { Repaint(); };
}

void TChartLegend::SetVisible(bool value) {
  if (fVisible == value) return;
  fVisible = value;
  Repaint();
}

void TChartLegend::SetAlignment(TLegendAlignment value) {
  if (fAlignment == value) return;
  fAlignment = value;
  Repaint();
}

void TChartLegend::SetColor(TColor value) {
  if (fColor == value) return;
  fColor = value;
  Repaint();
}

void TChartLegend::SetResizeChart(bool value) {
  if (fResizeChart == value) return;
  fResizeChart = value;
  Repaint();
}

void TChartLegend::SetSymbolWidth(int value) {
  if (fSymbolWidth == value) return;
  if (value < 1) throw ChartException(ChartStrings::LegendSymbolWidthError);
  fSymbolWidth = value;
  Repaint();
}

void TChartLegend::SetToggleOnClick(bool value) {
  if (fToggleOnClick == value) return;
  fToggleOnClick = value;
  Repaint();
}

std::vector<TChartSeries*> TChartLegend::ItemSeries() const {
  std::vector<TChartSeries*> items;
  for (TChartSeries* s : fChart.SeriesList()) {
    if ((s->Active() || fToggleOnClick) && s->ShowInLegend()) items.push_back(s);
  }
  return items;
}

int TChartLegend::Clicked(int x, int y) const {
  for (int i = 0; i < DrawnCount(); ++i) {
    if (PointInRect(ItemRect(i), TPoint{x, y})) return i;
  }
  return -1;
}

bool TChartLegend::ItemGreyed(int index) const { return !ItemSeriesAt(index).Active(); }

void TChartLegend::ToggleItem(int index) {
  if (index < 0 || index >= DrawnCount()) return;
  TChartSeries& series = ItemSeriesAt(index);
  // A series that left the chart since the last paint has no row any more.
  if (!fChart.SeriesList().Contains(series)) return;
  series.SetActive(!series.Active());
}

bool TChartLegend::PressItem(int index) {
  fPressedItem = -1;
  if (!fToggleOnClick || index < 0 || index >= DrawnCount()) return false;
  fPressedItem = index;
  return true;
}

bool TChartLegend::ReleaseAt(int x, int y) {
  const int pressed = fPressedItem;
  fPressedItem = -1;
  if (pressed < 0 || Clicked(x, y) != pressed) return false;
  ToggleItem(pressed);
  return true;
}

namespace {

// The text, or as much of it as fits into room pixels followed by "...";
// cut between whole characters. Empty when not even that fits.
std::string FitText(TChartCanvas3D& canvas, const std::string& text, int room) {
  if (canvas.MeasureTextWidth(text) <= room) return text;
  static const std::string kEllipsis = "...";
  std::string cut = text;
  while (!cut.empty()) {
    std::size_t n = cut.size() - 1;
    // Back over the continuation bytes of a UTF-8 character.
    while (n > 0 && (static_cast<unsigned char>(cut[n]) & 0xC0) == 0x80) --n;
    cut.resize(n);
    if (canvas.MeasureTextWidth(cut + kEllipsis) <= room) return cut + kEllipsis;
  }
  return {};
}

}  // namespace

void TChartLegend::Paint() {
  fLegendRect = TRect{};
  fItemRects.clear();
  fSymbolRects.clear();
  fDrawnSeries.clear();
  std::vector<TChartSeries*> items = ItemSeries();
  if (items.empty()) return;

  TChartCanvas3D& canvas = fChart.ChartCanvas();
  fChart.ApplyFont(Font());
  // The legend's lengths in the chart's device pixels, the frame as wide as
  // the canvas draws its pen.
  const int padding = fChart.DevicePixels(kPadding);
  const int verticalPadding = fChart.DevicePixels(kVerticalPadding);
  const int rowSpacing = fChart.DevicePixels(kRowSpacing);
  const int gap = fChart.DevicePixels(kGap);
  const int symbolWidth = fChart.DevicePixels(fSymbolWidth);
  const int rowHeight = canvas.FontLineHeight() + rowSpacing;
  const int frame = fFrame.Visible() ? canvas.ScaledWidth(fFrame.Width()) : 0;
  const TRect plot = fChart.PlotRect();
  std::vector<int> textWidths;
  std::vector<std::string> titles;
  for (const TChartSeries* s : items) {
    titles.push_back(s->Title());
    textWidths.push_back(canvas.MeasureTextWidth(s->Title()));
  }

  // The box and the items' rectangles, keeping only the items that fit.
  TRect box;
  const int inner = frame + padding;
  if (IsVertical()) {
    const int fit = (plot.Height() - 2 * (frame + verticalPadding)) / rowHeight;
    if (fit <= 0) return;
    if (static_cast<int>(items.size()) > fit) items.resize(static_cast<std::size_t>(fit));
    int widest =
        *std::max_element(textWidths.begin(), textWidths.begin() + static_cast<long>(items.size()));
    // Titles that would make the box wider than its share are cut short.
    const int fixedWidth = 2 * inner + symbolWidth + padding;
    const int maxWidth = plot.Width() * kMaxWidthPercent / 100;
    if (fixedWidth + widest > maxWidth) {
      widest = maxWidth - fixedWidth;
      if (widest <= 0) return;
      for (std::size_t i = 0; i < items.size(); ++i) {
        if (textWidths[i] > widest) titles[i] = FitText(canvas, titles[i], widest);
      }
    }
    const int width = fixedWidth + widest;
    const int height = 2 * (frame + verticalPadding) + static_cast<int>(items.size()) * rowHeight;
    const int left = fAlignment == laRight ? plot.Right - width : plot.Left;
    box = TRect{left, plot.Top, left + width, plot.Top + height};
    for (std::size_t i = 0; i < items.size(); ++i) {
      const int top = box.Top + frame + verticalPadding + static_cast<int>(i) * rowHeight;
      fItemRects.push_back({box.Left + frame, top, box.Right - frame, top + rowHeight});
    }
  } else {
    std::vector<int> itemWidths;
    int total = 2 * frame + padding;
    // A first title too long for the whole width is cut short.
    const int firstRoom = plot.Width() - total - symbolWidth - 2 * padding;
    if (textWidths[0] > firstRoom && firstRoom > 0) {
      titles[0] = FitText(canvas, titles[0], firstRoom);
      textWidths[0] = canvas.MeasureTextWidth(titles[0]);
    }
    // Items fill a row, then the next one, as long as the rows take at
    // most kMaxRows and a third of the chart rectangle's height.
    const int start = total;
    const int maxRows = std::max(
        1, std::min(kMaxRows, (plot.Height() / 3 - 2 * (frame + verticalPadding)) / rowHeight));
    std::vector<int> itemRows;
    int row = 0;
    int widest = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
      const int w = symbolWidth + padding + textWidths[i] + padding;
      if (total + w > plot.Width() && total > start) {
        ++row;
        total = start;
      }
      if (row >= maxRows || total + w > plot.Width()) {
        items.resize(i);
        break;
      }
      itemWidths.push_back(w);
      itemRows.push_back(row);
      total += w;
      widest = std::max(widest, total);
    }
    if (items.empty()) return;
    const int rows = itemRows.back() + 1;
    const int height = 2 * (frame + verticalPadding) + rows * rowHeight;
    const int left = plot.Left + (plot.Width() - widest) / 2;
    const int top = fAlignment == laTop ? plot.Top : plot.Bottom - height;
    box = TRect{left, top, left + widest, top + height};
    int x = box.Left + frame + padding;
    for (std::size_t i = 0; i < itemWidths.size(); ++i) {
      if (i > 0 && itemRows[i] != itemRows[i - 1]) x = box.Left + frame + padding;
      const int rowTop = box.Top + frame + verticalPadding + itemRows[i] * rowHeight;
      fItemRects.push_back({x, rowTop, x + itemWidths[i] - padding, rowTop + rowHeight});
      x += itemWidths[i];
    }
  }
  fLegendRect = box;

  // The box: its fill and frame.
  if (fColor == clNone) {
    canvas.Brush().SetStyle(bsClear);
  } else {
    canvas.Brush().SetColor(fColor);
    canvas.Brush().SetStyle(bsSolid);
  }
  canvas.ApplyPen(fFrame);
  canvas.DrawRectangle(box.Left, box.Top, box.Right, box.Bottom);

  // The items: each series draws its own sample, then the title follows it.
  const int symbolLeft = IsVertical() ? box.Left + inner : 0;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const TRect& row = fItemRects[i];
    const int x = IsVertical() ? symbolLeft : row.Left;
    const TRect symbol{x, row.Top, x + symbolWidth, row.Bottom};
    fSymbolRects.push_back(symbol);
    fDrawnSeries.push_back(items[i]);
    const bool greyed = !items[i]->Active();
    if (greyed) {
      items[i]->DrawLegendShapeIn(canvas, symbol, kGreyedColor);
    } else {
      items[i]->DrawLegendShape(canvas, symbol);
    }
    fChart.ApplyFont(Font());
    if (greyed) canvas.Font().SetColor(kGreyedColor);
    canvas.ChangeBackgroundMode(TRANSPARENT);
    canvas.ChangeTextAlignment(TA_LEFT | TA_TOP);
    canvas.WriteText(symbol.Right + padding, row.Top + rowSpacing / 2, titles[i]);
  }

  // The chart rectangle gives up the legend's room.
  if (!fResizeChart) return;
  TRect r = plot;
  switch (fAlignment) {
    case laLeft: r.Left = box.Right + gap; break;
    case laRight: r.Right = box.Left - gap; break;
    case laTop: r.Top = box.Bottom + gap; break;
    case laBottom: r.Bottom = box.Top - gap; break;
  }
  fChart.SetPlotRect(r);
}

}  // namespace drivesim
