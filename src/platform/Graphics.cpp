#include "platform/Graphics.h"

#include <QImage>
#include <QPainter>
#include <QString>
#include <algorithm>

#include "platform/Canvas.h"
#include "platform/DamageTiles.h"
#include "platform/Numbers.h"

namespace drivesim {

namespace {

// Stores a new value and reports whether it differed from the old one.
template <typename T>
bool Store(T& field, const T& value) {
  if (field == value) return false;
  field = value;
  return true;
}

}  // namespace

// ---------------------------------------------------------------------------
// TPen

void TPen::Changed() {
  if (OnChange) OnChange();
}

void TPen::SetColor(TColor value) {
  if (Store(fColor, value)) Changed();
}

void TPen::SetWidth(int value) {
  if (Store(fWidth, value)) Changed();
}

void TPen::SetStyle(TPenStyle value) {
  if (Store(fStyle, value)) Changed();
}

void TPen::SetMode(TPenMode value) {
  if (Store(fMode, value)) Changed();
}

void TPen::SetAlternatePixels(bool value) {
  if (Store(fAlternatePixels, value)) Changed();
}

void TPen::Assign(const TPen& source) {
  if (&source == this) return;
  bool changed = Store(fColor, source.fColor);
  changed |= Store(fWidth, source.fWidth);
  changed |= Store(fStyle, source.fStyle);
  changed |= Store(fMode, source.fMode);
  changed |= Store(fAlternatePixels, source.fAlternatePixels);
  if (changed) Changed();
}

// ---------------------------------------------------------------------------
// TBrush

void TBrush::Changed() {
  if (OnChange) OnChange();
}

void TBrush::SetColor(TColor value) {
  bool changed = Store(fColor, value);
  // A clear brush that is given a colour starts painting with it.
  if (fStyle == bsClear) changed |= Store(fStyle, bsSolid);
  if (changed) Changed();
}

void TBrush::SetStyle(TBrushStyle value) {
  if (Store(fStyle, value)) Changed();
}

void TBrush::Assign(const TBrush& source) {
  if (&source == this) return;
  bool changed = Store(fColor, source.fColor);
  changed |= Store(fStyle, source.fStyle);
  if (changed) Changed();
}

// ---------------------------------------------------------------------------
// TFont

void TFont::Changed() {
  if (OnChange) OnChange();
}

void TFont::SetName(const std::string& value) {
  if (Store(fName, value)) Changed();
}

void TFont::SetHeight(int value) {
  if (Store(fHeight, value)) Changed();
}

int TFont::Size() const { return -MulDiv(fHeight, 72, fPixelsPerInch); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, fPixelsPerInch, 72)); }

void TFont::SetStyle(TFontStyles value) {
  if (Store(fStyle, value)) Changed();
}

void TFont::SetColor(TColor value) {
  if (Store(fColor, value)) Changed();
}

void TFont::SetCharset(int value) {
  if (Store(fCharset, value)) Changed();
}

void TFont::SetPixelsPerInch(int value) {
  if (value <= 0) return;  // a resolution of zero would make every size meaningless
  if (Store(fPixelsPerInch, value)) Changed();
}

void TFont::SetOrientation(int tenthsOfDegree) {
  if (Store(fOrientation, tenthsOfDegree)) Changed();
}

void TFont::Assign(const TFont& source) {
  if (&source == this) return;
  bool changed = Store(fName, source.fName);
  changed |= Store(fHeight, source.fHeight);
  changed |= Store(fStyle, source.fStyle);
  changed |= Store(fColor, source.fColor);
  changed |= Store(fCharset, source.fCharset);
  changed |= Store(fPixelsPerInch, source.fPixelsPerInch);
  changed |= Store(fOrientation, source.fOrientation);
  if (changed) Changed();
}

// ---------------------------------------------------------------------------
// TBitmap

struct TBitmap::Impl {
  QImage image;
};

namespace {

QImage WhiteImage(int width, int height) {
  if (width <= 0 || height <= 0) return QImage();
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(0xFFFFFFFFu);
  return image;
}

}  // namespace

TBitmap::TBitmap() : TBitmap(0, 0) {}

TBitmap::TBitmap(int width, int height) : fImpl(std::make_unique<Impl>()) {
  fImpl->image = WhiteImage(width, height);
  SizeChanged();
  fCanvas = std::make_unique<TCanvas>(*this);
}

TBitmap::~TBitmap() = default;

void TBitmap::SizeChanged() {
  fWidth = fImpl->image.width();
  fHeight = fImpl->image.height();
  if (fDamage) fDamage->Reset(fWidth, fHeight);
}

void TBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == Width() && height == Height()) return;
  // The canvas's painter must not outlive the image it paints on.
  fCanvas->EndPainting();
  QImage resized = WhiteImage(width, height);
  const QImage& old = fImpl->image;
  const int rows = std::min(height, old.height());
  const int bytes = std::min(width, old.width()) * 4;
  for (int y = 0; y < rows; ++y) {
    std::copy_n(old.constScanLine(y), bytes, resized.scanLine(y));
  }
  fImpl->image = std::move(resized);
  SizeChanged();
  Changed();
}

TCanvas& TBitmap::Canvas() { return *fCanvas; }

TColor TBitmap::Pixel(int x, int y) const {
  const QImage& image = fImpl->image;
  if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) return 0xFFFFFFFFu;
  const QRgb rgb = reinterpret_cast<const QRgb*>(image.constScanLine(y))[x];
  return RGB(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

bool TBitmap::SaveToPng(const std::string& path) const {
  if (fImpl->image.isNull()) return false;
  return fImpl->image.save(QString::fromStdString(path), "PNG");
}

bool TBitmap::SharesPixels() const { return !fImpl->image.isNull() && !fImpl->image.isDetached(); }

bool TBitmap::SharesPixelsWith(const TBitmap& other) const {
  // constBits reads the pixels' address without detaching the image.
  return !fImpl->image.isNull() && fImpl->image.constBits() == other.fImpl->image.constBits();
}

void TBitmap::ExchangePixels(TBitmap& other) {
  fCanvas->EndPainting();
  other.fCanvas->EndPainting();
  fImpl->image.swap(other.fImpl->image);
  SizeChanged();
  other.SizeChanged();
  Changed();
  other.Changed();
}

void TBitmap::Changed() {
  if (fDamage) fDamage->MarkAll();
  Notify();
}

void TBitmap::Changed(const TRect& touched) {
  if (fDamage) fDamage->Mark(touched);
  Notify();
}

void TBitmap::Notify() {
  ++fChangeCount;
  if (NotificationsEnabled && OnChange) OnChange();
}

void TBitmap::KeepDamage(bool value) {
  if (!value) {
    fDamage.reset();
  } else if (!fDamage) {
    fDamage = std::make_unique<TDamageTiles>();
    fDamage->Reset(fWidth, fHeight);
  }
}

void TBitmap::MarkDamage(const TRect& rect) {
  if (fDamage) fDamage->Mark(rect);
}

void* TBitmap::PlatformImage() { return &fImpl->image; }

const void* TBitmap::PlatformImage() const { return &fImpl->image; }

}  // namespace drivesim
