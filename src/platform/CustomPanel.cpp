#include "platform/CustomPanel.h"

#include <QEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QWidget>
#include <cmath>
#include <cstdlib>

#include "platform/Application.h"
#include "platform/Exceptions.h"
#include "platform/QtBridge.h"

namespace drivesim {

namespace {

// One wheel step, in Qt's eighths of a degree.
constexpr int kWheelDelta = 120;

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  TShiftState shift = 0;
  if (modifiers & Qt::ShiftModifier) shift |= ssShift;
  if (modifiers & Qt::ControlModifier) shift |= ssCtrl;
  if (modifiers & Qt::AltModifier) shift |= ssAlt;
  if (buttons & Qt::LeftButton) shift |= ssLeft;
  if (buttons & Qt::RightButton) shift |= ssRight;
  if (buttons & Qt::MiddleButton) shift |= ssMiddle;
  return shift;
}

bool MouseButtonOf(Qt::MouseButton qtButton, TMouseButton& button) {
  switch (qtButton) {
    case Qt::LeftButton: button = mbLeft; return true;
    case Qt::RightButton: button = mbRight; return true;
    case Qt::MiddleButton: button = mbMiddle; return true;
    default: return false;
  }
}

}  // namespace

// The Qt side of a custom-painted control: its paint only shows the window
// surface (after running a pending paint into it), and its mouse and wheel
// events go to the control in client pixels, each through the guard.
class PanelWidget : public QWidget {
 public:
  PanelWidget(TCustomPanel* panel, QWidget* parent) : QWidget(parent), fPanel(panel) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
  }
  ~PanelWidget() override {
    if (fPanel) fPanel->fWidget = nullptr;
  }
  void Detach() { fPanel = nullptr; }

 protected:
  // The surface is painted in the device pixels of what is painted on: the
  // screen (its device pixel ratio), or an image of any density when the
  // window is grabbed into one. A new density resizes the surface and paints
  // the control anew before it is shown.
  void paintEvent(QPaintEvent* event) override {
    if (!fPanel) return;
    QPainter painter(this);
    const double ratio = bridge::PaintDeviceRatio(painter);
    RunGuardedInPaint([this, ratio] {
      fPanel->SetPixelRatio(ratio);
      fPanel->DispatchPaint();
    });
    const QImage* image = static_cast<const QImage*>(fPanel->Surface().PlatformImage());
    if (!image) return;
    if (fPanel->PixelRatio() == 1.0) {
      painter.drawImage(event->rect().topLeft(), *image, event->rect());
      return;
    }
    // The surface's pixels go one to one onto the device's.
    bridge::DrawDevicePixels(painter, *image, fPanel->PixelRatio());
  }

  void mousePressEvent(QMouseEvent* event) override { Press(event, 0); }
  void mouseDoubleClickEvent(QMouseEvent* event) override { Press(event, ssDouble); }

  void mouseMoveEvent(QMouseEvent* event) override {
    if (!fPanel) return;
    const TShiftState shift = ShiftStateOf(event->modifiers(), event->buttons());
    const QPointF p = event->position();
    RunGuarded([this, shift, p] { fPanel->DispatchMouseMove(shift, p.x(), p.y()); });
  }

  void mouseReleaseEvent(QMouseEvent* event) override {
    TMouseButton button;
    if (!fPanel || !MouseButtonOf(event->button(), button)) return;
    const TShiftState shift = ShiftStateOf(event->modifiers(), event->buttons());
    const QPointF p = event->position();
    RunGuarded([this, button, shift, p] { fPanel->DispatchMouseUp(button, shift, p.x(), p.y()); });
  }

  void wheelEvent(QWheelEvent* event) override {
    if (!fPanel) return;
    // Fine-grained wheels send fractions of a step; they add up to whole
    // steps.
    fWheelAccumulated += event->angleDelta().y();
    const int steps = fWheelAccumulated / kWheelDelta;
    fWheelAccumulated -= steps * kWheelDelta;
    event->accept();
    if (steps == 0) return;
    const TShiftState shift = ShiftStateOf(event->modifiers(), event->buttons());
    const QPointF p = event->position();
    RunGuarded([this, steps, shift, p] { fPanel->DispatchMouseWheel(steps, shift, p.x(), p.y()); });
  }

  void leaveEvent(QEvent*) override {
    if (!fPanel) return;
    RunGuarded([this] { fPanel->DispatchMouseLeave(); });
  }

 private:
  void Press(QMouseEvent* event, TShiftState extra) {
    TMouseButton button;
    if (!fPanel || !MouseButtonOf(event->button(), button)) return;
    const TShiftState shift = ShiftStateOf(event->modifiers(), event->buttons()) | extra;
    const QPointF p = event->position();
    RunGuarded(
        [this, button, shift, p] { fPanel->DispatchMouseDown(button, shift, p.x(), p.y()); });
  }

  TCustomPanel* fPanel;  // not owned; null once the control is gone
  int fWheelAccumulated = 0;
};

TCustomPanel::TCustomPanel() = default;

TCustomPanel::~TCustomPanel() {
  if (fWidget) {
    fWidget->Detach();
    delete fWidget;
  }
}

void TCustomPanel::SetBounds(int left, int top, int width, int height) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  const bool resized = width != fWidth || height != fHeight;
  fLeft = left;
  fTop = top;
  fWidth = width;
  fHeight = height;
  if (fWidget) fWidget->setGeometry(left, top, width, height);
  if (resized) {
    fSurface.SetSize(ClientWidth(), ClientHeight());
    Invalidate();
  }
}

void TCustomPanel::SetPixelRatio(double ratio) {
  if (!(ratio > 0) || !std::isfinite(ratio)) throw Exception("Invalid pixel ratio");
  if (ratio == fPixelRatio) return;
  fPixelRatio = ratio;
  fSurface.SetSize(ClientWidth(), ClientHeight());
  PixelRatioChanged();
  Invalidate();
}

int TCustomPanel::DevicePixels(int layoutPixels) const {
  return bridge::DevicePixels(layoutPixels, fPixelRatio);
}

TPoint TCustomPanel::SurfacePoint(double x, double y) const {
  // The device pixel whose square holds the point. A tiny allowance keeps a
  // layout pixel's own position on its first device pixel where the
  // product comes out a hair below a whole number.
  constexpr double kAllowance = 1e-9;
  const auto device = [this](double v) {
    return static_cast<int>(std::floor(v * fPixelRatio + kAllowance));
  };
  return TPoint{device(x), device(y)};
}

void TCustomPanel::Invalidate() {
  fPaintPending = true;
  if (fWidget) fWidget->update();
}

void TCustomPanel::Update() {
  DispatchPaint();
  ShowSurface();
}

void TCustomPanel::ShowSurface() {
  if (fWidget) fWidget->update();
}

void TCustomPanel::SetCursor(TCursor cursor) {
  fCursor = cursor;
  if (fWidget) bridge::ApplyCursor(*fWidget, cursor);
}

void TCustomPanel::DispatchMouseDown(TMouseButton button, TShiftState shift, double x, double y) {
  const TPoint p = SurfacePoint(x, y);
  if (OnMouseDown) OnMouseDown(button, shift, p.X, p.Y);
  MouseDown(button, shift, p.X, p.Y);
}

void TCustomPanel::DispatchMouseMove(TShiftState shift, double x, double y) {
  const TPoint p = SurfacePoint(x, y);
  if (OnMouseMove) OnMouseMove(shift, p.X, p.Y);
  MouseMove(shift, p.X, p.Y);
}

void TCustomPanel::DispatchMouseUp(TMouseButton button, TShiftState shift, double x, double y) {
  const TPoint p = SurfacePoint(x, y);
  if (OnMouseUp) OnMouseUp(button, shift, p.X, p.Y);
  MouseUp(button, shift, p.X, p.Y);
}

void TCustomPanel::DispatchMouseWheel(int steps, TShiftState shift, double x, double y) {
  const TPoint mousePos = SurfacePoint(x, y);
  const bool up = steps > 0;
  for (int i = std::abs(steps); i > 0; --i) {
    bool handled = false;
    const TMouseWheelUpDownEvent& event = up ? OnMouseWheelUp : OnMouseWheelDown;
    if (event) event(shift, mousePos, handled);
    if (handled) continue;
    if (up) {
      DoMouseWheelUp(shift, mousePos);
    } else {
      DoMouseWheelDown(shift, mousePos);
    }
  }
}

void TCustomPanel::DispatchMouseLeave() { MouseLeave(); }

void TCustomPanel::DispatchPaint() {
  if (!fPaintPending) return;
  // The request is answered before painting: a paint that fails is not
  // repeated on its own, and a request made while painting asks for one
  // more paint.
  fPaintPending = false;
  Paint();
}

void* TCustomPanel::CreateWidget(void* parentWidget) {
  if (fWidget) return fWidget;
  fWidget = new PanelWidget(this, static_cast<QWidget*>(parentWidget));
  fWidget->setGeometry(fLeft, fTop, fWidth, fHeight);
  bridge::ApplyCursor(*fWidget, fCursor);
  fWidget->show();
  return fWidget;
}

void* TCustomPanel::Widget() const { return fWidget; }

}  // namespace drivesim
