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
#include "files/PngData.h"
#include "files/SaveFiles.h"
#include "lab/ChartHost.h"
#include "lab/LabResponseChart.h"
#include "lab/LabSweep.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Graphics.h"

namespace drivesim {

namespace {

constexpr const char* kCaption = "Quality of regulation";
// The window's first size and place, on a screen of 1024 x 768 or more.
constexpr int kWindowLeft = 20;
constexpr int kWindowTop = 40;
constexpr int kWindowWidth = 980;
constexpr int kWindowHeight = 660;
// The window's texts: the main window's face at 10 points.
constexpr const char* kFontName = "MS Sans Serif";
constexpr int kFontPixels = 13;

QPushButton* MakeButton(const char* caption, QWidget* parent,
                        const std::function<void()>& handler) {
  auto* button = new QPushButton(QString::fromUtf8(caption), parent);
  button->setAutoDefault(false);
  QObject::connect(button, &QPushButton::clicked, button, [handler] { RunGuarded(handler); });
  return button;
}

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
  fWindow = new QWidget(nullptr, Qt::Window);
  fWindow->setWindowTitle(QString::fromUtf8(kCaption));
  QFont font(QString::fromUtf8(kFontName));
  font.setPixelSize(kFontPixels);
  fWindow->setFont(font);
  fWindow->setGeometry(kWindowLeft, kWindowTop, kWindowWidth, kWindowHeight);

  // Ctrl+W (the platform's "close window" keys) closes it, which only
  // hides it.
  auto* close = new QAction(fWindow);
  close->setShortcuts(QKeySequence::Close);
  close->setShortcutContext(Qt::WindowShortcut);
  QObject::connect(close, &QAction::triggered, fWindow, [this] { fWindow->close(); });
  fWindow->addAction(close);

  auto* layout = new QVBoxLayout(fWindow);
  auto* split = new QSplitter(Qt::Vertical, fWindow);
  split->setChildrenCollapsible(false);
  layout->addWidget(split, 1);

  // The charts: the step responses, and the figures of a kept sweep beside
  // them.
  auto* charts = new QSplitter(Qt::Horizontal, split);
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
  fKeep = MakeButton("&Keep run", lower, [this] { KeepRunClick(); });
  fRemove = MakeButton("&Remove", lower, [this] { RemoveClick(); });
  fClear = MakeButton("C&lear", lower, [this] { ClearClick(); });
  fSaveTable = MakeButton("Save t&able as CSV\u2026", lower, [this] { SaveTableClick(); });
  fSaveCharts = MakeButton("Save c&harts as PNG\u2026", lower, [this] { SaveChartsClick(); });
  for (QPushButton* b : {fKeep, fRemove, fClear}) buttons->addWidget(b);
  buttons->addStretch(1);
  buttons->addWidget(fSaveTable);
  buttons->addWidget(fSaveCharts);
  lowerLayout->addLayout(buttons);

  split->addWidget(charts);
  split->addWidget(lower);
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 2);

  auto* sweep = new QGroupBox(QString::fromUtf8("Sweep"), fWindow);
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
  fCurrentRow.Name = "Current run";
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
  fHint->setText(fHasCurrentRow
                     ? QString()
                     : QString::fromUtf8("No current run: \u201cProcess\u201d in the main window "
                                         "starts one (after \u201cReset\u201d, from rest)."));
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
  fFigures = std::make_unique<SweepFiguresChart>(sweep.value_or(SweepResult{}), w, h);
  if (!fHasSweepFigures) {
    // Empty until a sweep is kept: no legend of series without points, and
    // a word on what will be there.
    TChart& chart = fFigures->Chart();
    chart.Legend().SetVisible(false);
    chart.Foot().SetText({"A sweep's figures against the swept value appear here."});
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
      {"Save table as CSV", "figures.csv", "CSV files (*.csv);;All files (*)", "csv"});
  if (!path) return;
  SaveOutputFile("The table", *path, TableCsv());
}

void TLabWindow::DrawCharts(TBitmap& picture) {
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
  picture.SetSize(width, height);
  TCanvas& canvas = picture.Canvas();
  canvas.Brush().SetColor(clWhite);
  canvas.FillRect(TRect{0, 0, width, height});
  canvas.Draw(0, 0, response);
  if (FiguresChart()) canvas.Draw(response.Width(), 0, figures);
}

void TLabWindow::SaveChartsClick() {
  const std::optional<std::string> path = PromptForSaveFileName(
      {"Save charts as PNG", "charts.png", "PNG pictures (*.png);;All files (*)", "png"});
  if (!path) return;
  TBitmap picture;
  DrawCharts(picture);
  SaveOutputFile("The picture", *path, PngData(picture));
}

}  // namespace drivesim
