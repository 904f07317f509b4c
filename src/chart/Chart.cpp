#include "chart/Chart.h"

#include <algorithm>

#include "chart/ChartAxis.h"
#include "chart/ChartCanvas.h"

namespace drivesim {

namespace {

// Pixels between a title's lines and the chart rectangle.
constexpr int kTitleGap = 5;

}  // namespace

// ---------------------------------------------------------------------------
// TChartWall

TChartWall::TChartWall(TCustomChart& chart, TColor defaultColor)
    : fChart(chart), fColor(defaultColor), fDefaultColor(defaultColor) {
  fBrush.OnChange = [this] { Changed(); };
  fPen.OnChange = [this] { Changed(); };
}

void TChartWall::Changed() const { fChart.RequestRepaint(); }

void TChartWall::SetColor(TColor value) {
  if (fColor == value) return;
  fColor = value;
  Changed();
}

void TChartWall::SetDark3D(bool value) {
  if (fDark3D == value) return;
  fDark3D = value;
  Changed();
}

void TChartWall::SetSize(int value) {
  if (fSize == value) return;
  fSize = value;
  Changed();
}

// ---------------------------------------------------------------------------
// TChartTitle

TChartTitle::TChartTitle(TCustomChart& chart) : TChartFontObject(&chart) {
  Font().SetColor(clBlue);
  fBrush.OnChange = [this] { Repaint(); };
  fFrame.OnChange = [this] { Repaint(); };
}

void TChartTitle::SetAdjustFrame(bool value) {
  if (fAdjustFrame == value) return;
  fAdjustFrame = value;
  Repaint();
}

void TChartTitle::SetAlignment(TAlignment value) {
  if (fAlignment == value) return;
  fAlignment = value;
  Repaint();
}

void TChartTitle::SetColor(TColor value) {
  if (fColor == value) return;
  fColor = value;
  Repaint();
}

void TChartTitle::SetText(const std::vector<std::string>& lines) {
  if (fText == lines) return;
  fText = lines;
  Repaint();
}

void TChartTitle::AddLine(const std::string& line) {
  fText.push_back(line);
  Repaint();
}

void TChartTitle::ClearText() {
  if (fText.empty()) return;
  fText.clear();
  Repaint();
}

void TChartTitle::SetVisible(bool value) {
  if (fVisible == value) return;
  fVisible = value;
  Repaint();
}

// ---------------------------------------------------------------------------
// TCustomChart

TCustomChart::TCustomChart() {
  // The axis panel switched repaints on at the end of its construction; they
  // stay off until this chart is complete.
  SetRepaintOnChange(false);
  fTitle = std::make_unique<TChartTitle>(*this);
  fFoot = std::make_unique<TChartTitle>(*this);
  fBackWall = std::make_unique<TChartWall>(*this, clDefault);
  fBackWall->Brush().SetStyle(bsClear);
  fLeftWall = std::make_unique<TChartWall>(*this, 0x80FFFF);
  fLegend = std::make_unique<TChartLegend>(*this);
  fBottomWall = std::make_unique<TChartWall>(*this, 0xFFFFFF);
  fReadout = std::make_unique<TChartReadout>(*this);
  SetMouseHandled(false);
  fScalesRestored = true;
  SetRepaintOnChange(true);
}

TCustomChart::~TCustomChart() = default;

int TCustomChart::WallThickness(const TCustomChartAxis& axis) const {
  if (!View3D() || !View3DWalls()) return 0;
  if (&axis == &LeftAxis()) return fLeftWall->Size();
  if (&axis == &BottomAxis()) return fBottomWall->Size();
  return 0;
}

bool TCustomChart::IsColorFree(TColor color, bool checkBackground) const {
  if (!TCustomAxisPanel::IsColorFree(color, checkBackground)) return false;
  return !(checkBackground && color == BackColor());
}

void TCustomChart::PaintBackImage(const TRect& rect) {
  if (HasBackImage() && !fBackImageInside) DrawBackImage(rect);
}

void TCustomChart::SetBackImageInside(bool value) {
  if (fBackImageInside == value) return;
  fBackImageInside = value;
  RequestRepaint();
}

TColor TCustomChart::BackColor() const { return fBackWall->Color(); }

void TCustomChart::SetBackColor(TColor value) {
  fBackWall->SetColor(value);
  // While the stored layout is applied the brush keeps its style: the layout
  // sets the brush itself.
  if (!IsLoading()) fBackWall->Brush().SetStyle(bsSolid);
}

// ---------------------------------------------------------------------------
// Titles

void TCustomChart::PaintTitlesAndLegend() {
  TChartCanvas3D& canvas = ChartCanvas();
  canvas.BeginFrontPlane();
  // A legend beside the chart rectangle takes the full height, and the
  // titles centre over what is left; one above or below it comes after the
  // titles, between them and the chart rectangle.
  // A legend that shows hidden series stays for them, so that they can be
  // shown again.
  const bool legend = fLegend->Visible() && (ActiveCount() > 0 || fLegend->ToggleOnClick());
  if (legend && fLegend->IsVertical()) fLegend->Paint();
  if (fTitle->Visible()) PaintTitle(*fTitle, true);
  if (fFoot->Visible()) PaintTitle(*fFoot, false);
  if (legend && !fLegend->IsVertical()) fLegend->Paint();
  canvas.EndFrontPlane();
}

void TCustomChart::PaintTitle(TChartTitle& t, bool onTop) {
  TChartCanvas3D& canvas = ChartCanvas();
  ApplyFont(t.Font());
  const int h = canvas.FontLineHeight();

  // The box's fill.
  TBrush& brush = canvas.Brush();
  if (t.Color() == clDefault) {
    if (t.Brush().Style() != bsSolid) {
      brush.Assign(t.Brush());
      canvas.ChangeBackgroundMode(TRANSPARENT);
    } else if (t.Brush().Color() == clDefault) {
      brush.SetStyle(bsClear);
    } else {
      // The brush's colour becomes the title's own colour; stored directly,
      // since a repaint request in the middle of a paint would only ask for
      // the same picture again.
      t.fColor = t.Brush().Color();
      brush.SetColor(t.fColor);
      brush.SetStyle(bsSolid);
    }
  } else if (t.Brush().Style() == bsSolid) {
    brush.SetColor(t.Color());
    brush.SetStyle(bsSolid);
  } else {
    brush.Assign(t.Brush());
    canvas.ChangeBackgroundMode(OPAQUE);
    canvas.ChangeBackgroundColor(t.Color());
  }

  const bool framed = t.Frame().Visible() && t.Frame().Color() != clDefault;
  // The frame is drawn as wide as the canvas draws its pen.
  const int frameWidth = canvas.ScaledWidth(t.Frame().Width());
  const int f = framed ? frameWidth : 0;
  const TRect& plot = PlotRect();
  const int left = plot.Left + f;
  const int right = plot.Right - f;
  const int y = plot.Top + f;
  const int yb = plot.Bottom - f;
  const int n = static_cast<int>(t.Text().size());
  TRect box = onTop ? TRect{left, y, right, y + n * h} : TRect{left, yb - n * h, right, yb};

  int p = 0;
  if (framed) {
    canvas.ApplyPen(t.Frame());
    p = frameWidth;
  } else {
    canvas.Pen().SetStyle(psClear);
  }
  box = TRect{box.Left - p, box.Top - p, box.Right + p, box.Bottom + p};

  const int wc = canvas.MeasureTextWidth("W");
  if (framed || brush.Style() != bsClear) {
    if (t.AdjustFrame()) {
      int widest = 0;
      for (const std::string& line : t.Text()) {
        widest = std::max(widest, canvas.MeasureTextWidth(line));
      }
      const int boxWidth = widest + wc;
      switch (t.Alignment()) {
        case taLeftJustify: box.Right = box.Left + boxWidth; break;
        case taRightJustify: box.Left = box.Right - boxWidth; break;
        case taCenter: {
          const int cx = (box.Left + box.Right) / 2;
          box.Left = cx - boxWidth / 2;
          box.Right = cx + boxWidth / 2;
          break;
        }
      }
    }
    canvas.DrawBox(box);
  }
  t.fTitleBox = box;

  canvas.ChangeBackgroundMode(TRANSPARENT);
  canvas.ChangeTextAlignment(TA_LEFT | TA_TOP);
  const auto lineX = [&](const std::string& line) {
    const int tw = canvas.MeasureTextWidth(line);
    switch (t.Alignment()) {
      case taLeftJustify: return left + wc / 2;
      case taRightJustify: return right - tw - wc / 2;
      case taCenter: break;
    }
    return (left + right) / 2 - tw / 2;
  };

  const int gap = DevicePixels(kTitleGap);
  int e = onTop ? y - gap : yb + gap;
  if (onTop) {
    for (int i = 0; i < n; ++i) {
      const std::string& line = t.Text()[static_cast<std::size_t>(i)];
      const int top = y + i * h;
      canvas.WriteText(lineX(line), top, line);
      e = top + h;
    }
  } else {
    for (int i = n - 1; i >= 0; --i) {
      const std::string& line = t.Text()[static_cast<std::size_t>(i)];
      const int top = yb - (n - i) * h;
      canvas.WriteText(lineX(line), top, line);
      e = top;
    }
  }
  if (framed) e += onTop ? p : -p;

  TRect r = plot;
  if (onTop) {
    r.Top = e + gap;
  } else {
    r.Bottom = e - gap;
  }
  SetPlotRect(r);
}

// ---------------------------------------------------------------------------
// Walls

void TCustomChart::PrepareFillBrush(TColor color, TBrushStyle style, TColor backColor) {
  TChartCanvas3D& canvas = ChartCanvas();
  TBrush& brush = canvas.Brush();
  TColor fill = color;
  if (style != bsSolid && color == backColor) fill = backColor == clBlack ? clWhite : clBlack;
  // The colour goes first: a colour given to a clear brush would make it
  // solid again.
  brush.SetColor(fill);
  brush.SetStyle(style);
  if (style == bsSolid) {
    canvas.ChangeBackgroundMode(TRANSPARENT);
  } else {
    canvas.ChangeBackgroundMode(OPAQUE);
    canvas.ChangeBackgroundColor(backColor);
  }
}

void TCustomChart::PrepareWall(const TChartWall& wall) {
  TChartCanvas3D& canvas = ChartCanvas();
  canvas.ApplyPen(wall.Pen());
  if (wall.Color() == clDefault && wall.Brush().Style() == bsSolid) {
    canvas.Brush().SetStyle(bsClear);
  } else {
    PrepareFillBrush(wall.Color(), wall.Brush().Style(), wall.Brush().Color());
  }
}

TRect TCustomChart::OpaqueFillOf(const TRect& box) {
  TChartCanvas3D& canvas = ChartCanvas();
  const TCanvas* surface = canvas.DeviceContext();
  if (!surface || canvas.Brush().Style() != bsSolid || canvas.Pen().Mode() != pmCopy) return {};
  TRect fill = canvas.Pen().Style() == psClear
                   ? box
                   : TRect{box.Left + 1, box.Top + 1, box.Right - 1, box.Bottom - 1};
  if (surface->HasClip()) fill = IntersectRects(fill, surface->ClipRect());
  return fill.IsEmpty() ? TRect{} : fill;
}

TRect TCustomChart::OfferedBackgroundHole() {
  return fWallFillPanel == PanelBounds() ? fWallFill : TRect{};
}

void TCustomChart::PaintWalls() {
  TChartCanvas3D& canvas = ChartCanvas();
  const TRect& plot = PlotRect();
  PrepareWall(*fBackWall);
  // The frame lies on the chart rectangle's right column and bottom row too,
  // where the axes meet it.
  const TRect box{plot.Left, plot.Top, plot.Right + 1, plot.Bottom + 1};
  // The background left out where the wall stood in the last frame must lie
  // under this frame's wall; else the frame is drawn again with all of it.
  const TRect fill = OpaqueFillOf(box);
  const TRect& hole = BackgroundHole();
  if (!hole.IsEmpty() && IntersectRects(hole, fill) != hole) {
    fWallFill = TRect{};
    RedrawWithWholeBackground();
  }
  fWallFill = fill;
  fWallFillPanel = PanelBounds();
  canvas.DrawRectangle(box.Left, box.Top, box.Right, box.Bottom);
  if (HasBackImage() && fBackImageInside) {
    TRect inside = plot;
    if (fBackWall->Pen().Visible()) {
      ++inside.Top;
      --inside.Bottom;
    }
    DrawBackImage(inside);
  }
}

}  // namespace drivesim
