// Under a German locale the windows speak German: the main window's
// captions, its menu and oscilloscope, the lab's and the explorer's
// captions, buttons, table headers and chart texts, the instructions and
// the user guide; with the translations removed they are English again.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "analysis/BodeChart.h"
#include "analysis/DesignTargets.h"
#include "analysis/ExplorerStepChart.h"
#include "analysis/Sweep.h"
#include "chart/Chart.h"
#include "lab/ExplorerWindow.h"
#include "lab/LabWindow.h"
#include "mechanism/Gears.h"
#include "platform/Dialogs.h"
#include "platform/ErrorBoxCapture.h"
#include "platform/Numbers.h"
#include "platform/Translate.h"
#include "sim/DriveModel.h"
#include "sim/TimeHistory.h"
#include "ui/GuideWindow.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"

namespace drivesim {
namespace {

class GermanWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetDecimalSeparator(',');
    SetSaveQuestionPresenter([](const std::string&) { return TSaveChoice::Discard; });
  }
  void TearDown() override {
    form.reset();
    InstallTranslations("");
    SetSaveQuestionPresenter(nullptr);
    SetDecimalSeparator(savedSeparator);
  }
  void MakeForm() {
    form = std::make_unique<TForm1>(model, history, gears);
    form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form->Widget()));
  }
  static std::vector<std::string> Headers(const QTableWidget* table) {
    std::vector<std::string> headers;
    for (int c = 0; c < table->columnCount(); ++c)
      headers.push_back(table->horizontalHeaderItem(c)->text().toStdString());
    return headers;
  }
  static std::vector<std::string> ButtonTexts(const QWidget* window) {
    std::vector<std::string> texts;
    for (const QPushButton* b : window->findChildren<QPushButton*>())
      texts.push_back(b->text().toStdString());
    return texts;
  }
  static bool Has(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
  }

  DriveModel model;
  TimeHistory history;
  GearPair gears;
  std::unique_ptr<TForm1> form;
  char savedSeparator = DecimalSeparator();
};

TEST_F(GermanWindowsTest, MainWindowLabAndExplorerSpeakGerman) {
  ASSERT_TRUE(InstallTranslations("de_DE"));
  EXPECT_EQ(TranslationLanguage(), "de");
  MakeForm();
  EXPECT_EQ(form->Caption(), "Einfluss des Rückführkoeffizienten auf die Regelgüte");
  EXPECT_EQ(form->Label1->Caption(), "AUSGANGSDATEN");
  EXPECT_EQ(form->Label13->Caption(), "Rückführung");
  EXPECT_EQ(form->Button2->Caption(), "Start");
  EXPECT_EQ(form->Button1->Caption(), "Beenden");
  EXPECT_EQ(form->QualityOfRegulation1->Caption(), "&Regelgüte…");
  EXPECT_EQ(form->Chart1->Title().Text().front(), "Oszilloskop");
  EXPECT_EQ(form->Chart1->LeftAxis().Title().Caption(), "Geschwindigkeit, rad/s");
  // The defaults keep the separator rule: numbers with the German comma.
  EXPECT_EQ(form->Edit2->Text(), "0,006");

  form->QualityOfRegulation1->Click();
  TLabWindow* lab = form->LabWindow();
  ASSERT_NE(lab, nullptr);
  EXPECT_EQ(lab->Widget()->windowTitle().toStdString(), "Regelgüte");
  const std::vector<std::string> labButtons = ButtonTexts(lab->Widget());
  EXPECT_TRUE(Has(labButtons, "Lauf be&halten"));
  EXPECT_TRUE(Has(labButtons, "Reihe &starten"));
  EXPECT_FALSE(Has(labButtons, "&Keep run"));
  const std::vector<std::string> labHeaders = Headers(lab->Table());
  ASSERT_FALSE(labHeaders.empty());
  EXPECT_EQ(labHeaders.front(), "Lauf");
  EXPECT_TRUE(Has(labHeaders, "Überschwingen, %\ngem. / Theorie"));

  form->ExploreFeedback1->Click();
  TExplorerWindow* explorer = form->ExplorerWindow();
  ASSERT_NE(explorer, nullptr);
  EXPECT_EQ(explorer->Widget()->windowTitle().toStdString(), "Rückführkoeffizient untersuchen");
  EXPECT_EQ(Headers(explorer->Table()),
            (std::vector<std::string>{"Kennwert", "Analytisch", "Simuliert", "Ziel"}));
  // Figure names and their tooltips, in the rows of the default drive.
  QTableWidget* figures = explorer->Table();
  ASSERT_GT(figures->rowCount(), 1);
  EXPECT_EQ(figures->item(0, 0)->text().toStdString(), "Kennkreisfrequenz ωn, rad/s");
  EXPECT_EQ(figures->item(1, 0)->toolTip().toStdString().rfind("Wie schnell eine Schwingung", 0),
            0u);
  // The charts' titles and the design answer in words.
  EXPECT_EQ(explorer->StepChart().Chart().Title().Text().front(), "Sprungantwort");
  EXPECT_EQ(explorer->Bode().Chart().Title().Text().front(), "Frequenzgang");
  EXPECT_EQ(explorer->AnswerText(),
            "Schalten Sie ein Entwurfsziel ein, um zu sehen, welche k es erfüllen.");
  explorer->TargetCheck(TargetKind::Overshoot)->setChecked(true);
  const std::string answer = explorer->AnswerText();
  EXPECT_EQ(answer.rfind("k von ", 0), 0u) << answer;
  EXPECT_NE(answer.find(" erfüllt das Ziel „Überschwingen“"), std::string::npos) << answer;
  std::vector<std::string> groups;
  for (const QGroupBox* g : explorer->Widget()->findChildren<QGroupBox*>())
    groups.push_back(g->title().toStdString());
  EXPECT_TRUE(Has(groups, "Entwurfsziele"));
  EXPECT_TRUE(Has(groups, "Antrieb"));

  // Qt's own texts too (the file dialogs' and message boxes' buttons), where
  // the system has Qt's translations.
  const QString qtGerman =
      QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_de.qm");
  if (QFile::exists(qtGerman)) {
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel").toStdString(), "Abbrechen");
  }

  // The instructions, one paragraph a line, and the guide in German.
  TForm2 instructions;
  EXPECT_EQ(instructions.Caption(), "Anleitung");
  ASSERT_EQ(instructions.Memo1->Lines().size(), 7u);
  EXPECT_NE(instructions.Memo1->Lines()[1].find("„Start“"), std::string::npos);
  EXPECT_EQ(GuideResourcePath(), ":/guide/drivesim-guide_de.html");
  EXPECT_NE(GuideHtml().find("lang=\"de\""), std::string::npos);
}

// The error boxes show the marked messages in German, a typed text put into
// its pattern, while the messages themselves, which the batch tool prints,
// stay English.
TEST_F(GermanWindowsTest, ErrorBoxesShowTheirMessagesInGerman) {
  ASSERT_TRUE(InstallTranslations("de_DE"));
  MakeForm();
  ErrorBoxCapture boxes;
  form->Edit1->SetText("zehn");
  RunGuarded([this] { form->Button2Click(); });
  RunGuarded([this] { form->SpinEdit1->SetText("0"); });
  RunGuarded([] { throw EOverflow(); });
  RunGuarded([] { throw Exception("A message no one translated"); });
  EXPECT_EQ(boxes.Texts(),
            (std::vector<std::string>{"„zehn“ ist keine gültige Gleitkommazahl.",
                                      "Die Zähnezahl muss zwischen 1 und 55 liegen.",
                                      "Gleitkommaüberlauf.", "A message no one translated."}));
  EXPECT_EQ(ErrorBoxText(EOverflow().Message()), "Floating point overflow.");
  // A sweep whose setpoints leave their range, refused before it starts.
  form->QualityOfRegulation1->Click();
  TLabWindow* lab = form->LabWindow();
  ASSERT_NE(lab, nullptr);
  lab->ParameterBox()->setCurrentIndex(static_cast<int>(SweepParameter::Setpoint));
  lab->FromEdit()->setText(QStringLiteral("100"));
  lab->ToEdit()->setText(QStringLiteral("400"));
  RunGuarded([lab] { lab->RunSweepClick(); });
  ASSERT_EQ(boxes.Texts().size(), 5u);
  EXPECT_EQ(boxes.Texts().back(), "Der Sollwert der Last muss zwischen 0 und 300 liegen.");
  EXPECT_THROW(
      {
        try {
          StrToFloat("zehn");
        } catch (const EConvertError& e) {
          EXPECT_EQ(e.Message(), "'zehn' is not a valid floating point value");
          throw;
        }
      },
      EConvertError);
}

// A scenario that cannot be opened: file, field and reason in one German
// message.
TEST_F(GermanWindowsTest, ScenarioMessagesComeOutInGerman) {
  ASSERT_TRUE(InstallTranslations("de_DE"));
  MakeForm();
  ErrorBoxCapture boxes;
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const std::string bad = folder.filePath(QStringLiteral("bad.drivesim")).toStdString();
  {
    QFile file(QString::fromStdString(bad));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"format": 1, "inputs": {"teeth": 99}})");
  }
  const std::string none = folder.filePath(QStringLiteral("none.drivesim")).toStdString();
  RunGuarded([&] { form->OpenScenario(bad); });
  RunGuarded([&] { form->OpenScenario(none); });
  EXPECT_EQ(boxes.Texts(),
            (std::vector<std::string>{
                "Szenario „" + bad +
                    "“ lässt sich nicht öffnen: inputs.teeth: muss eine ganze "
                    "Zahl von 1 bis 55 sein.",
                "Szenario „" + none + "“ lässt sich nicht öffnen: keine solche Datei."}));
}

TEST_F(GermanWindowsTest, WithoutTranslationsTheWindowsStayEnglish) {
  ASSERT_TRUE(InstallTranslations("de_DE"));
  InstallTranslations("");
  EXPECT_EQ(TranslationLanguage(), "");
  MakeForm();
  EXPECT_EQ(form->Caption(),
            "The influence of the feedback coefficient on the quality of regulation");
  EXPECT_EQ(form->Button2->Caption(), "Process");
  EXPECT_EQ(TForm2().Memo1->Lines(), TForm2::InstructionLines());
  EXPECT_EQ(GuideResourcePath(), kGuideResourcePath);
  // English needs no translation, and a language the program lacks leaves
  // it English.
  EXPECT_FALSE(InstallTranslations("en_GB"));
  EXPECT_FALSE(InstallTranslations("ja_JP"));
  EXPECT_EQ(Tr("TForm1", "Process"), "Process");
}

}  // namespace
}  // namespace drivesim
