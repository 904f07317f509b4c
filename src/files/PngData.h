#pragma once
// PNG pictures: the file data of a bitmap or an image, and pictures drawn
// offscreen, with the platform's application started for as long as a
// picture is being made when the program runs none.

#include <QImage>
#include <QtGlobal>
#include <functional>
#include <string>

namespace drivesim {

class TBitmap;

// The PNG file data of an image. Raises Exception when it cannot be made.
std::string PngData(const QImage& image);

// The PNG file data of a bitmap, pixel for pixel; with a scale above 1 every
// pixel a square of scale x scale pixels, as the image control shows its
// bitmap on a screen that many times as dense.
std::string PngData(const TBitmap& bitmap, int scale = 1);

// The picture that draw makes in a bitmap, as PNG data. Starts the
// application object on the offscreen platform when none exists yet, since
// text needs it.
std::string DrawnPng(const std::function<void(TBitmap&)>& draw);

// The application on the offscreen platform for as long as the picture is
// being made, unless the program runs one already. It is finalised at the
// end of the picture, after the windows have gone.
class OffscreenApplication {
 public:
  OffscreenApplication();
  ~OffscreenApplication();
  OffscreenApplication(const OffscreenApplication&) = delete;
  OffscreenApplication& operator=(const OffscreenApplication&) = delete;

 private:
  char fName[15] = "drivesim-batch";
  char* fArgv[2] = {fName, nullptr};
  int fArgc = 1;
  bool fStarted = false;
};

// Keeps the platform's own diagnostics (an offscreen window cannot be
// raised, and the like) off the tool's standard error while the picture is
// made, so that the tool's messages stay the only ones there.
class QuietPlatform {
 public:
  QuietPlatform() : fPrevious(qInstallMessageHandler(&Drop)) {}
  ~QuietPlatform() { qInstallMessageHandler(fPrevious); }
  QuietPlatform(const QuietPlatform&) = delete;
  QuietPlatform& operator=(const QuietPlatform&) = delete;

 private:
  static void Drop(QtMsgType, const QMessageLogContext&, const QString&) {}
  QtMessageHandler fPrevious;
};

}  // namespace drivesim
