#pragma once
// Conversions between the platform's own types and Qt's, for the platform's
// widget code only. Nothing outside src/platform includes this header.

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QPalette>
#include <QString>
#include <string>

#include "platform/Graphics.h"
#include "platform/Types.h"

class QImage;
class QPainter;
class QWidget;

namespace drivesim::bridge {

inline QString ToQString(const std::string& text) { return QString::fromStdString(text); }
inline std::string FromQString(const QString& text) { return text.toStdString(); }

// A colour 0x00BBGGRR (system colours resolved) as a QColor.
inline QColor ToQColor(TColor color) {
  const TColor rgb = ColorToRGB(color);
  return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

// The font's face, size and style. A negative height -h is a character
// height of h pixels, which is Qt's pixel size; a positive height (the cell
// height) is taken as the pixel size as well, a close approximation.
QFont ToQFont(const TFont& font);

// Sets the widget's font and its text colours (window text, text, button
// text) from the font.
void ApplyFont(QWidget& widget, const TFont& font);

// Fills the widget's background with the colour. Containers set only the
// window colour, which their children inherit for their surroundings; an
// input control (edit, memo) sets its text area's colour as well.
void ApplyBackground(QWidget& widget, TColor color, bool textArea);

// The framework's cursor identifiers as Qt cursor shapes; crDefault means
// "the parent's cursor", which the caller expresses with unsetCursor.
Qt::CursorShape ToQtCursorShape(TCursor cursor);
void ApplyCursor(QWidget& widget, TCursor cursor);

// Device pixels per layout pixel of what a painter paints on: the screen's
// ratio, or an image's own when a window is grabbed into it (the widgets
// then paint through the image's painter, so the density is the paint
// engine's device's, not the widget's screen's). 1 when unknown.
double PaintDeviceRatio(QPainter& painter);

// A layout length in the device pixels of a ratio, to the nearest pixel with
// halves up: the window system sizes a widget's device rectangle this way.
int DevicePixels(int layoutPixels, double ratio);

// Paints an image of device pixels at the widget's top left corner, its
// pixels one to one onto the device's at the ratio (without a copy of them).
void DrawDevicePixels(QPainter& painter, const QImage& pixels, double ratio);

}  // namespace drivesim::bridge
