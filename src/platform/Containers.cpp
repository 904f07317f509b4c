// The controls that hold others: TWinControl, whose client area holds its
// children in tab order, and the bordered panel.
#include <QFrame>
#include <QPainter>
#include <QWidget>
#include <algorithm>

#include "platform/Controls.h"
#include "platform/QtBridge.h"
#include "platform/WidgetHandle.h"

namespace drivesim {

namespace {

// The client area of a panel, with the panel's raised bevel along its edge.
class PanelClientArea : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const int r = width() - 1;
    const int b = height() - 1;
    painter.setPen(bridge::ToQColor(clBtnHighlight));
    painter.drawLine(0, 0, r, 0);
    painter.drawLine(0, 0, 0, b);
    painter.setPen(bridge::ToQColor(clBtnShadow));
    painter.drawLine(r, 0, r, b);
    painter.drawLine(0, b, r, b);
  }
};

}  // namespace

// ---------------------------------------------------------------------------
// TWinControl

TWinControl::TWinControl(TWinControl* parent)
    : TControl(parent, false), fClient(std::make_unique<TWidgetHandle>()) {}

TWinControl::~TWinControl() {
  // Children that outlive their container lose their parent rather than
  // pointing at a destroyed one; their widgets go with this control's.
  for (TControl* child : fTabList) child->fParent = nullptr;
}

QWidget* TWinControl::ClientWidget() const { return fClient->widget.data(); }

void TWinControl::SetClientWidget(QWidget* widget) { fClient->widget = widget; }

void TWinControl::ApplyFont() {
  TControl::ApplyFont();
  for (TControl* child : fTabList) {
    if (child->fParentFont) child->TakeParentFont(Font());
  }
}

void TWinControl::AddChild(TControl* child) { fTabList.push_back(child); }

void TWinControl::RemoveChild(TControl* child) {
  fTabList.erase(std::remove(fTabList.begin(), fTabList.end(), child), fTabList.end());
}

void TWinControl::MoveInTabList(TControl* child, int position) {
  auto it = std::find(fTabList.begin(), fTabList.end(), child);
  if (it == fTabList.end()) return;
  fTabList.erase(it);
  position = std::clamp(position, 0, static_cast<int>(fTabList.size()));
  fTabList.insert(fTabList.begin() + position, child);
}

// ---------------------------------------------------------------------------
// TPanel

TPanel::TPanel(TWinControl* parent) : TWinControl(parent) {
  auto* frame = new QFrame(ParentWidget());
  frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  frame->setLineWidth(kBorderWidth);
  SetClientWidget(new PanelClientArea(frame));
  AttachWidget(frame);
  SetColor(clBtnFace);
}

void TPanel::ApplyBounds() {
  TControl::ApplyBounds();
  if (QWidget* client = ClientWidget()) {
    client->setGeometry(kBorderWidth, kBorderWidth, std::max(Width() - 2 * kBorderWidth, 0),
                        std::max(Height() - 2 * kBorderWidth, 0));
  }
}

void TPanel::ApplyColor() {
  if (QWidget* w = Widget()) bridge::ApplyBackground(*w, Color(), false);
}

}  // namespace drivesim
