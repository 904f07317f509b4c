#pragma once
// The chart control's panel classes: TCustomChartPanel holds the chart
// canvas, the chart rectangle and the repaint switch; TCustomChartPanelExtended
// adds the background and zoom settings. The paint pipeline that fills the
// chart canvas is built on these by the chart classes; here are the parts the
// axes and series already rely on: the canvas for measuring text, the chart
// rectangle they map into, and the repaint request they make on every change.

#include <memory>
#include <string>

#include "platform/CustomPanel.h"
#include "platform/Graphics.h"
#include "platform/Types.h"

namespace drivesim {

class TChartCanvas3D;

class TCustomChartPanel : public TCustomPanel {
 public:
  TCustomChartPanel();
  ~TCustomChartPanel() override;

  // The repaint request every property setter of the chart and of its parts
  // makes: while RepaintOnChange is true it marks the chart canvas's
  // off-screen image dirty and invalidates the window; requests merge until
  // the next paint. While RepaintOnChange is false it does nothing.
  virtual void RequestRepaint();
  // Copies the font into the chart canvas's font, keeping the canvas font's
  // pixels per inch.
  virtual void ApplyFont(const TFont& font);

  // A repaint request followed at once by the paint (not deferred).
  void RepaintNow();

  // The chart canvas everything is drawn and measured through.
  TChartCanvas3D& ChartCanvas() { return *fChartCanvas; }
  // Puts another chart canvas in place of the current one (for instance one
  // that records what is drawn); it is attached to the control's surface and
  // the chart asks for a repaint. A null canvas is ignored.
  void SetChartCanvas(std::unique_ptr<TChartCanvas3D> canvas);

  // The width of the widest line of a text and its number of lines, in the
  // chart canvas's current font. Lines end at a carriage return (13); an
  // empty remainder after the last one is not a line.
  int MultiLineExtent(const std::string& text, int& lineCount);

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

  // Drawn in perspective (true) or flat.
  bool View3D() const { return fView3D; }
  void SetView3D(bool value);
  // False while the chart is being built; repaint requests are ignored then.
  bool RepaintOnChange() const { return fRepaintOnChange; }
  void SetRepaintOnChange(bool value) { fRepaintOnChange = value; }
  // The panel's background colour.
  TColor Color() const { return fColor; }
  void SetColor(TColor value);

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
  void BeginDestroy() { fDestroying = true; }

 private:
  TRect fPanelBounds;
  int fPlotWidth = 0;
  int fPlotHeight = 0;
  int fPlotCenterX = 0;
  int fPlotCenterY = 0;
  TCursor fLoadedCursor = crDefault;
  bool fView3D = true;
  std::unique_ptr<TChartCanvas3D> fChartCanvas;
  bool fRepaintOnChange = false;
  TRect fPlotRect;
  TColor fColor = clBtnFace;
  bool fLoading = false;
  bool fDestroying = false;
};

// The background gradient, back image and zoom settings belong here; they
// come with the paint pipeline and the mouse zoom.
class TCustomChartPanelExtended : public TCustomChartPanel {
 public:
  TCustomChartPanelExtended() = default;
};

}  // namespace drivesim
