// The quality-of-regulation window's sweep group: the swept input, its
// range, the number of runs and their duration, "Run sweep" with its
// progress, and "Cancel". The texts are read with the locale's decimal
// separator and checked before anything starts; the sweep runs in the
// background (TLabSweep), and its runs become kept runs only once it has
// finished: a cancelled sweep leaves the kept runs as they were.
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>
#include <cmath>
#include <functional>

#include "analysis/FiguresCsv.h"
#include "lab/LabResponseChart.h"
#include "lab/LabSweep.h"
#include "lab/LabWindow.h"
#include "platform/Application.h"
#include "platform/Exceptions.h"
#include "platform/Numbers.h"
#include "platform/Translate.h"

namespace drivesim {

namespace {

// The inputs the group offers, in the main window's order (the order of
// SweepParameter).
constexpr SweepParameter kSweepParameters[] = {
    SweepParameter::Gain,         SweepParameter::TimeConstant, SweepParameter::MotorCoef,
    SweepParameter::MotorInertia, SweepParameter::LoadInertia,  SweepParameter::Friction,
    SweepParameter::Feedback,     SweepParameter::Teeth,        SweepParameter::Setpoint};

// A default text with the user's decimal separator.
QString LocalText(const char* text) {
  QString s = QString::fromUtf8(text);
  s.replace('.', QChar(DecimalSeparator()));
  return s;
}

std::string TextOf(const QLineEdit* edit) { return edit->text().toStdString(); }

// A real as the sweep description writes it: every digit, a point.
std::string SpecReal(double value) {
  std::string text;
  AppendReal(text, value);
  return text;
}

std::string RangeText(double value) {
  std::string text = FloatToStr(value);
  return text;
}

// The swept inputs' short names, as the sweep's status line names them.
[[maybe_unused]] constexpr const char* kSweptNames[] = {
    TR_NOOP("SweepName", "gain"),         TR_NOOP("SweepName", "time-constant"),
    TR_NOOP("SweepName", "motor-coef"),   TR_NOOP("SweepName", "motor-inertia"),
    TR_NOOP("SweepName", "load-inertia"), TR_NOOP("SweepName", "friction"),
    TR_NOOP("SweepName", "feedback"),     TR_NOOP("SweepName", "teeth"),
    TR_NOOP("SweepName", "setpoint")};

}  // namespace

void CheckLabSweep(int count, double duration) {
  if (count < kLabMinSweepCount || count > kLabMaxSweepCount) {
    throw Exception(FillIn(Tr("TLabWindow", "The number of runs must be between %1 and %2"),
                           {std::to_string(kLabMinSweepCount), std::to_string(kLabMaxSweepCount)}));
  }
  if (!(duration >= kLabMinSweepDuration && duration <= kLabMaxSweepDuration)) {
    throw Exception(FillIn(Tr("TLabWindow", "The duration must be between %1 and %2 s"),
                           {RangeText(kLabMinSweepDuration), RangeText(kLabMaxSweepDuration)}));
  }
}

void TLabWindow::BuildSweepGroup(QWidget* group) {
  auto* grid = new QGridLayout(group);
  fParameter = new QComboBox(group);
  for (SweepParameter p : kSweepParameters) {
    fParameter->addItem(QString::fromStdString(TrMarked("Sweep", SweepParameterCaption(p))));
  }
  fParameter->setCurrentIndex(static_cast<int>(SweepParameter::Feedback));
  fFrom = new QLineEdit(LocalText("0.2"), group);
  fTo = new QLineEdit(LocalText("3"), group);
  fCount = new QLineEdit(QString::fromUtf8("10"), group);
  fDuration = new QLineEdit(LocalText("0.4"), group);
  fRunSweep = new QPushButton(QString::fromStdString(Tr("TLabWindow", "R&un sweep")), group);
  fCancel = new QPushButton(QString::fromStdString(Tr("TLabWindow", "Ca&ncel")), group);
  fProgress = new QProgressBar(group);
  fSweepStatus = new QLabel(group);
  for (QLineEdit* edit : {fFrom, fTo, fCount, fDuration}) edit->setMaximumWidth(90);
  fRunSweep->setAutoDefault(false);
  fCancel->setAutoDefault(false);
  fCancel->setEnabled(false);
  EmptyProgress();
  // A thin bar without text, so that an empty one does not look like a
  // field to type in; the status beside it says how far a sweep is.
  fProgress->setTextVisible(false);
  fProgress->setMaximumHeight(8);
  QObject::connect(fRunSweep, &QPushButton::clicked, fRunSweep,
                   [this] { RunGuarded([this] { RunSweepClick(); }); });
  QObject::connect(fCancel, &QPushButton::clicked, fCancel,
                   [this] { RunGuarded([this] { CancelClick(); }); });

  const auto label = [group](const std::string& text, QWidget* buddy) {
    auto* l = new QLabel(QString::fromStdString(text), group);
    l->setBuddy(buddy);
    return l;
  };
  int column = 0;
  grid->addWidget(label(Tr("TLabWindow", "&Parameter"), fParameter), 0, column++);
  grid->addWidget(fParameter, 0, column++);
  grid->addWidget(label(Tr("TLabWindow", "&From"), fFrom), 0, column++);
  grid->addWidget(fFrom, 0, column++);
  grid->addWidget(label(Tr("TLabWindow", "&To"), fTo), 0, column++);
  grid->addWidget(fTo, 0, column++);
  grid->addWidget(label(Tr("TLabWindow", "C&ount"), fCount), 0, column++);
  grid->addWidget(fCount, 0, column++);
  grid->addWidget(label(Tr("TLabWindow", "&Duration (s)"), fDuration), 0, column++);
  grid->addWidget(fDuration, 0, column++);
  grid->addWidget(fRunSweep, 0, column++);
  grid->addWidget(fCancel, 0, column++);
  grid->addWidget(fProgress, 1, 0, 1, 4);
  grid->addWidget(fSweepStatus, 1, 4, 1, column - 4);
  grid->setColumnStretch(column, 1);
}

void TLabWindow::RunSweepClick() {
  if (fSweep->Running()) return;
  // Everything is read and checked first: a text that cannot be read or a
  // range the sweep would refuse ends here, with nothing started.
  const auto parameter = static_cast<SweepParameter>(fParameter->currentIndex());
  const double from = StrToFloat(TextOf(fFrom));
  const double to = StrToFloat(TextOf(fTo));
  const int count = StrToInt(TextOf(fCount));
  const double duration = StrToFloat(TextOf(fDuration));
  CheckLabSweep(count, duration);
  // Whole ticks of 1 ms.
  const int ticks = std::max(1, static_cast<int>(std::lround(duration * 1000)));
  const SweepSpec spec =
      ParseSweepSpec(std::string(SweepParameterName(parameter)) + "=" + SpecReal(from) + ":" +
                     SpecReal(to) + ":" + std::to_string(count));
  StartSweep(spec, ticks);
}

void TLabWindow::ShowSweep(const SweepSpec& spec, int ticks) {
  fParameter->setCurrentIndex(static_cast<int>(spec.Parameter));
  const auto text = [](double value) { return QString::fromStdString(FloatToStr(value)); };
  if (!spec.Values.empty()) {
    fFrom->setText(text(spec.Values.front()));
    fTo->setText(text(spec.Values.back()));
  }
  fCount->setText(QString::number(spec.Values.size()));
  fDuration->setText(text(ticks / 1000.0));
}

ScenarioSweep TLabWindow::SweepSettings() const {
  ScenarioSweep sweep;
  sweep.Parameter = static_cast<SweepParameter>(fParameter->currentIndex());
  sweep.From = StrToFloat(TextOf(fFrom));
  sweep.To = StrToFloat(TextOf(fTo));
  sweep.Count = StrToInt(TextOf(fCount));
  sweep.Duration = StrToFloat(TextOf(fDuration));
  return sweep;
}

void TLabWindow::ShowSweepSettings(const ScenarioSweep& sweep) {
  const auto text = [](double value) { return QString::fromStdString(FloatToStr(value)); };
  fParameter->setCurrentIndex(static_cast<int>(sweep.Parameter));
  fFrom->setText(text(sweep.From));
  fTo->setText(text(sweep.To));
  fCount->setText(QString::number(sweep.Count));
  fDuration->setText(text(sweep.Duration));
}

void TLabWindow::StartSweep(const SweepSpec& spec, int ticks) {
  if (fSweep->Running()) return;
  const int count = static_cast<int>(spec.Values.size());
  const double duration = ticks / 1000.0;
  CheckLabSweep(count, duration);
  const DriveInputs base = fEnteredInputs();
  SweepInputs(base, spec);

  fRunSweep->setEnabled(false);
  fCancel->setEnabled(true);
  fProgress->setRange(0, count);
  fProgress->setValue(0);
  fProgress->setFormat(QString::fromStdString(Tr("TLabWindow", "%v of %m runs")));
  fSweepStatus->setText(QString::fromStdString(FillIn(
      Tr("TLabWindow", "Running %1 runs of %2 s…"), {std::to_string(count), RangeText(duration)})));
  fSweep->Start(
      base, spec, ticks,
      [this](int done, int total) {
        fProgress->setValue(done);
        fSweepStatus->setText(
            QString::fromStdString(FillIn(Tr("TLabWindow", "%1 of %2 runs done"),
                                          {std::to_string(done), std::to_string(total)})));
      },
      [this](std::shared_ptr<SweepResult> result, const std::string& failure) {
        RunGuarded([this, result, failure] { SweepFinished(*result, failure); });
      });
}

void TLabWindow::CancelClick() {
  if (!fSweep->Running()) return;
  fSweep->Cancel();
  fCancel->setEnabled(false);
  fSweepStatus->setText(QString::fromStdString(Tr("TLabWindow", "Cancelling…")));
}

void TLabWindow::EmptyProgress() {
  fProgress->setRange(0, 1);
  fProgress->setValue(0);
  fProgress->setFormat(QString());
}

void TLabWindow::SweepFinished(const SweepResult& result, const std::string& failure) {
  fRunSweep->setEnabled(true);
  fCancel->setEnabled(false);
  EmptyProgress();
  if (!failure.empty()) {
    fSweepStatus->setText(QString());
    throw Exception(failure);
  }
  if (result.Cancelled) {
    fSweepStatus->setText(QString::fromStdString(
        Tr("TLabWindow", "Sweep cancelled: the kept runs are as they were.")));
    return;
  }
  // The sweep's runs take their place in the chart and the table now; the
  // figures chart, whose closed-form lines take longer, follows at the next
  // turn of the event loop, so that the windows keep answering in between.
  fRuns.ReplaceSweep(result);
  fResponse->SetKept(fRuns.Kept());
  RebuildTable();
  UpdateButtons();
  fSweep->Later([this] { RunGuarded([this] { ShowFiguresChart(); }); });
  fSweepStatus->setText(QString::fromStdString(
      FillIn(Tr("TLabWindow", "%1 runs of %2 kept"),
             {std::to_string(result.Runs.size()),
              TrMarked("SweepName", SweepParameterName(result.Spec.Parameter))})));
}

}  // namespace drivesim
