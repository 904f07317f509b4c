#include "platform/QtBridge.h"

#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QWidget>
#include <cmath>

#include "platform/Numbers.h"

namespace drivesim::bridge {

QFont ToQFont(const TFont& font) {
  QFont result(ToQString(font.Name()));
  const int height = font.Height();
  if (height < 0) {
    result.setPixelSize(-height);
  } else if (height > 0) {
    result.setPixelSize(height);
  }
  const TFontStyles style = font.Style();
  result.setBold((style & fsBold) != 0);
  result.setItalic((style & fsItalic) != 0);
  result.setUnderline((style & fsUnderline) != 0);
  result.setStrikeOut((style & fsStrikeOut) != 0);
  return result;
}

void ApplyFont(QWidget& widget, const TFont& font) {
  widget.setFont(ToQFont(font));
  QPalette palette = widget.palette();
  const QColor color = ToQColor(font.Color());
  palette.setColor(QPalette::WindowText, color);
  palette.setColor(QPalette::Text, color);
  palette.setColor(QPalette::ButtonText, color);
  widget.setPalette(palette);
}

void ApplyBackground(QWidget& widget, TColor color, bool textArea) {
  QPalette palette = widget.palette();
  const QColor qcolor = ToQColor(color);
  palette.setColor(QPalette::Window, qcolor);
  if (textArea) palette.setColor(QPalette::Base, qcolor);
  widget.setPalette(palette);
  widget.setAutoFillBackground(true);
}

Qt::CursorShape ToQtCursorShape(TCursor cursor) {
  switch (cursor) {
    case crCross: return Qt::CrossCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    case crArrow:
    default: return Qt::ArrowCursor;
  }
}

void ApplyCursor(QWidget& widget, TCursor cursor) {
  if (cursor == crDefault) {
    widget.unsetCursor();
  } else {
    widget.setCursor(QCursor(ToQtCursorShape(cursor)));
  }
}

double PaintDeviceRatio(QPainter& painter) {
  const QPaintEngine* engine = painter.paintEngine();
  const QPaintDevice* device = engine ? engine->paintDevice() : painter.device();
  const double ratio = device ? device->devicePixelRatioF() : 1.0;
  return ratio > 0 && std::isfinite(ratio) ? ratio : 1.0;
}

int DevicePixels(int layoutPixels, double ratio) { return ScalePixels(layoutPixels, ratio); }

void DrawDevicePixels(QPainter& painter, const QImage& pixels, double ratio) {
  QImage devicePixels(pixels.constBits(), pixels.width(), pixels.height(), pixels.bytesPerLine(),
                      pixels.format());
  devicePixels.setDevicePixelRatio(ratio);
  painter.drawImage(QPointF(0, 0), devicePixels);
}

}  // namespace drivesim::bridge
