#pragma once
// The chart engine's data and scale side in one include: value lists and
// series (the points), the axes (ranges, increments, labels, value <-> pixel
// mapping) and the axis panel that holds the series list and the axes.
//
//   TChartValueList, TChartValueLists   chart/ChartValueList.h
//   TChartSeries, TSeriesMarks          chart/ChartSeries.h
//   TChartSeriesList                    chart/ChartSeriesList.h
//   TCustomChartAxis, TChartAxis,
//   TChartDepthAxis, TChartAxisTitle    chart/ChartAxis.h
//   TChartFontObject                    chart/ChartFontObject.h
//   TCustomChartPanel(Extended)         chart/ChartPanel.h
//   TCustomAxisPanel                    chart/AxisPanel.h

#include "chart/AxisPanel.h"
#include "chart/ChartAxis.h"
#include "chart/ChartFontObject.h"
#include "chart/ChartPanel.h"
#include "chart/ChartSeries.h"
#include "chart/ChartSeriesList.h"
#include "chart/ChartValueList.h"
