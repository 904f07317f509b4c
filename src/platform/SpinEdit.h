#pragma once
// TSpinEdit: a single-line edit with a pair of arrow buttons (up above down,
// kButtonWidth wide) inside its right edge. It holds its value only as its
// text: Value reads the text as an integer, and MinValue when the text cannot
// be read.
//
// - Typed characters: digits, "+", "-", the locale's decimal separator and
//   control characters other than Enter are accepted; any other key is
//   refused with a beep. Pasting and cutting are allowed, so any text can
//   arrive.
// - OnChange fires on every change of the text (typed, deleted, pasted, cut,
//   an arrow step, the clamp on leaving) and never when the text is set to
//   what it already holds. Typing is not clamped.
// - Up/Down keys and the arrow buttons step Value by +/-Increment, clamped to
//   MinValue..MaxValue; an unreadable text steps from MinValue; steps do not
//   snap to multiples of Increment.
// - Holding an arrow button: one step after 400 ms, then one every 100 ms
//   while the pointer stays over it, and one more when it is released over
//   it; a plain click is one step, on release.
// - Leaving the field clamps a readable value outside the range to the
//   nearest bound; an unreadable text stays as it is.
// - Clamping applies only when MinValue and MaxValue differ.

#include <string>

#include "platform/Controls.h"
#include "platform/Timer.h"

namespace drivesim {

enum TSpinButton { sbNone, sbUp, sbDown };

class TSpinEdit : public TEdit {
 public:
  static constexpr int kButtonWidth = 15;
  static constexpr unsigned kInitialRepeatPause = 400;  // ms before the first repeated step
  static constexpr unsigned kRepeatPause = 100;         // ms between repeated steps

  explicit TSpinEdit(TWinControl* parent);
  ~TSpinEdit() override;

  int MinValue() const { return fMinValue; }
  void SetMinValue(int value) { fMinValue = value; }
  int MaxValue() const { return fMaxValue; }
  void SetMaxValue(int value) { fMaxValue = value; }
  int Increment() const { return fIncrement; }
  void SetIncrement(int value) { fIncrement = value; }

  // The text as an integer; MinValue when it cannot be read.
  int Value() const;
  // Writes the clamped value as the text in decimal.
  void SetValue(int value);
  // The value brought into MinValue..MaxValue (unchanged when they are equal).
  int CheckValue(int value) const;

  // Text, SetText and OnChange are the edit's: OnChange fires when the text
  // differs from the current one.

  // Behaviour entry points. The widget calls them from its events (through
  // the guard); tests may call them directly.
  static bool IsValidChar(char32_t ch);
  // A typed character: true when it may go into the text; a refused one
  // beeps.
  bool KeyPress(char32_t ch);
  // The Up and Down keys and a step of either button.
  void UpClick();
  void DownClick();
  // The focus moves to another control.
  void DoExit();

  // The left mouse button on an arrow button.
  void ButtonDown(TSpinButton button);
  // The pointer moved while the button is held: over the pressed button or
  // not.
  void ButtonMoved(bool overButton);
  void ButtonUp(bool overButton);
  // The auto-repeat timer's tick.
  void RepeatTick();
  TSpinButton PressedButton() const { return fPressed; }
  bool PressedOver() const { return fPressedOver; }
  const TTimer& RepeatTimer() const { return fRepeatTimer; }

 private:
  void Step(TSpinButton button);

  int fMinValue = 0;
  int fMaxValue = 0;
  int fIncrement = 1;
  TSpinButton fPressed = sbNone;
  bool fPressedOver = false;
  TTimer fRepeatTimer;
};

}  // namespace drivesim
