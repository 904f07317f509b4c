// The picture of the "Quality of regulation" window after a run, made
// offscreen as the batch tool makes it: the window at its size, the current
// run's curve in its colour and, with a sweep, every swept run's curve in
// its paler one.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QImage>
#include <QString>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/PrintChart.h"
#include "analysis/Sweep.h"
#include "batch/Batch.h"
#include "lab/LabResponseChart.h"
#include "platform/Types.h"
#include "ui/MainWindowPicture.h"

namespace drivesim {
namespace {

// How many pixels of the picture have each colour.
std::map<TColor, int> Colours(const QImage& image) {
  std::map<TColor, int> count;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      ++count[RGB(qRed(p), qGreen(p), qBlue(p))];
    }
  }
  return count;
}

QImage Decoded(const std::string& png) {
  return QImage::fromData(reinterpret_cast<const uchar*>(png.data()), static_cast<int>(png.size()),
                          "PNG");
}

TEST(LabWindowPictureTest, TheLabShowsTheRunAndTheSweepEnteredIntoIt) {
  MainWindowRun run;
  run.Setpoint = 100;
  run.Ticks = 200;
  std::vector<std::string> boxes;
  const QImage alone = Decoded(LabWindowPng(run, std::nullopt, &boxes));
  EXPECT_TRUE(boxes.empty());
  ASSERT_EQ(alone.size(), QSize(980, 660));
  std::map<TColor, int> colours = Colours(alone);
  EXPECT_GT(colours[kCurrentRunColor], 100);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(colours[SequentialColor(i, 5)], 0) << i;

  const SweepSpec sweep = ParseSweepSpec("feedback=0.2:3:5");
  const QImage swept = Decoded(LabWindowPng(run, sweep, &boxes));
  EXPECT_TRUE(boxes.empty());
  ASSERT_EQ(swept.size(), QSize(980, 660));
  colours = Colours(swept);
  EXPECT_GT(colours[kCurrentRunColor], 100);
  // Each swept run's curve; the run at feedback 0.2 rises far above the
  // others and still shows.
  for (int i = 0; i < 5; ++i) EXPECT_GT(colours[SequentialColor(i, 5)], 100) << i;
  // DRIVESIM_PICTURES=DIR leaves the picture there to look at.
  if (const char* pictures = std::getenv("DRIVESIM_PICTURES")) {
    swept.save(QString::fromStdString(std::string(pictures) + "/lab-picture.png"));
  }

  // Twice as dense: twice the size each way.
  const QImage dense = Decoded(LabWindowPng(run, std::nullopt, nullptr, 2));
  EXPECT_EQ(dense.size(), QSize(1960, 1320));

  // A sweep the window does not run gets its box, and the window shows the
  // run alone.
  const QImage refused = Decoded(LabWindowPng(run, ParseSweepSpec("gain=1:10:101"), &boxes));
  EXPECT_EQ(boxes, std::vector<std::string>{"The number of runs must be between 2 and 100."});
  EXPECT_EQ(Colours(refused)[SequentialColor(0, 101)], 0);
}

TEST(LabWindowPictureTest, TheBatchToolsLabPictureIsTheWindowsForTheSameRun) {
  const std::filesystem::path dir = std::filesystem::path(::testing::TempDir()) /
                                    ("drivesim-lab-batch-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string png = (dir / "lab.png").string();
  std::ostringstream out, err;
  ASSERT_EQ(RunBatch({"--ticks", "150", "--setpoint", "170", "--teeth", "30", "--feedback", "0.7",
                      "--csv", (dir / "rows.csv").string(), "--lab", png},
                     out, err),
            0)
      << err.str();
  MainWindowRun run;
  run.Ticks = 150;
  run.Setpoint = 170;
  run.Teeth = 30;
  run.Feedback = 0.7;
  const QImage expected = Decoded(LabWindowPng(run, std::nullopt));
  const QImage saved(QString::fromStdString(png));
  ASSERT_EQ(saved.size(), expected.size());
  EXPECT_TRUE(saved == expected);

  // A picture that cannot be written: nothing is, and the rows neither.
  std::ostringstream out2, err2;
  EXPECT_EQ(
      RunBatch({"--csv", (dir / "rows2.csv").string(), "--lab", (dir / "no/lab.png").string()},
               out2, err2),
      2);
  EXPECT_FALSE(std::filesystem::exists(dir / "rows2.csv"));

  // With a sweep: the sweep run in the lab and kept, each run as long as
  // the batch tool's.
  std::ostringstream out3, err3;
  const std::string sweptPng = (dir / "swept.png").string();
  ASSERT_EQ(RunBatch({"--ticks", "120", "--sweep", "feedback=0.2:3:5", "--metrics",
                      (dir / "figures.csv").string(), "--lab", sweptPng},
                     out3, err3),
            0)
      << err3.str();
  MainWindowRun sweptRun;
  sweptRun.Ticks = 120;
  const QImage sweptExpected = Decoded(LabWindowPng(sweptRun, ParseSweepSpec("feedback=0.2:3:5")));
  const QImage sweptSaved(QString::fromStdString(sweptPng));
  ASSERT_EQ(sweptSaved.size(), sweptExpected.size());
  EXPECT_TRUE(sweptSaved == sweptExpected);
  EXPECT_GT(Colours(sweptSaved)[SequentialColor(4, 5)], 100);

  // A sweep the lab would refuse is refused before anything runs.
  std::ostringstream out4, err4;
  EXPECT_EQ(RunBatch({"--sweep", "gain=1:10:101", "--metrics", (dir / "f2.csv").string(), "--lab",
                      (dir / "l2.png").string()},
                     out4, err4),
            2);
  EXPECT_NE(err4.str().find("The number of runs must be between 2 and 100"), std::string::npos)
      << err4.str();
  EXPECT_FALSE(std::filesystem::exists(dir / "f2.csv"));
  EXPECT_FALSE(std::filesystem::exists(dir / "l2.png"));
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace drivesim
