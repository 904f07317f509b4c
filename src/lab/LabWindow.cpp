// The quality-of-regulation window: its layout, the live row and curve of
// the current run, the kept runs and the saving of the table and the
// charts. The sweep group's handlers are in LabWindowSweep.cpp.
#include "lab/LabWindow.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>

#include "analysis/PrintChart.h"
#include "analysis/SweepFiguresChart.h"
#include "analysis/WindowRun.h"
#include "files/InputsText.h"
#include "files/PngData.h"
#include "files/ProgramSettings.h"
#include "files/SaveFiles.h"
#include "lab/ChartHost.h"
#include "lab/LabResponseChart.h"
#include "lab/LabSweep.h"
#include "lab/LabWidgets.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Graphics.h"
#include "platform/Translate.h"

namespace drivesim {

namespace {

constexpr const char* kCaption = TR_NOOP("TLabWindow", "Quality of regulation");
// The window's first size and place, on a screen of 1024 x 768 or more.
constexpr int kWindowLeft = 20;
constexpr int kWindowTop = 40;
constexpr int kWindowWidth = 980;
constexpr int kWindowHeight = 660;
// The window's texts: the main window's face at 10 points.

QTableWidgetItem* MakeItem(const std::string& text, bool number) {
  auto* item = new QTableWidgetItem(QString::fromStdString(text));
  item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  item->setTextAlignment(number ? (Qt::AlignRight | Qt::AlignVCenter)
                                : (Qt::AlignLeft | Qt::AlignVCenter));
  return item;
}

}  // namespace

TLabWindow::TLabWindow(const WindowRun& run, std::function<DriveInputs()> enteredInputs)
    : fRun(run),
      fEnteredInputs(std::move(enteredInputs)),
      fResponse(std::make_unique<LabResponseChart>(480, 320)),
      fSweep(std::make_unique<TLabSweep>()) {
  Build();
  fResponse->SetKept(fRuns.Kept());
  ShowFiguresChart();
  RefreshCurrentRow();
  RebuildTable();
  UpdateButtons();
}

TLabWindow::~TLabWindow() {
  // The worker goes first; the charts leave their hosts before the window's
  // widgets go.
  fSweep.reset();
  if (fResponseHost) fResponseHost->SetPanel(nullptr, {});
  if (fFiguresHost) fFiguresHost->SetPanel(nullptr, {});
  fFigures.reset();
  fResponse.reset();
  delete fWindow;
}

void TLabWindow::Build() {
  fWindow = MakeLabWindowFrame(TrMarked("TLabWindow", kCaption), kWindowLeft, kWindowTop,
                               kWindowWidth, kWindowHeight);

  auto* layout = new QVBoxLayout(fWindow);
  // A scenario's task, above everything else while there is one.
  fTaskBox = new QGroupBox(QString::fromStdString(Tr("TLabWindow", "Task")), fWindow);
  auto* taskLayout = new QVBoxLayout(fTaskBox);
  fTaskText = new QLabel(fTaskBox);
  fTaskText->setWordWrap(true);
  fTaskText->setTextFormat(Qt::PlainText);
  fTaskText->setTextInteractionFlags(Qt::TextSelectableByMouse);
  taskLayout->addWidget(fTaskText);
  fTaskBox->hide();
  layout->addWidget(fTaskBox);
  auto* split = new QSplitter(Qt::Vertical, fWindow);
  fSplit = split;
  split->setChildrenCollapsible(false);
  layout->addWidget(split, 1);

  // The charts: the step responses, and the figures of a kept sweep beside
  // them.
  auto* charts = new QSplitter(Qt::Horizontal, split);
  fChartsSplit = charts;
  charts->setChildrenCollapsible(false);
  fResponseHost = new TChartHost(charts);
  // The figures area is there from the start, empty until a sweep is kept,
  // so that the window's layout does not change when one ends.
  fFiguresHost = new TChartHost(charts);
  fResponseHost->SetPanel(&fResponse->Chart(),
                          [this](int w, int h) { fResponse->SetBounds(0, 0, w, h); });

  // The table with its buttons.
  auto* lower = new QWidget(split);
  auto* lowerLayout = new QHBoxLayout(lower);
  lowerLayout->setContentsMargins(0, 0, 0, 0);
  auto* tableColumn = new QVBoxLayout();
  fHint = new QLabel(lower);
  tableColumn->addWidget(fHint);
  fTable = new QTableWidget(lower);
  fTable->setSelectionBehavior(QAbstractItemView::SelectRows);
  fTable->setSelectionMode(QAbstractItemView::ExtendedSelection);
  fTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  fTable->verticalHeader()->setVisible(false);
  fTable->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
  fTable->setWordWrap(false);
  // Column widths from the first rows: a sweep of a hundred runs need not
  // all be measured.
  fTable->horizontalHeader()->setResizeContentsPrecision(12);
  auto* copy = new QAction(fTable);
  copy->setShortcut(QKeySequence::Copy);
  copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  QObject::connect(copy, &QAction::triggered, fTable,
                   [this] { RunGuarded([this] { CopyClick(); }); });
  fTable->addAction(copy);
  tableColumn->addWidget(fTable, 1);
  lowerLayout->addLayout(tableColumn, 1);

  auto* buttons = new QVBoxLayout();
  fKeep = MakeLabButton(Tr("TLabWindow", "&Keep run"), lower, [this] { KeepRunClick(); });
  fRemove = MakeLabButton(Tr("TLabWindow", "&Remove"), lower, [this] { RemoveClick(); });
  fClear = MakeLabButton(Tr("TLabWindow", "C&lear"), lower, [this] { ClearClick(); });
  fSaveTable =
      MakeLabButton(Tr("TLabWindow", "Save t&able as CSV…"), lower, [this] { SaveTableClick(); });
  fSaveCharts =
      MakeLabButton(Tr("TLabWindow", "Save c&harts as PNG…"), lower, [this] { SaveChartsClick(); });
  for (QPushButton* b : {fKeep, fRemove, fClear}) buttons->addWidget(b);
  buttons->addStretch(1);
  buttons->addWidget(fSaveTable);
  buttons->addWidget(fSaveCharts);
  lowerLayout->addLayout(buttons);

  split->addWidget(charts);
  split->addWidget(lower);
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 2);

  auto* sweep = new QGroupBox(QString::fromStdString(Tr("TLabWindow", "Sweep")), fWindow);
  BuildSweepGroup(sweep);
  layout->addWidget(sweep);
}

void TLabWindow::Show() {
  fWindow->show();
  fWindow->raise();
  fWindow->activateWindow();
  // What happened while the window was hidden.
  fShownRunNumber = ~std::uint64_t{0};
  RunChanged();
}

void TLabWindow::Hide() { fWindow->hide(); }

bool TLabWindow::Visible() const { return fWindow->isVisible(); }

void TLabWindow::RunChanged() {
  if (!Visible()) return;
  const bool hadRow = fHasCurrentRow;
  RefreshCurrentRow();
  fResponse->FollowCurrent(fRun);
  if (fRun.RunNumber() != fShownRunNumber || hadRow != fHasCurrentRow) {
    fShownRunNumber = fRun.RunNumber();
    RebuildTable();
  } else {
    UpdateLiveCells();
  }
  UpdateButtons();
}

void TLabWindow::RefreshCurrentRow() {
  const LiveRun& live = fRun.Current();
  fHasCurrentRow = live.State() != LiveRunState::Waiting;
  if (!fHasCurrentRow) return;
  fCurrentRow.Name = Tr("TLabWindow", "Current run");
  fCurrentRow.Result = live.Result();
  fCurrentRow.Note = LiveRunNote(live);
}

std::vector<const LabRun*> TLabWindow::Rows() const {
  std::vector<const LabRun*> rows;
  if (fHasCurrentRow) rows.push_back(&fCurrentRow);
  for (const LabRun& run : fRuns.Kept()) rows.push_back(&run);
  return rows;
}

void TLabWindow::RebuildTable() {
  const std::vector<const LabRun*> rows = Rows();
  fColumns = LabTable::ColumnsFor(rows);
  fTable->clear();
  fTable->setColumnCount(static_cast<int>(fColumns.size()));
  fTable->setRowCount(static_cast<int>(rows.size()));
  QStringList headers;
  for (const LabTableColumn& c : fColumns) headers << QString::fromStdString(c.Header);
  fTable->setHorizontalHeaderLabels(headers);
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t c = 0; c < fColumns.size(); ++c) {
      const bool number =
          fColumns[c].Kind == LabColumnKind::Figure || fColumns[c].Kind == LabColumnKind::Input;
      fTable->setItem(static_cast<int>(r), static_cast<int>(c),
                      MakeItem(LabTable::ScreenText(fColumns[c], *rows[r]), number));
    }
  }
  fLiveTexts.clear();
  if (fHasCurrentRow) {
    for (const LabTableColumn& c : fColumns) {
      fLiveTexts.push_back(LabTable::ScreenText(c, fCurrentRow));
    }
    // The live row stands out from the kept ones.
    for (int c = 0; c < fTable->columnCount(); ++c) {
      QFont bold = fTable->item(0, c)->font();
      bold.setBold(true);
      fTable->item(0, c)->setFont(bold);
    }
  }
  fTable->resizeColumnsToContents();
  fHint->setText(fHasCurrentRow ? QString()
                                : QString::fromStdString(
                                      Tr("TLabWindow",
                                         "No current run: “Process” in the main window starts one "
                                         "(after “Reset”, from rest).")));
  fHint->setVisible(!fHasCurrentRow);
}

void TLabWindow::UpdateLiveCells() {
  if (!fHasCurrentRow || fLiveTexts.size() != fColumns.size()) return;
  for (std::size_t c = 0; c < fColumns.size(); ++c) {
    std::string text = LabTable::ScreenText(fColumns[c], fCurrentRow);
    if (text == fLiveTexts[c]) continue;
    fTable->item(0, static_cast<int>(c))->setText(QString::fromStdString(text));
    fLiveTexts[c] = std::move(text);
  }
}

void TLabWindow::UpdateButtons() {
  fKeep->setEnabled(fHasCurrentRow && fRun.Current().TickCount() > 0);
  fRemove->setEnabled(fRuns.Count() > 0);
  fClear->setEnabled(fRuns.Count() > 0);
}

void TLabWindow::KeptChanged() {
  fResponse->SetKept(fRuns.Kept());
  ShowFiguresChart();
  RebuildTable();
  UpdateButtons();
}

void TLabWindow::ShowFiguresChart() {
  fFiguresHost->SetPanel(nullptr, {});
  fFigures.reset();
  const std::optional<SweepResult> sweep = fRuns.KeptSweep();
  fHasSweepFigures = sweep.has_value();
  const int w = std::max(fFiguresHost->width(), 1);
  const int h = std::max(fFiguresHost->height(), 1);
  // The main window's value of the swept input, where it has a run.
  std::optional<double> current;
  if (sweep && fRun.Current().TickCount() > 0) {
    current = SweptValueOf(fRun.Current().Inputs(), sweep->Spec.Parameter);
  }
  fFigures = std::make_unique<SweepFiguresChart>(sweep.value_or(SweepResult{}), w, h, current);
  // Zoom, panning and undo as on the oscilloscope, and the readout.
  fFigures->Chart().Readout().SetVisible(fHasSweepFigures);
  fFigures->Chart().Legend().SetToggleOnClick(true);
  if (!fHasSweepFigures) {
    // Empty until a sweep is kept: no legend of series without points, and
    // a word on what will be there.
    TChart& chart = fFigures->Chart();
    chart.Legend().SetVisible(false);
    chart.Foot().SetText(
        {Tr("TLabWindow", "A sweep's figures against the swept value appear here.")});
    chart.Foot().Font().SetColor(clGray);
  }
  fFiguresHost->SetPanel(&fFigures->Chart(), [this](int width, int height) {
    if (fFigures) fFigures->Chart().SetBounds(0, 0, width, height);
  });
}

void TLabWindow::KeepRunClick() {
  if (!fHasCurrentRow || fRun.Current().TickCount() == 0) return;
  fRuns.Keep(LabRunOf(fRun, std::string()));
  KeptChanged();
}

void TLabWindow::KeepRun(LabRun run) {
  fRuns.Keep(std::move(run));
  KeptChanged();
}

void TLabWindow::RemoveClick() {
  const int offset = fHasCurrentRow ? 1 : 0;
  std::vector<int> kept;
  for (const QModelIndex& index : fTable->selectionModel()->selectedRows()) {
    if (index.row() >= offset) kept.push_back(index.row() - offset);
  }
  if (kept.empty()) return;
  fRuns.Remove(kept);
  KeptChanged();
}

void TLabWindow::ShowTask(const std::string& title, const std::string& task) {
  std::string text = title;
  if (!title.empty() && !task.empty()) text += "\n\n";
  text += task;
  fTaskText->setText(QString::fromStdString(text));
  fTaskBox->setVisible(!text.empty());
}

void TLabWindow::RestoreKeptRuns(const std::vector<ScenarioRun>& runs) {
  std::vector<LabRun> restored = LabRunsOf(runs, TLabSweep::WorkerThreads());
  fRuns.Restore(std::move(restored));
  KeptChanged();
}

std::vector<ScenarioRun> TLabWindow::ScenarioRuns() const {
  std::vector<ScenarioRun> runs;
  for (const LabRun& run : fRuns.Kept()) {
    const int ticks = std::max(1, static_cast<int>(run.Curve.size()) - 1);
    runs.push_back({run.Name, run.Result.Record.Inputs, ticks});
  }
  return runs;
}

void TLabWindow::ClearClick() {
  fRuns.Clear();
  KeptChanged();
}

void TLabWindow::CopyClick() {
  const std::vector<const LabRun*> rows = Rows();
  std::vector<int> selected;
  for (const QModelIndex& index : fTable->selectionModel()->selectedRows()) {
    selected.push_back(index.row());
  }
  std::sort(selected.begin(), selected.end());
  std::vector<const LabRun*> copied;
  for (int r : selected) {
    if (r >= 0 && r < static_cast<int>(rows.size()))
      copied.push_back(rows[static_cast<std::size_t>(r)]);
  }
  if (copied.empty()) copied = rows;
  QApplication::clipboard()->setText(QString::fromStdString(LabTable::CopyText(fColumns, copied)));
}

std::string TLabWindow::TableCsv() const {
  std::vector<const LabRun*> rows;
  if (fHasCurrentRow && fRun.Current().TickCount() > 0) rows.push_back(&fCurrentRow);
  for (const LabRun& run : fRuns.Kept()) rows.push_back(&run);
  return LabMetricsCsv(rows);
}

void TLabWindow::SaveTableClick() {
  const std::optional<std::string> path = PromptForSaveFileName(
      {Tr("TLabWindow", "Save table as CSV"), InLastFolder("csv", "figures.csv"),
       Tr("TLabWindow", "CSV files (*.csv);;All files (*)"), "csv"});
  if (!path) return;
  SetLastFolderOf("csv", *path);
  SaveOutputFile("The table", *path, TableCsv());
}

namespace {

// The words of text in lines no wider than width on the canvas.
std::vector<std::string> WrappedLines(TCanvas& canvas, const std::string& text, int width) {
  std::vector<std::string> lines;
  std::string line;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find(' ', at);
    if (end == std::string::npos) end = text.size();
    const std::string word = text.substr(at, end - at);
    const std::string longer = line.empty() ? word : line + " " + word;
    if (!line.empty() && canvas.TextWidth(longer) > width) {
      lines.push_back(line);
      line = word;
    } else {
      line = longer;
    }
    at = end + 1;
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

}  // namespace

void TLabWindow::DrawCharts(TBitmap& picture) {
  // The inputs of the current run, or those the main window holds when no
  // run has begun.
  const DriveInputs inputs = fHasCurrentRow ? fRun.Current().Inputs() : fEnteredInputs();
  TBitmap response;
  RenderChart(fResponse->Chart(), response);
  int width = response.Width();
  int height = response.Height();
  TBitmap figures;
  if (FiguresChart()) {
    RenderChart(fFigures->Chart(), figures);
    width += figures.Width();
    height = std::max(height, figures.Height());
  }
  // The caption under the charts: the inputs, in lines that fit.
  constexpr int kMargin = 8;
  TBitmap measure;
  measure.SetSize(1, 1);
  measure.Canvas().Font().SetName(kLabFontName);
  measure.Canvas().Font().SetHeight(-kLabFontPixels);
  const std::vector<std::string> lines =
      WrappedLines(measure.Canvas(), InputsCaption(inputs), width - 2 * kMargin);
  const int lineHeight = measure.Canvas().TextHeight("Ag");
  const int chartsHeight = height;
  height += kMargin + static_cast<int>(lines.size()) * lineHeight + kMargin;

  picture.SetSize(width, height);
  TCanvas& canvas = picture.Canvas();
  canvas.Brush().SetColor(clWhite);
  canvas.FillRect(TRect{0, 0, width, height});
  canvas.Draw(0, 0, response);
  if (FiguresChart()) canvas.Draw(response.Width(), 0, figures);
  canvas.Font().SetName(kLabFontName);
  canvas.Font().SetHeight(-kLabFontPixels);
  canvas.Font().SetColor(clBlack);
  canvas.Brush().SetColor(clWhite);
  int y = chartsHeight + kMargin;
  for (const std::string& line : lines) {
    canvas.TextOut(kMargin, y, line);
    y += lineHeight;
  }
}

void TLabWindow::SaveChartsClick() {
  const std::optional<std::string> path = PromptForSaveFileName(
      {Tr("TLabWindow", "Save charts as PNG"), InLastFolder("picture", "charts.png"),
       Tr("TLabWindow", "PNG pictures (*.png);;All files (*)"), "png"});
  if (!path) return;
  SetLastFolderOf("picture", *path);
  TBitmap picture;
  DrawCharts(picture);
  SaveOutputFile("The picture", *path, PngData(picture));
}

}  // namespace drivesim
