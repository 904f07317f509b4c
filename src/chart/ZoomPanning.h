#pragma once
// What the chart's mouse handling works with besides the zoom and panning
// records of the chart panel: which part of the chart a press hit, the click
// and scroll events the chart fires, and the engine's fixed mouse settings.
//
// Gestures: a left-button drag right and down by more than 16 pixels in both
// directions zooms the four side axes to the dragged rectangle; a drag of
// that size in any other direction returns to the scales from before the
// first zoom or pan; a right-button drag pans; the wheel scrolls the vertical
// axes by 3 percent of their range per step.

#include <functional>

#include "platform/CustomPanel.h"

namespace drivesim {

class TCustomChart;
class TCustomChartAxis;
class TChartSeries;

// The parts of the chart a mouse press can hit.
enum TChartClickedPartStyle {
  partNone,
  partLegend,
  partAxis,
  partSeries,
  partTitle,
  partFoot,
  partChartRect
};

// What a press hit: the kind of part, the value index of a series point (or
// legend item; -1 when none), and the series or axis hit (not owned; null
// when the part is not a series or an axis).
struct TChartClickedPart {
  TChartClickedPartStyle Part = partNone;
  int PointIndex = -1;
  TChartSeries* ASeries = nullptr;
  TCustomChartAxis* AAxis = nullptr;
};

// The engine's mouse settings, fixed from start-up: zooming drags with the
// left button, panning with the right one; no Shift, Ctrl or Alt key is
// required for either (a press with any of them held counts too).
constexpr TMouseButton kZoomButton = mbLeft;
constexpr TMouseButton kPanningButton = mbRight;
constexpr TShiftState kZoomShiftKeys = 0;
constexpr TShiftState kPanningShiftKeys = 0;
// An animated zoom moves each range this fraction of the remaining way
// toward its target per picture: a third.
constexpr double kAnimatedZoomFactor = 3.0;
// A zoom drag counts only when it is longer than this, in pixels, in both
// directions.
constexpr int kZoomMinimumDrag = 16;
// One wheel step scrolls a vertical axis by this percentage of its range.
constexpr double kWheelScrollPercent = 3.0;

// A press on an axis (its line, ticks or labels).
using TChartClickAxisEvent =
    std::function<void(TCustomChart& sender, TCustomChartAxis& axis, TMouseButton button,
                       TShiftState shift, int x, int y)>;
// A press on a point (or segment) of a series; valueIndex is the point.
using TChartClickSeriesEvent =
    std::function<void(TCustomChart& sender, TChartSeries& series, int valueIndex,
                       TMouseButton button, TShiftState shift, int x, int y)>;
// A press on the legend, or on the chart's background.
using TChartClickEvent =
    std::function<void(TCustomChart& sender, TMouseButton button, TShiftState shift, int x, int y)>;
// Asked before one pan step moves an axis to newMin..newMax: the handler may
// change the new range, or set allowScroll to false to keep this axis where
// it is (the other axes still move).
using TChartAllowScrollEvent =
    std::function<void(TCustomChartAxis& axis, double& newMin, double& newMax, bool& allowScroll)>;

}  // namespace drivesim
