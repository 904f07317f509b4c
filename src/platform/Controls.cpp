#include "platform/Controls.h"

#include <QApplication>
#include <QChildEvent>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTextDocument>
#include <QTextOption>
#include <QWidget>
#include <algorithm>

#include "platform/Application.h"
#include "platform/Canvas.h"
#include "platform/QtBridge.h"

namespace drivesim {

struct TWidgetHandle {
  QPointer<QWidget> widget;
};

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

class ImageWidget : public QWidget {
 public:
  ImageWidget(TBitmap* bitmap, QWidget* parent) : QWidget(parent), fBitmap(bitmap) {
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const QImage* image = static_cast<const QImage*>(fBitmap->PlatformImage());
    if (image) painter.drawImage(0, 0, *image);
  }

 private:
  TBitmap* fBitmap;  // not owned; the image control owns it and this widget
};

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

 protected:
  void resizeEvent(QResizeEvent*) override { fScroll->setGeometry(rect()); }
  void closeEvent(QCloseEvent* event) override {
    event->accept();
    fForm->WidgetClosed();
  }

 private:
  TForm* fForm;  // not owned; the form deletes this widget
  QScrollArea* fScroll;
  QWidget* fClient;
};

// ---------------------------------------------------------------------------
// TControl

TControl::TControl(TWinControl* parent, bool focusable)
    : fParent(parent),
      fWidget(std::make_unique<TWidgetHandle>()),
      fFocusable(focusable),
      fTabStop(focusable) {
  if (fParent) {
    fFont.Assign(fParent->Font());
    fParent->AddChild(this);
  }
  fFont.OnChange = [this] { FontChanged(); };
}

TControl::~TControl() {
  if (fParent) fParent->RemoveChild(this);
  delete fWidget->widget.data();
}

TForm* TControl::Form() {
  TControl* control = this;
  while (control->fParent) control = control->fParent;
  return dynamic_cast<TForm*>(control);
}

QWidget* TControl::Widget() const { return fWidget->widget.data(); }

QWidget* TControl::ParentWidget() const { return fParent ? fParent->ClientWidget() : nullptr; }

void TControl::AttachWidget(QWidget* widget) {
  fWidget->widget = widget;
  ApplyBounds();
  ApplyFont();
  if (fColorSet) ApplyColor();
  bridge::ApplyCursor(*widget, fCursor);
  widget->setEnabled(fEnabled);
  ApplyFocusPolicy();
  if (fParent) {
    widget->setVisible(fVisible);
    if (TForm* form = Form()) form->UpdateTabChain();
  }
}

void TControl::SetBounds(int left, int top, int width, int height) {
  fLeft = left;
  fTop = top;
  fWidth = std::max(width, 0);
  fHeight = std::max(height, 0);
  ApplyBounds();
  if (fParent) {
    if (TForm* form = Form()) form->UpdateScrollRange();
  }
}

void TControl::ApplyBounds() {
  if (QWidget* w = Widget()) w->setGeometry(fLeft, fTop, fWidth, fHeight);
}

void TControl::SetVisible(bool value) {
  fVisible = value;
  if (QWidget* w = Widget()) w->setVisible(value);
}

void TControl::SetEnabled(bool value) {
  if (value == fEnabled) return;
  fEnabled = value;
  if (QWidget* w = Widget()) w->setEnabled(value);
}

void TControl::FontChanged() {
  if (!fAdoptingFont) fParentFont = false;
  ApplyFont();
}

void TControl::TakeParentFont(const TFont& font) {
  fAdoptingFont = true;
  fFont.Assign(font);
  fAdoptingFont = false;
}

void TControl::ApplyFont() {
  if (QWidget* w = Widget()) bridge::ApplyFont(*w, fFont);
}

void TControl::SetColor(TColor value) {
  if (fColorSet && value == fColor) return;
  fColor = value;
  fColorSet = true;
  ApplyColor();
}

void TControl::ApplyColor() {
  if (QWidget* w = Widget()) bridge::ApplyBackground(*w, fColor, true);
}

void TControl::SetCursor(TCursor value) {
  if (value == fCursor) return;
  fCursor = value;
  if (QWidget* w = Widget()) bridge::ApplyCursor(*w, value);
}

void TControl::SetTabStop(bool value) {
  if (value == fTabStop) return;
  fTabStop = value;
  ApplyFocusPolicy();
  if (TForm* form = Form()) form->UpdateTabChain();
}

void TControl::ApplyFocusPolicy() {
  QWidget* w = Widget();
  if (!w || !fParent) return;
  if (fTabStop) {
    w->setFocusPolicy(Qt::StrongFocus);
  } else {
    w->setFocusPolicy(fFocusable ? Qt::ClickFocus : Qt::NoFocus);
  }
}

int TControl::TabOrder() const {
  if (!fParent) return -1;
  const auto& list = fParent->fTabList;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TControl::SetTabOrder(int value) {
  if (!fParent) return;
  fParent->MoveInTabList(this, value);
  if (TForm* form = Form()) form->UpdateTabChain();
}

bool TControl::Focused() const {
  QWidget* w = Widget();
  return w && w->hasFocus();
}

void TControl::SetFocus() {
  if (QWidget* w = Widget()) w->setFocus(Qt::OtherFocusReason);
}

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
// TForm

TForm::TForm() : TWinControl(nullptr) {
  auto* widget = new FormWidget(this);
  SetClientWidget(widget->Client());
  // A form is hidden until shown.
  SetVisible(false);
  AttachWidget(widget);
  SetColor(clBtnFace);
  Application().FormCreated(this);
}

TForm::~TForm() { Application().FormDestroyed(this); }

void TForm::SetCaption(const std::string& value) {
  fCaption = value;
  if (QWidget* w = Widget()) w->setWindowTitle(bridge::ToQString(value));
}

void TForm::SetClientSize(int width, int height) {
  SetBounds(Left(), Top(), width + 2 * kFrameWidth, height + 2 * kFrameWidth + kCaptionHeight);
}

void TForm::ApplyBounds() {
  QWidget* w = Widget();
  if (!w) return;
  // move() places the window's frame; resize() sets the client area.
  w->move(Left(), Top());
  w->resize(std::max(ClientWidth(), 0), std::max(ClientHeight(), 0));
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
  } else {
    WidgetClosed();
  }
}

void TForm::WidgetClosed() {
  TControl::SetVisible(false);
  if (Application().MainForm() == this) Application().Terminate();
}

namespace {

void CollectTabStops(const TWinControl& container, std::vector<TControl*>& out) {
  for (TControl* child : container.TabList()) {
    if (child->TabStop() && child->Widget()) out.push_back(child);
    if (auto* inner = dynamic_cast<TWinControl*>(child)) CollectTabStops(*inner, out);
  }
}

}  // namespace

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

// ---------------------------------------------------------------------------
// TButton

TButton::TButton(TWinControl* parent) : TControl(parent, true) {
  auto* button = new QPushButton(ParentWidget());
  // Enter presses the button that has the focus, as Space does.
  button->setAutoDefault(true);
  QObject::connect(button, &QPushButton::clicked, button,
                   [this] { RunGuarded([this] { Click(); }); });
  AttachWidget(button);
}

void TButton::SetCaption(const std::string& value) {
  fCaption = value;
  if (auto* button = static_cast<QPushButton*>(Widget())) button->setText(bridge::ToQString(value));
}

void TButton::Click() {
  const TNotifyEvent handler = OnClick;
  if (handler) handler();
}

// ---------------------------------------------------------------------------
// TEdit

TEdit::TEdit(TWinControl* parent) : TControl(parent, true) {
  auto* edit = new QLineEdit(ParentWidget());
  QObject::connect(edit, &QLineEdit::textChanged, edit, [this](const QString& text) {
    RunGuarded([this, &text] { TextEdited(bridge::FromQString(text)); });
  });
  AttachWidget(edit);
}

TEdit::TEdit(TWinControl* parent, OwnWidget) : TControl(parent, true) {}

void TEdit::SetText(const std::string& value) {
  if (value == fText) return;
  fText = value;
  if (auto* edit = static_cast<QLineEdit*>(Widget())) {
    const QSignalBlocker blocker(edit);
    edit->setText(bridge::ToQString(value));
  }
  if (OnChange) OnChange();
}

void TEdit::TextEdited(const std::string& value) {
  if (value == fText) return;
  fText = value;
  if (OnChange) OnChange();
}

// ---------------------------------------------------------------------------
// TLabel

TLabel::TLabel(TWinControl* parent) : TControl(parent, false) {
  auto* label = new QLabel(ParentWidget());
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setMargin(0);
  label->setIndent(0);
  AttachWidget(label);
  AdjustSize();
}

void TLabel::SetCaption(const std::string& value) {
  fCaption = value;
  if (auto* label = static_cast<QLabel*>(Widget())) label->setText(bridge::ToQString(value));
  AdjustSize();
}

void TLabel::SetAutoSize(bool value) {
  fAutoSize = value;
  AdjustSize();
}

void TLabel::ApplyFont() {
  TControl::ApplyFont();
  AdjustSize();
}

void TLabel::AdjustSize() {
  if (!fAutoSize) return;
  const QFontMetrics metrics(bridge::ToQFont(Font()));
  const int width = metrics.horizontalAdvance(bridge::ToQString(fCaption));
  const int height = metrics.height();
  if (width != Width() || height != Height()) SetBounds(Left(), Top(), width, height);
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

// ---------------------------------------------------------------------------
// TMemo

namespace {
constexpr int kMemoTextMargin = 2;
}  // namespace

TMemo::TMemo(TWinControl* parent) : TControl(parent, true) {
  auto* memo = new QPlainTextEdit(ParentWidget());
  memo->setTabChangesFocus(true);
  // A narrow margin, as an edit control keeps between its border and text.
  memo->document()->setDocumentMargin(kMemoTextMargin);
  memo->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  QObject::connect(memo, &QPlainTextEdit::textChanged, memo, [this, memo] {
    // The lines follow what the user changed; a final line break opens no
    // line of its own.
    const QStringList parts = memo->toPlainText().split(QLatin1Char('\n'));
    std::vector<std::string> lines;
    for (const QString& part : parts) lines.push_back(bridge::FromQString(part));
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    fLines = std::move(lines);
  });
  AttachWidget(memo);
  ApplyOptions();
}

void TMemo::SetLines(const std::vector<std::string>& lines) {
  fLines = lines;
  if (auto* memo = static_cast<QPlainTextEdit*>(Widget())) {
    const QSignalBlocker blocker(memo);
    memo->setPlainText(bridge::ToQString(Text()));
  }
}

std::string TMemo::Text() const {
  std::string text;
  for (const std::string& line : fLines) {
    text += line;
    text += '\n';
  }
  return text;
}

void TMemo::SetReadOnly(bool value) {
  fReadOnly = value;
  ApplyOptions();
}

void TMemo::SetWordWrap(bool value) {
  fWordWrap = value;
  ApplyOptions();
}

void TMemo::SetScrollBars(bool value) {
  fScrollBars = value;
  ApplyOptions();
}

void TMemo::ApplyOptions() {
  auto* memo = static_cast<QPlainTextEdit*>(Widget());
  if (!memo) return;
  memo->setReadOnly(fReadOnly);
  if (fReadOnly) {
    memo->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  }
  memo->setLineWrapMode(fWordWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  const Qt::ScrollBarPolicy policy = fScrollBars ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
  memo->setHorizontalScrollBarPolicy(policy);
  memo->setVerticalScrollBarPolicy(policy);
}

void TMemo::ApplyColor() {
  if (QWidget* w = Widget()) bridge::ApplyBackground(*w, Color(), true);
}

// ---------------------------------------------------------------------------
// TImage

TImage::TImage(TWinControl* parent)
    : TControl(parent, false), fBitmap(std::make_unique<TBitmap>()) {
  auto* widget = new ImageWidget(fBitmap.get(), ParentWidget());
  fBitmap->OnChange = [this] {
    if (QWidget* w = Widget()) w->update();
  };
  AttachWidget(widget);
}

TImage::~TImage() {
  fBitmap->OnChange = nullptr;
  // The widget paints from the bitmap; it goes first.
  delete Widget();
}

void TImage::ApplyBounds() {
  TControl::ApplyBounds();
  if (fBitmap->Width() != Width() || fBitmap->Height() != Height()) {
    fBitmap->SetSize(Width(), Height());
    if (QWidget* w = Widget()) w->update();
  }
}

}  // namespace drivesim
