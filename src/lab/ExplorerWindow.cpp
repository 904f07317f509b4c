// The explorer window: its layout, the boxes that feed the one state, and
// the views that follow it.
#include "lab/ExplorerWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QFont>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QSplitter>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "analysis/BodeChart.h"
#include "analysis/ExplorerStepChart.h"
#include "analysis/PoleMapChart.h"
#include "analysis/PrintChart.h"
#include "chart/PointSeries.h"
#include "lab/ChartHost.h"
#include "lab/ExplorerFigures.h"
#include "lab/LabWidgets.h"
#include "platform/Application.h"
#include "platform/Exceptions.h"
#include "platform/Graphics.h"
#include "platform/Numbers.h"
#include "platform/Translate.h"

namespace drivesim {

// The k slider with the design answer drawn under its groove: the stretches
// of the range where every target holds, in green.
class TFeedbackSlider : public QSlider {
 public:
  explicit TFeedbackSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    setRange(0, kExplorerSliderSteps);
    setSingleStep(1);
    setPageStep(kExplorerSliderSteps / 20);
    setTickPosition(QSlider::TicksBelow);
    setTickInterval(kExplorerSliderSteps / 10);
    setMinimumHeight(34);
  }

  // The intervals, as shares of the range from 0 to 1.
  void SetBands(std::vector<std::pair<double, double>> bands) {
    if (bands == fBands) return;
    fBands = std::move(bands);
    update();
  }
  const std::vector<std::pair<double, double>>& Bands() const { return fBands; }

 protected:
  void paintEvent(QPaintEvent* event) override {
    {
      QStyleOptionSlider option;
      initStyleOption(&option);
      const QRect groove =
          style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
      const QRect handle =
          style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
      // The handle's centre travels from half a handle in to half a handle
      // before the end.
      const int from = groove.left() + handle.width() / 2;
      const int span = groove.width() - handle.width();
      QPainter painter(this);
      for (const auto& [lo, hi] : fBands) {
        const int x0 = from + static_cast<int>(std::lround(lo * span));
        const int x1 = from + static_cast<int>(std::lround(hi * span));
        painter.fillRect(QRect(x0, groove.center().y() - 5, std::max(2, x1 - x0), 10),
                         QColor(0, 158, 115));
      }
    }
    QSlider::paintEvent(event);
  }

 private:
  std::vector<std::pair<double, double>> fBands;
};

namespace {

constexpr const char* kExplorerCaption =
    TR_NOOP("TExplorerWindow", "Explore the feedback coefficient");
constexpr int kExplorerLeft = 40;
constexpr int kExplorerTop = 30;
constexpr int kExplorerWidth = 1180;
constexpr int kExplorerHeight = 760;
// The first sizes of the charts; the layout gives them what it has.
constexpr int kExplorerChartWidth = 420;
constexpr int kExplorerChartHeight = 300;

// The six real inputs besides k, in the main window's order.
struct InputField {
  const char* Label;
  double DriveInputs::*Field;
};
constexpr std::array<InputField, 6> kInputFields = {{
    {TR_NOOP("TExplorerWindow", "Amplifier gain"), &DriveInputs::AmpGain},
    {TR_NOOP("TExplorerWindow", "Amplifier time constant, s"), &DriveInputs::AmpTimeConst},
    {TR_NOOP("TExplorerWindow", "Motor coefficient, rad/(s·V)"), &DriveInputs::MotorCoef},
    {TR_NOOP("TExplorerWindow", "Motor inertia, kg·m²"), &DriveInputs::MotorInertia},
    {TR_NOOP("TExplorerWindow", "Load inertia, kg·m²"), &DriveInputs::LoadInertia},
    {TR_NOOP("TExplorerWindow", "Viscous friction, N·m·s/rad"), &DriveInputs::ViscousFriction},
}};

// Their first values, for a drive like the default one.
constexpr std::array<double, kTargetKinds> kTargetDefaults = {10, 0.05, 0.04, 0.02, 40, 0.5, 45};

QLineEdit* MakeNumberBox(QWidget* parent, const std::function<void()>& edited) {
  auto* box = new QLineEdit(parent);
  box->setMaximumWidth(90);
  box->setAlignment(Qt::AlignRight);
  QObject::connect(box, &QLineEdit::editingFinished, box, [edited] { RunGuarded(edited); });
  return box;
}

// A number as the boxes show it: the shortest text that reads back the
// same, with the user's decimal separator.
QString BoxText(double value) {
  std::string text = FloatToStr(value);
  return QString::fromStdString(text);
}

double ReadBox(const QLineEdit* box, const std::string& what) {
  double value = 0;
  if (!ReadExplorerNumber(box->text().toStdString(), value)) {
    throw Exception(FillIn(Tr("TExplorerWindow", "'%1' is not a valid number for %2"),
                           {box->text().toStdString(), what}));
  }
  return value;
}

}  // namespace

DriveInputs ExplorableInputs(DriveInputs inputs) {
  if (inputs.Setpoint == 0) inputs.Setpoint = kExplorerStepSetpoint;
  return inputs;
}

TExplorerWindow::TExplorerWindow(std::function<DriveInputs()> enteredInputs,
                                 std::function<void(const DriveInputs&)> runOnDrive,
                                 std::function<void(const DriveInputs&, int ticks)> keep)
    : fEnteredInputs(std::move(enteredInputs)),
      fOnRunOnDrive(std::move(runOnDrive)),
      fOnKeep(std::move(keep)),
      fStep(std::make_unique<ExplorerStepChart>(kExplorerChartWidth, kExplorerChartHeight)),
      fPoles(std::make_unique<PoleMapChart>(kExplorerChartWidth, kExplorerChartHeight)),
      fBode(std::make_unique<BodeChart>(kExplorerChartWidth, kExplorerChartHeight)) {
  DesignTargets targets;
  for (int i = 0; i < kTargetKinds; ++i) {
    targets.Items[static_cast<std::size_t>(i)].Limit = kTargetDefaults[static_cast<std::size_t>(i)];
  }
  fState.SetTargets(targets);
  if (fEnteredInputs) {
    // The main window's inputs as they stand; inputs it would refuse leave
    // the explorer at the drive's defaults.
    try {
      fState.SetInputs(ExplorableInputs(fEnteredInputs()));
    } catch (const Exception&) {
    }
  }
  Build();
  fPoles->Poles().OnDragPoint = [this](TChartSeries&, int, double x, double y) {
    RunGuarded([&] { PoleDragged(x, y); });
  };
  fState.OnChange = [this] { StateChanged(); };
  ShowInputs();
  StateChanged();
}

TExplorerWindow::~TExplorerWindow() {
  fState.OnChange = nullptr;
  for (TChartHost* host : {fStepHost, fPolesHost, fBodeHost}) {
    if (host) host->SetPanel(nullptr, {});
  }
  fStep.reset();
  fPoles.reset();
  fBode.reset();
  delete fWindow;
}

QSlider* TExplorerWindow::Slider() const { return fSlider; }

void TExplorerWindow::Build() {
  fWindow = MakeLabWindowFrame(TrMarked("TExplorerWindow", kExplorerCaption), kExplorerLeft,
                               kExplorerTop, kExplorerWidth, kExplorerHeight);

  auto* layout = new QHBoxLayout(fWindow);
  auto* split = new QSplitter(Qt::Horizontal, fWindow);
  split->setChildrenCollapsible(false);
  layout->addWidget(split);

  split->addWidget(BuildControls(split));

  // The views: k on top, the three charts, the figures below.
  auto* views = new QWidget(split);
  auto* viewsLayout = new QVBoxLayout(views);
  viewsLayout->setContentsMargins(0, 0, 0, 0);

  auto* kRow = new QHBoxLayout();
  auto* kLabel = new QLabel(
      QString::fromStdString(Tr("TExplorerWindow", "Feedback coefficient &k, V·s/rad:")), views);
  fSlider = new TFeedbackSlider(views);
  kLabel->setBuddy(fSlider);
  QObject::connect(fSlider, &QSlider::valueChanged, fSlider,
                   [this](int position) { RunGuarded([&] { SliderMoved(position); }); });
  fFeedback = MakeNumberBox(views, [this] { FeedbackEdited(); });
  fRangeFrom = MakeNumberBox(views, [this] { RangeEdited(); });
  fRangeTo = MakeNumberBox(views, [this] { RangeEdited(); });
  fRangeFrom->setMaximumWidth(60);
  fRangeTo->setMaximumWidth(60);
  kRow->addWidget(kLabel);
  kRow->addWidget(fFeedback);
  kRow->addWidget(new QLabel(QString::fromStdString(Tr("TExplorerWindow", "from")), views));
  kRow->addWidget(fRangeFrom);
  kRow->addWidget(fSlider, 1);
  kRow->addWidget(new QLabel(QString::fromStdString(Tr("TExplorerWindow", "to")), views));
  kRow->addWidget(fRangeTo);
  viewsLayout->addLayout(kRow);

  fAnswer = new QLabel(views);
  fAnswer->setWordWrap(true);
  QFont bold = fAnswer->font();
  bold.setBold(true);
  fAnswer->setFont(bold);
  viewsLayout->addWidget(fAnswer);

  auto* charts = new QSplitter(Qt::Vertical, views);
  charts->setChildrenCollapsible(false);
  auto* upper = new QSplitter(Qt::Horizontal, charts);
  upper->setChildrenCollapsible(false);
  fStepHost = new TChartHost(upper);
  fPolesHost = new TChartHost(upper);
  auto* lower = new QSplitter(Qt::Horizontal, charts);
  lower->setChildrenCollapsible(false);
  fBodeHost = new TChartHost(lower);
  fStepHost->SetPanel(&fStep->Chart(), [this](int w, int h) { fStep->SetBounds(0, 0, w, h); });
  fPolesHost->SetPanel(&fPoles->Chart(), [this](int w, int h) { fPoles->SetBounds(0, 0, w, h); });
  fBodeHost->SetPanel(&fBode->Chart(), [this](int w, int h) { fBode->SetBounds(0, 0, w, h); });

  fTable = new QTableWidget(0, 4, lower);
  fTable->setHorizontalHeaderLabels({QString::fromStdString(Tr("TExplorerWindow", "Figure")),
                                     QString::fromStdString(Tr("TExplorerWindow", "Closed form")),
                                     QString::fromStdString(Tr("TExplorerWindow", "Simulated")),
                                     QString::fromStdString(Tr("TExplorerWindow", "Target"))});
  fTable->verticalHeader()->setVisible(false);
  fTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  fTable->setSelectionBehavior(QAbstractItemView::SelectRows);
  fTable->setWordWrap(false);
  fTable->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Interactive);
  fTable->setColumnWidth(0, 215);
  fTable->horizontalHeader()->setStretchLastSection(true);
  fTable->verticalHeader()->setDefaultSectionSize(fTable->fontMetrics().height() + 6);
  // The figures' columns fit their texts; RefreshTable sizes them once per
  // change rather than the header once per cell.
  for (int c = 1; c < 4; ++c) {
    fTable->horizontalHeader()->setSectionResizeMode(c, QHeaderView::Fixed);
  }
  lower->setSizes({460, 460});
  charts->setStretchFactor(0, 1);
  charts->setStretchFactor(1, 1);
  viewsLayout->addWidget(charts, 1);

  split->addWidget(views);
  split->setStretchFactor(0, 0);
  split->setStretchFactor(1, 1);
}

QWidget* TExplorerWindow::BuildControls(QWidget* parent) {
  auto* controls = new QWidget(parent);
  auto* column = new QVBoxLayout(controls);
  column->setContentsMargins(0, 0, 0, 0);

  auto* inputs = new QGroupBox(QString::fromStdString(Tr("TExplorerWindow", "Drive")), controls);
  auto* form = new QFormLayout(inputs);
  for (std::size_t i = 0; i < kInputFields.size(); ++i) {
    fInputs[i] = MakeNumberBox(inputs, [this] { InputEdited(); });
    form->addRow(QString::fromStdString(TrMarked("TExplorerWindow", kInputFields[i].Label)),
                 fInputs[i]);
  }
  fTeeth = new QSpinBox(inputs);
  fTeeth->setRange(8, 48);
  fTeeth->setSingleStep(2);
  fSetpoint = new QSpinBox(inputs);
  fSetpoint->setRange(0, 300);
  fSetpoint->setSingleStep(10);
  for (QSpinBox* box : {fTeeth, fSetpoint}) {
    QObject::connect(box, &QSpinBox::valueChanged, box,
                     [this](int) { RunGuarded([this] { InputEdited(); }); });
  }
  form->addRow(QString::fromStdString(Tr("TExplorerWindow", "Load gear teeth")), fTeeth);
  form->addRow(QString::fromStdString(Tr("TExplorerWindow", "Setpoint, rad/s")), fSetpoint);
  fTakeInputs = MakeLabButton(Tr("TExplorerWindow", "&Take the main window's inputs"), inputs,
                              [this] { TakeInputsClick(); });
  form->addRow(fTakeInputs);
  column->addWidget(inputs);

  auto* targets =
      new QGroupBox(QString::fromStdString(Tr("TExplorerWindow", "Design targets")), controls);
  auto* grid = new QGridLayout(targets);
  for (int i = 0; i < kTargetKinds; ++i) {
    const auto index = static_cast<std::size_t>(i);
    fTargetChecks[index] =
        new QCheckBox(QString::fromStdString(ExplorerTargetLabel(kAllTargetKinds[index])), targets);
    fTargetBoxes[index] = MakeNumberBox(targets, [this] { TargetsEdited(); });
    fTargetBoxes[index]->setMaximumWidth(70);
    QObject::connect(fTargetChecks[index], &QCheckBox::toggled, fTargetChecks[index],
                     [this](bool) { RunGuarded([this] { TargetsEdited(); }); });
    grid->addWidget(fTargetChecks[index], i, 0);
    grid->addWidget(fTargetBoxes[index], i, 1);
  }
  column->addWidget(targets);

  fRunOnDrive = MakeLabButton(Tr("TExplorerWindow", "&Run on the drive"), controls,
                              [this] { RunOnDriveClick(); });
  fKeep = MakeLabButton(Tr("TExplorerWindow", "K&eep"), controls, [this] { KeepClick(); });
  auto* buttons = new QHBoxLayout();
  buttons->addWidget(fRunOnDrive);
  buttons->addWidget(fKeep);
  column->addLayout(buttons);
  column->addStretch(1);
  return controls;
}

void TExplorerWindow::Show() {
  fWindow->show();
  fWindow->raise();
  fWindow->activateWindow();
}

void TExplorerWindow::Hide() { fWindow->hide(); }

bool TExplorerWindow::Visible() const { return fWindow->isVisible(); }

// ---------------------------------------------------------------------------
// The boxes

void TExplorerWindow::ShowInputs() {
  fUpdating = true;
  const DriveInputs& in = fState.Inputs();
  for (std::size_t i = 0; i < kInputFields.size(); ++i) {
    fInputs[i]->setText(BoxText(in.*kInputFields[i].Field));
  }
  fTeeth->setValue(in.LoadTeeth);
  fSetpoint->setValue(in.Setpoint);
  fRangeFrom->setText(BoxText(fState.RangeFrom()));
  fRangeTo->setText(BoxText(fState.RangeTo()));
  const DesignTargets& targets = fState.Targets();
  for (int i = 0; i < kTargetKinds; ++i) {
    const auto index = static_cast<std::size_t>(i);
    fTargetChecks[index]->setChecked(targets.Items[index].Enabled);
    fTargetBoxes[index]->setText(BoxText(targets.Items[index].Limit));
  }
  fUpdating = false;
  ShowFeedback();
}

void TExplorerWindow::ShowFeedback() {
  fUpdating = true;
  fFeedback->setText(BoxText(fState.Feedback()));
  fSlider->setValue(SliderPosition(fState.Feedback()));
  fUpdating = false;
}

DriveInputs TExplorerWindow::BoxInputs() const {
  DriveInputs in = fState.Inputs();
  for (std::size_t i = 0; i < kInputFields.size(); ++i) {
    in.*kInputFields[i].Field =
        ReadBox(fInputs[i], TrMarked("TExplorerWindow", kInputFields[i].Label));
  }
  // The gears have an even tooth count from 8 to 48, as the main window's
  // spin edit gives it.
  in.LoadTeeth = fTeeth->value();
  in.Setpoint = fSetpoint->value();
  return in;
}

DesignTargets TExplorerWindow::BoxTargets() const {
  DesignTargets targets;
  for (int i = 0; i < kTargetKinds; ++i) {
    const auto index = static_cast<std::size_t>(i);
    targets.Items[index].Enabled = fTargetChecks[index]->isChecked();
    targets.Items[index].Limit =
        ReadBox(fTargetBoxes[index], ExplorerTargetLabel(kAllTargetKinds[index]));
  }
  return targets;
}

int TExplorerWindow::SliderPosition(double k) const {
  const double from = fState.RangeFrom();
  const double to = fState.RangeTo();
  if (!(to > from)) return 0;
  const double share = std::clamp((k - from) / (to - from), 0.0, 1.0);
  return static_cast<int>(std::lround(share * kExplorerSliderSteps));
}

double TExplorerWindow::FeedbackAt(int position) const {
  const double from = fState.RangeFrom();
  const double to = fState.RangeTo();
  if (position <= 0) return from;
  if (position >= kExplorerSliderSteps) return to;
  return from + (to - from) * position / kExplorerSliderSteps;
}

// ---------------------------------------------------------------------------
// The handlers

void TExplorerWindow::SliderMoved(int position) {
  if (fUpdating) return;
  // A position the number box already stands on (the box set it) keeps the
  // box's exact k.
  if (SliderPosition(fState.Feedback()) == position) return;
  fState.SetFeedback(FeedbackAt(position));
}

void TExplorerWindow::FeedbackEdited() {
  if (fUpdating) return;
  const double k = ReadBox(fFeedback, Tr("TExplorerWindow", "the feedback coefficient"));
  // A k outside the range widens it, so that the slider can show it.
  if (k < fState.RangeFrom()) fState.SetFeedbackRange(k, fState.RangeTo());
  if (k > fState.RangeTo()) fState.SetFeedbackRange(fState.RangeFrom(), k);
  fState.SetFeedback(k);
  ShowInputs();
}

void TExplorerWindow::RangeEdited() {
  if (fUpdating) return;
  const double from = ReadBox(fRangeFrom, Tr("TExplorerWindow", "the start of the range"));
  const double to = ReadBox(fRangeTo, Tr("TExplorerWindow", "the end of the range"));
  if (!(to != from))
    throw Exception(Tr("TExplorerWindow", "The range of k needs two different ends"));
  fState.SetFeedbackRange(from, to);
  ShowInputs();
}

void TExplorerWindow::InputEdited() {
  if (fUpdating) return;
  DriveInputs in = BoxInputs();
  in.FeedbackCoef = fState.Feedback();
  fState.SetInputs(in);
}

void TExplorerWindow::TargetsEdited() {
  if (fUpdating) return;
  fState.SetTargets(BoxTargets());
}

void TExplorerWindow::SetDesign(const DesignTargets& targets, double rangeFrom, double rangeTo) {
  fState.SetFeedbackRange(rangeFrom, rangeTo);
  fState.SetTargets(targets);
  ShowInputs();
}

void TExplorerWindow::TakeInputsClick() {
  if (!fEnteredInputs) return;
  const DriveInputs in = ExplorableInputs(fEnteredInputs());
  if (in.FeedbackCoef < fState.RangeFrom())
    fState.SetFeedbackRange(in.FeedbackCoef, fState.RangeTo());
  if (in.FeedbackCoef > fState.RangeTo())
    fState.SetFeedbackRange(fState.RangeFrom(), in.FeedbackCoef);
  fState.SetInputs(in);
  ShowInputs();
}

void TExplorerWindow::RunOnDriveClick() {
  if (fOnRunOnDrive) fOnRunOnDrive(fState.Inputs());
}

void TExplorerWindow::KeepClick() {
  if (!fOnKeep || !fState.Figures().Valid) return;
  fOnKeep(fState.Inputs(), fState.Figures().Simulated.Record.TicksRequested);
}

void TExplorerWindow::PoleDragged(double sigma, double omega) {
  const double k = FeedbackForPolePosition(fState, sigma, omega);
  fState.SetFeedback(k);
}

// ---------------------------------------------------------------------------
// The views

void TExplorerWindow::StateChanged() {
  fStep->Update(fState);
  fPoles->Update(fState);
  fBode->Update(fState);
  ShowFeedback();
  RefreshTable();
  RefreshSlider();
  fAnswer->setText(QString::fromStdString(AnswerText()));
}

std::string TExplorerWindow::AnswerText() const {
  return ExplorerAnswerText(fState, DecimalSeparator());
}

void TExplorerWindow::RefreshSlider() {
  std::vector<std::pair<double, double>> bands;
  const double from = fState.RangeFrom();
  const double to = fState.RangeTo();
  if (fState.Figures().Valid && fState.Targets().EnabledCount() > 0 && to > from) {
    for (const FeedbackInterval& interval : fState.Design().Intervals) {
      bands.emplace_back((interval.From - from) / (to - from), (interval.To - from) / (to - from));
    }
  }
  fSlider->SetBands(std::move(bands));
}

void TExplorerWindow::RefreshTable() {
  const std::vector<ExplorerFigureRow> rows = ExplorerFigureRows(fState, DecimalSeparator());
  fTable->setRowCount(static_cast<int>(rows.size()));
  // The cells change silently, then the view repaints and the columns fit
  // their texts once: a change of k alters most of them, and the view's
  // work for each cell on its own is most of a change's cost.
  QAbstractItemModel& model = *fTable->model();
  {
    const QSignalBlocker quiet(&model);
    FillTable(rows);
  }
  fTable->viewport()->update();
  for (int c = 1; c < 4; ++c) fTable->resizeColumnToContents(c);
}

void TExplorerWindow::FillTable(const std::vector<ExplorerFigureRow>& rows) {
  auto cell = [&](int row, int column, const std::string& text, const std::string& tip) {
    QTableWidgetItem* item = fTable->item(row, column);
    if (!item) {
      item = new QTableWidgetItem();
      item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
      item->setTextAlignment(column == 0 ? (Qt::AlignLeft | Qt::AlignVCenter)
                                         : (Qt::AlignRight | Qt::AlignVCenter));
      fTable->setItem(row, column, item);
    }
    const QString q = QString::fromStdString(text);
    if (item->text() != q) item->setText(q);
    item->setToolTip(QString::fromStdString(tip));
    return item;
  };
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const int r = static_cast<int>(i);
    const ExplorerFigureRow& row = rows[i];
    cell(r, 0, row.Name, row.Tooltip);
    cell(r, 1, row.ClosedForm, row.Tooltip);
    cell(r, 2, row.Measured, row.Tooltip);
    QTableWidgetItem* met = cell(r, 3, MetText(row.Met), row.Tooltip);
    met->setForeground(row.Met && !*row.Met ? QColor(190, 20, 20) : QColor(0, 120, 70));
  }
}

void TExplorerWindow::DrawCharts(TBitmap& picture) {
  TBitmap step;
  TBitmap poles;
  TBitmap bode;
  fStep->Render(step);
  fPoles->Render(poles);
  fBode->Render(bode);
  const int width = step.Width() + poles.Width() + bode.Width();
  const int height = std::max({step.Height(), poles.Height(), bode.Height()});
  picture.SetSize(width, height);
  TCanvas& canvas = picture.Canvas();
  canvas.Brush().SetColor(clWhite);
  canvas.FillRect(TRect{0, 0, width, height});
  canvas.Draw(0, 0, step);
  canvas.Draw(step.Width(), 0, poles);
  canvas.Draw(step.Width() + poles.Width(), 0, bode);
}

}  // namespace drivesim
