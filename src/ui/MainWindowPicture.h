#pragma once
// A picture of the whole main window after a run, made without a display:
// the real window is built offscreen, the inputs are entered into its
// controls, "Process" is pressed and its timer handler ticks, exactly as on
// screen, and the window's client area is saved as a PNG file.

#include <optional>
#include <string>
#include <vector>

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

// Raises Exception unless a picture can be written to pngPath (its
// directory takes a new file); checked before a run, so that a bad path
// leaves every output unwritten.
void CheckPictureCanBeWritten(const std::string& pngPath);

// Runs the window and writes its picture to pngPath (replaced only once the
// picture is complete). Starts the platform's application object on the
// offscreen platform when none exists yet. Returns the texts of the error
// boxes the run showed (none for a run that goes through). Raises Exception
// when the file cannot be written. With a scale above 1 the window is
// pictured as on a screen that many times as dense (1 to 4 is what the
// batch tool offers): that many times larger each way, its texts and the
// chart drawn at that density, the mechanism picture enlarged by whole
// pixels, as the window shows itself on such a screen.
std::vector<std::string> SaveMainWindowPicture(const MainWindowRun& run, const std::string& pngPath,
                                               int scale = 1);

class TChart;

// Draws the oscilloscope as the window shows it (its current series, at its
// own size, or `scale` times that size drawn at that density, as
// RenderOscilloscope does) and writes the picture to pngPath, replaced only
// once complete. Starts the application object on the offscreen platform
// when none exists yet. Raises Exception when the file cannot be written.
void SaveOscilloscopePicture(TChart& chart1, const std::string& pngPath, int scale = 1);

}  // namespace drivesim
