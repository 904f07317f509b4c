#include "ui/MainWindowPicture.h"

#include <QApplication>
#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <QtGlobal>
#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <string>

#include "files/OutputFiles.h"
#include "files/PngData.h"
#include "lab/ExplorerWindow.h"
#include "lab/LabSweep.h"
#include "lab/LabWindow.h"
#include "mechanism/Gears.h"
#include "platform/Application.h"
#include "platform/Exceptions.h"
#include "platform/Graphics.h"
#include "platform/Numbers.h"
#include "sim/DriveModel.h"
#include "sim/TimeHistory.h"
#include "ui/OscilloscopeLayout.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"

namespace drivesim {

namespace {

// Collects the error boxes instead of opening modal ones, which nobody could
// close without a display.
class BoxRecorder {
 public:
  BoxRecorder() {
    SetErrorBoxPresenter(
        [this](const std::string& text, const std::string&) { Texts.push_back(text); });
  }
  ~BoxRecorder() { SetErrorBoxPresenter(nullptr); }
  BoxRecorder(const BoxRecorder&) = delete;
  BoxRecorder& operator=(const BoxRecorder&) = delete;
  std::vector<std::string> Texts;
};

void Press(TButton& button) {
  RunGuarded([&button] { button.Click(); });
}

void Enter(TSpinEdit& spin, int value) {
  RunGuarded([&spin, value] { spin.SetText(std::to_string(value)); });
}

// Writes PNG data to pngPath by the output-file rules.
void SavePng(const std::string& data, const std::string& pngPath) {
  TOutputFiles files(std::cout);
  const std::size_t output = files.Add("The picture", pngPath);
  files.Prepare();
  files.Stream(output).write(data.data(), static_cast<std::streamsize>(data.size()));
  files.Commit();
}

// The window's client area as it shows itself, or as it would show itself
// on a screen `scale` times as dense: its widgets paint into an image of
// that density, the oscilloscope and the mechanism picture included.
QImage WindowPicture(QWidget& window, int scale) {
  if (scale == 1) return window.grab().toImage();
  QImage picture(window.size() * scale, QImage::Format_RGB32);
  picture.setDevicePixelRatio(scale);
  picture.fill(Qt::white);
  window.render(&picture);
  picture.setDevicePixelRatio(1);
  return picture;
}

}  // namespace
namespace {

// Builds the main window offscreen on records of its own (so that the
// picture does not depend on anything run before it), enters the run and
// lets its timer handler tick; then hands the window to picture, whose PNG
// data it returns with the error boxes the run showed.
std::string PictureOfRun(const MainWindowRun& run, std::vector<std::string>* boxes,
                         const std::function<std::string(TForm1& form1)>& picture) {
  const QuietPlatform quiet;
  const OffscreenApplication application;
  BoxRecorder recorder;

  DriveModel model;
  TimeHistory history;
  GearPair gears;
  TForm1 form1(model, history, gears);
  TForm2 form2;
  form1.SetInstructionsWindow(&form2);
  form1.Show();
  // Shown and focused before "Process": once the timer runs, no event is
  // processed, so that only the ticks below advance the simulation.
  QApplication::processEvents();

  form1.Edit1->SetText(EditText(run.Gain));
  form1.Edit2->SetText(EditText(run.TimeConstant));
  form1.Edit3->SetText(EditText(run.MotorCoef));
  form1.Edit4->SetText(EditText(run.MotorInertia));
  form1.Edit5->SetText(EditText(run.LoadInertia));
  form1.Edit6->SetText(EditText(run.Friction));
  form1.Edit7->SetText(EditText(run.Feedback));
  Enter(*form1.SpinEdit1, run.Teeth);
  Enter(*form1.SpinEdit2, run.Setpoint);
  Press(*form1.Button2);

  const auto resetAndProcess = [&form1] {
    Press(*form1.Button5);
    Press(*form1.Button2);
  };
  if (run.ResetAfter == 0) resetAndProcess();
  for (int tick = 1; tick <= run.Ticks && form1.Running(); ++tick) {
    form1.Timer1->Tick();
    if (run.ResetAfter == tick) resetAndProcess();
  }

  std::string data = picture(form1);
  if (boxes) *boxes = recorder.Texts;
  // No tick may come while the windows go.
  Press(*form1.Button3);
  return data;
}

}  // namespace

std::string EditText(double value) {
  char buffer[40];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  std::string text(buffer, result.ptr);
  for (char& c : text) {
    if (c == '.') c = DecimalSeparator();
  }
  return text;
}

std::string MainWindowPng(const MainWindowRun& run, std::vector<std::string>* boxes, int scale) {
  return PictureOfRun(run, boxes, [scale](TForm1& form1) {
    return PngData(WindowPicture(*form1.Widget(), scale));
  });
}

std::string LabWindowPng(const MainWindowRun& run, const std::optional<SweepSpec>& sweep,
                         std::vector<std::string>* boxes, int scale) {
  return PictureOfRun(run, boxes, [&](TForm1& form1) {
    // Lab > Quality of regulation…, after the run: the current run is the
    // run's from its "Process" (or its "Reset"). The simulation timer stops
    // first, so that no tick of its own adds to the run while the window's
    // events are delivered.
    form1.Timer1->SetEnabled(false);
    form1.QualityOfRegulation1->Click();
    TLabWindow& lab = *form1.LabWindow();
    if (sweep) {
      // Runs as long as the run, entered as "Run sweep" enters it.
      const int ticks = std::max(run.Ticks - run.ResetAfter.value_or(0), 1);
      lab.ShowSweep(*sweep, ticks);
      RunGuarded([&] { lab.StartSweep(*sweep, ticks); });
      lab.Sweep().Wait();
    }
    QApplication::processEvents();
    return PngData(WindowPicture(*lab.Widget(), scale));
  });
}

std::string ExplorerWindowPng(const MainWindowRun& run, const std::optional<DesignTargets>& targets,
                              double rangeFrom, double rangeTo, std::vector<std::string>* boxes,
                              int scale) {
  return PictureOfRun(run, boxes, [&](TForm1& form1) {
    form1.ExploreFeedback1->Click();
    TExplorerWindow& explorer = *form1.ExplorerWindow();
    // The targets named are switched on with their limits; the others keep
    // the window's own limits, switched off.
    DesignTargets entered = explorer.State().Targets();
    if (targets) {
      for (TargetKind kind : kAllTargetKinds) {
        if ((*targets)[kind].Enabled) entered[kind] = (*targets)[kind];
      }
    }
    RunGuarded([&] { explorer.SetDesign(entered, rangeFrom, rangeTo); });
    QApplication::processEvents();
    return PngData(WindowPicture(*explorer.Widget(), scale));
  });
}

std::vector<std::string> SaveLabWindowPicture(const MainWindowRun& run,
                                              const std::optional<SweepSpec>& sweep,
                                              const std::string& pngPath, int scale) {
  std::vector<std::string> boxes;
  TOutputFiles files(std::cout);
  const std::size_t output = files.Add("The picture", pngPath);
  files.Prepare();
  const std::string data = LabWindowPng(run, sweep, &boxes, scale);
  files.Stream(output).write(data.data(), static_cast<std::streamsize>(data.size()));
  files.Commit();
  return boxes;
}

std::vector<std::string> SaveMainWindowPicture(const MainWindowRun& run, const std::string& pngPath,
                                               int scale) {
  std::vector<std::string> boxes;
  // The file is checked before the window runs.
  TOutputFiles files(std::cout);
  const std::size_t output = files.Add("The picture", pngPath);
  files.Prepare();
  const std::string data = MainWindowPng(run, &boxes, scale);
  files.Stream(output).write(data.data(), static_cast<std::streamsize>(data.size()));
  files.Commit();
  return boxes;
}

std::string OscilloscopePng(TChart& chart1, int scale) {
  return DrawnPng([&](TBitmap& picture) { RenderOscilloscope(chart1, picture, scale); });
}

void SaveOscilloscopePicture(TChart& chart1, const std::string& pngPath, int scale) {
  SavePng(OscilloscopePng(chart1, scale), pngPath);
}

}  // namespace drivesim
