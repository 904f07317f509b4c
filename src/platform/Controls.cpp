// TControl, the base of every control, and the controls that hold no others:
// buttons, edits, labels, memos and images. Containers are in
// Containers.cpp, forms in Forms.cpp.
#include "platform/Controls.h"

#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextDocument>
#include <QTextOption>
#include <QWidget>
#include <algorithm>
#include <exception>
#include <utility>

#include "platform/Application.h"
#include "platform/QtBridge.h"
#include "platform/WidgetHandle.h"

namespace drivesim {

namespace {

// Shows an image control's bitmap. On a denser screen it shows the picture
// the control draws at that density when its owner draws one; otherwise the
// bitmap, whose pixels are layout pixels, is enlarged by the whole part of
// the device pixel ratio, each pixel becoming a square of device pixels, so
// that its thin lines stay sharp and even; where the ratio has a fraction
// the enlarged picture sits in the middle of the control, on white like the
// bitmap's own background.
class ImageWidget : public QWidget {
 public:
  ImageWidget(TImage* image, QWidget* parent) : QWidget(parent), fImage(image) {
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const QImage* image = static_cast<const QImage*>(fImage->Bitmap().PlatformImage());
    if (!image) return;
    const double ratio = bridge::PaintDeviceRatio(painter);
    if (ratio == 1.0) {
      painter.drawImage(0, 0, *image);
      return;
    }
    if (const TBitmap* dense = fImage->PictureAtDensity(ratio)) {
      if (const auto* pixels = static_cast<const QImage*>(dense->PlatformImage())) {
        bridge::DrawDevicePixels(painter, *pixels, ratio);
        return;
      }
    }
    QImage shown(bridge::DevicePixels(width(), ratio), bridge::DevicePixels(height(), ratio),
                 QImage::Format_RGB32);
    shown.fill(Qt::white);
    {
      // A tiny allowance keeps a whole ratio that arrives a hair below its
      // value whole.
      const int whole = std::max(1, static_cast<int>(ratio + 1e-9));
      const QImage enlarged = whole == 1
                                  ? *image
                                  : image->scaled(image->width() * whole, image->height() * whole,
                                                  Qt::IgnoreAspectRatio, Qt::FastTransformation);
      QPainter onShown(&shown);
      onShown.drawImage((shown.width() - enlarged.width()) / 2,
                        (shown.height() - enlarged.height()) / 2, enlarged);
    }
    shown.setDevicePixelRatio(ratio);
    painter.drawImage(QPointF(0, 0), shown);
  }

 private:
  TImage* fImage;  // not owned; the image control owns this widget
};

}  // namespace

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
  auto* widget = new ImageWidget(this, ParentWidget());
  fBitmap->OnChange = [this] {
    fDenseRatio = 0;
    if (QWidget* w = Widget()) w->update();
  };
  AttachWidget(widget);
}

void TImage::SetOnDrawAtDensity(TDrawAtDensity draw) {
  fDrawAtDensity = std::move(draw);
  fDenseRatio = 0;
  if (QWidget* w = Widget()) w->update();
}

const TBitmap* TImage::PictureAtDensity(double ratio) {
  if (!fDrawAtDensity || !(ratio > 0)) return nullptr;
  const int width = bridge::DevicePixels(Width(), ratio);
  const int height = bridge::DevicePixels(Height(), ratio);
  if (width <= 0 || height <= 0) return nullptr;
  if (fDenseRatio == ratio && fDense.Width() == width && fDense.Height() == height) {
    return &fDense;
  }
  fDenseRatio = 0;
  try {
    if (fDense.Width() != width || fDense.Height() != height) fDense.SetSize(width, height);
    fDrawAtDensity(fDense, ratio);
  } catch (const std::exception&) {
    // A picture that cannot be drawn at the density is shown enlarged; the
    // next paint tries again.
    return nullptr;
  }
  fDenseRatio = ratio;
  return &fDense;
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
