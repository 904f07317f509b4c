#pragma once

namespace drivesim {

// Maps the fonts the layouts name ("Arial", "MS Sans Serif") to Liberation
// Sans, which has Arial's metrics, so text measures the same on every
// machine. Call once after the QApplication exists.
void InstallFontSubstitutions();

}  // namespace drivesim
