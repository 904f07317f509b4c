#pragma once
// The comma-separated texts of runs and their figures, shared by the batch
// tool and the lab window: one row of figures per run, and one row per
// timer tick of every run of a sweep.
//
// Reals are written as the shortest text that reads back as the same double
// ("0.006", "1e-5", "300"), with a point whatever the locale; an absent
// figure is an empty field.

#include <optional>
#include <string>

#include "analysis/RunResult.h"

namespace drivesim {

// Appends a real as the shortest text that reads back as the same double,
// with a point and an exponent without "+" or leading zeros.
void AppendReal(std::string& text, double value);
// Appends the real, or nothing for an absent one.
void AppendOptionalReal(std::string& text, const std::optional<double>& value);

// The header of the figures, with its line end:
// run,value,gain,time_constant,...,theory_settling_5pct_s, then the loop's
// poles, DC gain, comparator error and frequency figures:
// pole1_re,...,resonance_peak_db
std::string FiguresCsvHeader();
// One run's row with its line end. value: the swept value, absent without a
// sweep.
void AppendFiguresRow(std::string& text, int run, const std::optional<double>& value,
                      const RunResult& result);

// The header of the per-tick rows of a sweep, with its line end:
// run,tick,time_s,load_velocity,setpoint,load_gear_angle,motor_gear_angle
std::string TickCsvHeader();
// One row per kept tick of the run, each with its line end.
void AppendTickRows(std::string& text, int run, const RunRecord& record);

}  // namespace drivesim
