// drivesim-batch --picture: the mechanism picture after the run is the image
// the main window shows for the same run, pixel for pixel, and with no ticks
// the picture the window starts with.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "batch/Batch.h"
#include "mechanism/Gears.h"
#include "mechanism/MechanismPicture.h"
#include "platform/Graphics.h"
#include "ui/MainMenuHeight.h"

namespace drivesim {
namespace {

namespace fs = std::filesystem;

class BatchPictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "drivesim-picture-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir = pattern;
  }
  void TearDown() override { fs::remove_all(dir); }

  // Runs the tool with a picture and a window picture of the same run.
  int Run(std::vector<std::string> arguments, QImage& picture, QImage& window, std::string& err) {
    const std::string p = (dir / "p.png").string();
    const std::string w = (dir / "w.png").string();
    arguments.insert(arguments.end(),
                     {"--csv", (dir / "rows.csv").string(), "--picture", p, "--window", w});
    std::ostringstream out, errors;
    const int status = RunBatch(arguments, out, errors);
    err = errors.str();
    picture = QImage(QString::fromStdString(p));
    window = QImage(QString::fromStdString(w));
    return status;
  }

  fs::path dir;
};

// Pixels of the picture that differ from the window's image at (256, 8) of
// its client area, below the menu bar.
int DifferingFromWindow(const QImage& picture, const QImage& window) {
  const int top = MainMenuHeight() + 8;
  int differing = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      differing += picture.pixel(x, y) != window.pixel(256 + x, top + y);
    }
  }
  return differing;
}

TEST_F(BatchPictureTest, PictureIsTheWindowsImageForTheSameRun) {
  struct Case {
    std::vector<std::string> Arguments;
    int Status;
  };
  const std::vector<Case> cases{
      {{"--ticks", "0"}, 0},
      {{"--ticks", "0", "--teeth", "20"}, 0},
      {{"--ticks", "37", "--teeth", "31", "--setpoint", "170", "--gain", "12.5"}, 0},
      {{"--ticks", "90", "--setpoint", "-200", "--reset-after", "40"}, 0},
      // Diverging: both stop at the failing tick and show the last good one.
      {{"--ticks", "500", "--feedback", "-1000"}, 3},
  };
  std::vector<QImage> pictures;
  for (const Case& c : cases) {
    QImage picture, window;
    std::string err;
    const int status = Run(c.Arguments, picture, window, err);
    const std::string what = c.Arguments[1] + " ticks, " + std::to_string(pictures.size());
    EXPECT_EQ(status, c.Status) << what << ": " << err;
    ASSERT_EQ(picture.size(), QSize(353, 313)) << what;
    ASSERT_EQ(window.size(), QSize(623, MainMenuHeight() + 513)) << what;
    EXPECT_EQ(DifferingFromWindow(picture, window), 0) << what;
    pictures.push_back(picture);
  }
  // The runs turn the gears to different pictures.
  EXPECT_NE(pictures[0], pictures[1]);
  EXPECT_NE(pictures[0], pictures[2]);
  EXPECT_NE(pictures[2], pictures[3]);

  // With no ticks: the picture the window is created with, drawn here on
  // its own (gears set up for the tooth count at angle 0).
  for (const int teeth : {42, 20}) {
    GearPair gears;
    gears.SetUpGears(teeth);
    TBitmap startUp;
    DrawBlockSketch(startUp);
    DrawMechanism(startUp, gears);
    const QImage& picture = pictures[teeth == 42 ? 0 : 1];
    int differing = 0;
    for (int y = 0; y < startUp.Height(); ++y) {
      for (int x = 0; x < startUp.Width(); ++x) {
        const TColor c = startUp.Pixel(x, y);
        differing += picture.pixel(x, y) != qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
      }
    }
    EXPECT_EQ(differing, 0) << teeth;
  }
}

}  // namespace
}  // namespace drivesim
