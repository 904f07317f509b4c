#pragma once
// The chart control's panel classes.
//
//   TCustomChartPanel          the bordered panel's appearance, the chart
//                              canvas, the 3D switch, the margins, the chart
//                              rectangle, the zoom and panning records, the
//                              repaint switch and the paint handler with
//                              RenderTo
//   TCustomChartPanelExtended  the background gradient, the back image and the
//                              zoom and panning settings; paints the panel
//   TChartGradient             the background gradient's settings
//   TZoomPanningRecord         one mouse drag (zoom rectangle or panning)
//
// Density: the chart is drawn in the device pixels of its surface, PixelRatio
// of them per pixel of the window's layout (96 pixels per inch). Everything
// the chart gives in pixels (font heights, pen widths, tick lengths, gaps,
// bevels, borders, pointer sizes, the mouse's drag threshold) is taken that
// many times over when it is drawn or compared, so the chart reads the same
// at every density, only sharper; percentages (the margins) and the data's
// own mapping follow the larger surface by themselves. At a ratio of 1
// nothing changes. Mouse positions reach the chart in device pixels.
//
// One paint: the paint handler either copies the chart canvas's off-screen
// image again (nothing changed since the last paint) or runs RenderTo, which
// starts a frame on the chart canvas, works out the panel rectangle and the
// margins, lets RenderContents draw everything and ends the frame by handing
// the image to the window surface: the surface shares its pixels, and the
// next frame is drawn into the pixels of the one before, so that no frame is
// copied (the readout's overlay on the surface copies them once it is drawn
// there). Repaint requests only mark the image dirty and invalidate the
// window, so any number of them before a paint make one paint.

#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "chart/ChartCanvas.h"
#include "platform/CustomPanel.h"
#include "platform/Graphics.h"
#include "platform/Types.h"

namespace drivesim {

class TCustomChartPanel;

// The kinds of the panel's bevels.
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

// Which directions a right-button drag may move the axes.
enum TPanningMode { pmNone, pmHorizontal, pmVertical, pmBoth };

// How the back image covers its rectangle.
enum TChartBackImageMode { pbmStretch, pbmTile, pbmCenter };

using TPanelNotifyEvent = std::function<void(TCustomChartPanel& sender)>;

// One drag of the mouse over the chart: where it started and where it has
// reached, in client pixels.
struct TZoomPanningRecord {
  bool IsActive = false;
  int FromX = 0;
  int FromY = 0;
  int ToX = 0;
  int ToY = 0;

  void StartAt(int x, int y) {
    FromX = ToX = x;
    FromY = ToY = y;
    IsActive = true;
  }
  // Puts From at the top left and To at the bottom right.
  void Normalize() {
    if (ToX < FromX) std::swap(FromX, ToX);
    if (ToY < FromY) std::swap(FromY, ToY);
  }
};

// The background gradient of the panel: from StartColor to EndColor in
// Direction. With gdTopBottom the end colour lies along the top edge and the
// start colour along the bottom edge. Every setter of a changed value asks
// the panel for a repaint.
class TChartGradient {
 public:
  explicit TChartGradient(TCustomChartPanel& panel) : fPanel(panel) {}
  TChartGradient(const TChartGradient&) = delete;
  TChartGradient& operator=(const TChartGradient&) = delete;

  TGradientDirection Direction() const { return fDirection; }
  void SetDirection(TGradientDirection value);
  TColor EndColor() const { return fEndColor; }
  void SetEndColor(TColor value);
  TColor StartColor() const { return fStartColor; }
  void SetStartColor(TColor value);
  bool Visible() const { return fVisible; }
  void SetVisible(bool value);

  TCustomChartPanel& Panel() const { return fPanel; }

 private:
  TCustomChartPanel& fPanel;
  TGradientDirection fDirection = gdTopBottom;
  TColor fEndColor = 0x00FFFF;
  TColor fStartColor = 0xFFFFFF;
  bool fVisible = false;
};

class TCustomChartPanel : public TCustomPanel {
 public:
  // The margins are percentages of the panel: Left and Right of its width,
  // Top and Bottom of its height.
  static constexpr int kMarginLeft = 0;
  static constexpr int kMarginTop = 1;
  static constexpr int kMarginRight = 2;
  static constexpr int kMarginBottom = 3;

  TCustomChartPanel();
  ~TCustomChartPanel() override;

  // --- Operations a chart class replaces, in slot order.

  // Draws the whole chart into PanelBounds; PlotRect holds the rectangle
  // inside the margins when it is called.
  virtual void RenderContents() = 0;
  // Called when another chart canvas has taken the place of the current
  // one: asks for a repaint.
  virtual void CanvasReplaced();
  // Paints the whole chart into rect of the canvas, through the chart
  // canvas's off-screen image (without any window: a TBitmap's canvas will
  // do). The off-screen image is clean afterwards.
  virtual void RenderTo(TCanvas& canvas, const TRect& rect);
  // The outer bevel, the border and the inner bevel around rect.
  virtual void PaintBevels(const TRect& rect);
  // Copies the font into the chart canvas's font, keeping the canvas font's
  // pixels per inch, its height taken PixelRatio times over.
  virtual void ApplyFont(const TFont& font);
  // The rectangle the paint handler renders into: the client rectangle.
  virtual TRect ChartPaintRect() const { return ClientRect(); }

  // The repaint request every property setter of the chart and of its parts
  // makes: while RepaintOnChange is true it marks the chart canvas's
  // off-screen image dirty and invalidates the window; requests merge until
  // the next paint. While RepaintOnChange is false it does nothing.
  virtual void RequestRepaint();
  // Whether a repaint request now would change nothing: repaints are off,
  // or the off-screen image is marked and its paint asked for already. One
  // flag answers, so that a series adding a million points asks at the cost
  // of a load: RequestRepaint sets it when that holds, and the paint, the
  // render (which cleans the image), RepaintOnChange and a new chart canvas
  // clear it. Cleared, it only makes the next request go the whole way.
  bool RepaintRequestMerges() const { return fRequestsMerge; }

  // A repaint request followed at once by the paint (not deferred).
  void RepaintNow();

  // The chart canvas everything is drawn and measured through.
  TChartCanvas3D& ChartCanvas() { return *fChartCanvas; }
  const TChartCanvas3D& ChartCanvas() const { return *fChartCanvas; }
  // Puts another chart canvas in place of the current one (for instance one
  // that records what is drawn); it is attached to the control's surface and
  // the chart asks for a repaint. A null canvas is ignored.
  void SetChartCanvas(std::unique_ptr<TChartCanvas3D> canvas);

  // The width of the widest line of a text and its number of lines, in the
  // chart canvas's current font. Lines end at a carriage return (13); an
  // empty remainder after the last one is not a line.
  int MultiLineExtent(const std::string& text, int& lineCount);

  // --- The bordered panel's appearance.
  TColor Color() const { return fColor; }
  void SetColor(TColor value);
  TBevelCut BevelOuter() const { return fBevelOuter; }
  void SetBevelOuter(TBevelCut value);
  TBevelCut BevelInner() const { return fBevelInner; }
  void SetBevelInner(TBevelCut value);
  int BevelWidth() const { return fBevelWidth; }
  void SetBevelWidth(int value);
  int BorderWidth() const { return fBorderWidth; }
  void SetBorderWidth(int value);

  // --- The chart's own settings.

  // Depth of the 3D effect in percent. Raises ChartException "3D effect
  // percent must be between 1 and 100" outside 1..100 and keeps the old
  // value.
  int Chart3DPercent() const { return fChart3DPercent; }
  void SetChart3DPercent(int value);
  // 3D only: series are drawn in their z-order.
  bool UseZOrder() const { return fUseZOrder; }
  void SetUseZOrder(bool value);

  // The margins in percent, by index (kMarginLeft ... kMarginBottom).
  int Margin(int index) const;
  void SetMargin(int index, int value);
  int MarginLeft() const { return Margin(kMarginLeft); }
  void SetMarginLeft(int value) { SetMargin(kMarginLeft, value); }
  int MarginTop() const { return Margin(kMarginTop); }
  void SetMarginTop(int value) { SetMargin(kMarginTop, value); }
  int MarginRight() const { return Margin(kMarginRight); }
  void SetMarginRight(int value) { SetMargin(kMarginRight, value); }
  int MarginBottom() const { return Margin(kMarginBottom); }
  void SetMarginBottom(int value) { SetMargin(kMarginBottom, value); }

  // Drawn in perspective (true) or flat.
  bool View3D() const { return fView3D; }
  void SetView3D(bool value);
  TView3DOptions& View3DOptions() { return *fView3DOptions; }
  // Depth of the 3D effect in pixels; 0 in the flat view.
  int DepthWidth() const { return fDepthWidth; }
  // The off-screen image is made monochrome.
  bool Monochrome() const;
  void SetMonochrome(bool value);

  // False while the chart is being built; repaint requests are ignored then.
  bool RepaintOnChange() const { return fRepaintOnChange; }
  void SetRepaintOnChange(bool value) {
    fRepaintOnChange = value;
    fRequestsMerge = false;
  }

  // --- Printing: while IsPrinting is true the paint handler does nothing.
  bool IsPrinting() const { return fIsPrinting; }
  void SetPrinting(bool value) { fIsPrinting = value; }
  bool PrintProportional() const { return fPrintProportional; }
  void SetPrintProportional(bool value) { fPrintProportional = value; }

  // --- The rectangles of the last paint.

  // The area the chart paints into, set at the start of every paint.
  const TRect& PanelBounds() const { return fPanelBounds; }
  void SetPanelBounds(const TRect& rect) { fPanelBounds = rect; }
  // The chart rectangle: the series are drawn inside it and the axes lie
  // along its edges. Setting it normalises it (NormalizeChartRect).
  const TRect& PlotRect() const { return fPlotRect; }
  void SetPlotRect(const TRect& rect);
  // Keeps PlotRect inside PanelBounds' top-left corner and at least one
  // pixel wide and high, then derives the four values below.
  void NormalizeChartRect();
  int PlotWidth() const { return fPlotWidth; }
  int PlotHeight() const { return fPlotHeight; }
  int PlotCenterX() const { return fPlotCenterX; }
  int PlotCenterY() const { return fPlotCenterY; }

  // --- Mouse state (used by zooming and panning).
  TZoomPanningRecord& Zoom() { return fZoom; }
  TZoomPanningRecord& Panning() { return fPanning; }
  // Set by a mouse-down handler to keep the chart out of that press.
  bool MouseHandled() const { return fMouseHandled; }
  void SetMouseHandled(bool value) { fMouseHandled = value; }

  // True while the chart's stored layout is being applied: a few setters
  // skip their checks then.
  bool IsLoading() const { return fLoading; }
  void SetLoading(bool value) { fLoading = value; }
  // True while the chart is being destroyed: series leaving it then ask for
  // no repaint.
  bool IsDestroying() const { return fDestroying; }

  // The control's cursor as it stood after construction or loading.
  TCursor LoadedCursor() const { return fLoadedCursor; }
  void SetLoadedCursor(TCursor cursor) { fLoadedCursor = cursor; }

 protected:
  // The paint handler: nothing while printing; one copy of the off-screen
  // image while it is clean and of the control's size; else RenderTo the
  // window surface.
  void Paint() override;
  // The chart canvas draws at the new density, and the chart anew.
  void PixelRatioChanged() override;
  void BeginDestroy() { fDestroying = true; }
  // The framework's 3D frame: width lines around rect, the top and left in
  // topLeft, the bottom and right in bottomRight; rect shrinks by one pixel
  // on every side per line.
  void Frame3D(TRect& rect, TColor topLeft, TColor bottomRight, int width);

  // The background is not painted under a rectangle that something drawn
  // later in the frame fills opaquely, so that those pixels are written
  // once: a chart offers where its back wall filled the last frame
  // (OfferedBackgroundHole). BackgroundHole is the rectangle left out of the
  // frame being drawn, empty for none. A frame that finds its hole not
  // filled after all calls RedrawWithWholeBackground, which draws the frame
  // again from its start with the whole background; nothing the frame drew
  // before is seen.
  virtual TRect OfferedBackgroundHole() { return {}; }
  const TRect& BackgroundHole() const { return fBackgroundHole; }
  [[noreturn]] void RedrawWithWholeBackground();

 private:
  // Thrown by RedrawWithWholeBackground, caught by RenderTo.
  struct BackgroundUncovered {};

  int fChart3DPercent = 15;
  bool fUseZOrder = true;
  TRect fPanelBounds;
  int fPlotWidth = 0;
  int fPlotHeight = 0;
  int fPlotCenterX = 0;
  int fPlotCenterY = 0;
  int fMarginPercents[4] = {3, 4, 3, 4};
  TCursor fLoadedCursor = crDefault;
  TZoomPanningRecord fPanning;
  bool fIsPrinting = false;
  bool fPrintProportional = true;
  int fPrintResolution = 0;
  bool fView3D = true;
  std::unique_ptr<TView3DOptions> fView3DOptions;
  int fDepthWidth = 0;
  TZoomPanningRecord fZoom;
  std::unique_ptr<TChartCanvas3D> fChartCanvas;
  bool fRepaintOnChange = false;
  // RepaintRequestMerges.
  bool fRequestsMerge = false;
  bool fMouseHandled = false;
  TRect fBackgroundHole;
  TRect fPlotRect;
  int fPrintMargins[4] = {15, 15, 15, 15};

  TColor fColor = clBtnFace;
  TBevelCut fBevelOuter = bvRaised;
  TBevelCut fBevelInner = bvNone;
  int fBevelWidth = 1;
  int fBorderWidth = 0;
  bool fLoading = false;
  bool fDestroying = false;
};

class TCustomChartPanelExtended : public TCustomChartPanel {
 public:
  TCustomChartPanelExtended();
  ~TCustomChartPanelExtended() override;

  // --- Operations a chart class replaces, in slot order.

  // Draws the back image over rect by BackImageMode; nothing without one.
  virtual void PaintBackImage(const TRect& rect);
  // The gradient over rect when it is visible, else rect cleared in Color.
  virtual void FillBackground(const TRect& rect);
  // FillBackground, PaintBackImage, then the bevels.
  virtual void PaintPanel(const TRect& rect);

  // --- Zoom and panning settings (the mouse handling reads them).
  int AnimatedZoomSteps() const { return fAnimatedZoomSteps; }
  void SetAnimatedZoomSteps(int value) { fAnimatedZoomSteps = value; }
  bool AnimatedZoom() const { return fAnimatedZoom; }
  void SetAnimatedZoom(bool value) { fAnimatedZoom = value; }
  bool AllowZoom() const { return fAllowZoom; }
  void SetAllowZoom(bool value) { fAllowZoom = value; }
  TPanningMode AllowPanning() const { return fAllowPanning; }
  void SetAllowPanning(TPanningMode value) { fAllowPanning = value; }
  bool ZoomedIn() const { return fZoomedIn; }
  void SetZoomedIn(bool value) { fZoomedIn = value; }

  // --- Background.
  // The picture behind the chart; empty (0 x 0) by default. Changing it
  // through SetBackImage asks for a repaint.
  const TBitmap& BackImage() const { return fBackImage; }
  // Copies the picture (an empty one removes the image).
  void SetBackImage(const TBitmap& picture);
  TChartBackImageMode BackImageMode() const { return fBackImageMode; }
  void SetBackImageMode(TChartBackImageMode value);
  TChartGradient& Gradient() { return *fGradient; }

  TPanelNotifyEvent OnAfterDraw;
  TPanelNotifyEvent OnScroll;
  TPanelNotifyEvent OnUndoZoom;
  TPanelNotifyEvent OnZoom;

 protected:
  bool HasBackImage() const { return fBackImage.Width() > 0 && fBackImage.Height() > 0; }
  // Draws the back image over rect by BackImageMode.
  void DrawBackImage(const TRect& rect);

 private:
  int fAnimatedZoomSteps = 8;
  bool fAnimatedZoom = false;
  bool fAllowZoom = true;
  TPanningMode fAllowPanning = pmBoth;
  TBitmap fBackImage;
  TChartBackImageMode fBackImageMode = pbmStretch;
  std::unique_ptr<TChartGradient> fGradient;
  bool fZoomedIn = false;
};

}  // namespace drivesim
