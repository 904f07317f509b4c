// The chart's mouse handling: what a press hits, zooming with the rubber
// band, undoing the zoom, panning and the wheel.
//
// A zoom drag keeps its rectangle in the zoom record. The band is drawn with
// a not-xor pen: drawing the same rectangle a second time gives every pixel
// back its old colour, so a mouse move erases the old band by drawing it
// again and then draws the new one, without a repaint of the chart. Outside a
// paint the chart canvas draws on the window surface; a paint that comes in
// the middle of a drag (the simulation repaints every 20 ms) draws the band
// over the fresh picture, so that the next erase still finds it.
//
// The first zoom or pan step saves the four side axes' scales; every later
// one leaves the saved scales alone until an undo puts them back, so an undo
// always returns to the picture from before the first zoom or pan.

#include <cmath>
#include <cstdlib>

#include "chart/AxisPanel.h"
#include "chart/Chart.h"
#include "chart/ChartAxis.h"
#include "chart/ChartSeries.h"
#include "chart/ZoomPanning.h"

namespace drivesim {

namespace {

bool Contains(TShiftState shift, TShiftState required) { return (shift & required) == required; }

}  // namespace

// ---------------------------------------------------------------------------
// What a press hits

TChartClickedPart TCustomChart::FindClickedPart(int x, int y) {
  TChartClickedPart part;
  // The series drawn last lie on top, so they are asked first.
  for (int i = SeriesCount() - 1; i >= 0; --i) {
    TChartSeries& series = Series(i);
    if (!series.Active()) continue;
    const int index = series.ClickedPoint(x, y);
    if (index != -1) {
      part.Part = partSeries;
      part.PointIndex = index;
      part.ASeries = &series;
      return part;
    }
  }
  for (int i = 0; i < AxisCount(); ++i) {
    TCustomChartAxis& axis = Axes(i);
    if (axis.AxisHit(x, y)) {
      part.Part = partAxis;
      part.AAxis = &axis;
      return part;
    }
  }
  const TPoint p{x, y};
  if (Title().Visible() && PointInRect(Title().TitleBox(), p)) {
    part.Part = partTitle;
  } else if (Foot().Visible() && PointInRect(Foot().TitleBox(), p)) {
    part.Part = partFoot;
  } else if (PointInRect(PlotRect(), p) && ActiveCount() > 0) {
    part.Part = partChartRect;
  } else if (Legend().Visible()) {
    const int item = Legend().Clicked(x, y);
    if (item >= 0) {
      part.Part = partLegend;
      part.PointIndex = item;
    }
  }
  return part;
}

// ---------------------------------------------------------------------------
// Mouse down

void TCustomChart::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  // A second button pressed during a drag is ignored.
  if (Zoom().IsActive || Panning().IsActive || fPointDrag.IsActive()) return;
  // An OnMouseDown handler that set MouseHandled keeps the chart out of this
  // press.
  if (MouseHandled()) {
    SetMouseHandled(false);
    return;
  }
  // A press takes the readout away; one within reach of a draggable point
  // drags that point rather than starting a zoom.
  fReadout->Hide();
  if (button == kZoomButton && fPointDrag.Start(*this, x, y)) return;
  const TChartClickedPart part = FindClickedPart(x, y);
  bool handled = false;
  bool backgroundOffered = false;
  switch (part.Part) {
    case partLegend:
      if (OnClickLegend) {
        SetMouseHandled(true);
        OnClickLegend(*this, button, shift, x, y);
        handled = MouseHandled();
      }
      // A left click on a row may hide or show its series; a press on the
      // legend never starts a zoom.
      if (!handled && button == mbLeft) handled = Legend().PressItem(part.PointIndex);
      break;
    case partAxis:
      if (OnClickAxis) {
        SetMouseHandled(true);
        OnClickAxis(*this, *part.AAxis, button, shift, x, y);
        handled = MouseHandled();
      }
      if (!handled) handled = TryStartZoomOrPan(button, shift, x, y);
      break;
    case partSeries:
      handled = ClickSeries(*part.ASeries, part.PointIndex, button, shift, x, y);
      if (OnClickSeries) {
        SetMouseHandled(true);
        OnClickSeries(*this, *part.ASeries, part.PointIndex, button, shift, x, y);
        handled = MouseHandled();
      }
      if (!handled) handled = TryStartZoomOrPan(button, shift, x, y);
      break;
    case partChartRect:
      handled = ClickBackground(button, shift, x, y);
      backgroundOffered = true;
      if (!handled) handled = TryStartZoomOrPan(button, shift, x, y);
      break;
    case partNone:
    case partTitle:
    case partFoot: break;
  }
  // A press on the chart rectangle has offered the background click already;
  // it is not fired a second time for the same press.
  if (!handled && !backgroundOffered) ClickBackground(button, shift, x, y);
  SetMouseHandled(false);
}

bool TCustomChart::ClickBackground(TMouseButton button, TShiftState shift, int x, int y) {
  if (!OnClickBackground) return false;
  SetMouseHandled(true);
  OnClickBackground(*this, button, shift, x, y);
  return MouseHandled();
}

bool TCustomChart::ClickSeries(TChartSeries& series, int valueIndex, TMouseButton button,
                               TShiftState shift, int x, int y) {
  SetMouseHandled(false);
  if (Contains(shift, ssDouble) && series.OnDblClick) {
    SetMouseHandled(true);
    series.OnDblClick(series, valueIndex, button, shift, x, y);
  } else if (series.OnClick) {
    SetMouseHandled(true);
    series.OnClick(series, valueIndex, button, shift, x, y);
  }
  return MouseHandled();
}

bool TCustomChart::TryStartZoomOrPan(TMouseButton button, TShiftState shift, int x, int y) {
  bool handled = false;
  if (AllowZoom() && button == kZoomButton && Contains(shift, kZoomShiftKeys)) {
    SetCursor(crDefault);
    Zoom().StartAt(x, y);
    // Of zero size yet: the band appears with the first move.
    PaintZoomRectangle();
    handled = true;
  }
  if (AllowPanning() != pmNone && button == kPanningButton && Contains(shift, kPanningShiftKeys)) {
    SetCursor(crDefault);
    Panning().StartAt(x, y);
    handled = true;
  }
  return handled;
}

// ---------------------------------------------------------------------------
// The rubber band

void TCustomChart::PaintZoomRectangle() {
  TChartCanvas3D& canvas = ChartCanvas();
  // The inverse of the panel colour would vanish on a white panel: black
  // takes its place there.
  TColor color = ColorToRGB(Color());
  if (color == clWhite) color = clBlack;
  TPen& pen = canvas.Pen();
  pen.SetColor(color);
  pen.SetMode(pmNotXor);
  pen.SetStyle(psSolid);
  pen.SetWidth(canvas.ScaledWidth(1));
  pen.SetAlternatePixels(false);
  canvas.Brush().SetStyle(bsClear);
  const TZoomPanningRecord& zoom = Zoom();
  canvas.DrawRectangle(zoom.FromX, zoom.FromY, zoom.ToX, zoom.ToY);
  // Outside a paint the band went straight onto the window surface, which
  // is shown again; the surface's pen goes back to plain drawing. Inside a
  // paint the band is part of the picture being drawn, and the paint resets
  // the drawing state itself.
  if (canvas.DeviceContext() == &Canvas()) {
    pen.SetMode(pmCopy);
    ShowSurface();
  }
}

// ---------------------------------------------------------------------------
// Mouse move

void TCustomChart::MouseMove(TShiftState /*shift*/, int x, int y) {
  if (fPointDrag.MoveTo(x, y)) {
    fReadout->MouseAt(x, y);
    return;
  }
  TZoomPanningRecord& zoom = Zoom();
  if (zoom.IsActive) {
    if (x == zoom.ToX && y == zoom.ToY) return;
    PaintZoomRectangle();  // erases the band
    zoom.ToX = x;
    zoom.ToY = y;
    PaintZoomRectangle();  // draws it at its new size
    return;
  }
  if (Panning().IsActive) {
    PanTo(x, y);
    return;
  }
  fReadout->MouseAt(x, y);
  // The first active series with a cursor of its own that has a point or
  // segment under the mouse shows its cursor; elsewhere the control's own
  // cursor returns.
  for (int i = 0; i < SeriesCount(); ++i) {
    TChartSeries& series = Series(i);
    if (series.Active() && series.Cursor() != crDefault && series.ClickedPoint(x, y) != -1) {
      if (Cursor() != series.Cursor()) SetCursor(series.Cursor());
      return;
    }
  }
  if (Cursor() != LoadedCursor()) SetCursor(LoadedCursor());
}

// ---------------------------------------------------------------------------
// Mouse up

void TCustomChart::MouseUp(TMouseButton button, TShiftState /*shift*/, int x, int y) {
  if (button == kZoomButton && fPointDrag.End()) return;
  if (button == mbLeft) Legend().ReleaseAt(x, y);
  TZoomPanningRecord& zoom = Zoom();
  // Only the zoom button's release ends a zoom drag.
  if (zoom.IsActive && button == kZoomButton) {
    zoom.IsActive = false;
    PaintZoomRectangle();  // erases the band
    ChartCanvas().Pen().SetMode(pmCopy);
    zoom.ToX = x;
    zoom.ToY = y;
    // The threshold is in pixels of the window's layout, whatever the
    // density the chart is drawn at.
    const double minimumDrag = kZoomMinimumDrag * PixelRatio();
    if (std::abs(zoom.ToX - zoom.FromX) > minimumDrag &&
        std::abs(zoom.ToY - zoom.FromY) > minimumDrag) {
      if (zoom.ToX > zoom.FromX && zoom.ToY > zoom.FromY) {
        ZoomToRectangle();
      } else {
        UndoZoom();
      }
      RequestRepaint();
    }
  }
  // Any release ends panning.
  Panning().IsActive = false;
}

// ---------------------------------------------------------------------------
// Zooming

void TCustomChart::ZoomToRectangle() {
  TZoomPanningRecord& zoom = Zoom();
  zoom.Normalize();
  // The vertical axes grow upwards: the rectangle's lower edge gives their
  // minimum.
  ZoomToValues(TopAxis().PixelToValue(zoom.FromX), TopAxis().PixelToValue(zoom.ToX),
               BottomAxis().PixelToValue(zoom.FromX), BottomAxis().PixelToValue(zoom.ToX),
               LeftAxis().PixelToValue(zoom.ToY), LeftAxis().PixelToValue(zoom.FromY),
               RightAxis().PixelToValue(zoom.ToY), RightAxis().PixelToValue(zoom.FromY));
}

void TCustomChart::ZoomToValues(double topMin, double topMax, double bottomMin, double bottomMax,
                                double leftMin, double leftMax, double rightMin, double rightMax) {
  if (ScalesRestored()) {
    SaveScales();
    SetScalesRestored(false);
  }
  struct Target {
    TCustomChartAxis& Axis;
    double Min;
    double Max;
  };
  const Target targets[4] = {{LeftAxis(), leftMin, leftMax},
                             {RightAxis(), rightMin, rightMax},
                             {TopAxis(), topMin, topMax},
                             {BottomAxis(), bottomMin, bottomMax}};
  if (AnimatedZoom()) {
    // Each intermediate picture moves every range a third of the remaining
    // way toward its target.
    for (int step = 1; step < AnimatedZoomSteps(); ++step) {
      for (const Target& t : targets) {
        const double min = t.Axis.Minimum();
        const double max = t.Axis.Maximum();
        if (t.Axis.MovesByFactors() && t.Min > 0 && t.Max > 0) {
          // A logarithmic axis goes the third of the way in its logarithms.
          t.Axis.SetRange(min * std::pow(t.Min / min, 1 / kAnimatedZoomFactor),
                          max * std::pow(t.Max / max, 1 / kAnimatedZoomFactor));
          continue;
        }
        t.Axis.SetRange(min + (t.Min - min) / kAnimatedZoomFactor,
                        max - (max - t.Max) / kAnimatedZoomFactor);
      }
      RepaintNow();
    }
  }
  for (const Target& t : targets) t.Axis.SetRange(t.Min, t.Max);
  SetZoomedIn(true);
  if (OnZoom) OnZoom(*this);
}

// ---------------------------------------------------------------------------
// Saved scales and undo

TCustomChartAxis& TCustomChart::SavedScaleAxis(int index) {
  switch (index) {
    case 0: return TopAxis();
    case 1: return LeftAxis();
    case 2: return RightAxis();
    default: return BottomAxis();
  }
}

void TCustomChart::SaveScales() {
  for (int i = 0; i < 4; ++i) {
    const TCustomChartAxis& axis = SavedScaleAxis(i);
    TSavedScales::Scale& saved = SavedScales().Axes[i];
    saved.Automatic = axis.Automatic();
    saved.AutomaticMinimum = axis.AutomaticMinimum();
    saved.AutomaticMaximum = axis.AutomaticMaximum();
    saved.Minimum = axis.Minimum();
    saved.Maximum = axis.Maximum();
  }
}

void TCustomChart::UndoZoom() {
  if (!ScalesRestored()) {
    for (int i = 0; i < 4; ++i) {
      TCustomChartAxis& axis = SavedScaleAxis(i);
      const TSavedScales::Scale& saved = SavedScales().Axes[i];
      axis.SetAutomatic(saved.Automatic);
      axis.SetAutomaticMinimum(saved.AutomaticMinimum);
      axis.SetAutomaticMaximum(saved.AutomaticMaximum);
      if (!axis.Automatic()) {
        axis.SetRange(saved.Minimum, saved.Maximum);
        // Fixing the range switched both automatic ends off; an axis that
        // followed its data at one end only gets that end back.
        axis.SetAutomaticMinimum(saved.AutomaticMinimum);
        axis.SetAutomaticMaximum(saved.AutomaticMaximum);
      }
    }
  }
  SetScalesRestored(true);
  if (OnUndoZoom) OnUndoZoom(*this);
  RequestRepaint();
  SetZoomedIn(false);
}

// ---------------------------------------------------------------------------
// Panning

void TCustomChart::PanTo(int x, int y) {
  TZoomPanningRecord& panning = Panning();
  // Leaving the chart rectangle ends this drag for good.
  if (!PointInRect(PlotRect(), TPoint{x, y})) {
    panning.IsActive = false;
    return;
  }
  if (x == panning.ToX && y == panning.ToY) return;
  if (ScalesRestored()) {
    SaveScales();
    SetScalesRestored(false);
  }
  const TPanningMode mode = AllowPanning();
  bool moved = false;
  // Each step moves the axes by the pointer's displacement since the last
  // move, so that the data under the pointer follows it.
  const auto step = [this](bool horizontal, int from, int to) {
    for (int i = 0; i < AxisCount(); ++i) {
      TCustomChartAxis& axis = Axes(i);
      if (axis.IsHorizontal() != horizontal || axis.IsDepth()) continue;
      double newMin = 0;
      double newMax = 0;
      axis.PannedRange(from, to, newMin, newMax);
      bool allow = true;
      if (OnAllowScroll) OnAllowScroll(axis, newMin, newMax, allow);
      if (allow) axis.SetRange(newMin, newMax);
    }
  };
  if (x != panning.ToX && (mode == pmHorizontal || mode == pmBoth)) {
    step(true, panning.ToX, x);
    moved = true;
  }
  if (y != panning.ToY && (mode == pmVertical || mode == pmBoth)) {
    step(false, panning.ToY, y);
    moved = true;
  }
  panning.ToX = x;
  panning.ToY = y;
  if (moved) {
    if (OnScroll) OnScroll(*this);
    RequestRepaint();
  }
}

// ---------------------------------------------------------------------------
// The wheel and leaving the control

void TCustomChart::ScrollVerticalAxes(int direction) {
  for (int i = 0; i < AxisCount(); ++i) {
    TCustomChartAxis& axis = Axes(i);
    if (axis.IsHorizontal()) continue;
    if (axis.MovesByFactors()) {
      // The same part of the range in logarithms: as many decades stay.
      const double part = direction * kWheelScrollPercent * 0.01;
      axis.ScrollByFactor(std::pow(axis.Maximum() / axis.Minimum(), part));
      continue;
    }
    const double offset = (axis.Maximum() - axis.Minimum()) * kWheelScrollPercent * 0.01;
    axis.ScrollBy(direction * offset, false);
  }
}

bool TCustomChart::DoMouseWheelDown(TShiftState shift, TPoint mousePos) {
  const bool result = TCustomAxisPanel::DoMouseWheelDown(shift, mousePos);
  // Wheel down raises the vertical ranges, so the traces move down.
  ScrollVerticalAxes(+1);
  return result;
}

bool TCustomChart::DoMouseWheelUp(TShiftState shift, TPoint mousePos) {
  const bool result = TCustomAxisPanel::DoMouseWheelUp(shift, mousePos);
  ScrollVerticalAxes(-1);
  return result;
}

void TCustomChart::MouseLeave() {
  Legend().CancelPress();
  SetCursor(LoadedCursor());
  Panning().IsActive = false;
  fReadout->Hide();
}

}  // namespace drivesim
