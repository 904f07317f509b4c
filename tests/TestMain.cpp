// Entry point of every test suite: a QApplication on the offscreen platform
// (fonts, images and widgets need one) with the layout fonts mapped to
// Liberation Sans, then GoogleTest.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "platform/Fonts.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  drivesim::InstallFontSubstitutions();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
