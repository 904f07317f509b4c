#pragma once
// The oscilloscope: the chart Chart1 of the main window with its two line
// series, Series1 (load velocity) and Series2 (setpoint), configured as the
// window's stored layout configures them.
//
// This is the one definition of the oscilloscope. The main window builds its
// chart and series through ConfigureOscilloscope, and the batch tool builds
// the same chart through MakeOscilloscope and draws it with
// RenderOscilloscope, so that both show the same picture.
//
// The layout is data: a list of property assignments in stored order,
// applied one after the other after the chart and the series have set their
// defaults, as a form stream would apply them. The order matters in one
// place: the back wall's brush colour is set before the wall's colour, which
// turns the wall's brush solid so that the chart rectangle fills black.

#include <memory>
#include <vector>

#include "chart/Chart.h"
#include "chart/Series.h"
#include "platform/Graphics.h"
#include "platform/Types.h"

namespace drivesim {

// Where the chart sits in the main window's client area, and its size.
constexpr TRect kOscilloscopeBounds{256, 328, 256 + 353, 328 + 169};

// The objects the layout configures (owned elsewhere).
struct OscilloscopeParts {
  TChart& Chart1;
  TLineSeries& Series1;
  TLineSeries& Series2;
};

// One stored property: its path as the layout names it (for example
// "Chart1.BackWall.Brush.Color") and the assignment.
struct OscilloscopeLayoutEntry {
  const char* Property;
  void (*Apply)(const OscilloscopeParts& parts);
};

// The oscilloscope's stored properties, in the order they are applied.
const std::vector<OscilloscopeLayoutEntry>& OscilloscopeLayout();

// Applies the layout to a freshly built chart and two freshly built series:
// the chart loads (IsLoading) while the entries are applied in order, the
// series join the chart after their own properties, and afterwards the
// chart's LoadedCursor is its cursor.
void ConfigureOscilloscope(TChart& chart1, TLineSeries& series1, TLineSeries& series2);

// A configured oscilloscope owning its chart and series. The series are
// declared after the chart, so they leave it before it goes.
struct Oscilloscope {
  std::unique_ptr<TChart> Chart1;
  std::unique_ptr<TLineSeries> Series1;  // load velocity
  std::unique_ptr<TLineSeries> Series2;  // setpoint
};
Oscilloscope MakeOscilloscope();

// Draws the chart as its window shows it: the bitmap takes the chart's size
// and receives the whole chart (RenderTo at the origin). With a scale above
// 1 the chart is drawn as on a screen that many times as dense: the bitmap
// is that many times larger each way, and the chart's fonts, lines, ticks
// and bevel are scaled with it. The chart's own pixel ratio is as before
// afterwards.
void RenderOscilloscope(TChart& chart1, TBitmap& bitmap, int scale = 1);

}  // namespace drivesim
