// Entry point of every test suite: a QApplication on the offscreen platform
// (fonts, images and widgets need one) with the layout fonts mapped to
// Liberation Sans, the program's remembered settings in a scratch folder of
// their own (never the user's), then GoogleTest.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QSettings>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/Fonts.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  drivesim::InstallFontSubstitutions();

  std::string settings =
      (std::filesystem::temp_directory_path() / "drivesim-settings-XXXXXX").string();
  if (mkdtemp(settings.data()) == nullptr) return 1;
  QCoreApplication::setOrganizationName("DriveSim-tests");
  QCoreApplication::setApplicationName("drivesim-tests");
  QSettings::setDefaultFormat(QSettings::IniFormat);
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString::fromStdString(settings));

  ::testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  std::filesystem::remove_all(settings);
  return result;
}
