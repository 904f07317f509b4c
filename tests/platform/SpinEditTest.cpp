// The spin edit: a value held only as text, the key filter with its beep,
// change events for every change and none for the same text, stepping with
// clamping, the arrow buttons' auto-repeat, and the clamp on leaving.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <climits>

#include "platform/Application.h"
#include "platform/Controls.h"
#include "platform/ErrorBoxCapture.h"
#include "platform/Exceptions.h"
#include "platform/Numbers.h"
#include "platform/SpinEdit.h"

namespace drivesim {
namespace {

// A window with the tooth-count spin edit (8..48 step 2, showing 42) and a
// button to move the focus to; every change event records the text it sees.
class SpinEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetDecimalSeparator('.');
    form.SetClientSize(300, 200);
    spin.SetBounds(192, 34, 49, 26);
    spin.SetMinValue(8);
    spin.SetMaxValue(48);
    spin.SetIncrement(2);
    spin.SetValue(42);
    other.SetBounds(8, 100, 65, 25);
    spin.OnChange = [this] { changes.push_back(spin.Text()); };
  }
  void TearDown() override { SetDecimalSeparator('.'); }

  QLineEdit* Line() { return static_cast<QLineEdit*>(spin.Widget()); }
  QWidget* Buttons() { return Line()->findChild<QWidget*>(); }

  TForm form;
  TSpinEdit spin{&form};
  TButton other{&form};
  std::vector<std::string> changes;
};

TEST_F(SpinEditTest, StepsAreClampedAndAnUnchangedTextFiresNothing) {
  EXPECT_EQ(spin.Text(), "42");
  EXPECT_EQ(Line()->text(), QStringLiteral("42"));
  spin.SetText("48");
  spin.UpClick();
  EXPECT_EQ(spin.Text(), "48");
  spin.SetText("48");
  EXPECT_EQ(changes, std::vector<std::string>{"48"});

  // The keys step like the buttons.
  QTest::keyClick(Line(), Qt::Key_Down);
  QTest::keyClick(Line(), Qt::Key_Down);
  EXPECT_EQ(spin.Text(), "44");
  EXPECT_EQ(Line()->text(), QStringLiteral("44"));

  // Steps do not snap to the increment; an unreadable text steps from the
  // minimum.
  spin.SetText("9");
  spin.UpClick();
  EXPECT_EQ(spin.Text(), "11");
  spin.SetText("");
  EXPECT_EQ(spin.Value(), 8);
  spin.UpClick();
  EXPECT_EQ(spin.Text(), "10");
  spin.SetText("abc");
  spin.DownClick();
  EXPECT_EQ(spin.Text(), "8");
  spin.DownClick();
  EXPECT_EQ(spin.Text(), "8");
  EXPECT_EQ(changes, (std::vector<std::string>{"48", "46", "44", "9", "11", "", "10", "abc", "8"}));

  // Values far outside the range come back to the nearest bound, even at
  // the limits of a 32-bit integer.
  spin.SetText("2147483647");
  spin.UpClick();
  EXPECT_EQ(spin.Text(), "48");
  spin.SetText("-2147483648");
  spin.DownClick();
  EXPECT_EQ(spin.Text(), "8");
}

TEST_F(SpinEditTest, EqualBoundsSwitchClampingOffWithoutWrappingAround) {
  spin.SetMinValue(0);
  spin.SetMaxValue(0);
  spin.SetText("500");
  spin.UpClick();
  EXPECT_EQ(spin.Text(), "502");
  spin.SetText("2147483647");
  spin.UpClick();
  EXPECT_EQ(spin.Text(), "2147483647");
  spin.DoExit();
  EXPECT_EQ(spin.Text(), "2147483647");
}

TEST_F(SpinEditTest, TypingIsFilteredWithABeepAndNeverClamped) {
  // The setpoint: 0..300 in steps of 10.
  spin.SetMinValue(0);
  spin.SetMaxValue(300);
  spin.SetIncrement(10);
  spin.SetValue(0);
  changes.clear();
  ASSERT_TRUE((form.Show(), QTest::qWaitForWindowActive(form.Widget())));
  spin.SetFocus();
  const int beeps = BeepCount();
  QTest::keyClick(Line(), Qt::Key_A, Qt::ControlModifier);  // select all
  QTest::keyClicks(Line(), "500");
  EXPECT_EQ(BeepCount(), beeps);
  QTest::keyClicks(Line(), "x");
  QTest::keyClick(Line(), Qt::Key_Return);
  QTest::keyClick(Line(), Qt::Key_Enter);
  QKeyEvent accented(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QStringLiteral("\u00E9"));
  QApplication::sendEvent(Line(), &accented);
  EXPECT_EQ(BeepCount(), beeps + 4);
  EXPECT_EQ(spin.Text(), "500");
  // Leaving the field clamps, with one more change event.
  QTest::keyClick(Line(), Qt::Key_Tab);
  EXPECT_TRUE(other.Focused());
  EXPECT_EQ(changes, (std::vector<std::string>{"5", "50", "500", "300"}));

  // Signs and editing keys are accepted; deleting everything is a change to
  // the empty text, which leaving leaves alone.
  spin.SetFocus();
  changes.clear();
  Line()->selectAll();
  QTest::keyClick(Line(), Qt::Key_Delete);
  QTest::keyClicks(Line(), "-+");
  QTest::keyClick(Line(), Qt::Key_Home);
  QTest::keyClick(Line(), Qt::Key_Delete);
  QTest::keyClick(Line(), Qt::Key_Delete);
  EXPECT_EQ(BeepCount(), beeps + 4);
  other.SetFocus();
  EXPECT_EQ(changes, (std::vector<std::string>{"", "-", "-+", "+", ""}));

  // Pasting brings in any text; it reads as the minimum.
  Line()->insert(QStringLiteral("ab"));
  EXPECT_EQ(spin.Text(), "ab");
  EXPECT_EQ(spin.Value(), 0);
}

TEST_F(SpinEditTest, TheLocaleDecimalSeparatorIsAcceptedAndLeavesTheTextUnreadable) {
  SetDecimalSeparator(',');
  spin.SetText("4");
  Line()->end(false);
  const int beeps = BeepCount();
  QTest::keyClicks(Line(), ".");
  EXPECT_EQ(BeepCount(), beeps + 1);
  QTest::keyClicks(Line(), ",");
  EXPECT_EQ(BeepCount(), beeps + 1);
  EXPECT_EQ(spin.Text(), "4,");
  EXPECT_EQ(spin.Value(), 8);
  try {
    StrToInt(spin.Text());
    ADD_FAILURE() << "an unreadable text was read";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'4,' is not a valid integer value");
  }
  // Leaving an unreadable text changes nothing.
  spin.DoExit();
  EXPECT_EQ(spin.Text(), "4,");
}

TEST_F(SpinEditTest, LeavingClampsOnlyReadableValuesOutsideTheRange) {
  for (const auto& [typed, left] : std::vector<std::pair<std::string, std::string>>{
           {"60", "48"}, {"5", "8"}, {"-3", "8"}, {"20", "20"}, {"", ""}, {"1e3", "1e3"}}) {
    spin.SetText(typed);
    changes.clear();
    spin.DoExit();
    EXPECT_EQ(spin.Text(), left) << typed;
    EXPECT_EQ(changes.size(), typed == left ? 0u : 1u) << typed;
  }
}

TEST_F(SpinEditTest, HeldButtonRepeatsAfterTheInitialPauseAndStepsOnceMoreOnRelease) {
  spin.ButtonDown(sbUp);
  EXPECT_TRUE(spin.RepeatTimer().Active());
  EXPECT_EQ(spin.RepeatTimer().Interval(), TSpinEdit::kInitialRepeatPause);
  EXPECT_TRUE(changes.empty()) << "pressing alone does not step";
  spin.RepeatTick();
  EXPECT_EQ(spin.RepeatTimer().Interval(), TSpinEdit::kRepeatPause);
  spin.RepeatTick();
  EXPECT_EQ(spin.Text(), "46");
  // Off the button the repeat pauses; back on it, it goes on.
  spin.ButtonMoved(false);
  spin.RepeatTick();
  EXPECT_EQ(spin.Text(), "46");
  spin.ButtonMoved(true);
  spin.ButtonUp(true);
  EXPECT_EQ(spin.Text(), "48");
  EXPECT_FALSE(spin.RepeatTimer().Active());
  EXPECT_EQ(changes, (std::vector<std::string>{"44", "46", "48"}));

  // A click is one step on release; a release off the button is none.
  spin.ButtonDown(sbDown);
  spin.ButtonUp(true);
  spin.ButtonDown(sbDown);
  spin.ButtonUp(false);
  EXPECT_EQ(spin.Text(), "46");
}

TEST_F(SpinEditTest, MouseOnTheArrowButtonsStepsOnReleaseAndGivesTheEditTheFocus) {
  ASSERT_TRUE((form.Show(), QTest::qWaitForWindowActive(form.Widget())));
  other.SetFocus();
  QWidget* buttons = Buttons();
  ASSERT_NE(buttons, nullptr);
  EXPECT_EQ(buttons->width(), TSpinEdit::kButtonWidth);
  EXPECT_EQ(buttons->geometry().right(), Line()->width() - 1 - 2);
  const QPoint up(buttons->width() / 2, 2);
  const QPoint down(buttons->width() / 2, buttons->height() - 3);
  QTest::mousePress(buttons, Qt::LeftButton, Qt::NoModifier, up);
  EXPECT_TRUE(spin.Focused());
  EXPECT_EQ(spin.PressedButton(), sbUp);
  EXPECT_TRUE(changes.empty());
  QTest::mouseRelease(buttons, Qt::LeftButton, Qt::NoModifier, up);
  QTest::mouseClick(buttons, Qt::LeftButton, Qt::NoModifier, down);
  QTest::mouseClick(buttons, Qt::LeftButton, Qt::NoModifier, down);
  EXPECT_EQ(changes, (std::vector<std::string>{"44", "42", "40"}));
  EXPECT_FALSE(spin.RepeatTimer().Active());
}

TEST_F(SpinEditTest, FailingChangeHandlerEndsInTheErrorBoxAndStopsTheRepeat) {
  ErrorBoxCapture capture;
  spin.OnChange = [this] { StrToInt(spin.Text() + "x"); };
  QTest::keyClick(Line(), Qt::Key_Up);
  EXPECT_EQ(spin.Text(), "44") << "the text changed before the handler failed";
  spin.ButtonDown(sbUp);
  RunGuarded([this] { spin.RepeatTick(); });
  EXPECT_EQ(spin.PressedButton(), sbNone);
  EXPECT_FALSE(spin.RepeatTimer().Active());
  EXPECT_EQ(capture.Texts(), (std::vector<std::string>{"'44x' is not a valid integer value.",
                                                       "'46x' is not a valid integer value."}));
}

}  // namespace
}  // namespace drivesim
