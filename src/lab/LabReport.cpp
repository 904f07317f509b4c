#include "lab/LabReport.h"

#include <QBuffer>
#include <QByteArray>
#include <QDateTime>
#include <QFont>
#include <QImage>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <functional>
#include <memory>
#include <numeric>

#include "analysis/ExplorerState.h"
#include "analysis/PrintChart.h"
#include "analysis/SweepFiguresChart.h"
#include "files/SaveFiles.h"
#include "lab/ExplorerFigures.h"
#include "lab/ExplorerWindow.h"
#include "lab/LabTable.h"
#include "platform/Graphics.h"
#include "platform/Numbers.h"
#include "platform/Translate.h"

namespace drivesim {

namespace {

// The writer's resolution: device units per inch.
constexpr int kDpi = 1200;
double Mm(double mm) { return mm * kDpi / 25.4; }

// The charts' size in the chart engine's pixels, and the density they are
// drawn at: 3200 dots across the text's width of about 17 cm.
constexpr int kReportChartWidth = 800;
constexpr int kStepChartHeight = 460;
constexpr int kSweepChartHeight = 560;
constexpr int kChartScale = 4;
// The longest run's name in the step responses' legend, letters.
constexpr int kLegendLetters = 28;

// The page: margins, the band at the foot for the page number, mm.
constexpr double kMarginSide = 20;
constexpr double kMarginTop = 16;
constexpr double kMarginBottom = 12;
constexpr double kFootBand = 9;

const QColor kRule(150, 150, 150);
const QColor kHeaderFill(232, 234, 238);
const QColor kGrey(90, 90, 90);
const QColor kMetColour(0, 120, 70);
const QColor kNotMetColour(190, 20, 20);

QString Q(const std::string& text) { return QString::fromStdString(text); }

QFont ReportFont(double points, bool bold = false) {
  QFont font(QStringLiteral("Arial"));
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

// One cell of a table: its text, where it sits, its colour, and a swatch of
// a run's colour before it.
struct Cell {
  explicit Cell(std::string text, Qt::Alignment align = Qt::AlignLeft, QColor colour = Qt::black)
      : Text(std::move(text)), Align(align), Colour(colour) {}

  std::string Text;
  Qt::Alignment Align;
  QColor Colour;
  std::optional<TColor> Swatch;
};

Cell Right(std::string text) { return Cell(std::move(text), Qt::AlignRight); }
Cell MetCell(const std::optional<bool>& met) {
  return Cell(MetText(met), Qt::AlignLeft, met && !*met ? kNotMetColour : kMetColour);
}

struct Table {
  std::vector<std::string> Headers;
  std::vector<double> Widths;  // device units, summing to the table's width
  std::vector<std::vector<Cell>> Rows;
};

QColor ColourOf(TColor colour) {
  return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

// The pages as they are filled from top to bottom. The layout runs twice:
// once to count the pages, then to draw them with "Page n of N" at their
// foot; the first run leaves the charts out, so that only the second
// embeds them.
class ReportPages {
 public:
  ReportPages(QPdfWriter& writer, QPainter& painter, int total, std::string foot)
      : fWriter(writer), fPainter(painter), fTotal(total), fFoot(std::move(foot)) {}

  QPainter& Painter() { return fPainter; }
  double Width() const { return fWriter.width(); }
  double Bottom() const { return fWriter.height() - Mm(kFootBand); }
  double Y = 0;
  int Pages() const { return fPage; }
  bool Drawing() const { return fTotal > 0; }

  // Starts a new page when height does not fit below Y.
  void Room(double height) {
    if (Y > 0 && Y + height > Bottom()) NewPage();
  }
  void NewPage() {
    DrawFoot();
    fWriter.newPage();
    ++fPage;
    Y = 0;
  }
  void Finish() { DrawFoot(); }

  double TextHeight(const QFont& font, const std::string& text, double width) {
    fPainter.setFont(font);
    return fPainter
        .boundingRect(QRectF(0, 0, width, 1e7), Qt::TextWordWrap | Qt::AlignLeft, Q(text))
        .height();
  }
  void Text(const QFont& font, const QRectF& box, Qt::Alignment align, const std::string& text,
            const QColor& colour = Qt::black) {
    fPainter.setFont(font);
    fPainter.setPen(colour);
    fPainter.drawText(box, static_cast<int>(align | Qt::TextWordWrap), Q(text));
  }

 private:
  void DrawFoot() {
    const QFont font = ReportFont(8);
    const double top = fWriter.height() - Mm(kFootBand) + Mm(3);
    const QRectF band(0, top, Width(), Mm(kFootBand) - Mm(3));
    fPainter.setPen(QPen(kRule, Mm(0.2)));
    fPainter.drawLine(QPointF(0, top), QPointF(Width(), top));
    Text(font, band, Qt::AlignLeft | Qt::AlignVCenter, fFoot, kGrey);
    if (fTotal > 0) {
      Text(
          font, band, Qt::AlignRight | Qt::AlignVCenter,
          FillIn(Tr("LabReport", "Page %1 of %2"), {std::to_string(fPage), std::to_string(fTotal)}),
          kGrey);
    }
  }

  QPdfWriter& fWriter;
  QPainter& fPainter;
  int fTotal;
  std::string fFoot;
  int fPage = 1;
};

const QFont& BodyFont() {
  static const QFont font = ReportFont(10);
  return font;
}
const QFont& TableFont() {
  static const QFont font = ReportFont(8.5);
  return font;
}
const QFont& TableHeaderFont() {
  static const QFont font = ReportFont(8.5, true);
  return font;
}

void Heading(ReportPages& pages, const std::string& text, double keepWithNext) {
  const QFont font = ReportFont(13, true);
  const double height = pages.TextHeight(font, text, pages.Width());
  pages.Y += Mm(5);
  pages.Room(height + Mm(2) + keepWithNext);
  pages.Text(font, QRectF(0, pages.Y, pages.Width(), height), Qt::AlignLeft, text);
  pages.Y += height + Mm(2);
}

void Paragraph(ReportPages& pages, const std::string& text, const QFont& font = BodyFont(),
               const QColor& colour = Qt::black) {
  const double height = pages.TextHeight(font, text, pages.Width());
  pages.Room(height);
  pages.Text(font, QRectF(0, pages.Y, pages.Width(), height), Qt::AlignLeft, text, colour);
  pages.Y += height + Mm(1.5);
}

// A table with a shaded header row, repeated at the top of every page it
// runs onto; cells wrap within their columns.
void DrawTable(ReportPages& pages, const Table& table) {
  const double pad = Mm(1.2);
  const double swatch = Mm(2.6);
  QPainter& p = pages.Painter();
  const auto rowHeight = [&](const std::vector<std::string>& texts,
                             const std::vector<const Cell*>& cells, const QFont& font) {
    double height = 0;
    for (std::size_t c = 0; c < table.Widths.size(); ++c) {
      const bool hasSwatch = !cells.empty() && cells[c]->Swatch;
      const double width = table.Widths[c] - 2 * pad - (hasSwatch ? swatch + pad : 0);
      height = std::max(height, pages.TextHeight(font, texts[c], width));
    }
    return height + 2 * pad;
  };
  const auto drawRow = [&](const std::vector<std::string>& texts,
                           const std::vector<const Cell*>& cells, const QFont& font, double height,
                           bool header) {
    double x = 0;
    const double width = std::accumulate(table.Widths.begin(), table.Widths.end(), 0.0);
    if (header) p.fillRect(QRectF(0, pages.Y, width, height), kHeaderFill);
    for (std::size_t c = 0; c < table.Widths.size(); ++c) {
      double left = x + pad;
      const Cell* cell = cells.empty() ? nullptr : cells[c];
      if (cell && cell->Swatch) {
        const QRectF mark(left, pages.Y + pad + Mm(0.5), swatch, swatch);
        p.fillRect(mark, ColourOf(*cell->Swatch));
        left += swatch + pad;
      }
      const QRectF box(left, pages.Y + pad, x + table.Widths[c] - pad - left, height - 2 * pad);
      // A header sits as its column's cells sit.
      const Qt::Alignment align =
          cell ? cell->Align : (table.Rows.empty() ? Qt::AlignLeft : table.Rows.front()[c].Align);
      pages.Text(font, box, align, texts[c], cell ? cell->Colour : QColor(Qt::black));
      x += table.Widths[c];
    }
    p.setPen(QPen(kRule, Mm(0.15)));
    p.drawLine(QPointF(0, pages.Y + height), QPointF(width, pages.Y + height));
    if (header) p.drawLine(QPointF(0, pages.Y), QPointF(width, pages.Y));
  };

  const double headerHeight = rowHeight(table.Headers, {}, TableHeaderFont());
  bool needHeader = true;
  for (const std::vector<Cell>& row : table.Rows) {
    std::vector<std::string> texts;
    std::vector<const Cell*> cells;
    for (const Cell& cell : row) {
      texts.push_back(cell.Text);
      cells.push_back(&cell);
    }
    const double height = rowHeight(texts, cells, TableFont());
    if (pages.Y > 0 && pages.Y + height + (needHeader ? headerHeight : 0) > pages.Bottom()) {
      pages.NewPage();
      needHeader = true;
    }
    if (needHeader) {
      drawRow(table.Headers, {}, TableHeaderFont(), headerHeight, true);
      pages.Y += headerHeight;
      needHeader = false;
    }
    drawRow(texts, cells, TableFont(), height, false);
    pages.Y += height;
  }
  pages.Y += Mm(2);
}

// Widths from fractions of the text's width.
std::vector<double> Fractions(const ReportPages& pages, std::initializer_list<double> parts) {
  std::vector<double> widths;
  for (double part : parts) widths.push_back(part * pages.Width());
  return widths;
}

// A chart drawn at print density, placed across the text's width.
void Chart(ReportPages& pages, const QImage& image) {
  const double width = pages.Width();
  const double height = width * image.height() / image.width();
  pages.Room(height);
  if (pages.Drawing()) pages.Painter().drawImage(QRectF(0, pages.Y, width, height), image);
  pages.Y += height + Mm(2);
}

QImage ChartImage(const std::function<void(TBitmap&)>& draw) {
  TBitmap bitmap;
  draw(bitmap);
  // The bitmap goes with this function: its pixels are shared, not copied.
  return *static_cast<const QImage*>(bitmap.PlatformImage());
}

// The values of the nine inputs, in the main window's order.
constexpr SweepParameter kInputOrder[] = {
    SweepParameter::Gain,         SweepParameter::TimeConstant, SweepParameter::MotorCoef,
    SweepParameter::MotorInertia, SweepParameter::LoadInertia,  SweepParameter::Friction,
    SweepParameter::Feedback,     SweepParameter::Teeth,        SweepParameter::Setpoint};

void InputsSection(ReportPages& pages, const DriveInputs& inputs) {
  Table table;
  table.Headers = {Tr("LabReport", "Input"), Tr("LabReport", "Value")};
  table.Widths = Fractions(pages, {0.42, 0.18});
  for (SweepParameter p : kInputOrder) {
    table.Rows.push_back({Cell(TrMarked("Sweep", SweepParameterCaption(p))),
                          Right(FloatToStr(SweptValueOf(inputs, p)))});
  }
  Heading(pages, Tr("LabReport", "Inputs"), Mm(30));
  DrawTable(pages, table);
}

void ExplorerSection(ReportPages& pages, const LabReportContent& content) {
  const char sep = DecimalSeparator();
  ExplorerState state;
  state.SetFeedbackRange(content.KFrom, content.KTo);
  state.SetTargets(content.Targets);
  state.SetInputs(content.ExplorerInputs ? *content.ExplorerInputs
                                         : ExplorableInputs(content.Inputs));
  Heading(pages, Tr("LabReport", "The feedback coefficient explored"), Mm(30));
  const ExplorerFigures& f = state.Figures();
  if (!f.Valid) {
    Paragraph(pages, f.Problem);
    return;
  }
  std::string loop = FillIn(
      Tr("LabReport",
         "The loop at k = %1 V·s/rad, from its closed form and "
         "measured on the drive's own run from rest; k explored from %2 "
         "to %3 V·s/rad."),
      {FormatSignificant(state.Feedback(), 6, sep), FormatSignificant(state.RangeFrom(), 6, sep),
       FormatSignificant(state.RangeTo(), 6, sep)});
  if (!content.ExplorerInputs && content.Inputs.Setpoint == 0) {
    loop += " " + FillIn(Tr("LabReport", "The setpoint being 0, the explorer steps to %1 rad/s."),
                         {std::to_string(state.Inputs().Setpoint)});
  }
  Paragraph(pages, loop);
  Table figures;
  figures.Headers = {Tr("LabReport", "Figure"), Tr("LabReport", "Closed form"),
                     Tr("LabReport", "Measured"), Tr("LabReport", "Design target")};
  figures.Widths = Fractions(pages, {0.46, 0.18, 0.18, 0.18});
  for (const ExplorerFigureRow& row : ExplorerFigureRows(state, sep)) {
    figures.Rows.push_back(
        {Cell(row.Name), Right(row.ClosedForm), Right(row.Measured), MetCell(row.Met)});
  }
  DrawTable(pages, figures);

  Heading(pages, Tr("LabReport", "Design targets"), Mm(20));
  if (state.Targets().EnabledCount() == 0) {
    Paragraph(pages, Tr("LabReport", "No design target was set."));
    return;
  }
  Table targets;
  targets.Headers = {Tr("LabReport", "Target"), Tr("LabReport", "Limit"),
                     Tr("LabReport", "At this k")};
  targets.Widths = Fractions(pages, {0.42, 0.18, 0.18});
  for (TargetKind kind : kAllTargetKinds) {
    const DesignTarget& target = state.Targets()[kind];
    if (!target.Enabled) continue;
    const std::optional<bool>& met = f.TargetsMet[static_cast<std::size_t>(kind)];
    targets.Rows.push_back({Cell(ExplorerTargetLabel(kind)),
                            Right(FormatSignificant(target.Limit, 6, sep)), MetCell(met)});
  }
  DrawTable(pages, targets);
  Paragraph(pages, FillIn(Tr("LabReport", "Answer: %1"), {ExplorerAnswerText(state, sep)}),
            ReportFont(10, true));
}

// The runs' table, split into as many tables as the columns need, of about
// one width each. Every table begins with the run's number and colour; the
// first also names the run.
void RunsSection(ReportPages& pages, const std::vector<const LabRun*>& rows) {
  Heading(pages, Tr("LabReport", "Runs"), Mm(25));
  if (rows.empty()) {
    Paragraph(pages, Tr("LabReport", "No run was kept."));
    return;
  }
  const std::vector<LabTableColumn> columns = LabTable::ColumnsFor(rows);
  const double pad = Mm(1.2);
  const double swatch = Mm(2.6) + pad;
  QPainter& p = pages.Painter();
  const auto textWidth = [&](const QFont& font, const std::string& text) {
    p.setFont(font);
    return p.boundingRect(QRectF(0, 0, 1e7, 1e7), 0, Q(text)).width();
  };
  std::vector<double> natural;
  for (const LabTableColumn& column : columns) {
    double width = textWidth(TableHeaderFont(), column.Header);
    for (const LabRun* run : rows) {
      width = std::max(width, textWidth(TableFont(), LabTable::ScreenText(column, *run)));
    }
    natural.push_back(width + 2 * pad + Mm(0.5));
  }
  // The name wraps rather than take more than a third of the width.
  const double nameWidth = std::min(natural[0], pages.Width() / 3);
  const std::string number = Tr("LabReport", "No.");
  const double numberWidth = std::max(textWidth(TableHeaderFont(), number),
                                      textWidth(TableFont(), std::to_string(rows.size()))) +
                             swatch + 2 * pad + Mm(0.5);

  // As few tables as greedy filling needs, then the columns spread evenly
  // over them.
  const auto split = [&](double target) {
    std::vector<std::vector<std::size_t>> chunks;
    std::size_t next = 1;
    while (next < columns.size()) {
      std::vector<std::size_t> chunk;
      double used = numberWidth + (chunks.empty() ? nameWidth : 0);
      while (next < columns.size() && (chunk.empty() || (used + natural[next] <= pages.Width() &&
                                                         used + natural[next] / 2 <= target))) {
        used += natural[next];
        chunk.push_back(next++);
      }
      chunks.push_back(std::move(chunk));
    }
    return chunks;
  };
  std::vector<std::vector<std::size_t>> chunks = split(pages.Width());
  double total = nameWidth + numberWidth * static_cast<double>(chunks.size());
  for (std::size_t c = 1; c < columns.size(); ++c) total += natural[c];
  const std::vector<std::vector<std::size_t>> even =
      split(total / static_cast<double>(chunks.size()));
  if (even.size() == chunks.size()) chunks = even;

  for (std::size_t t = 0; t < chunks.size(); ++t) {
    const bool named = t == 0;
    Table table;
    table.Headers.push_back(number);
    table.Widths.push_back(numberWidth);
    double used = numberWidth;
    if (named) {
      table.Headers.push_back(columns[0].Header);
      table.Widths.push_back(nameWidth);
      used += nameWidth;
    }
    for (std::size_t c : chunks[t]) {
      table.Headers.push_back(columns[c].Header);
      table.Widths.push_back(natural[c]);
      used += natural[c];
    }
    // What is left goes to the columns after the number, in proportion.
    const double stretch = (pages.Width() - numberWidth) / std::max(used - numberWidth, 1.0);
    if (stretch > 1) {
      for (std::size_t w = 1; w < table.Widths.size(); ++w) table.Widths[w] *= stretch;
    }
    for (std::size_t r = 0; r < rows.size(); ++r) {
      const LabRun& run = *rows[r];
      std::vector<Cell> cells;
      cells.push_back(Cell(std::to_string(r + 1)));
      cells.back().Swatch = run.Colour;
      if (named) cells.push_back(Cell(LabTable::ScreenText(columns[0], run)));
      for (std::size_t c : chunks[t]) {
        const LabTableColumn& column = columns[c];
        const bool number =
            column.Kind == LabColumnKind::Input || column.Kind == LabColumnKind::Figure;
        cells.push_back(Cell(LabTable::ScreenText(column, run),
                             number ? Qt::Alignment(Qt::AlignRight) : Qt::AlignLeft));
      }
      table.Rows.push_back(std::move(cells));
    }
    DrawTable(pages, table);
  }
  Paragraph(pages,
            Tr("LabReport",
               "Key figures: measured on the run / from the loop's closed form; — where the "
               "run does not reach the figure."),
            ReportFont(8), kGrey);
}

void Layout(ReportPages& pages, const LabReportContent& content, const QImage& steps,
            const QImage* sweep) {
  const std::string report = Tr("LabReport", "Lab report");
  const std::string title = content.Title.empty() ? report : content.Title;
  if (!content.Title.empty()) Paragraph(pages, report, ReportFont(9), kGrey);
  Paragraph(pages, title, ReportFont(20, true));
  pages.Y += Mm(1);
  Table who;
  who.Widths = Fractions(pages, {0.16, 0.84});
  who.Rows = {{Cell(Tr("LabReport", "Student")), Cell(content.Student)},
              {Cell(Tr("LabReport", "Date")), Cell(content.When)}};
  for (const std::vector<Cell>& row : who.Rows) {
    const double height = pages.TextHeight(BodyFont(), row[1].Text, who.Widths[1]);
    pages.Text(ReportFont(10, true), QRectF(0, pages.Y, who.Widths[0], height), Qt::AlignLeft,
               row[0].Text);
    pages.Text(BodyFont(), QRectF(who.Widths[0], pages.Y, who.Widths[1], height), Qt::AlignLeft,
               row[1].Text);
    pages.Y += height + Mm(1);
  }
  if (!content.Task.empty()) {
    Heading(pages, Tr("LabReport", "Task"), Mm(10));
    Paragraph(pages, content.Task);
  }
  InputsSection(pages, content.Inputs);
  ExplorerSection(pages, content);
  Heading(pages, Tr("LabReport", "Step responses"),
          pages.Width() * kStepChartHeight / kReportChartWidth);
  Chart(pages, steps);
  RunsSection(pages, content.Rows);
  if (sweep) {
    const SweepSpec& spec = content.Sweep->Spec;
    const auto [low, high] = std::minmax_element(spec.Values.begin(), spec.Values.end());
    const std::string name = TrMarked("SweepName", SweepParameterName(spec.Parameter));
    const std::string heading = low == spec.Values.end()
                                    ? FillIn(Tr("LabReport", "Sweep of %1"), {name})
                                    : FillIn(Tr("LabReport", "Sweep of %1: %2 runs from %3 to %4"),
                                             {name, std::to_string(content.Sweep->Runs.size()),
                                              ValueText(*low), ValueText(*high)});
    Heading(pages, heading, pages.Width() * kSweepChartHeight / kReportChartWidth);
    Chart(pages, *sweep);
  }
  pages.Finish();
}

// Writes the layout into a PDF in memory; total 0 counts the pages only.
std::string WritePdf(const LabReportContent& content, const QImage& steps, const QImage* sweep,
                     int total, int* pages) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setResolution(kDpi);
    writer.setCreator(QStringLiteral("DriveSim"));
    writer.setTitle(Q(content.Title.empty() ? Tr("LabReport", "Lab report") : content.Title));
    writer.setPageLayout(QPageLayout(
        QPageSize(content.Paper == ReportPaper::Letter ? QPageSize::Letter : QPageSize::A4),
        QPageLayout::Portrait, QMarginsF(kMarginSide, kMarginTop, kMarginSide, kMarginBottom),
        QPageLayout::Millimeter));
    QPainter painter(&writer);
    // The charts deflated, not as JPEG: their lines and letters stay sharp.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    std::string foot = Tr("LabReport", "DriveSim lab report");
    if (!content.Student.empty()) foot += " \u2014 " + content.Student;
    ReportPages layout(writer, painter, total, foot);
    Layout(layout, content, steps, sweep);
    if (pages) *pages = layout.Pages();
    painter.end();
  }
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace

ReportPaper ReportPaperOf(const QLocale& locale) {
  // Canada measures in metres but prints on Letter paper, as its neighbour.
  const bool letter = locale.measurementSystem() == QLocale::ImperialUSSystem ||
                      locale.territory() == QLocale::Canada;
  return letter ? ReportPaper::Letter : ReportPaper::A4;
}

std::string ReportDateTime(const QDateTime& when) {
  return when.toString(QStringLiteral("yyyy-MM-dd HH:mm")).toStdString();
}

StepCurve StepCurveOf(const LabRun& run) {
  StepCurve curve;
  curve.Name = run.Name;
  curve.Samples = &run.Curve;
  curve.StepSize = run.CurveStep;
  curve.Setpoint = run.Result.Record.Inputs.Setpoint;
  curve.Settling2Pct = run.Result.Measured.Settling2Pct;
  return curve;
}

void AddRuns(LabReportContent& content, const std::vector<const LabRun*>& runs) {
  for (const LabRun* run : runs) {
    content.Rows.push_back(run);
    if (run->Curve.size() < 2) continue;
    content.Curves.push_back(StepCurveOf(*run));
    content.CurveColours.push_back(run->Colour);
  }
}

std::string LabReportPdf(const LabReportContent& content) {
  const QImage steps = ChartImage([&](TBitmap& bitmap) {
    // The legend names each run as far as it leaves the plot its width.
    std::vector<StepCurve> curves = content.Curves;
    for (StepCurve& curve : curves) {
      const QString name = Q(curve.Name);
      if (name.size() > kLegendLetters) {
        curve.Name = (name.left(kLegendLetters - 1) + QChar(0x2026)).toStdString();
      }
    }
    StepResponseChart chart(curves, kReportChartWidth, kStepChartHeight);
    for (std::size_t i = 0; i < content.Curves.size() && i < content.CurveColours.size(); ++i) {
      TLineSeries& curve = chart.Curve(static_cast<int>(i));
      curve.SetSeriesColor(content.CurveColours[i]);
      // The main window's current run thick, as the lab draws it.
      if (content.CurveColours[i] == kCurrentRunColor) curve.LinePen().SetWidth(3);
      if (chart.SetpointCount() == static_cast<int>(content.Curves.size())) {
        chart.Setpoint(static_cast<int>(i)).SetSeriesColor(content.CurveColours[i]);
      }
    }
    chart.Render(bitmap, kChartScale);
  });
  std::unique_ptr<QImage> sweep;
  if (content.Sweep) {
    sweep = std::make_unique<QImage>(ChartImage([&](TBitmap& bitmap) {
      RenderSweepFigures(*content.Sweep, bitmap, kReportChartWidth, kSweepChartHeight, kChartScale,
                         SweptValueOf(content.Inputs, content.Sweep->Spec.Parameter));
    }));
  }
  int pages = 0;
  WritePdf(content, steps, sweep.get(), 0, &pages);
  return WritePdf(content, steps, sweep.get(), pages, nullptr);
}

void SaveLabReport(const std::string& path, const LabReportContent& content) {
  // The file is checked before the report is drawn.
  SaveOutputFile("The report", path, [&content](std::ostream& stream) {
    const std::string pdf = LabReportPdf(content);
    stream.write(pdf.data(), static_cast<std::streamsize>(pdf.size()));
  });
}

}  // namespace drivesim
