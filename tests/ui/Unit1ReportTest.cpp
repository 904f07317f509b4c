// File > Export lab report (PDF)…: the student asked for a name once, the
// report of the session as the windows hold it, and one error box with
// nothing written for a file that cannot be written.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <optional>
#include <string>
#include <vector>

#include "PdfTools.h"
#include "files/ProgramSettings.h"
#include "lab/ExplorerWindow.h"
#include "lab/LabFixture.h"
#include "lab/LabTable.h"

namespace drivesim {
namespace {

class Unit1ReportTest : public LabFixture {
 protected:
  void SetUp() override {
    LabFixture::SetUp();
    ResetSettings();
    SetTextPresenter([this](const TTextRequest& request) {
      asked.push_back(request);
      return name;
    });
  }
  void TearDown() override {
    SetTextPresenter(nullptr);
    ResetSettings();
    LabFixture::TearDown();
  }

  // Chooses the command in its menu, as the user does: through the guard.
  void Export() {
    auto* bar = static_cast<QMenuBar*>(form->MainMenu1->Widget());
    for (QAction* menuAction : bar->actions()) {
      for (QAction* a : menuAction->menu()->actions()) {
        if (a->text().toStdString() == form->ExportLabReport1->Caption()) a->trigger();
      }
    }
  }

  std::optional<std::string> name;
  std::vector<TTextRequest> asked;
};

TEST_F(Unit1ReportTest, AsksTheNameOnceAndReportsTheSession) {
  // Cancelling the name writes nothing and asks for no file.
  Export();
  EXPECT_EQ(asked.size(), 1u);
  EXPECT_TRUE(dialogs.Requests.empty());
  EXPECT_EQ(StudentName(), "");

  form->Edit2->SetText("0,007");
  EnterSetpoint(120);
  Process();
  Tick(150);
  TLabWindow& lab = OpenLab();
  lab.KeepRunClick();
  Process();
  Tick(80);

  name = "  Grace Hopper ";
  dialogs.Answers = {File("session")};
  Export();
  ASSERT_TRUE(boxes.boxes.empty()) << boxes.boxes[0].text;
  ASSERT_EQ(dialogs.Requests.size(), 1u);
  EXPECT_EQ(dialogs.Requests[0].DefaultSuffix, "pdf");
  EXPECT_EQ(dialogs.Requests[0].FileName, "lab-report.pdf");
  EXPECT_EQ(StudentName(), "Grace Hopper");
  const std::string path = File("session.pdf");
  ASSERT_EQ(Read(path).rfind("%PDF-", 0), 0u);
  const std::string text = PdfText(path);
  for (const std::string& expected :
       {std::string("StudentGraceHopper"), std::string("Timeconstant,s0,007"),
        std::string("Presetvelocityofload,rad/s120"), std::string("Currentrun"),
        Unspaced(lab.Runs().Kept().at(0).Name)}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected;
  }
  // The kept run's overshoot as the lab's table shows it.
  const std::vector<const LabRun*> kept{&lab.Runs().Kept().at(0)};
  for (const LabTableColumn& column : LabTable::ColumnsFor(kept)) {
    if (column.Header.rfind("Overshoot", 0) != 0) continue;
    const std::string cell = LabTable::ScreenText(column, *kept[0]);
    EXPECT_NE(text.find(Unspaced(cell)), std::string::npos) << cell;
  }

  EXPECT_NE(text.find("Theloopatk=1V\u00b7s/rad"), std::string::npos);

  // The explorer's own k is the k its figures are given at; the inputs stay
  // the main window's. The name is remembered: no question again.
  form->ExploreFeedback1->Click();
  TExplorerWindow& explorer = *form->ExplorerWindow();
  explorer.FeedbackBox()->setText("1,8");
  explorer.FeedbackEdited();
  dialogs.Answers = {File("explored.pdf")};
  Export();
  ASSERT_TRUE(boxes.boxes.empty()) << boxes.boxes[0].text;
  const std::string explored = PdfText(File("explored.pdf"));
  EXPECT_NE(explored.find("Theloopatk=1,8V\u00b7s/rad"), std::string::npos);
  EXPECT_NE(explored.find("Feedbackcoefficient,Vs/rad1"), std::string::npos);
  EXPECT_EQ(explored.find("Feedbackcoefficient,Vs/rad1,8"), std::string::npos);

  // A folder that does not exist gets one box and nothing is written.
  dialogs.Answers = {File("missing/report.pdf")};
  Export();
  EXPECT_EQ(asked.size(), 2u);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text.rfind("Cannot create file \"" + File("missing/report.pdf"), 0), 0u)
      << boxes.boxes[0].text;
  EXPECT_FALSE(std::filesystem::exists(File("missing")));
}

}  // namespace
}  // namespace drivesim
