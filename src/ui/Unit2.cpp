#include "ui/Unit2.h"

#include <algorithm>

#include "platform/Translate.h"

namespace drivesim {

namespace {

// The window's layout: outer size and screen position, and the memo's place.
constexpr int kLeft = 192;
constexpr int kTop = 107;
constexpr int kWidth = 363;
constexpr int kHeight = 519;
constexpr int kMemoLeft = 8;
constexpr int kMemoTop = 8;
constexpr int kMemoWidth = 337;
constexpr int kMemoHeight = 465;
// A pale yellow: red 255, green 255, blue 215.
constexpr TColor kMemoColor = 0x00D7FFFF;

// The instructions in another language: one line per paragraph, which the
// memo wraps at its width, each paragraph opening with the same indent.
std::vector<std::string> ShownInstructionLines() {
  static const char* const kParagraphs = TR_NOOP(
      "TForm2",
      "The program is designed to study the influence of the ACS feedback coefficient on the "
      "control accuracy.\n"
      "To work with the program, set the initial data in the windows that are located on the left "
      "side of the main interface. Then set the desired level of the angular velocity of the load "
      "and press the \"Process\" button. Set all the source data using a decimal point, not a "
      "period!\n"
      "In the animation window, movement begins, and on the oscilloscope there are oscillograms of "
      "a given level of angular velocity (green line) and angular velocity of the load (blue "
      "line).\n"
      "To accurately measure waveform values, you can enlarge any portion of the waveforms. To do "
      "this, move the mouse to the upper left portion of the increase, press the left key, drag "
      "the mouse down and right, and release the left key. The increase can be carried out "
      "several times. To return to the original size, use the mouse in the opposite direction.\n"
      "To change the gear ratio of the gearbox, manipulate the buttons near the value of the "
      "number of teeth of the gear shaft.\n"
      "The “Pause” button temporarily stops the simulation process, the “Reset” "
      "button restores the program to its initial state.\n"
      "The program perceives any changes in the source data when you click the \"Process\" "
      "button.");
  const std::string shown = TrMarked("TForm2", kParagraphs);
  // Untranslated, the memo keeps the lines as the window has always had them.
  if (shown == kParagraphs) return TForm2::InstructionLines();
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= shown.size()) {
    const std::size_t end = std::min(shown.find('\n', start), shown.size());
    lines.push_back("      " + shown.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

}  // namespace

const std::vector<std::string>& TForm2::InstructionLines() {
  // Paragraphs open with an indent of blanks; a line that a wider memo
  // would continue ends with one blank. The quotes around "Pause" and
  // "Reset" are typographic, those around "Process" plain.
  static const std::vector<std::string> lines = {
      "      The program is designed to study the influence of the ",
      "ACS feedback coefficient on the control accuracy.",
      "      To work with the program, set the initial data in the ",
      "windows that are located on the left side of the main ",
      "interface. Then set the desired level of the angular ",
      "velocity of the load and press the \"Process\" button. Set ",
      "all the source data using a decimal point, not a period!",
      "      In the animation window, movement begins, and on ",
      "the oscilloscope there are oscillograms of a given level ",
      "of angular velocity (green line) and angular velocity of ",
      "the load (blue line).",
      "To accurately measure waveform values, you can ",
      "enlarge any portion of the waveforms. To do this, move ",
      "the mouse to the upper left portion of the increase, press ",
      "the left key, drag the mouse down and right, and release ",
      "the left key. The increase can be carried out several ",
      "times. To return to the original size, use the mouse in the ",
      "opposite direction.",
      "     To change the gear ratio of the gearbox, manipulate ",
      "the buttons near the value of the number of teeth of the ",
      "gear shaft.",
      "     The “Pause” button temporarily stops the simulation ",
      "process, the “Reset” button restores the program to its ",
      "initial state.",
      "     The program perceives any changes in the source ",
      "data when you click the \"Process\" button.",
      "",
      "",
      ""};
  return lines;
}

TForm2::TForm2() {
  SetCaption(Tr("TForm2", "Instructions"));
  SetBounds(kLeft, kTop, kWidth, kHeight);
  // A sizeable frame whose title bar has the system menu and the close box
  // only.
  SetBorderIcons(biSystemMenu);
  Font().SetName("MS Sans Serif");
  Font().SetHeight(-11);
  Font().SetColor(clWindowText);

  Memo1 = std::make_unique<TMemo>(this);
  Memo1->SetBounds(kMemoLeft, kMemoTop, kMemoWidth, kMemoHeight);
  Memo1->SetColor(kMemoColor);
  Memo1->Font().SetName("MS Sans Serif");
  Memo1->Font().SetHeight(-13);
  Memo1->Font().SetStyle(0);
  Memo1->Font().SetColor(clWindowText);
  Memo1->SetLines(ShownInstructionLines());
  Memo1->SetReadOnly(true);
  Memo1->SetWordWrap(true);
  Memo1->SetScrollBars(false);
  Memo1->SetTabOrder(0);
}

TForm2::~TForm2() = default;

}  // namespace drivesim
