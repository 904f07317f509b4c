// The user guide: the guide the program carries, its sections and links,
// its words (no internal names, here or in the batch tool's help), its
// worked batch examples run with the tool itself, and Help > User guide
// opening it in its window.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTextDocument>
#include <algorithm>
#include <map>
#include <set>
#include <sstream>

#include "PdfTools.h"
#include "batch/Batch.h"
#include "batch/BatchOptions.h"
#include "lab/LabFixture.h"
#include "ui/GuideWindow.h"

namespace drivesim {
namespace {

// The sections a reader looks for, by their anchors, in the guide's order,
// with words their headings hold.
const std::vector<std::pair<std::string, std::string>> kSections{
    {"main-window", "The main window"},  {"lab", "The lab"},
    {"explorer", "The explorer"},        {"figures", "Every figure"},
    {"shortcuts", "Keyboard shortcuts"}, {"scenarios", "Scenario files"},
    {"batch", "The batch tool"},
};

// Names of the program's insides that a student never sees.
const std::vector<std::string> kInternalNames{"CoefAccel",  "CoefVelocity", "CoefInput",
                                              "0x00BBGGRR", "BBGGRR",       "Denominator"};

// Every text that stands between open and the next close after it.
std::vector<std::string> AllBetween(const std::string& text, const std::string& open,
                                    const std::string& close) {
  std::vector<std::string> found;
  for (std::size_t at = text.find(open); at != std::string::npos; at = text.find(open, at)) {
    at += open.size();
    const std::size_t end = text.find(close, at);
    if (end == std::string::npos) break;
    found.push_back(text.substr(at, end - at));
    at = end + close.size();
  }
  return found;
}

// The text with every run of blanks and line breaks made one space.
std::string OneSpaced(const std::string& text) {
  std::string spaced;
  bool blank = false;
  for (char c : text) {
    const bool isBlank = c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
    if (isBlank && !blank) spaced += ' ';
    if (!isBlank) spaced += c;
    blank = isBlank;
  }
  return spaced;
}

// The text of HTML as it reads: tags dropped, the few entities the guide's
// commands use turned back into their characters.
std::string Unescape(std::string text) {
  for (std::size_t at = text.find('<'); at != std::string::npos; at = text.find('<', at)) {
    const std::size_t end = text.find('>', at);
    if (end == std::string::npos) break;
    text.erase(at, end - at + 1);
  }
  const std::vector<std::pair<std::string, std::string>> entities{
      {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}};
  for (const auto& [entity, character] : entities) {
    for (std::size_t at = text.find(entity); at != std::string::npos;
         at = text.find(entity, at + character.size())) {
      text.replace(at, entity.size(), character);
    }
  }
  return text;
}

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

TEST(GuideTest, TheGuideCarriesItsTitleSectionsAndLinksThatResolve) {
  const std::string html = GuideHtml();
  ASSERT_FALSE(html.empty()) << "the guide is not among the program's resources";
  EXPECT_NE(html.find("<title>DriveSim user guide</title>"), std::string::npos);

  // Every section has its anchor and heading, in the order of the contents.
  std::size_t last = 0;
  for (const auto& [anchor, heading] : kSections) {
    const std::size_t at = html.find("<h2><a name=\"" + anchor + "\"></a>");
    ASSERT_NE(at, std::string::npos) << anchor;
    EXPECT_GT(at, last) << anchor << " is out of order";
    EXPECT_EQ(html.substr(at, html.find("</h2>", at) - at).find(heading) != std::string::npos, true)
        << anchor;
    EXPECT_NE(html.find("<a href=\"#" + anchor + "\">"), std::string::npos)
        << anchor << " is not in the contents";
    last = at;
  }

  // Every link inside the guide leads to an anchor it has, each anchor is
  // named once, and nothing links or loads from outside: no scripts, no
  // pictures, no style sheets from elsewhere.
  const std::vector<std::string> names = AllBetween(html, "<a name=\"", "\"");
  const std::set<std::string> nameSet(names.begin(), names.end());
  EXPECT_EQ(nameSet.size(), names.size()) << "an anchor is named twice";
  const std::vector<std::string> links = AllBetween(html, "href=\"", "\"");
  EXPECT_GE(links.size(), kSections.size());
  for (const std::string& link : links) {
    ASSERT_FALSE(link.empty());
    EXPECT_EQ(link[0], '#') << "a link out of the guide: " << link;
    EXPECT_EQ(nameSet.count(link.substr(1)), 1u) << "no anchor for " << link;
  }
  for (const char* outside : {"<script", "src=", "<img", "<link", "url("}) {
    EXPECT_EQ(html.find(outside), std::string::npos) << outside;
  }

  // The words a student reads, here and in the batch tool's help.
  const std::string help = UsageText();
  for (const std::string& name : kInternalNames) {
    EXPECT_EQ(html.find(name), std::string::npos) << name << " in the guide";
    EXPECT_EQ(help.find(name), std::string::npos) << name << " in --help";
  }
  // The help keeps its worked examples, which the manual page shows.
  EXPECT_NE(help.find("\nExamples: "), std::string::npos);
  EXPECT_NE(help.find("  drivesim-batch --metrics -\n"), std::string::npos);
}

TEST(GuideTest, TheBrowserReadsTheGuideAndFindsEverySection) {
  TGuideWindow window;
  QTextBrowser* browser = window.Browser();
  EXPECT_EQ(browser->documentTitle().toStdString(), "DriveSim user guide");
  EXPECT_EQ(window.Widget()->windowTitle().toStdString(), "DriveSim user guide");
  const std::string text = browser->toPlainText().toStdString();
  for (const auto& section : kSections) EXPECT_NE(text.find(section.second), std::string::npos);
  // The markup is read, not shown.
  EXPECT_EQ(text.find("<h2>"), std::string::npos);
  EXPECT_EQ(text.find("&lt;"), std::string::npos);
  // The tables are tables of the document.
  EXPECT_NE(browser->toHtml().indexOf(QString::fromUtf8("<table")), -1);

  // Each section's link scrolls the browser further down, in order.
  window.Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.Widget()));
  int position = -1;
  for (const auto& section : kSections) {
    browser->scrollToAnchor(QString::fromStdString(section.first));
    QCoreApplication::processEvents();
    const int now = browser->verticalScrollBar()->value();
    EXPECT_GT(now, position) << section.first;
    position = now;
  }
  // A link followed as a reader clicks it leads back to the contents.
  browser->setSource(QUrl(QString::fromUtf8("#contents")));
  QCoreApplication::processEvents();
  EXPECT_LT(browser->verticalScrollBar()->value(), position);
}

// The guide's batch examples: every command in a <pre> block that starts
// with the tool's name, run in a folder of its own.
class GuideExamplesTest : public LabFixture {};

TEST_F(GuideExamplesTest, EveryWorkedBatchExampleRunsAndPrintsWhatTheGuideSays) {
  const std::string html = GuideHtml();
  const std::string help = UsageText();
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(dir);

  // The guide's scenario example, as a teacher would save it.
  const std::vector<std::string> blocks = AllBetween(html, "<pre>", "</pre>");
  for (const std::string& block : blocks) {
    const std::string text = Unescape(block);
    if (text.rfind("{", 0) == 0) std::ofstream("lesson.drivesim") << text;
  }

  std::map<std::string, std::string> printed;
  int ran = 0;
  for (const std::string& block : blocks) {
    const std::string command = Unescape(block);
    if (command.rfind("drivesim-batch ", 0) != 0) continue;
    std::vector<std::string> arguments = Words(command);
    arguments.erase(arguments.begin());
    // An option the tool does not know yet is left for the tool that has it.
    bool known = true;
    for (const std::string& a : arguments) {
      if (a.rfind("--", 0) == 0 &&
          help.find("  " + a.substr(0, a.find('=')) + " ") == std::string::npos)
        known = false;
    }
    if (!known) continue;
    std::ostringstream out, err;
    const int status = RunBatch(arguments, out, err);
    const bool refused = command.find("--teeth 60") != std::string::npos;
    EXPECT_EQ(status, refused ? kBatchExitBadInput : 0) << command << ": " << err.str();
    if (refused) {
      EXPECT_NE(html.find("<code>" + err.str().substr(0, err.str().find('\n')) + "</code>"),
                std::string::npos)
          << "the guide does not quote the message: " << err.str();
      EXPECT_TRUE(out.str().empty());
    }
    printed[command] = out.str();
    ++ran;
  }
  // The run of k = 2 for 0.2 s: a header and 200 rows, ending at the
  // velocity the guide quotes.
  std::ifstream runCsv("run.csv");
  std::string line, lastLine;
  int lines = 0;
  for (; std::getline(runCsv, line); ++lines) lastLine = line;
  EXPECT_EQ(lines, 201);
  // The scenario's lab report, as the guide describes it.
  const std::string report = PdfText("lesson.pdf");
  for (std::string expected :
       {"Feedbackandovershoot", "k=0.75", "k=0.5", "Answer:kfrom0.518to1.23meetsallthreetargets"}) {
    // Numbers with the decimal separator of the tests' locale.
    std::replace(expected.begin(), expected.end(), '.', DecimalSeparator());
    EXPECT_NE(report.find(expected), std::string::npos) << expected;
  }
  std::filesystem::current_path(before);
  EXPECT_GE(ran, 6);
  // The guide's text with its line breaks as the reader sees them.
  const std::string reads = OneSpaced(html);
  {
    std::vector<std::string> cells;
    std::istringstream cellStream(lastLine);
    for (std::string cell; std::getline(cellStream, cell, ',');) cells.push_back(cell);
    ASSERT_EQ(cells.size(), 6u);
    std::ostringstream velocity;
    velocity.setf(std::ios::fixed);
    velocity.precision(2);
    velocity << std::stod(cells[2]);
    EXPECT_NE(reads.find("last load velocity " + velocity.str() + " rad/s"), std::string::npos)
        << velocity.str();
  }

  // The numbers the guide quotes are the numbers the tool prints.
  const std::string& metrics = printed["drivesim-batch --metrics -"];
  ASSERT_FALSE(metrics.empty());
  std::string header;
  std::istringstream rows(metrics);
  std::getline(rows, header);
  std::string row;
  std::getline(rows, row);
  std::map<std::string, std::string> field;
  {
    std::istringstream h(header), r(row);
    for (std::string name, value; std::getline(h, name, ',');) {
      std::getline(r, value, ',');
      field[name] = value;
    }
  }
  const auto rounded = [](const std::string& value, int decimals) {
    std::ostringstream s;
    s.setf(std::ios::fixed);
    s.precision(decimals);
    s << std::stod(value);
    return s.str();
  };
  EXPECT_EQ(field["status"], "settled");
  EXPECT_NE(reads.find("final value " + rounded(field["final_value"], 2) + " rad/s"),
            std::string::npos);
  EXPECT_NE(reads.find("overshoot " + rounded(field["overshoot_pct"], 2) + "&nbsp;%"),
            std::string::npos);
  EXPECT_NE(reads.find("static error " + rounded(field["static_error_pct"], 2) + "&nbsp;%"),
            std::string::npos);
  EXPECT_NE(reads.find("settling time " + rounded(field["settling_2pct_s"], 4) + " s"),
            std::string::npos);
  EXPECT_NE(reads.find("damping ratio " + rounded(field["damping_ratio"], 3)), std::string::npos);

  // The sweep's overshoots as the guide lists them, one per run.
  std::istringstream sweep(printed["drivesim-batch --sweep feedback=0.5:2:4"]);
  std::getline(sweep, header);
  int runs = 0;
  for (std::string line; std::getline(sweep, line); ++runs) {
    std::vector<std::string> cells;
    std::istringstream cellStream(line);
    for (std::string cell; std::getline(cellStream, cell, ',');) cells.push_back(cell);
    ASSERT_GT(cells.size(), 18u);
    const double overshoot = std::stod(cells[18]);
    const std::string quoted = overshoot < 1    ? rounded(cells[18], 3)
                               : overshoot < 10 ? rounded(cells[18], 2)
                                                : rounded(cells[18], 1);
    EXPECT_NE(reads.find(quoted + "&nbsp;%"), std::string::npos) << quoted;
  }
  EXPECT_EQ(runs, 4);
}

TEST_F(GuideExamplesTest, HelpUserGuideOpensTheGuideWindowAndF1StaysTheInstructions) {
  auto* bar = static_cast<QMenuBar*>(form->MainMenu1->Widget());
  QAction* guide = nullptr;
  for (QAction* menuAction : bar->actions()) {
    if (menuAction->text() != QString::fromUtf8("&Help")) continue;
    for (QAction* a : menuAction->menu()->actions()) {
      if (a->text() == QString::fromUtf8("&User guide")) guide = a;
    }
  }
  ASSERT_NE(guide, nullptr);
  EXPECT_EQ(form->UserGuide1->Caption(), "&User guide");
  EXPECT_TRUE(guide->shortcut().isEmpty());

  // F1 opens the instructions, not the guide.
  ASSERT_TRUE(QTest::qWaitForWindowActive(form->Widget()));
  form->Edit1->SetFocus();
  QTest::keyClick(form->Edit1->Widget(), Qt::Key_F1);
  EXPECT_TRUE(form2->Visible());
  EXPECT_EQ(form->GuideWindow(), nullptr);
  form2->Hide();

  guide->trigger();
  TGuideWindow* window = form->GuideWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->Visible());
  EXPECT_NE(window->Browser()->toPlainText().indexOf(QString::fromUtf8("Keyboard shortcuts")), -1);
  // Not modal: the main window still takes input.
  EXPECT_FALSE(window->Widget()->isModal());
  EXPECT_TRUE(form->Widget()->isEnabled());

  // Ctrl+W hides it; the menu shows the same window again.
  ASSERT_TRUE(QTest::qWaitForWindowActive(window->Widget()));
  QTest::keyClick(window->Browser(), Qt::Key_W, Qt::ControlModifier);
  EXPECT_FALSE(window->Visible());
  form->UserGuide1->Click();
  EXPECT_EQ(form->GuideWindow(), window);
  EXPECT_TRUE(window->Visible());
  EXPECT_TRUE(boxes.boxes.empty());
}

}  // namespace
}  // namespace drivesim
