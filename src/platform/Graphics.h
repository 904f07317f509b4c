#pragma once
// Drawing objects of the platform: pens, brushes and fonts with their change
// notifications, and the persistent bitmap that every surface draws on.
// No Qt type appears here; the Qt side lives in the .cpp files.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/Types.h"

namespace drivesim {

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };
enum TPenMode { pmCopy, pmNotXor };
enum TBrushStyle {
  bsSolid,
  bsClear,
  bsHorizontal,
  bsVertical,
  bsFDiagonal,
  bsBDiagonal,
  bsCross,
  bsDiagCross
};

using TFontStyles = std::uint8_t;
constexpr TFontStyles fsBold = 1;
constexpr TFontStyles fsItalic = 2;
constexpr TFontStyles fsUnderline = 4;
constexpr TFontStyles fsStrikeOut = 8;

constexpr int DEFAULT_CHARSET = 1;

// Text alignment flags, combined by addition: one horizontal and one vertical.
constexpr unsigned TA_LEFT = 0;
constexpr unsigned TA_RIGHT = 2;
constexpr unsigned TA_CENTER = 6;
constexpr unsigned TA_TOP = 0;
constexpr unsigned TA_BOTTOM = 8;
constexpr unsigned TA_BASELINE = 24;

// Background modes of text and of dotted/dashed lines.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Every setter compares, stores a changed value and then calls OnChange.
class TPen {
 public:
  TColor Color() const { return fColor; }
  void SetColor(TColor value);
  int Width() const { return fWidth; }
  void SetWidth(int value);
  TPenStyle Style() const { return fStyle; }
  void SetStyle(TPenStyle value);
  TPenMode Mode() const { return fMode; }
  void SetMode(TPenMode value);
  // A cosmetic pen of width 1 that sets alternate pixels (one on, one off).
  bool AlternatePixels() const { return fAlternatePixels; }
  void SetAlternatePixels(bool value);
  // Copies colour, width, style, mode and the alternate-pixel flag; one
  // notification when anything changed.
  void Assign(const TPen& source);

  std::function<void()> OnChange;

 private:
  void Changed();
  TColor fColor = clBlack;
  int fWidth = 1;
  TPenStyle fStyle = psSolid;
  TPenMode fMode = pmCopy;
  bool fAlternatePixels = false;
};

class TBrush {
 public:
  TColor Color() const { return fColor; }
  // Setting the colour of a clear brush makes it solid.
  void SetColor(TColor value);
  TBrushStyle Style() const { return fStyle; }
  void SetStyle(TBrushStyle value);
  void Assign(const TBrush& source);

  std::function<void()> OnChange;

 private:
  void Changed();
  TColor fColor = clWhite;
  TBrushStyle fStyle = bsSolid;
};

class TFont {
 public:
  const std::string& Name() const { return fName; }
  void SetName(const std::string& value);
  // Negative height: character height in pixels (without internal leading);
  // positive: cell height, for which the font takes the largest pixel size
  // whose cell (ascent plus descent) is no higher; zero: the default -11.
  // Size is in points: Size = -Height * 72 / PixelsPerInch, rounded.
  int Height() const { return fHeight; }
  void SetHeight(int value);
  int Size() const;
  void SetSize(int points);
  TFontStyles Style() const { return fStyle; }
  void SetStyle(TFontStyles value);
  TColor Color() const { return fColor; }
  void SetColor(TColor value);
  int Charset() const { return fCharset; }
  void SetCharset(int value);
  int PixelsPerInch() const { return fPixelsPerInch; }
  void SetPixelsPerInch(int value);
  // Escapement and orientation of the text, in tenths of a degree
  // counter-clockwise; text is drawn rotated by this angle.
  int Orientation() const { return fOrientation; }
  void SetOrientation(int tenthsOfDegree);
  void Assign(const TFont& source);

  std::function<void()> OnChange;

 private:
  void Changed();
  std::string fName = "MS Sans Serif";
  int fHeight = -11;
  TFontStyles fStyle = 0;
  TColor fColor = clWindowText;
  int fCharset = DEFAULT_CHARSET;
  int fPixelsPerInch = 96;
  int fOrientation = 0;
};

class TCanvas;
class TDamageTiles;

// A persistent RGB image. It starts white and keeps everything drawn on it
// until drawn over. Its canvas is created with it.
class TBitmap {
 public:
  TBitmap();
  TBitmap(int width, int height);
  ~TBitmap();
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  // The image's size, kept beside it: the canvas asks for it on every
  // drawing call.
  int Width() const { return fWidth; }
  int Height() const { return fHeight; }
  // Resizes the image; new pixels are white, pixels inside both sizes stay.
  void SetSize(int width, int height);
  bool Monochrome() const { return fMonochrome; }
  void SetMonochrome(bool value) { fMonochrome = value; }

  TCanvas& Canvas();
  // The colour of a pixel; 0xFFFFFFFF outside the image.
  TColor Pixel(int x, int y) const;
  bool SaveToPng(const std::string& path) const;

  // Whether another image still holds these very pixels: one whole image
  // drawn onto another of its size shares its pixels until either is drawn
  // on, and the first drawing then copies them.
  bool SharesPixels() const;
  // Whether other holds these very pixels.
  bool SharesPixelsWith(const TBitmap& other) const;
  // Exchanges the pixels (and with them the sizes) of the two bitmaps. What
  // either canvas was painting is ended first.
  void ExchangePixels(TBitmap& other);

  // Called after drawing on the bitmap changed it, unless switched off.
  std::function<void()> OnChange;
  bool NotificationsEnabled = true;
  // Drawing changed the bitmap: anywhere, or only inside touched (an empty
  // rectangle when the drawing marked its damage itself). The damage is
  // marked even while notifications are switched off.
  void Changed();
  void Changed(const TRect& touched);
  // How many changes the bitmap has heard of since it was made.
  std::uint64_t ChangeCount() const { return fChangeCount; }

  // While kept, the tiles drawing may have changed since the map was last
  // cleared (TCanvas::RestoreDamage clears it). A new map, and the map after
  // a change of size or an exchange of pixels, marks the whole image.
  void KeepDamage(bool value);
  TDamageTiles* Damage() { return fDamage.get(); }
  const TDamageTiles* Damage() const { return fDamage.get(); }
  void MarkDamage(const TRect& rect);

  // Opaque handle to the platform image (a QImage*), for the platform's own
  // widgets only. Its pixels may be drawn on through it, its size is only
  // changed through SetSize and ExchangePixels.
  void* PlatformImage();
  const void* PlatformImage() const;

 private:
  struct Impl;
  // Takes the size of the image after it was replaced.
  void SizeChanged();
  // Counts a change and calls OnChange when notifications are on.
  void Notify();

  std::unique_ptr<Impl> fImpl;
  std::unique_ptr<TCanvas> fCanvas;
  std::unique_ptr<TDamageTiles> fDamage;
  std::uint64_t fChangeCount = 0;
  bool fMonochrome = false;
  int fWidth = 0;
  int fHeight = 0;
};

}  // namespace drivesim
