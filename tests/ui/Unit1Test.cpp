// The main window driven as a user drives it: clicks, typed keys, arrow
// steps and focus changes on the real controls, timer ticks delivered
// directly, and the model, the history, the series, the picture and the
// error boxes read back.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "chart/Chart.h"
#include "chart/Series.h"
#include "mechanism/Gears.h"
#include "mechanism/MechanismPicture.h"
#include "platform/Application.h"
#include "platform/ErrorBoxCapture.h"
#include "platform/Numbers.h"
#include "sim/DriveModel.h"
#include "sim/TimeHistory.h"
#include "ui/PanelControl.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"

namespace drivesim {
namespace {

// Every test builds the window on records of its own, with a chosen decimal
// separator, shows it, and gives the separator back afterwards.
class Unit1Test : public ::testing::Test {
 protected:
  void TearDown() override {
    form2.reset();
    form.reset();
    SetDecimalSeparator(savedSeparator);
  }

  void Open(char separator = ',') {
    SetDecimalSeparator(separator);
    form = std::make_unique<TForm1>(model, history, gears);
    form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form->Widget()));
  }

  static void Click(TButton& button) { QTest::mouseClick(button.Widget(), Qt::LeftButton); }
  void Process() { Click(*form->Button2); }
  void Tick(int count = 1) {
    for (int i = 0; i < count; ++i) form->Timer1->Tick();
  }

  // Replaces a control's whole text by typing over it, one key at a time.
  static void Retype(TControl& control, const char* text) {
    QWidget* w = control.Widget();
    QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(w, QString::fromUtf8(text));
  }

  // The setpoint typed as a user would: select all, type.
  void TypeSetpoint(const char* text) { Retype(*form->SpinEdit2, text); }

  // The picture as it should look for a gear pair: the block sketch and the
  // mechanism on a fresh surface.
  static bool PictureShows(TBitmap& image, const GearPair& expectedGears) {
    TBitmap expected;
    DrawBlockSketch(expected);
    DrawMechanism(expected, expectedGears);
    if (image.Width() != expected.Width() || image.Height() != expected.Height()) return false;
    for (int y = 0; y < image.Height(); ++y) {
      for (int x = 0; x < image.Width(); ++x) {
        if (image.Pixel(x, y) != expected.Pixel(x, y)) return false;
      }
    }
    return true;
  }

  ErrorBoxCapture boxes;
  DriveModel model;
  TimeHistory history;
  GearPair gears;
  std::unique_ptr<TForm1> form;
  std::unique_ptr<TForm2> form2;
  char savedSeparator = DecimalSeparator();
};

TEST_F(Unit1Test, WindowHoldsEveryControlAtItsPlace) {
  Open();
  EXPECT_EQ(form->Caption(),
            "The influence of the feedback coefficient on the quality of regulation");
  // The 631 x 540 window grown by the menu bar above its client area, which
  // keeps its size: the outer size less the sizeable frame and the caption.
  const int menu = form->MenuHeight();
  EXPECT_GT(menu, 10);
  EXPECT_EQ(form->BoundsRect(), (TRect{201, 116, 201 + 631, 116 + 540 + menu}));
  EXPECT_EQ(form->ClientWidth(), 631 - 8);
  EXPECT_EQ(form->ClientHeight(), 540 - 8 - 19);
  EXPECT_EQ(form->Widget()->size(), QSize(631 - 8, menu + 540 - 8 - 19));
  EXPECT_EQ(form->Widget()->pos(), QPoint(201, 116));
  const auto* bar = static_cast<QWidget*>(form->MainMenu1->Widget());
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->geometry(), QRect(0, 0, 631 - 8, menu));
  EXPECT_EQ(form->ClientWidget()->mapTo(form->Widget(), QPoint(0, 0)), QPoint(0, menu));

  struct Expected {
    TControl* control;
    TWinControl* parent;
    TRect bounds;
    std::string text;
  };
  TForm1& f = *form;
  TWinControl* p1 = f.Panel1.get();
  TWinControl* p2 = f.Panel2.get();
  const std::vector<Expected> table = {
      {f.Panel1.get(), &f, {8, 8, 249, 273}, ""},
      {f.Edit1.get(), p1, {184, 48, 225, 72}, "10"},
      {f.Edit2.get(), p1, {184, 80, 225, 104}, "0,006"},
      {f.Edit3.get(), p1, {184, 120, 225, 144}, "1,4"},
      {f.Edit4.get(), p1, {184, 152, 225, 176}, "0,021"},
      {f.Edit5.get(), p1, {184, 192, 225, 216}, "0,3"},
      {f.Edit6.get(), p1, {184, 224, 225, 248}, "1,6"},
      {f.Panel2.get(), &f, {8, 280, 249, 337}, ""},
      {f.Edit7.get(), p2, {176, 24, 225, 48}, "1"},
      {f.SpinEdit2.get(), &f, {192, 352, 241, 378}, "0"},
      {f.SpinEdit1.get(), &f, {192, 384, 241, 410}, "42"},
      {f.Button2.get(), &f, {8, 432, 73, 457}, "Process"},
      {f.Button3.get(), &f, {96, 432, 161, 457}, "Pause"},
      {f.Button5.get(), &f, {184, 432, 249, 457}, "Reset"},
      {f.Button1.get(), &f, {8, 472, 73, 497}, "Exit"},
      {f.Button4.get(), &f, {184, 472, 249, 497}, "Help"},
      {f.Image1.get(), &f, {256, 8, 609, 321}, ""},
  };
  for (const Expected& e : table) {
    EXPECT_EQ(e.control->Parent(), e.parent) << e.text;
    EXPECT_EQ(e.control->BoundsRect(), e.bounds) << e.text;
    const QRect g = e.control->Widget()->geometry();
    EXPECT_EQ(g, QRect(e.bounds.Left, e.bounds.Top, e.bounds.Right - e.bounds.Left,
                       e.bounds.Bottom - e.bounds.Top))
        << e.text;
    if (auto* edit = dynamic_cast<TEdit*>(e.control)) {
      EXPECT_EQ(edit->Text(), e.text);
    }
    if (auto* spin = dynamic_cast<TSpinEdit*>(e.control)) {
      EXPECT_EQ(spin->Text(), e.text);
    }
    if (auto* button = dynamic_cast<TButton*>(e.control)) {
      EXPECT_EQ(static_cast<QPushButton*>(button->Widget())->text().toStdString(), e.text);
    }
  }

  // Labels take their text's size; their places are the layout's.
  struct ExpectedLabel {
    TLabel* label;
    TWinControl* parent;
    int left, top;
    const char* caption;
    int pixelSize;
    bool bold;
  };
  const std::vector<ExpectedLabel> labels = {
      {f.Label1.get(), p1, 72, 8, "INITIAL DATA", 13, true},
      {f.Label4.get(), p1, 40, 32, "Converter-amplifier", 13, true},
      {f.Label5.get(), p1, 8, 56, "Gain", 13, false},
      {f.Label6.get(), p1, 8, 88, "Time constant, s", 13, false},
      {f.Label7.get(), p1, 88, 112, "Motor", 13, true},
      {f.Label8.get(), p1, 8, 128, "Coefficient, rad/sV", 13, false},
      {f.Label9.get(), p1, 8, 152, "Moment of inertia, kgm", 13, false},
      {f.Label15.get(), p1, 142, 146, "2", 11, false},
      {f.Label10.get(), p1, 88, 176, "Load", 13, true},
      {f.Label11.get(), p1, 8, 200, "Moment of inertia, kgm", 13, false},
      {f.Label17.get(), p1, 142, 196, "2", 11, false},
      {f.Label12.get(), p1, 8, 224, "Coefficient of viscous", 13, false},
      {f.Label16.get(), p1, 8, 240, "friction, Nms/rad", 13, false},
      {f.Label13.get(), p2, 80, 8, "Feedback", 13, true},
      {f.Label14.get(), p2, 16, 32, "Coefficient, Vs/rad", 13, false},
      {f.Label3.get(), &f, 8, 360, "Preset velocity of load, rad/s", 13, false},
      {f.Label2.get(), &f, 8, 392, "Number of gear teeth", 13, false},
      {f.Label18.get(), &f, 96, 480, f.Label18->Caption().c_str(), 11, false},
  };
  for (const ExpectedLabel& e : labels) {
    EXPECT_EQ(e.label->Parent(), e.parent) << e.caption;
    EXPECT_EQ(e.label->Left(), e.left) << e.caption;
    EXPECT_EQ(e.label->Top(), e.top) << e.caption;
    EXPECT_EQ(e.label->Caption(), e.caption);
    EXPECT_EQ(e.label->Widget()->font().pixelSize(), e.pixelSize) << e.caption;
    EXPECT_EQ(e.label->Widget()->font().bold(), e.bold) << e.caption;
    EXPECT_GT(e.label->Width(), 0) << e.caption;
  }
  // "kgm" ends before the raised "2" begins, so that it reads as the
  // exponent.
  EXPECT_LE(f.Label9->BoundsRect().Right, 142);
  EXPECT_LE(f.Label11->BoundsRect().Right, 142);
  // The credit line is one line in grey; the other labels are black.
  EXPECT_FALSE(f.Label18->Caption().empty());
  EXPECT_EQ(f.Label18->Font().Color(), clGray);
  EXPECT_EQ(f.Label5->Font().Color(), clWindowText);

  // Inputs in the 10-point font, the window in the 8-point one.
  EXPECT_EQ(f.Font().Height(), -11);
  EXPECT_EQ(f.Font().Name(), "MS Sans Serif");
  for (TControl* c :
       {static_cast<TControl*>(f.Edit1.get()), static_cast<TControl*>(f.Edit7.get()),
        static_cast<TControl*>(f.SpinEdit1.get()), static_cast<TControl*>(f.Button4.get())}) {
    EXPECT_EQ(c->Widget()->font().pixelSize(), 13);
    EXPECT_FALSE(c->Widget()->font().bold());
  }

  EXPECT_EQ(f.SpinEdit1->MinValue(), 8);
  EXPECT_EQ(f.SpinEdit1->MaxValue(), 48);
  EXPECT_EQ(f.SpinEdit1->Increment(), 2);
  EXPECT_EQ(f.SpinEdit2->MinValue(), 0);
  EXPECT_EQ(f.SpinEdit2->MaxValue(), 300);
  EXPECT_EQ(f.SpinEdit2->Increment(), 10);
  EXPECT_EQ(f.Image1->Cursor(), crHandPoint);
  EXPECT_EQ(f.Image1->Widget()->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(f.Timer1->Interval(), 20u);
  EXPECT_FALSE(f.Timer1->Enabled());

  // The oscilloscope below the picture, its two series attached.
  EXPECT_EQ(f.Chart1->Left(), 256);
  EXPECT_EQ(f.Chart1->Top(), 328);
  EXPECT_EQ(f.Chart1->Width(), 353);
  EXPECT_EQ(f.Chart1->Height(), 169);
  EXPECT_EQ(f.Chart1Control->BoundsRect(), (TRect{256, 328, 609, 497}));
  auto* chartWidget = static_cast<QWidget*>(f.Chart1->Widget());
  ASSERT_NE(chartWidget, nullptr);
  EXPECT_EQ(chartWidget, f.Chart1Control->Widget());
  EXPECT_EQ(chartWidget->parentWidget(), f.ClientWidget());
  EXPECT_EQ(chartWidget->geometry(), QRect(256, 328, 353, 169));
  EXPECT_EQ(f.Series1->ParentChart(), f.Chart1.get());
  EXPECT_EQ(f.Series2->ParentChart(), f.Chart1.get());
}

TEST_F(Unit1Test, StartUpSetsTheSimulationUpAndDrawsThePicture) {
  // Records left over from an earlier run: creation starts the gears from
  // angle 0 again.
  gears.SetUpGears(20);
  gears.LoadGear.Angle = 1;
  gears.MotorGear.Angle = -0.5;
  Open();
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_EQ(model.StepSize, 1e-5);
  EXPECT_EQ(gears.LoadGear.ToothCount, 42);
  EXPECT_EQ(gears.MotorGear.ToothCount, 14);
  EXPECT_EQ(gears.LoadGear.Angle, 0);
  EXPECT_EQ(gears.MotorGear.Angle, 0);
  EXPECT_DOUBLE_EQ(history.TimeAxis[0], -0.301);
  EXPECT_EQ(history.TimeAxis[301], 0);
  // The series stay empty until the first tick or "Reset", and nothing runs.
  EXPECT_EQ(form->Series1->PointCount(), 0);
  EXPECT_EQ(form->Series2->PointCount(), 0);
  EXPECT_FALSE(form->Running());
  EXPECT_EQ(model.CoefInput, 0);

  GearPair expected;
  expected.SetUpGears(42);
  EXPECT_TRUE(PictureShows(form->Image1->Bitmap(), expected));
  // The image control shows its bitmap.
  const QImage shown = form->Image1->Widget()->grab().toImage();
  const TColor centre = form->Image1->Bitmap().Pixel(192, 201);
  EXPECT_EQ(shown.pixelColor(192, 201),
            QColor(GetRValue(centre), GetGValue(centre), GetBValue(centre)));
}

TEST_F(Unit1Test, FocusStartsOnExitAndTabFollowsTheTabOrder) {
  Open();
  EXPECT_TRUE(form->Button1->Focused()) << "Enter or Space at start-up closes the program";
  TForm1& f = *form;
  const std::vector<TControl*> expected = {
      f.Button3.get(), f.SpinEdit1.get(), f.Button4.get(), f.Edit1.get(),  f.Edit2.get(),
      f.Edit3.get(),   f.Edit4.get(),     f.Edit5.get(),   f.Edit6.get(),  f.Button5.get(),
      f.Edit7.get(),   f.SpinEdit2.get(), f.Button2.get(), f.Button1.get()};
  for (TControl* next : expected) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), next->Widget());
  }
  // The orders within each parent, the chart's place (4) and the panels'.
  EXPECT_EQ(f.Button1->TabOrder(), 0);
  EXPECT_EQ(f.Button3->TabOrder(), 1);
  EXPECT_EQ(f.SpinEdit1->TabOrder(), 2);
  EXPECT_EQ(f.Button4->TabOrder(), 3);
  EXPECT_EQ(f.Panel1->TabOrder(), 5);
  EXPECT_EQ(f.Button5->TabOrder(), 6);
  EXPECT_EQ(f.Panel2->TabOrder(), 7);
  EXPECT_EQ(f.SpinEdit2->TabOrder(), 8);
  EXPECT_EQ(f.Button2->TabOrder(), 9);
  EXPECT_EQ(f.Edit6->TabOrder(), 5);
  EXPECT_EQ(f.Edit7->TabOrder(), 0);
  EXPECT_EQ(f.Chart1Control->TabOrder(), 4);
  EXPECT_FALSE(f.Chart1Control->TabStop());
  EXPECT_FALSE(f.Panel1->TabStop());
  EXPECT_EQ(f.Image1->Widget()->focusPolicy(), Qt::NoFocus);
}

TEST_F(Unit1Test, ScrollBarsAppearWhenTheWindowIsSmallerThanItsControls) {
  Open();
  auto* scroll = form->Widget()->findChild<QScrollArea*>();
  ASSERT_NE(scroll, nullptr);
  EXPECT_EQ(scroll->horizontalScrollBar()->maximum(), 0);
  EXPECT_EQ(scroll->verticalScrollBar()->maximum(), 0);
  form->SetBounds(form->Left(), form->Top(), 400, 300);
  QApplication::processEvents();
  // The controls reach x = 609 (picture and chart) and y = 497 (the chart).
  EXPECT_EQ(scroll->horizontalScrollBar()->maximum(), 609 - scroll->viewport()->width());
  EXPECT_EQ(scroll->verticalScrollBar()->maximum(), 497 - scroll->viewport()->height());
  // Nothing moves or resizes with the window.
  EXPECT_EQ(form->Image1->BoundsRect(), (TRect{256, 8, 609, 321}));
}

TEST_F(Unit1Test, DefaultTextsAreReadUnderEitherSeparator) {
  for (const char separator : {',', '.'}) {
    SCOPED_TRACE(std::string("separator ") + separator);
    model = DriveModel();
    Open(separator);
    const std::string sep(1, separator);
    EXPECT_EQ(form->Edit2->Text(), "0" + sep + "006");
    EXPECT_EQ(form->Edit6->Text(), "1" + sep + "6");
    Process();
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_TRUE(form->Running());
    EXPECT_EQ(model.AmpGain, 10);
    EXPECT_EQ(model.AmpTimeConst, 0.006);
    EXPECT_EQ(model.MotorCoef, 1.4);
    EXPECT_EQ(model.MotorInertia, 0.021);
    EXPECT_EQ(model.LoadInertia, 0.3);
    EXPECT_EQ(model.ViscousFriction, 1.6);
    EXPECT_EQ(model.FeedbackCoef, 1);
    EXPECT_EQ(model.GearRatio, 14.0 / 42.0);
    EXPECT_GT(model.CoefVelocity, 0);
    form.reset();
  }

  // Parsing still takes the locale's separator only: the other one is
  // refused, after the gain before it has been stored.
  model = DriveModel();
  Open('.');
  form->Edit1->SetText("12");
  form->Edit2->SetText("0,006");
  Process();
  ASSERT_EQ(boxes.Texts(),
            std::vector<std::string>{"'0,006' is not a valid floating point value."});
  EXPECT_EQ(boxes.boxes[0].caption, Application().Title());
  EXPECT_EQ(model.AmpGain, 12);
  EXPECT_EQ(model.AmpTimeConst, 0);
  EXPECT_FALSE(form->Running());
}

TEST_F(Unit1Test, DefaultInputsWithSetpointZeroKeepBothTracesAtZero) {
  Open();
  Process();
  ASSERT_TRUE(form->Running());
  Tick(40);
  EXPECT_TRUE(boxes.boxes.empty());
  ASSERT_EQ(form->Series1->PointCount(), 302);
  ASSERT_EQ(form->Series2->PointCount(), 302);
  for (int k = 0; k < 302; ++k) {
    EXPECT_EQ(form->Series1->YValueAt(k), 0) << k;
    EXPECT_EQ(form->Series2->YValueAt(k), 0) << k;
  }
  EXPECT_EQ(gears.LoadGear.Angle, 0);
  EXPECT_EQ(gears.MotorGear.Angle, 0);
  EXPECT_NEAR(form->Series1->XValueAt(301), 0.040, 1e-12);
  // The ticks ask the oscilloscope for a repaint, which the next paint
  // answers.
  EXPECT_TRUE(form->Chart1->PaintPending());
  static_cast<QWidget*>(form->Chart1->Widget())->repaint();
  EXPECT_FALSE(form->Chart1->PaintPending());
}

TEST_F(Unit1Test, SetpointActsAtOnceWhileRunning) {
  Open();
  Process();
  Tick(5);
  // One arrow step: 0 to 10, no "Process" needed.
  QTest::keyClick(form->SpinEdit2->Widget(), Qt::Key_Up);
  EXPECT_EQ(form->SpinEdit2->Text(), "10");
  EXPECT_EQ(model.Setpoint, 10);
  EXPECT_EQ(model.SetpointShown, 10);
  EXPECT_TRUE(form->Running());
  Tick();
  EXPECT_EQ(form->Series2->YValueAt(301), 10);
  EXPECT_EQ(form->Series2->YValueAt(300), 0);
  EXPECT_GT(form->Series1->YValueAt(301), 0) << "the load follows";
  EXPECT_EQ(form->Series1->YValueAt(300), 0);

  // Typing "100" over it applies each text as it is typed.
  QWidget* spin = form->SpinEdit2->Widget();
  QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
  std::vector<double> applied;
  for (const char ch : std::string("100")) {
    QTest::keyClick(spin, ch);
    applied.push_back(model.Setpoint);
    EXPECT_EQ(model.SetpointShown, model.Setpoint);
  }
  EXPECT_EQ(applied, (std::vector<double>{1, 10, 100}));
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_TRUE(form->Running());

  // Typed beyond the range: taken as typed, clamped to 300 when the focus
  // leaves.
  form->Button3->Click();  // "Pause", so that no tick runs while focus moves
  form->SpinEdit2->SetFocus();
  QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
  applied.clear();
  for (const char ch : std::string("500")) {
    QTest::keyClick(spin, ch);
    applied.push_back(model.Setpoint);
  }
  QTest::keyClick(spin, Qt::Key_Tab);
  applied.push_back(model.Setpoint);
  EXPECT_EQ(applied, (std::vector<double>{5, 50, 500, 300}));
  EXPECT_EQ(form->SpinEdit2->Text(), "300");
  EXPECT_TRUE(form->Button2->Focused());

  // A decimal separator is accepted as a key and refused as an integer.
  form->SpinEdit2->SetFocus();
  QTest::keyClick(spin, Qt::Key_End);
  QTest::keyClick(spin, ',');
  EXPECT_EQ(form->SpinEdit2->Text(), "300,");
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"'300,' is not a valid integer value."});
  EXPECT_EQ(model.Setpoint, 300);
}

TEST_F(Unit1Test, FeedbackCoefficientActsOnlyAfterProcess) {
  Open();
  TypeSetpoint("100");
  Process();
  Tick(10);
  const double coefVelocity = model.CoefVelocity;
  Retype(*form->Edit7, "5");
  EXPECT_EQ(model.FeedbackCoef, 1);
  Tick(5);
  EXPECT_EQ(model.CoefVelocity, coefVelocity);
  // A setpoint change stores the coefficient but computes nothing from it.
  TypeSetpoint("120");
  EXPECT_EQ(model.FeedbackCoef, 5);
  EXPECT_EQ(model.CoefVelocity, coefVelocity);
  EXPECT_EQ(model.Setpoint, 120);
  // An unreadable coefficient fails first: the setpoint is not taken.
  Retype(*form->Edit7, "x");
  TypeSetpoint("130");
  EXPECT_EQ(boxes.Texts().back(), "'x' is not a valid floating point value.");
  EXPECT_EQ(model.Setpoint, 120);
  EXPECT_EQ(model.FeedbackCoef, 5);
  EXPECT_TRUE(form->Running());

  boxes.boxes.clear();
  Retype(*form->Edit7, "5");
  Process();
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_GT(model.CoefVelocity, coefVelocity);
  EXPECT_TRUE(form->Running());
}

TEST_F(Unit1Test, ToothCountChangeStopsTheRunAndRedrawsTheGearsAtAngleZero) {
  Open();
  TypeSetpoint("200");
  Process();
  Tick(60);
  ASSERT_GT(gears.LoadGear.Angle, 0);
  const double velocity = model.State[1];

  QTest::keyClick(form->SpinEdit1->Widget(), Qt::Key_Up);
  EXPECT_EQ(form->SpinEdit1->Text(), "44");
  EXPECT_FALSE(form->Running());
  EXPECT_EQ(gears.LoadGear.ToothCount, 44);
  EXPECT_EQ(gears.MotorGear.ToothCount, 12);
  EXPECT_EQ(gears.LoadGear.Angle, 0);
  EXPECT_EQ(gears.MotorGear.Angle, 0);
  GearPair expected;
  expected.SetUpGears(44);
  EXPECT_TRUE(PictureShows(form->Image1->Bitmap(), expected));
  // The ratio waits for "Process", which goes on from the same state.
  EXPECT_EQ(model.GearRatio, 14.0 / 42.0);
  Process();
  EXPECT_EQ(model.GearRatio, 12.0 / 44.0);
  EXPECT_EQ(model.State[1], velocity);
  EXPECT_TRUE(form->Running());
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(Unit1Test, ToothCountOutsideOneToFiftyFiveIsRefusedWithTheGearsUnchanged) {
  Open();
  Process();
  const std::vector<TPoint> outline = gears.LoadGear.Front;
  QWidget* spin = form->SpinEdit1->Widget();
  QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(spin, '0');
  ASSERT_EQ(boxes.Texts(),
            std::vector<std::string>{"Number of gear teeth must be between 1 and 55."});
  EXPECT_FALSE(form->Running());
  EXPECT_EQ(gears.LoadGear.ToothCount, 42);
  EXPECT_EQ(gears.MotorGear.ToothCount, 14);
  EXPECT_EQ(gears.LoadGear.Front, outline);

  // Pasted, 60 is refused the same way.
  QApplication::clipboard()->setText(QStringLiteral("60"));
  QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(spin, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(form->SpinEdit1->Text(), "60");
  EXPECT_EQ(boxes.boxes.size(), 2u);
  EXPECT_EQ(gears.LoadGear.ToothCount, 42);

  // An empty field while retyping leaves the gears too.
  QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(spin, Qt::Key_Backspace);
  EXPECT_EQ(boxes.Texts().back(), "'' is not a valid integer value.");
  EXPECT_EQ(gears.LoadGear.ToothCount, 42);

  // Running again never divides by a missing tooth count.
  boxes.boxes.clear();
  TypeSetpoint("50");
  Process();
  Tick(20);
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_EQ(model.GearRatio, 14.0 / 42.0);
}

TEST_F(Unit1Test, ResetThenProcessRestartsFromRest) {
  Open();
  TypeSetpoint("100");
  Process();
  Tick(50);
  const double loadAngle = gears.LoadGear.Angle;
  ASSERT_GT(model.State[1], 0);

  Click(*form->Button5);
  EXPECT_FALSE(form->Running());
  EXPECT_EQ(model.State[0], 0);
  EXPECT_EQ(model.State[1], 0);
  EXPECT_EQ(model.Rate[0], 0);
  EXPECT_EQ(model.Setpoint, 100) << "the inputs stay";
  EXPECT_EQ(gears.LoadGear.Angle, loadAngle);
  ASSERT_EQ(form->Series1->PointCount(), 302);
  ASSERT_EQ(form->Series2->PointCount(), 302);
  EXPECT_DOUBLE_EQ(form->Series1->XValueAt(0), -0.301);
  EXPECT_EQ(form->Series1->XValueAt(301), 0);
  for (int k = 0; k < 302; ++k) {
    EXPECT_EQ(form->Series1->YValueAt(k), 0);
    EXPECT_EQ(form->Series2->YValueAt(k), 0);
  }

  // The first tick after "Process" is the first millisecond from rest.
  Process();
  Tick();
  DriveModel fresh = model;
  fresh.ZeroState();
  for (int step = 0; step < StepsPerTick; ++step) fresh.IntegrateStep();
  EXPECT_EQ(form->Series1->XValueAt(301), 0.0 + fresh.StepSize * 100);
  EXPECT_NEAR(form->Series1->XValueAt(301), 0.001, 1e-15);
  EXPECT_EQ(form->Series1->YValueAt(301), fresh.State[1]);
  EXPECT_EQ(form->Series1->YValueAt(300), 0);
  EXPECT_EQ(form->Series2->YValueAt(301), 100);
  EXPECT_GT(gears.LoadGear.Angle, 0) << "the gears go on from their angles";
}

TEST_F(Unit1Test, EmptiedSetpointShowsTheIntegerMessageAndKeepsTheSetpoint) {
  Open();
  TypeSetpoint("20");
  ASSERT_EQ(model.Setpoint, 20);
  boxes.boxes.clear();
  QWidget* spin = form->SpinEdit2->Widget();
  QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(spin, Qt::Key_Backspace);
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"'' is not a valid integer value."});
  EXPECT_EQ(model.Setpoint, 20);
  EXPECT_EQ(model.SetpointShown, 20);
  // "Process" reads the same text and does not start.
  Process();
  EXPECT_EQ(boxes.Texts().back(), "'' is not a valid integer value.");
  EXPECT_FALSE(form->Running());
}

TEST_F(Unit1Test, ProcessStoresTheFieldsBeforeAnUnreadableOneAndStaysOff) {
  Open();
  Process();
  const double coefInput = model.CoefInput;
  const double coefAccel = model.CoefAccel;
  form->Edit1->SetText("20");
  form->Edit2->SetText("0,01");
  form->Edit3->SetText("abc");
  form->Edit4->SetText("0,05");
  form->Edit7->SetText("3");
  Process();
  ASSERT_EQ(boxes.Texts(), std::vector<std::string>{"'abc' is not a valid floating point value."});
  EXPECT_EQ(model.AmpGain, 20);
  EXPECT_EQ(model.AmpTimeConst, 0.01);
  EXPECT_EQ(model.MotorCoef, 1.4);
  EXPECT_EQ(model.MotorInertia, 0.021);
  EXPECT_EQ(model.FeedbackCoef, 1);
  EXPECT_EQ(model.CoefInput, coefInput);
  EXPECT_EQ(model.CoefAccel, coefAccel);
  EXPECT_FALSE(form->Running());

  // A number beyond a double is refused as it is stored.
  form->Edit3->SetText("1e400");
  Process();
  EXPECT_EQ(boxes.Texts().back(), "Floating point overflow.");
  EXPECT_FALSE(form->Running());
}

TEST_F(Unit1Test, DivergingModelReportsOnceAndStopsUntilProcess) {
  Open();
  // Positive feedback: the load velocity grows without bound.
  form->Edit7->SetText("-100000");
  TypeSetpoint("10");
  Process();
  ASSERT_TRUE(form->Running());
  // The box records whether the timer was still on when it opened.
  std::vector<bool> runningAtBox;
  SetErrorBoxPresenter([&](const std::string& text, const std::string& caption) {
    boxes.boxes.push_back({text, caption});
    runningAtBox.push_back(form->Running());
  });
  int ticks = 0;
  while (boxes.boxes.empty() && ticks < 2000) {
    Tick();
    ++ticks;
  }
  ASSERT_EQ(boxes.Texts(), std::vector<std::string>{"Floating point overflow."});
  EXPECT_EQ(runningAtBox, std::vector<bool>{false}) << "the timer stops before the box";
  EXPECT_FALSE(form->Running());
  EXPECT_FALSE(form->Timer1->Active());

  // "Process" starts it again; the next tick fails again, once.
  Process();
  EXPECT_TRUE(form->Running());
  Tick();
  EXPECT_EQ(boxes.boxes.size(), 2u);
  EXPECT_FALSE(form->Running());

  // On the real timer: however many ticks the loop delivers, the failure is
  // reported once.
  boxes.boxes.clear();
  form->Edit7->SetText("-1000000000");
  Process();
  ASSERT_TRUE(form->Running());
  EXPECT_TRUE(QTest::qWaitFor([&] { return !boxes.boxes.empty(); }, 10000));
  QTest::qWait(200);
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Floating point overflow."});
  EXPECT_FALSE(form->Running());
}

TEST_F(Unit1Test, PauseStopsAndProcessResumesWhereItStopped) {
  Open();
  TypeSetpoint("100");
  Process();
  Tick(10);
  Click(*form->Button3);
  EXPECT_FALSE(form->Running());
  const double velocity = model.State[1];
  const double newest = history.TimeAxis[301];
  Process();
  EXPECT_EQ(model.State[1], velocity);
  Tick();
  EXPECT_NEAR(history.TimeAxis[301], newest + 0.001, 1e-12);
}

TEST_F(Unit1Test, HelpTwiceLeavesOneInstructionsWindowInFront) {
  Open();
  form2 = std::make_unique<TForm2>();
  form->SetInstructionsWindow(form2.get());
  Process();
  Click(*form->Button4);
  Click(*form->Button4);
  ASSERT_TRUE(QTest::qWaitForWindowActive(form2->Widget()));
  int shown = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->isVisible() && w->windowTitle() == QStringLiteral("Instructions")) ++shown;
  }
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(QApplication::activeWindow(), form2->Widget());
  EXPECT_TRUE(form->Visible());
  EXPECT_TRUE(form->Running()) << "the simulation keeps running";
}

TEST_F(Unit1Test, ClosingTheMainWindowEndsTheLoopWithTheInstructionsOpen) {
  Open();
  ASSERT_EQ(Application().MainForm(), form.get());
  form2 = std::make_unique<TForm2>();
  form->SetInstructionsWindow(form2.get());
  for (const bool byCloseBox : {false, true}) {
    bool timedOut = false;
    bool instructionsOpen = false;
    // A loop that never ends would hang the suite: a guard ends it.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] {
      timedOut = true;
      Application().Terminate();
    });
    guard.start(10000);
    QTimer::singleShot(0, [&] {
      Click(*form->Button4);
      instructionsOpen = form2->Widget()->isVisible();
      if (byCloseBox) {
        form->Widget()->close();
      } else {
        // "Exit" has the focus: Space presses it.
        form->Button1->SetFocus();
        QTest::keyClick(form->Button1->Widget(), Qt::Key_Space);
      }
    });
    Application().Run();
    EXPECT_FALSE(timedOut);
    EXPECT_FALSE(form->Visible());
    EXPECT_TRUE(instructionsOpen);
  }
}

}  // namespace
}  // namespace drivesim
