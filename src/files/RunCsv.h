#pragma once
// The run's record as CSV: one row per timer tick, as the batch tool writes
// its per-tick rows and the main window saves its run.

#include <ostream>

namespace drivesim {

class TickLog;

// The header of the per-tick rows.
inline constexpr const char* kTickRowsHeader =
    "tick,time_s,load_velocity,setpoint,load_gear_angle,motor_gear_angle";

// The record as the per-tick rows: the header, then one row per tick
// numbered from 1. Written a block of rows at a time, so that a long record
// is never gathered whole.
void WriteRunCsv(std::ostream& stream, const TickLog& log);

}  // namespace drivesim
