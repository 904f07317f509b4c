#pragma once
// The height of the main window's menu bar: a picture of the whole main
// window has it above the window's client area.

#include "mechanism/Gears.h"
#include "sim/DriveModel.h"
#include "sim/TimeHistory.h"
#include "ui/Unit1.h"

namespace drivesim {

inline int MainMenuHeight() {
  static const int height = [] {
    DriveModel model;
    TimeHistory history;
    GearPair gears;
    TForm1 form(model, history, gears);
    return form.MenuHeight();
  }();
  return height;
}

}  // namespace drivesim
