#pragma once
// TCustomPanel: the platform's custom-painted control. The control's pixels
// live in a persistent window surface (a TBitmap of the control's size); the
// Qt widget behind it only shows that surface in its paintEvent and forwards
// mouse and wheel events to the virtual handlers below. Without a widget the
// control works the same, so a chart can be built, configured and rendered in
// a test without any window.
//
// Two kinds of pixel meet here. The window places the control in layout
// pixels, at 96 pixels per inch (Left, Top, Width, Height); a denser screen
// shows PixelRatio device pixels per layout pixel (1.5 at 144 ppi, 2 at 192
// ppi). The surface is made of device pixels, so the control paints as
// sharply as the screen allows: ClientRect, the surface, painting and the
// positions the mouse handlers receive are all in device pixels. Mouse
// positions arrive in layout pixels and become device pixels in one place,
// SurfacePoint.

#include <functional>
#include <memory>

#include "platform/Canvas.h"
#include "platform/Graphics.h"

namespace drivesim {

enum TMouseButton { mbLeft, mbRight, mbMiddle };

using TShiftState = unsigned;
constexpr TShiftState ssShift = 1;
constexpr TShiftState ssAlt = 2;
constexpr TShiftState ssCtrl = 4;
constexpr TShiftState ssLeft = 8;
constexpr TShiftState ssRight = 16;
constexpr TShiftState ssMiddle = 32;
constexpr TShiftState ssDouble = 64;

// Mouse positions in the events are device pixels of the control's surface.
using TMouseEvent = std::function<void(TMouseButton, TShiftState, int x, int y)>;
using TMouseMoveEvent = std::function<void(TShiftState, int x, int y)>;
// Wheel events: set Handled to true to stop the control's own handling.
using TMouseWheelUpDownEvent = std::function<void(TShiftState, TPoint mousePos, bool& handled)>;

class PanelWidget;  // the Qt side, private to the platform

class TCustomPanel {
 public:
  TCustomPanel();
  virtual ~TCustomPanel();
  TCustomPanel(const TCustomPanel&) = delete;
  TCustomPanel& operator=(const TCustomPanel&) = delete;

  int Left() const { return fLeft; }
  int Top() const { return fTop; }
  int Width() const { return fWidth; }
  int Height() const { return fHeight; }
  // Moves and resizes the control; a new size resizes the window surface and
  // asks for a repaint.
  void SetBounds(int left, int top, int width, int height);

  // Device pixels per layout pixel; 1 until the control is shown on a denser
  // screen (or told otherwise). A new ratio resizes the window surface and
  // asks for a repaint. Raises Exception "Invalid pixel ratio" for a ratio
  // that is not a positive number, keeping the old one.
  double PixelRatio() const { return fPixelRatio; }
  void SetPixelRatio(double ratio);
  // The surface's size in device pixels: Width and Height times PixelRatio,
  // rounded to the nearest pixel (halves up), as the window system rounds
  // the control's own rectangle, so that the surface covers the control's
  // device pixels exactly.
  int ClientWidth() const { return DevicePixels(fWidth); }
  int ClientHeight() const { return DevicePixels(fHeight); }
  TRect ClientRect() const { return TRect{0, 0, ClientWidth(), ClientHeight()}; }
  // A layout length in device pixels, rounded as ClientWidth is (a negative
  // length as its positive counterpart, negated).
  int DevicePixels(int layoutPixels) const;
  // The device pixel under a point given in layout pixels (which may fall
  // between layout pixels on a denser screen).
  TPoint SurfacePoint(double x, double y) const;

  // The persistent window surface and its canvas.
  TBitmap& Surface() { return fSurface; }
  TCanvas& Canvas() { return fSurface.Canvas(); }

  // Asks for a repaint: marks a paint pending and invalidates the widget.
  // Requests merge until the next paint.
  void Invalidate();
  bool PaintPending() const { return fPaintPending; }
  // Runs a pending paint now (Paint into the surface), then shows it.
  void Update();
  // Shows the surface again without painting (after drawing on it directly).
  void ShowSurface();

  TCursor Cursor() const { return fCursor; }
  void SetCursor(TCursor cursor);

  // The framework's own mouse events, fired before the control's handling.
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TMouseWheelUpDownEvent OnMouseWheelDown;
  TMouseWheelUpDownEvent OnMouseWheelUp;

  // Entry points the widget calls (and tests may call directly), with the
  // mouse position in layout pixels; each turns it into a device pixel
  // (SurfacePoint), fires the On... event and then the virtual handler with
  // it.
  void DispatchMouseDown(TMouseButton button, TShiftState shift, double x, double y);
  void DispatchMouseMove(TShiftState shift, double x, double y);
  void DispatchMouseUp(TMouseButton button, TShiftState shift, double x, double y);
  // steps > 0: wheel up (away from the user), < 0: wheel down; one call per step.
  void DispatchMouseWheel(int steps, TShiftState shift, double x, double y);
  void DispatchMouseLeave();
  void DispatchPaint();

  // Creates the Qt widget inside a parent widget (opaque QWidget*), and
  // returns it as an opaque pointer. The control keeps ownership of nothing
  // Qt-side: the parent widget owns the widget.
  void* CreateWidget(void* parentWidget);
  void* Widget() const;

 protected:
  // Paints the control into its surface. Called by DispatchPaint when a
  // paint is pending.
  virtual void Paint() {}
  // Called after PixelRatio changed (the surface has its new size already).
  virtual void PixelRatioChanged() {}
  virtual void MouseDown(TMouseButton, TShiftState, int, int) {}
  virtual void MouseMove(TShiftState, int, int) {}
  virtual void MouseUp(TMouseButton, TShiftState, int, int) {}
  virtual bool DoMouseWheelDown(TShiftState, TPoint) { return false; }
  virtual bool DoMouseWheelUp(TShiftState, TPoint) { return false; }
  virtual void MouseLeave() {}

 private:
  friend class PanelWidget;  // clears fWidget when Qt destroys the widget first
  int fLeft = 0;
  int fTop = 0;
  int fWidth = 0;
  int fHeight = 0;
  double fPixelRatio = 1.0;
  TBitmap fSurface;
  bool fPaintPending = true;
  TCursor fCursor = crDefault;
  PanelWidget* fWidget = nullptr;
};

}  // namespace drivesim
