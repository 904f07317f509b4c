#include "files/PngData.h"

#include <QApplication>
#include <QBuffer>
#include <QByteArray>
#include <cstdlib>

#include "platform/Application.h"
#include "platform/Exceptions.h"
#include "platform/Graphics.h"

namespace drivesim {

OffscreenApplication::OffscreenApplication() {
  if (QApplication::instance()) return;
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  Application().Initialize(fArgc, fArgv);
  fStarted = true;
}

OffscreenApplication::~OffscreenApplication() {
  if (fStarted) Application().Finalize();
}

std::string PngData(const QImage& image) {
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) throw Exception("Cannot make the PNG picture");
  return std::string(data.constData(), static_cast<std::size_t>(data.size()));
}

std::string PngData(const TBitmap& bitmap, int scale) {
  const QImage& image = *static_cast<const QImage*>(bitmap.PlatformImage());
  if (scale == 1) return PngData(image);
  return PngData(image.scaled(image.width() * scale, image.height() * scale, Qt::IgnoreAspectRatio,
                              Qt::FastTransformation));
}

std::string DrawnPng(const std::function<void(TBitmap&)>& draw) {
  const QuietPlatform quiet;
  const OffscreenApplication application;
  TBitmap picture;
  draw(picture);
  return PngData(picture);
}

}  // namespace drivesim
