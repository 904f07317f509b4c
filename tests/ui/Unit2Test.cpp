// The instructions window: its layout, the memo's exact text, a memo that
// can be read and copied but not changed, and a close box that only hides.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <memory>

#include "platform/Application.h"
#include "platform/Controls.h"
#include "ui/Unit2.h"

namespace drivesim {
namespace {

// The help text as a table: leading blanks, the text, and whether the line
// ends with one blank.
struct Line {
  int indent;
  const char* text;
  bool blankAtEnd;
};

const Line kExpected[] = {
    {6, "The program is designed to study the influence of the", true},
    {0, "ACS feedback coefficient on the control accuracy.", false},
    {6, "To work with the program, set the initial data in the", true},
    {0, "windows that are located on the left side of the main", true},
    {0, "interface. Then set the desired level of the angular", true},
    {0, "velocity of the load and press the \"Process\" button. Set", true},
    {0, "all the source data using a decimal point, not a period!", false},
    {6, "In the animation window, movement begins, and on", true},
    {0, "the oscilloscope there are oscillograms of a given level", true},
    {0, "of angular velocity (green line) and angular velocity of", true},
    {0, "the load (blue line).", false},
    {0, "To accurately measure waveform values, you can", true},
    {0, "enlarge any portion of the waveforms. To do this, move", true},
    {0, "the mouse to the upper left portion of the increase, press", true},
    {0, "the left key, drag the mouse down and right, and release", true},
    {0, "the left key. The increase can be carried out several", true},
    {0, "times. To return to the original size, use the mouse in the", true},
    {0, "opposite direction.", false},
    {5, "To change the gear ratio of the gearbox, manipulate", true},
    {0, "the buttons near the value of the number of teeth of the", true},
    {0, "gear shaft.", false},
    {5, "The \xE2\x80\x9CPause\xE2\x80\x9D button temporarily stops the simulation", true},
    {0, "process, the \xE2\x80\x9CReset\xE2\x80\x9D button restores the program to its", true},
    {0, "initial state.", false},
    {5, "The program perceives any changes in the source", true},
    {0, "data when you click the \"Process\" button.", false},
    {0, "", false},
    {0, "", false},
    {0, "", false},
};

// Every test has a main form of its own, so that the instructions window is
// never the main window.
class Unit2Test : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!Application().MainForm()) mainForm = std::make_unique<TForm>();
    form = std::make_unique<TForm2>();
  }
  QPlainTextEdit* Memo() { return static_cast<QPlainTextEdit*>(form->Memo1->Widget()); }

  std::unique_ptr<TForm> mainForm;
  std::unique_ptr<TForm2> form;
};

TEST_F(Unit2Test, WindowAndMemoHaveTheirLayout) {
  EXPECT_EQ(form->Caption(), "Instructions");
  EXPECT_EQ(form->BoundsRect(), (TRect{192, 107, 192 + 363, 107 + 519}));
  EXPECT_EQ(form->Widget()->pos(), QPoint(192, 107));
  EXPECT_EQ(form->Widget()->size(), QSize(form->ClientWidth(), form->ClientHeight()));
  EXPECT_FALSE(form->Visible()) << "created hidden";
  const Qt::WindowFlags flags = form->Widget()->windowFlags();
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_EQ(form->Font().Height(), -11);

  TMemo& memo = *form->Memo1;
  EXPECT_EQ(memo.BoundsRect(), (TRect{8, 8, 345, 473}));
  EXPECT_EQ(Memo()->geometry(), QRect(8, 8, 337, 465));
  EXPECT_EQ(Memo()->palette().color(QPalette::Base), QColor(255, 255, 215));
  EXPECT_EQ(Memo()->font().pixelSize(), 13);
  EXPECT_FALSE(Memo()->font().bold());
  EXPECT_EQ(Memo()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
  EXPECT_EQ(Memo()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(Memo()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(memo.TabOrder(), 0);
  // The memo fits the client area, so the window does not scroll.
  EXPECT_LE(memo.BoundsRect().Right, form->ClientWidth());
  EXPECT_LE(memo.BoundsRect().Bottom, form->ClientHeight());
}

TEST_F(Unit2Test, MemoHoldsTheTwentyNineLinesExactly) {
  const std::vector<std::string>& lines = form->Memo1->Lines();
  ASSERT_EQ(lines.size(), std::size(kExpected));
  std::string joined;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const Line& e = kExpected[i];
    const std::string expected = std::string(e.indent, ' ') + e.text + (e.blankAtEnd ? " " : "");
    EXPECT_EQ(lines[i], expected) << "line " << i + 1;
    joined += expected + "\n";
  }
  // The widget shows the same text, every line followed by a line break.
  EXPECT_EQ(Memo()->toPlainText().toStdString(), joined);
  EXPECT_EQ(form->Memo1->Text(), joined);
  // The quotes of lines 22 and 23 are the typographic pair, those of lines 6
  // and 26 plain.
  EXPECT_NE(lines[21].find("\u201CPause\u201D"), std::string::npos);
  EXPECT_NE(lines[22].find("\u201CReset\u201D"), std::string::npos);
  EXPECT_NE(lines[5].find("\"Process\""), std::string::npos);
  EXPECT_NE(lines[25].find("\"Process\""), std::string::npos);
}

TEST_F(Unit2Test, EveryLineFitsTheMemoWidthWithoutWrapping) {
  form->Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form->Widget()));
  const QTextDocument* document = Memo()->document();
  ASSERT_EQ(document->blockCount(), 30);  // 29 lines and the empty one after the last break
  for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
    ASSERT_NE(block.layout(), nullptr);
    EXPECT_EQ(block.layout()->lineCount(), 1) << block.text().toStdString();
  }
}

TEST_F(Unit2Test, MemoCanBeSelectedAndCopiedButNotChanged) {
  form->Show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form->Widget()));
  EXPECT_TRUE(form->Memo1->Focused()) << "the memo is the only tab stop";
  const QString before = Memo()->toPlainText();
  QTest::keyClicks(Memo(), "typed");
  QTest::keyClick(Memo(), Qt::Key_Backspace);
  QTest::keyClick(Memo(), Qt::Key_Delete);
  QTest::keyClick(Memo(), Qt::Key_Return);
  QTest::keyClick(Memo(), Qt::Key_X, Qt::ControlModifier);
  QApplication::clipboard()->setText(QStringLiteral("pasted"));
  QTest::keyClick(Memo(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Memo()->toPlainText(), before);
  EXPECT_EQ(form->Memo1->Lines().size(), 29u);

  QTest::keyClick(Memo(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(Memo(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), before);
}

TEST_F(Unit2Test, ShowBringsTheWindowToTheFrontAndTheCloseBoxOnlyHidesIt) {
  if (mainForm) {
    mainForm->SetClientSize(200, 200);
    mainForm->Show();
  }
  form->Show();
  form->Show();  // a second "Help" leaves one window, in front
  ASSERT_TRUE(QTest::qWaitForWindowActive(form->Widget()));
  EXPECT_TRUE(form->Visible());
  EXPECT_EQ(QApplication::activeWindow(), form->Widget());

  form->Widget()->close();  // the close box
  EXPECT_FALSE(form->Visible());
  EXPECT_FALSE(form->Widget()->isVisible());
  ASSERT_NE(form->Memo1->Widget(), nullptr) << "hiding destroys nothing";

  form->Show();
  EXPECT_TRUE(form->Widget()->isVisible());
  EXPECT_EQ(form->Memo1->Lines().size(), 29u);
  EXPECT_EQ(form->Memo1->Lines()[0], std::string(6, ' ') + kExpected[0].text + " ");
}

}  // namespace
}  // namespace drivesim
