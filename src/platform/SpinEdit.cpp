#include "platform/SpinEdit.h"

#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>
#include <algorithm>
#include <climits>
#include <cstdint>

#include "platform/Application.h"
#include "platform/Numbers.h"
#include "platform/QtBridge.h"

namespace drivesim {

namespace {

// The two arrow buttons inside the edit's right edge: up above down.
class SpinButtonsWidget : public QWidget {
 public:
  SpinButtonsWidget(TSpinEdit* control, QWidget* parent) : QWidget(parent), fControl(control) {
    setCursor(Qt::ArrowCursor);
    setFocusPolicy(Qt::NoFocus);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    PaintButton(painter, sbUp);
    PaintButton(painter, sbDown);
  }

  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return;
    // Pressing a button gives the edit the focus.
    if (QWidget* edit = parentWidget()) edit->setFocus(Qt::MouseFocusReason);
    const TSpinButton button = ButtonAt(event->position().toPoint());
    RunGuarded([this, button] { fControl->ButtonDown(button); });
    update();
  }

  void mouseMoveEvent(QMouseEvent* event) override {
    const TSpinButton pressed = fControl->PressedButton();
    if (pressed == sbNone) return;
    const bool over = ButtonRect(pressed).contains(event->position().toPoint());
    RunGuarded([this, over] { fControl->ButtonMoved(over); });
    update();
  }

  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return;
    const TSpinButton pressed = fControl->PressedButton();
    const bool over =
        pressed != sbNone && ButtonRect(pressed).contains(event->position().toPoint());
    RunGuarded([this, over] { fControl->ButtonUp(over); });
    update();
  }

 private:
  QRect ButtonRect(TSpinButton button) const {
    const int half = height() / 2;
    return button == sbUp ? QRect(0, 0, width(), half) : QRect(0, half, width(), height() - half);
  }

  TSpinButton ButtonAt(const QPoint& point) const {
    if (ButtonRect(sbUp).contains(point)) return sbUp;
    if (ButtonRect(sbDown).contains(point)) return sbDown;
    return sbNone;
  }

  void PaintButton(QPainter& painter, TSpinButton button) {
    const bool sunken = fControl->PressedButton() == button && fControl->PressedOver();
    QStyleOptionButton option;
    option.initFrom(this);
    option.rect = ButtonRect(button);
    option.state |= sunken ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &option, &painter, this);
    QStyleOption arrow;
    arrow.initFrom(this);
    arrow.rect = option.rect.adjusted(3, 1, -3, -1);
    style()->drawPrimitive(
        button == sbUp ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown, &arrow,
        &painter, this);
  }

  TSpinEdit* fControl;  // not owned; owns this widget
};

// The edit: filters typed characters, steps on the arrow keys and clamps
// when the focus leaves.
class SpinLineEdit : public QLineEdit {
 public:
  SpinLineEdit(TSpinEdit* control, QWidget* parent) : QLineEdit(parent), fControl(control) {
    fButtons = new SpinButtonsWidget(control, this);
    setTextMargins(0, 0, TSpinEdit::kButtonWidth, 0);
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
      RunGuarded([this, &text] { fControl->TextEdited(bridge::FromQString(text)); });
    });
  }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QLineEdit::resizeEvent(event);
    // Inside the edit's border along its right edge.
    constexpr int kBorder = 2;
    fButtons->setGeometry(width() - TSpinEdit::kButtonWidth - kBorder, kBorder,
                          TSpinEdit::kButtonWidth, std::max(height() - 2 * kBorder, 0));
  }

  void keyPressEvent(QKeyEvent* event) override {
    switch (event->key()) {
      case Qt::Key_Up: RunGuarded([this] { fControl->UpClick(); }); return;
      case Qt::Key_Down: RunGuarded([this] { fControl->DownClick(); }); return;
      case Qt::Key_Return:
      case Qt::Key_Enter: RunGuarded([this] { fControl->KeyPress(U'\r'); }); return;
      default: break;
    }
    // Characters typed without Ctrl or Alt go through the filter; shortcut
    // combinations (select all, copy, paste, cut, undo) and keys without a
    // character (the caret keys, Delete) go to the edit as they are.
    const bool shortcut =
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
    if (!shortcut && !Accepts(event->text())) return;
    QLineEdit::keyPressEvent(event);
  }

  void inputMethodEvent(QInputMethodEvent* event) override {
    if (!Accepts(event->commitString())) {
      event->setCommitString(QString());
    }
    QLineEdit::inputMethodEvent(event);
  }

  void focusOutEvent(QFocusEvent* event) override {
    QLineEdit::focusOutEvent(event);
    // Switching to another window, or a popup menu, is not leaving the field.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) {
      return;
    }
    RunGuarded([this] { fControl->DoExit(); });
  }

 private:
  // Runs the typed characters through the control's filter; false when one
  // is refused (it has beeped).
  bool Accepts(const QString& text) {
    bool accepted = true;
    for (const char32_t ch : text.toStdU32String()) {
      if (ch == 0x7F) continue;  // the Delete key's character: an editing key
      bool ok = true;
      RunGuarded([this, ch, &ok] { ok = fControl->KeyPress(ch); });
      if (!ok) {
        accepted = false;
        break;
      }
    }
    return accepted;
  }

  TSpinEdit* fControl;  // not owned; owns this widget
  SpinButtonsWidget* fButtons;
};

}  // namespace

TSpinEdit::TSpinEdit(TWinControl* parent) : TEdit(parent, OwnWidget{}) {
  SetText("0");
  fRepeatTimer.SetEnabled(false);
  fRepeatTimer.SetInterval(kInitialRepeatPause);
  fRepeatTimer.SetOnTimer([this] { RepeatTick(); });
  auto* edit = new SpinLineEdit(this, ParentWidget());
  edit->setText(bridge::ToQString(Text()));
  AttachWidget(edit);
}

TSpinEdit::~TSpinEdit() = default;

int TSpinEdit::Value() const {
  int value = 0;
  return TryStrToInt(Text(), value) ? value : fMinValue;
}

void TSpinEdit::SetValue(int value) { SetText(std::to_string(CheckValue(value))); }

int TSpinEdit::CheckValue(int value) const {
  if (fMaxValue != fMinValue) {
    if (value < fMinValue) return fMinValue;
    if (value > fMaxValue) return fMaxValue;
  }
  return value;
}

bool TSpinEdit::IsValidChar(char32_t ch) {
  if (ch >= U'0' && ch <= U'9') return true;
  if (ch == U'+' || ch == U'-') return true;
  if (ch == static_cast<char32_t>(static_cast<unsigned char>(DecimalSeparator()))) return true;
  return ch < 0x20 && ch != U'\r';
}

bool TSpinEdit::KeyPress(char32_t ch) {
  if (IsValidChar(ch)) return true;
  Beep();
  return false;
}

void TSpinEdit::UpClick() { Step(sbUp); }

void TSpinEdit::DownClick() { Step(sbDown); }

void TSpinEdit::Step(TSpinButton button) {
  if (button == sbNone) return;
  // A 64-bit sum, so that a pasted value near the 32-bit limits cannot wrap
  // around; it is then brought back into the 32-bit range.
  std::int64_t next = static_cast<std::int64_t>(Value());
  next += button == sbUp ? fIncrement : -static_cast<std::int64_t>(fIncrement);
  if (next > INT_MAX) next = INT_MAX;
  if (next < INT_MIN) next = INT_MIN;
  SetValue(static_cast<int>(next));
}

void TSpinEdit::DoExit() {
  const int value = Value();
  if (CheckValue(value) != value) SetValue(value);
}

void TSpinEdit::ButtonDown(TSpinButton button) {
  if (button == sbNone) return;
  fPressed = button;
  fPressedOver = true;
  fRepeatTimer.SetEnabled(false);
  fRepeatTimer.SetInterval(kInitialRepeatPause);
  fRepeatTimer.SetEnabled(true);
}

void TSpinEdit::ButtonMoved(bool overButton) {
  if (fPressed != sbNone) fPressedOver = overButton;
}

void TSpinEdit::ButtonUp(bool overButton) {
  const TSpinButton button = fPressed;
  if (button == sbNone) return;
  fPressed = sbNone;
  fPressedOver = false;
  fRepeatTimer.SetEnabled(false);
  if (overButton) Step(button);
}

void TSpinEdit::RepeatTick() {
  if (fPressed == sbNone) {
    fRepeatTimer.SetEnabled(false);
    return;
  }
  fRepeatTimer.SetInterval(kRepeatPause);
  if (!fPressedOver) return;
  try {
    Step(fPressed);
  } catch (...) {
    // The error box about to open takes the mouse; the button's release would
    // never arrive, so the press ends here instead of repeating behind it.
    fPressed = sbNone;
    fPressedOver = false;
    fRepeatTimer.SetEnabled(false);
    throw;
  }
}

}  // namespace drivesim
