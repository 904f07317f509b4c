// TForm, the top-level window: its frame and client area with scroll
// bars, caption, border icons and icon, showing, hiding and closing, and the
// focus chain in tab order.
#include <QChildEvent>
#include <QCloseEvent>
#include <QEvent>
#include <QFrame>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QScrollArea>
#include <QWidget>
#include <algorithm>
#include <vector>

#include "platform/Application.h"
#include "platform/Controls.h"
#include "platform/QtBridge.h"

namespace drivesim {

namespace {

// The client area of a form: it follows its children's moves and resizes so
// that the form's scroll range always covers them.
class FormClientArea : public QWidget {
 public:
  explicit FormClientArea(TForm* form) : fForm(form) {}

 protected:
  void childEvent(QChildEvent* event) override {
    if (event->added() && event->child()->isWidgetType()) event->child()->installEventFilter(this);
    QWidget::childEvent(event);
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::Move:
      case QEvent::Resize:
      case QEvent::Show:
      case QEvent::Hide:
        if (watched->parent() == this) fForm->UpdateScrollRange();
        break;
      default: break;
    }
    return false;
  }

 private:
  TForm* fForm;  // not owned; outlives this widget
};

void CollectTabStops(const TWinControl& container, std::vector<TControl*>& out) {
  for (TControl* child : container.TabList()) {
    if (child->TabStop() && child->Widget()) out.push_back(child);
    if (auto* inner = dynamic_cast<TWinControl*>(child)) CollectTabStops(*inner, out);
  }
}

}  // namespace

// The top-level window: a scroll area over the client area; its close box
// goes through the form.
class TForm::FormWidget : public QWidget {
 public:
  explicit FormWidget(TForm* form) : QWidget(nullptr, Qt::Window), fForm(form) {
    fScroll = new QScrollArea(this);
    fScroll->setFrameShape(QFrame::NoFrame);
    fScroll->setWidgetResizable(true);
    fScroll->setFocusPolicy(Qt::NoFocus);
    fClient = new FormClientArea(form);
    fScroll->setWidget(fClient);
  }
  QWidget* Client() const { return fClient; }
  QScrollArea* Scroll() const { return fScroll; }
  // The main menu's bar across the top, the client area below it.
  void SetMenuBar(QWidget* bar, int height) {
    fMenuBar = bar;
    fMenuHeight = bar ? height : 0;
    Arrange();
  }

 protected:
  void resizeEvent(QResizeEvent*) override { Arrange(); }
  void closeEvent(QCloseEvent* event) override {
    if (!fForm->CloseAllowed()) {
      event->ignore();
      return;
    }
    event->accept();
    fForm->WidgetClosed();
  }

 private:
  void Arrange() {
    if (fMenuBar) fMenuBar->setGeometry(0, 0, width(), fMenuHeight);
    fScroll->setGeometry(0, fMenuHeight, width(), std::max(height() - fMenuHeight, 0));
  }

  TForm* fForm;  // not owned; the form deletes this widget
  QScrollArea* fScroll;
  QWidget* fClient;
  QPointer<QWidget> fMenuBar;  // owned by this widget as its child
  int fMenuHeight = 0;
};

// ---------------------------------------------------------------------------
// TForm

TForm::TForm() : TWinControl(nullptr) {
  auto* widget = new FormWidget(this);
  SetClientWidget(widget->Client());
  // A form is hidden until shown.
  SetVisible(false);
  AttachWidget(widget);
  SetColor(clBtnFace);
  Application().FormCreated(this, [this] { Show(); });
}

TForm::~TForm() { Application().FormDestroyed(this); }

void TForm::SetCaption(const std::string& value) {
  fCaption = value;
  if (QWidget* w = Widget()) w->setWindowTitle(bridge::ToQString(value));
}

void TForm::SetClientSize(int width, int height) {
  SetBounds(Left(), Top(), width + 2 * kFrameWidth,
            height + 2 * kFrameWidth + kCaptionHeight + fMenuHeight);
}

void TForm::SetMenuBar(QWidget* bar, int height) {
  const int clientHeight = ClientHeight();
  fMenuHeight = bar ? height : 0;
  if (auto* w = dynamic_cast<FormWidget*>(Widget())) w->SetMenuBar(bar, height);
  SetClientSize(ClientWidth(), clientHeight);
}

void TForm::ApplyBounds() {
  QWidget* w = Widget();
  if (!w) return;
  // move() places the window's frame; resize() sets the menu bar's and the
  // client area's height.
  w->move(Left(), Top());
  w->resize(std::max(ClientWidth(), 0), std::max(ClientHeight() + fMenuHeight, 0));
}

void TForm::ApplyColor() {
  if (QWidget* w = Widget()) bridge::ApplyBackground(*w, Color(), false);
  if (QWidget* client = ClientWidget()) bridge::ApplyBackground(*client, Color(), false);
}

void TForm::SetBorderIcons(TBorderIcons value) {
  fBorderIcons = value;
  QWidget* w = Widget();
  if (!w) return;
  Qt::WindowFlags flags =
      Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
  if (value & biSystemMenu) flags |= Qt::WindowSystemMenuHint;
  if (value & biMinimize) flags |= Qt::WindowMinimizeButtonHint;
  if (value & biMaximize) flags |= Qt::WindowMaximizeButtonHint;
  const bool visible = w->isVisible();
  w->setWindowFlags(flags);
  if (visible) w->show();
}

void TForm::SetIcon(const TBitmap& icon) {
  QWidget* w = Widget();
  const QImage* image = static_cast<const QImage*>(icon.PlatformImage());
  if (w && image) w->setWindowIcon(QIcon(QPixmap::fromImage(*image)));
}

void TForm::Show() {
  QWidget* w = Widget();
  if (!w) return;
  UpdateScrollRange();
  UpdateTabChain();
  SetVisible(true);
  w->raise();
  w->activateWindow();
  if (!w->focusWidget()) {
    if (TControl* first = FirstTabStop()) first->SetFocus();
  }
}

void TForm::Hide() { SetVisible(false); }

void TForm::Close() {
  if (QWidget* w = Widget()) {
    w->close();
  } else if (CloseAllowed()) {
    WidgetClosed();
  }
}

bool TForm::CloseAllowed() {
  if (!OnCloseQuery) return true;
  bool allowed = false;
  RunGuarded([this, &allowed] { allowed = OnCloseQuery(); });
  return allowed;
}

void TForm::WidgetClosed() {
  TControl::SetVisible(false);
  if (Application().MainForm() == this) Application().Terminate();
}

void TForm::UpdateTabChain() {
  std::vector<TControl*> stops;
  CollectTabStops(*this, stops);
  for (std::size_t i = 1; i < stops.size(); ++i) {
    QWidget::setTabOrder(stops[i - 1]->Widget(), stops[i]->Widget());
  }
}

TControl* TForm::FirstTabStop() {
  std::vector<TControl*> stops;
  CollectTabStops(*this, stops);
  for (TControl* control : stops) {
    if (control->Visible() && control->Enabled()) return control;
  }
  return nullptr;
}

void TForm::UpdateScrollRange() {
  QWidget* client = ClientWidget();
  if (!client) return;
  int right = 0;
  int bottom = 0;
  for (QWidget* child : client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (child->isWindow()) continue;
    if (child->testAttribute(Qt::WA_WState_ExplicitShowHide) && child->isHidden()) continue;
    right = std::max(right, child->geometry().right() + 1);
    bottom = std::max(bottom, child->geometry().bottom() + 1);
  }
  client->setMinimumSize(right, bottom);
}

}  // namespace drivesim
