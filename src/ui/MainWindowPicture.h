#pragma once
// A picture of the whole main window after a run, made without a display:
// the real window is built offscreen, the inputs are entered into its
// controls, "Process" is pressed and its timer handler ticks, exactly as on
// screen, and the window's client area is saved as a PNG file.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "analysis/DesignTargets.h"
#include "analysis/Sweep.h"

namespace drivesim {

// What the user enters and how long the simulation runs.
struct MainWindowRun {
  double Gain = 10;             // Edit1
  double TimeConstant = 0.006;  // Edit2, s
  double MotorCoef = 1.4;       // Edit3, rad/(s*V)
  double MotorInertia = 0.021;  // Edit4, kg*m^2
  double LoadInertia = 0.3;     // Edit5, kg*m^2
  double Friction = 1.6;        // Edit6, N*m*s/rad
  double Feedback = 1;          // Edit7, V*s/rad
  int Teeth = 42;               // the tooth-count spin edit
  int Setpoint = 100;           // the setpoint spin edit, rad/s
  int Ticks = 400;              // timer ticks after "Process"
  // "Reset" and then "Process" again after this tick.
  std::optional<int> ResetAfter;
};

class TBitmap;
class TChart;

// The shortest text that reads back as the same number, written with the
// user's decimal separator as the user would type it into an edit.
std::string EditText(double value);

// Runs the window and returns its picture as PNG data. Starts the platform's
// application object on the offscreen platform when none exists yet. The
// texts of the error boxes the run showed (none for a run that goes
// through) go to boxes when it is given. With a scale above 1 the window is
// pictured as on a screen that many times as dense (1 to 4 is what the
// batch tool offers): that many times larger each way, its texts and the
// chart drawn at that density, the mechanism picture enlarged by whole
// pixels, as the window shows itself on such a screen.
std::string MainWindowPng(const MainWindowRun& run, std::vector<std::string>* boxes = nullptr,
                          int scale = 1);

// The same picture written to pngPath as an output file (replaced only once
// the picture is complete; a FIFO or a device written in place). Returns the
// texts of the error boxes. Raises Exception when the file cannot be written.
std::vector<std::string> SaveMainWindowPicture(const MainWindowRun& run, const std::string& pngPath,
                                               int scale = 1);

// The "Quality of regulation" window after the run, opened from the main
// window's menu and showing the run as its current one; with a sweep, the
// sweep entered into its sweep group (runs as long as the run after its
// reset), run to its end and kept. Its client area as PNG data, as
// MainWindowPng pictures the main window.
std::string LabWindowPng(const MainWindowRun& run, const std::optional<SweepSpec>& sweep,
                         std::vector<std::string>* boxes = nullptr, int scale = 1);
// The run entered into the real main window offscreen as MainWindowPng does,
// then Lab > Explore the feedback coefficient… opened, its range of k and
// its design targets (when given) entered. Its client area as PNG data.
std::string ExplorerWindowPng(const MainWindowRun& run, const std::optional<DesignTargets>& targets,
                              double rangeFrom, double rangeTo,
                              std::vector<std::string>* boxes = nullptr, int scale = 1);
// The same picture written to pngPath as an output file, as
// SaveMainWindowPicture writes the main window's.
std::vector<std::string> SaveLabWindowPicture(const MainWindowRun& run,
                                              const std::optional<SweepSpec>& sweep,
                                              const std::string& pngPath, int scale = 1);

// Draws the oscilloscope as the window shows it (its current series, at its
// own size, or `scale` times that size drawn at that density, as
// RenderOscilloscope does) and returns the picture as PNG data. Starts the
// application object on the offscreen platform when none exists yet.
std::string OscilloscopePng(TChart& chart1, int scale = 1);

// The same picture written to pngPath as an output file. Raises Exception
// when the file cannot be written.
void SaveOscilloscopePicture(TChart& chart1, const std::string& pngPath, int scale = 1);

}  // namespace drivesim
