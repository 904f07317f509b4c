// The standard controls and the custom-painted control on their Qt widgets:
// form geometry, scrolling and closing, focus order, button and edit events
// through the guard, labels sizing themselves, the image showing its bitmap,
// and the custom panel's paint and mouse forwarding.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>
#include <memory>

#include "platform/Canvas.h"
#include "platform/Controls.h"
#include "platform/CustomPanel.h"
#include "platform/ErrorBoxCapture.h"
#include "platform/Exceptions.h"

namespace drivesim {
namespace {

bool ShowAndActivate(TForm& form) {
  form.Show();
  return QTest::qWaitForWindowActive(form.Widget());
}

TEST(ControlsTest, FormPlacesItsFrameAndSizesItsClientAreaInsideTheFrame) {
  TForm form;
  form.SetCaption("Instructions");
  form.SetBounds(192, 107, 363, 519);
  QWidget* window = form.Widget();
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Instructions"));
  EXPECT_EQ(window->pos(), QPoint(192, 107));
  EXPECT_EQ(form.ClientWidth(), 363 - 2 * TForm::kFrameWidth);
  EXPECT_EQ(form.ClientHeight(), 519 - 2 * TForm::kFrameWidth - TForm::kCaptionHeight);
  EXPECT_EQ(window->size(), QSize(form.ClientWidth(), form.ClientHeight()));
  form.SetClientSize(300, 200);
  EXPECT_EQ(form.Width(), 300 + 2 * TForm::kFrameWidth);
  EXPECT_EQ(window->size(), QSize(300, 200));

  form.SetBorderIcons(biSystemMenu);
  EXPECT_FALSE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(window->windowFlags() & Qt::WindowCloseButtonHint);
}

TEST(ControlsTest, FormScrollsWhenItsClientAreaIsSmallerThanTheControls) {
  TForm form;
  form.SetClientSize(400, 300);
  TPanel panel(&form);
  panel.SetBounds(8, 8, 241, 265);
  TButton button(&form);
  button.SetBounds(300, 250, 65, 25);
  ASSERT_TRUE(ShowAndActivate(form));
  auto* scroll = form.Widget()->findChild<QScrollArea*>();
  ASSERT_NE(scroll, nullptr);
  EXPECT_EQ(scroll->horizontalScrollBar()->maximum(), 0);
  EXPECT_EQ(scroll->verticalScrollBar()->maximum(), 0);

  form.SetClientSize(200, 150);
  QApplication::processEvents();
  EXPECT_GT(scroll->horizontalScrollBar()->maximum(), 0);
  EXPECT_GT(scroll->verticalScrollBar()->maximum(), 0);
  // The range covers the farthest control: the button's right and bottom
  // edges, less what the viewport shows.
  EXPECT_EQ(scroll->horizontalScrollBar()->maximum() + scroll->viewport()->width(), 365);
  EXPECT_EQ(scroll->verticalScrollBar()->maximum() + scroll->viewport()->height(), 275);
  // Moving a control after showing extends the range.
  button.SetBounds(300, 400, 65, 25);
  QApplication::processEvents();
  EXPECT_EQ(scroll->verticalScrollBar()->maximum() + scroll->viewport()->height(), 425);
}

TEST(ControlsTest, TabVisitsTabStopsInTabOrderDepthFirstThroughPanels) {
  TForm form;
  form.SetClientSize(400, 300);
  TButton exitButton(&form);
  exitButton.SetCaption("Exit");
  TPanel panel(&form);
  panel.SetBounds(0, 40, 200, 100);
  TEdit edit1(&panel);
  TEdit edit2(&panel);
  TLabel label(&panel);
  TButton pauseButton(&form);
  pauseButton.SetCaption("Pause");
  TEdit edit7(&form);
  edit7.SetTabStop(false);
  // Creation order is exit, panel, pause; the orders below make it
  // pause, exit, panel (edit2, edit1).
  pauseButton.SetTabOrder(0);
  edit2.SetTabOrder(0);
  EXPECT_EQ(exitButton.TabOrder(), 1);
  EXPECT_EQ(panel.TabOrder(), 2);
  ASSERT_TRUE(ShowAndActivate(form));
  EXPECT_TRUE(pauseButton.Focused()) << "the first tab stop takes the focus";

  std::vector<TControl*> visited;
  for (int i = 0; i < 5; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    for (TControl* c : std::vector<TControl*>{&exitButton, &edit1, &edit2, &pauseButton, &edit7}) {
      if (c->Focused()) visited.push_back(c);
    }
  }
  EXPECT_EQ(visited,
            (std::vector<TControl*>{&exitButton, &edit2, &edit1, &pauseButton, &exitButton}));
}

TEST(ControlsTest, ButtonClicksRunThroughTheGuardByMouseSpaceAndEnter) {
  ErrorBoxCapture capture;
  TForm form;
  form.SetClientSize(200, 100);
  TButton button(&form);
  button.SetBounds(8, 8, 65, 25);
  button.SetCaption("Process");
  EXPECT_EQ(static_cast<QPushButton*>(button.Widget())->text(), QStringLiteral("Process"));
  int clicks = 0;
  button.OnClick = [&] {
    ++clicks;
    if (clicks == 1) throw EConvertError("'0,006' is not a valid floating point value");
  };
  ASSERT_TRUE(ShowAndActivate(form));
  QTest::mouseClick(button.Widget(), Qt::LeftButton);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(capture.Texts(),
            std::vector<std::string>{"'0,006' is not a valid floating point value."});
  button.SetFocus();
  QTest::keyClick(button.Widget(), Qt::Key_Space);
  QTest::keyClick(button.Widget(), Qt::Key_Return);
  EXPECT_EQ(clicks, 3);
  EXPECT_EQ(capture.boxes.size(), 1u);
}

TEST(ControlsTest, EditReportsEveryChangeOfItsTextAndNoneForTheSameText) {
  TForm form;
  TEdit edit(&form);
  std::vector<std::string> seen;
  edit.OnChange = [&] { seen.push_back(edit.Text()); };
  edit.SetText("1,4");
  edit.SetText("1,4");
  auto* line = static_cast<QLineEdit*>(edit.Widget());
  EXPECT_EQ(line->text(), QStringLiteral("1,4"));
  line->end(false);
  QTest::keyClicks(line, "2");
  QTest::keyClick(line, Qt::Key_Backspace);
  line->selectAll();
  line->insert(QStringLiteral("1,4"));  // a paste of the same text changes nothing
  EXPECT_EQ(seen, (std::vector<std::string>{"1,4", "1,42", "1,4"}));
}

TEST(ControlsTest, LabelsSizeThemselvesToTheirTextAndFont) {
  TForm form;
  TLabel label(&form);
  label.SetBounds(72, 8, 1, 1);
  label.SetCaption("INITIAL DATA");
  const int regularWidth = label.Width();
  const int regularHeight = label.Height();
  EXPECT_GT(regularWidth, 0);
  EXPECT_EQ(label.Left(), 72);
  // The label measures what its widget shows.
  EXPECT_EQ(regularWidth, QFontMetrics(label.Widget()->font()).horizontalAdvance("INITIAL DATA"));
  label.Font().SetHeight(-13);
  label.Font().SetStyle(fsBold);
  EXPECT_GT(label.Width(), regularWidth);
  EXPECT_GT(label.Height(), regularHeight);
  EXPECT_EQ(label.Widget()->size(), QSize(label.Width(), label.Height()));
  EXPECT_FALSE(label.ParentFont());
}

TEST(ControlsTest, ChildrenFollowTheParentFontUntilGivenTheirOwn) {
  TForm form;
  TPanel panel(&form);
  TEdit edit(&panel);
  TButton button(&panel);
  button.Font().SetHeight(-13);
  form.Font().SetHeight(-20);
  form.Font().SetColor(clGray);
  EXPECT_EQ(panel.Font().Height(), -20);
  EXPECT_EQ(edit.Font().Height(), -20);
  EXPECT_EQ(edit.Widget()->font().pixelSize(), 20);
  EXPECT_EQ(edit.Widget()->palette().color(QPalette::Text), QColor(0x80, 0x80, 0x80));
  EXPECT_EQ(button.Font().Height(), -13);
  EXPECT_EQ(button.Widget()->font().pixelSize(), 13);
}

TEST(ControlsTest, ImageShowsItsWhiteBitmapAndRepaintsWhenItIsDrawnOn) {
  TForm form;
  form.SetClientSize(620, 330);
  TImage image(&form);
  image.SetBounds(256, 8, 353, 313);
  image.SetCursor(crHandPoint);
  EXPECT_EQ(image.Bitmap().Width(), 353);
  EXPECT_EQ(image.Bitmap().Height(), 313);
  EXPECT_EQ(image.Bitmap().Pixel(200, 100), clWhite);
  EXPECT_EQ(image.Widget()->cursor().shape(), Qt::PointingHandCursor);

  ASSERT_TRUE(ShowAndActivate(form));
  image.Canvas().Brush().SetColor(clBlue);
  image.Canvas().FillRect(TRect{10, 20, 30, 40});
  const QImage shown = image.Widget()->grab().toImage();
  EXPECT_EQ(shown.pixelColor(10, 20), QColor(0, 0, 255));
  EXPECT_EQ(shown.pixelColor(29, 39), QColor(0, 0, 255));
  EXPECT_EQ(shown.pixelColor(30, 40), QColor(255, 255, 255));
}

// A custom-painted control that records what reaches it.
class RecordingPanel : public TCustomPanel {
 public:
  int paints = 0;
  bool failPaint = false;
  std::vector<std::string> log;

 protected:
  void Paint() override {
    ++paints;
    if (failPaint) throw EInvalidOp();
    Canvas().Brush().SetColor(clLime);
    Canvas().FillRect(ClientRect());
  }
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
    log.push_back("down " + std::to_string(b) + " " + std::to_string(s) + " " + std::to_string(x) +
                  "," + std::to_string(y));
  }
  void MouseMove(TShiftState s, int x, int y) override {
    log.push_back("move " + std::to_string(s) + " " + std::to_string(x) + "," + std::to_string(y));
  }
  void MouseUp(TMouseButton b, TShiftState s, int x, int y) override {
    log.push_back("up " + std::to_string(b) + " " + std::to_string(s) + " " + std::to_string(x) +
                  "," + std::to_string(y));
  }
  bool DoMouseWheelUp(TShiftState, TPoint p) override {
    log.push_back("wheel up " + std::to_string(p.X) + "," + std::to_string(p.Y));
    return true;
  }
  bool DoMouseWheelDown(TShiftState, TPoint) override {
    log.push_back("wheel down");
    return true;
  }
  void MouseLeave() override { log.push_back("leave"); }
};

TEST(ControlsTest, CustomPanelPaintsOnlyWhenAskedAndShowsItsSurface) {
  ErrorBoxCapture capture;
  TForm form;
  form.SetClientSize(400, 300);
  RecordingPanel panel;
  panel.SetBounds(20, 30, 100, 50);
  auto* widget = static_cast<QWidget*>(panel.CreateWidget(form.ClientWidget()));
  EXPECT_EQ(widget->geometry(), QRect(20, 30, 100, 50));
  EXPECT_EQ(panel.Surface().Width(), 100);
  ASSERT_TRUE(ShowAndActivate(form));

  QImage shown = widget->grab().toImage();
  EXPECT_EQ(panel.paints, 1);
  EXPECT_EQ(shown.pixelColor(99, 49), QColor(0, 255, 0));
  // Showing again without a request only copies the surface.
  widget->grab();
  EXPECT_EQ(panel.paints, 1);
  // Requests merge into one paint.
  panel.Invalidate();
  panel.Invalidate();
  EXPECT_TRUE(panel.PaintPending());
  widget->grab();
  EXPECT_EQ(panel.paints, 2);
  EXPECT_FALSE(panel.PaintPending());

  // A failing paint reports once, after the paint, and is not repeated.
  panel.failPaint = true;
  panel.Invalidate();
  widget->grab();
  EXPECT_TRUE(capture.boxes.empty());
  QApplication::processEvents();
  widget->grab();
  EXPECT_EQ(panel.paints, 3);
  EXPECT_EQ(capture.Texts(), std::vector<std::string>{"Invalid floating point operation."});

  // A new size resizes the surface and asks for a paint.
  panel.failPaint = false;
  panel.SetBounds(20, 30, 120, 60);
  EXPECT_EQ(panel.Surface().Width(), 120);
  EXPECT_TRUE(panel.PaintPending());
  panel.Update();
  EXPECT_EQ(panel.paints, 4);
  EXPECT_EQ(panel.Surface().Pixel(119, 59), clLime);
}

TEST(ControlsTest, CustomPanelReceivesMouseAndWheelInClientPixelsWithShiftState) {
  ErrorBoxCapture capture;
  TForm form;
  form.SetClientSize(400, 300);
  RecordingPanel panel;
  panel.SetBounds(20, 30, 100, 50);
  auto* widget = static_cast<QWidget*>(panel.CreateWidget(form.ClientWidget()));
  panel.SetCursor(crCross);
  EXPECT_EQ(widget->cursor().shape(), Qt::CrossCursor);
  EXPECT_TRUE(widget->hasMouseTracking());
  ASSERT_TRUE(ShowAndActivate(form));

  std::vector<std::string> events;
  panel.OnMouseDown = [&](TMouseButton, TShiftState, int, int) { events.push_back("OnMouseDown"); };
  QTest::mousePress(widget, Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 6));
  QTest::mouseMove(widget, QPoint(40, 30));
  QTest::mouseRelease(widget, Qt::LeftButton, Qt::ControlModifier, QPoint(41, 31));
  QTest::mousePress(widget, Qt::RightButton, Qt::AltModifier, QPoint(7, 8));
  QTest::mouseRelease(widget, Qt::RightButton, Qt::NoModifier, QPoint(7, 8));
  EXPECT_EQ(events, (std::vector<std::string>{"OnMouseDown", "OnMouseDown"}));
  ASSERT_GE(panel.log.size(), 5u);
  EXPECT_EQ(panel.log[0], "down 0 " + std::to_string(ssShift | ssLeft) + " 5,6");
  EXPECT_EQ(panel.log[1], "move " + std::to_string(ssLeft) + " 40,30");
  EXPECT_EQ(panel.log[2], "up 0 " + std::to_string(ssCtrl) + " 41,31");
  EXPECT_EQ(panel.log[3], "down 1 " + std::to_string(ssAlt | ssRight) + " 7,8");
  EXPECT_EQ(panel.log[4], "up 1 0 7,8");

  // Two wheel steps up, then a half step twice down (one step in all); the
  // wheel-up event may take the step over.
  panel.log.clear();
  int handledUp = 0;
  panel.OnMouseWheelUp = [&](TShiftState, TPoint, bool& handled) { handled = ++handledUp == 1; };
  auto wheel = [&](int delta) {
    QWheelEvent event(QPointF(12, 13), widget->mapToGlobal(QPointF(12, 13)), QPoint(),
                      QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
  };
  wheel(240);
  wheel(-60);
  wheel(-60);
  EXPECT_EQ(handledUp, 2);
  EXPECT_EQ(panel.log, (std::vector<std::string>{"wheel up 12,13", "wheel down"}));

  // A handler that fails ends in the error box, not in the event loop.
  panel.OnMouseDown = [](TMouseButton, TShiftState, int, int) { throw EOverflow(); };
  QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, QPoint(1, 1));
  EXPECT_EQ(capture.Texts(), std::vector<std::string>{"Floating point overflow."});

  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(widget, &leave);
  EXPECT_EQ(panel.log.back(), "leave");
}

TEST(ControlsTest, CustomPanelOutlivesAWidgetDestroyedWithItsWindow) {
  RecordingPanel panel;
  {
    TForm form;
    form.SetClientSize(100, 100);
    panel.CreateWidget(form.ClientWidget());
    EXPECT_NE(panel.Widget(), nullptr);
  }
  EXPECT_EQ(panel.Widget(), nullptr);
  panel.SetBounds(0, 0, 10, 10);
  panel.Invalidate();
  panel.Update();
  EXPECT_EQ(panel.Surface().Pixel(9, 9), clLime);
}

}  // namespace
}  // namespace drivesim
