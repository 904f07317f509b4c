// drivesim-batch under a German locale: its CSV headers, its figures, its
// design answer and its messages stay English and its numbers keep their
// point, since the tool installs no translation.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <string>

#include "analysis/FiguresCsv.h"

namespace drivesim {
namespace {

struct GermanRun {
  int Status = -1;
  std::string Out;
  std::string Err;
};

GermanRun RunInGerman(const QStringList& arguments) {
  QProcess tool;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("LANG"), QStringLiteral("de_DE.UTF-8"));
  environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("de_DE.UTF-8"));
  tool.setProcessEnvironment(environment);
  tool.start(QStringLiteral(DRIVESIM_BATCH_PROGRAM), arguments);
  GermanRun run;
  if (!tool.waitForFinished(120000)) return run;
  run.Status = tool.exitCode();
  run.Out = tool.readAllStandardOutput().toStdString();
  run.Err = tool.readAllStandardError().toStdString();
  return run;
}

TEST(BatchStaysEnglish, UnderAGermanLocale) {
  const GermanRun metrics = RunInGerman({QStringLiteral("--metrics"), QStringLiteral("-")});
  ASSERT_EQ(metrics.Status, 0) << metrics.Err;
  EXPECT_EQ(metrics.Out.rfind(FiguresCsvHeader(), 0), 0u) << metrics.Out;
  EXPECT_NE(metrics.Out.find(",settled,"), std::string::npos) << metrics.Out;
  EXPECT_NE(metrics.Out.find("89.74"), std::string::npos) << metrics.Out;

  const GermanRun teeth = RunInGerman({QStringLiteral("--teeth"), QStringLiteral("60")});
  EXPECT_EQ(teeth.Status, 2);
  EXPECT_EQ(teeth.Err, "Number of gear teeth must be between 1 and 55.\n");

  const GermanRun design =
      RunInGerman({QStringLiteral("--design"), QStringLiteral("overshoot<=0.001,error<=1")});
  EXPECT_EQ(design.Out, "feedback_from,feedback_to\n");
  EXPECT_EQ(design.Err.rfind("no k from 0 to 10 meets them", 0), 0u) << design.Err;
}

}  // namespace
}  // namespace drivesim
