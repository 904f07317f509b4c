#pragma once
// TCustomPanel: the platform's custom-painted control. The control's pixels
// live in a persistent window surface (a TBitmap of the control's size); the
// Qt widget behind it only shows that surface in its paintEvent and forwards
// mouse and wheel events to the virtual handlers below. Without a widget the
// control works the same, so a chart can be built, configured and rendered in
// a test without any window.

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
  TRect ClientRect() const { return TRect{0, 0, fWidth, fHeight}; }

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

  // Entry points the widget calls (and tests may call directly); each fires
  // the On... event first, then the virtual handler.
  void DispatchMouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void DispatchMouseMove(TShiftState shift, int x, int y);
  void DispatchMouseUp(TMouseButton button, TShiftState shift, int x, int y);
  // delta > 0: wheel up (away from the user), < 0: wheel down; one call per step.
  void DispatchMouseWheel(int steps, TShiftState shift, TPoint mousePos);
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
  TBitmap fSurface;
  bool fPaintPending = true;
  TCursor fCursor = crDefault;
  PanelWidget* fWidget = nullptr;
};

}  // namespace drivesim
