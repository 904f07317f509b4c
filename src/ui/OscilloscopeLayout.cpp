#include "ui/OscilloscopeLayout.h"

#include "platform/Translate.h"

namespace drivesim {

namespace {

using P = const OscilloscopeParts&;

// The stored properties of one line series, Series1 or Series2; only the
// colour differs. The series joins the chart last, with its colour already
// set, so the chart picks no free colour for it.
template <TLineSeries& (*Series)(P), TColor kColor>
void AppendSeries(std::vector<OscilloscopeLayoutEntry>& layout, const char* const names[]) {
  int i = 0;
  const auto add = [&](void (*apply)(P)) { layout.push_back({names[i++], apply}); };
  add([](P p) { Series(p).Marks().SetArrowLength(8); });
  add([](P p) { Series(p).Marks().SetVisible(false); });
  add([](P p) { Series(p).SetSeriesColor(kColor); });
  add([](P p) { Series(p).Pointer().SetInflateMargins(true); });
  add([](P p) { Series(p).Pointer().SetStyle(psRectangle); });
  add([](P p) { Series(p).Pointer().SetVisible(false); });
  add([](P p) { Series(p).XValues().SetDateTime(false); });
  add([](P p) { Series(p).XValues().SetName("X"); });
  add([](P p) { Series(p).XValues().SetMultiplier(1); });
  add([](P p) { Series(p).XValues().SetOrder(loAscending); });
  add([](P p) { Series(p).YValues().SetDateTime(false); });
  add([](P p) { Series(p).YValues().SetName("Y"); });
  add([](P p) { Series(p).YValues().SetMultiplier(1); });
  add([](P p) { Series(p).YValues().SetOrder(loNone); });
  add([](P p) { Series(p).SetParentChart(&p.Chart1); });
}

TLineSeries& Series1Of(P p) { return p.Series1; }
TLineSeries& Series2Of(P p) { return p.Series2; }

constexpr const char* kSeries1Names[] = {
    "Series1.Marks.ArrowLength",      "Series1.Marks.Visible",    "Series1.SeriesColor",
    "Series1.Pointer.InflateMargins", "Series1.Pointer.Style",    "Series1.Pointer.Visible",
    "Series1.XValues.DateTime",       "Series1.XValues.Name",     "Series1.XValues.Multiplier",
    "Series1.XValues.Order",          "Series1.YValues.DateTime", "Series1.YValues.Name",
    "Series1.YValues.Multiplier",     "Series1.YValues.Order",    "Series1.ParentChart"};
constexpr const char* kSeries2Names[] = {
    "Series2.Marks.ArrowLength",      "Series2.Marks.Visible",    "Series2.SeriesColor",
    "Series2.Pointer.InflateMargins", "Series2.Pointer.Style",    "Series2.Pointer.Visible",
    "Series2.XValues.DateTime",       "Series2.XValues.Name",     "Series2.XValues.Multiplier",
    "Series2.XValues.Order",          "Series2.YValues.DateTime", "Series2.YValues.Name",
    "Series2.YValues.Multiplier",     "Series2.YValues.Order",    "Series2.ParentChart"};

std::vector<OscilloscopeLayoutEntry> BuildLayout() {
  std::vector<OscilloscopeLayoutEntry> layout = {
      {"Chart1.Left",
       [](P p) { p.Chart1.SetBounds(256, p.Chart1.Top(), p.Chart1.Width(), p.Chart1.Height()); }},
      {"Chart1.Top",
       [](P p) { p.Chart1.SetBounds(p.Chart1.Left(), 328, p.Chart1.Width(), p.Chart1.Height()); }},
      {"Chart1.Width",
       [](P p) { p.Chart1.SetBounds(p.Chart1.Left(), p.Chart1.Top(), 353, p.Chart1.Height()); }},
      {"Chart1.Height",
       [](P p) { p.Chart1.SetBounds(p.Chart1.Left(), p.Chart1.Top(), p.Chart1.Width(), 169); }},
      // The brush colour first: it turns the back wall's clear brush solid,
      // so that the wall colour below fills the chart rectangle.
      {"Chart1.BackWall.Brush.Color", [](P p) { p.Chart1.BackWall().Brush().SetColor(clWhite); }},
      {"Chart1.BackWall.Color", [](P p) { p.Chart1.BackWall().SetColor(clBlack); }},
      {"Chart1.Gradient.EndColor", [](P p) { p.Chart1.Gradient().SetEndColor(clSilver); }},
      {"Chart1.Gradient.Visible", [](P p) { p.Chart1.Gradient().SetVisible(true); }},
      {"Chart1.MarginBottom", [](P p) { p.Chart1.SetMarginBottom(2); }},
      {"Chart1.MarginLeft", [](P p) { p.Chart1.SetMarginLeft(2); }},
      {"Chart1.MarginRight", [](P p) { p.Chart1.SetMarginRight(2); }},
      {"Chart1.MarginTop", [](P p) { p.Chart1.SetMarginTop(2); }},
      {"Chart1.Title.Font.Charset",
       [](P p) { p.Chart1.Title().Font().SetCharset(DEFAULT_CHARSET); }},
      {"Chart1.Title.Font.Color", [](P p) { p.Chart1.Title().Font().SetColor(clBlue); }},
      {"Chart1.Title.Font.Height", [](P p) { p.Chart1.Title().Font().SetHeight(-13); }},
      {"Chart1.Title.Font.Name", [](P p) { p.Chart1.Title().Font().SetName("Arial"); }},
      {"Chart1.Title.Font.Style", [](P p) { p.Chart1.Title().Font().SetStyle(fsBold); }},
      {"Chart1.Title.Text.Strings",
       [](P p) { p.Chart1.Title().SetText({Tr("TForm1", "Oscilloscope")}); }},
      // While loading, the back colour leaves the wall's brush as the layout
      // set it.
      {"Chart1.BackColor", [](P p) { p.Chart1.SetBackColor(clBlack); }},
      {"Chart1.BottomAxis.LabelsFont.Charset",
       [](P p) { p.Chart1.BottomAxis().LabelsFont().SetCharset(DEFAULT_CHARSET); }},
      {"Chart1.BottomAxis.LabelsFont.Color",
       [](P p) { p.Chart1.BottomAxis().LabelsFont().SetColor(clBlack); }},
      {"Chart1.BottomAxis.LabelsFont.Height",
       [](P p) { p.Chart1.BottomAxis().LabelsFont().SetHeight(-12); }},
      {"Chart1.BottomAxis.LabelsFont.Name",
       [](P p) { p.Chart1.BottomAxis().LabelsFont().SetName("Arial"); }},
      {"Chart1.BottomAxis.LabelsFont.Style",
       [](P p) { p.Chart1.BottomAxis().LabelsFont().SetStyle(0); }},
      {"Chart1.BottomAxis.Title.Caption",
       [](P p) { p.Chart1.BottomAxis().Title().SetCaption(Tr("TForm1", "Time, s")); }},
      {"Chart1.BottomAxis.Title.Font.Charset",
       [](P p) { p.Chart1.BottomAxis().Title().Font().SetCharset(DEFAULT_CHARSET); }},
      {"Chart1.BottomAxis.Title.Font.Color",
       [](P p) { p.Chart1.BottomAxis().Title().Font().SetColor(clBlack); }},
      {"Chart1.BottomAxis.Title.Font.Height",
       [](P p) { p.Chart1.BottomAxis().Title().Font().SetHeight(-13); }},
      {"Chart1.BottomAxis.Title.Font.Name",
       [](P p) { p.Chart1.BottomAxis().Title().Font().SetName("Arial"); }},
      {"Chart1.BottomAxis.Title.Font.Style",
       [](P p) { p.Chart1.BottomAxis().Title().Font().SetStyle(0); }},
      {"Chart1.LeftAxis.Automatic", [](P p) { p.Chart1.LeftAxis().SetAutomatic(false); }},
      {"Chart1.LeftAxis.AutomaticMaximum",
       [](P p) { p.Chart1.LeftAxis().SetAutomaticMaximum(false); }},
      {"Chart1.LeftAxis.AutomaticMinimum",
       [](P p) { p.Chart1.LeftAxis().SetAutomaticMinimum(false); }},
      {"Chart1.LeftAxis.LabelsFont.Charset",
       [](P p) { p.Chart1.LeftAxis().LabelsFont().SetCharset(DEFAULT_CHARSET); }},
      {"Chart1.LeftAxis.LabelsFont.Color",
       [](P p) { p.Chart1.LeftAxis().LabelsFont().SetColor(clBlack); }},
      {"Chart1.LeftAxis.LabelsFont.Height",
       [](P p) { p.Chart1.LeftAxis().LabelsFont().SetHeight(-12); }},
      {"Chart1.LeftAxis.LabelsFont.Name",
       [](P p) { p.Chart1.LeftAxis().LabelsFont().SetName("Arial"); }},
      {"Chart1.LeftAxis.LabelsFont.Style",
       [](P p) { p.Chart1.LeftAxis().LabelsFont().SetStyle(0); }},
      {"Chart1.LeftAxis.Maximum", [](P p) { p.Chart1.LeftAxis().SetMaximum(300); }},
      {"Chart1.LeftAxis.Title.Caption",
       [](P p) { p.Chart1.LeftAxis().Title().SetCaption(Tr("TForm1", "Velosity, rad/s")); }},
      {"Chart1.LeftAxis.Title.Font.Charset",
       [](P p) { p.Chart1.LeftAxis().Title().Font().SetCharset(DEFAULT_CHARSET); }},
      {"Chart1.LeftAxis.Title.Font.Color",
       [](P p) { p.Chart1.LeftAxis().Title().Font().SetColor(clBlack); }},
      {"Chart1.LeftAxis.Title.Font.Height",
       [](P p) { p.Chart1.LeftAxis().Title().Font().SetHeight(-13); }},
      {"Chart1.LeftAxis.Title.Font.Name",
       [](P p) { p.Chart1.LeftAxis().Title().Font().SetName("Arial"); }},
      {"Chart1.LeftAxis.Title.Font.Style",
       [](P p) { p.Chart1.LeftAxis().Title().Font().SetStyle(0); }},
      {"Chart1.Legend.Visible", [](P p) { p.Chart1.Legend().SetVisible(false); }},
      {"Chart1.View3D", [](P p) { p.Chart1.SetView3D(false); }},
  };
  AppendSeries<Series1Of, 0xFFFF80>(layout, kSeries1Names);
  AppendSeries<Series2Of, 0x80FF80>(layout, kSeries2Names);
  return layout;
}

}  // namespace

const std::vector<OscilloscopeLayoutEntry>& OscilloscopeLayout() {
  static const std::vector<OscilloscopeLayoutEntry> layout = BuildLayout();
  return layout;
}

void ConfigureOscilloscope(TChart& chart1, TLineSeries& series1, TLineSeries& series2) {
  const OscilloscopeParts parts{chart1, series1, series2};
  chart1.SetLoading(true);
  try {
    for (const OscilloscopeLayoutEntry& entry : OscilloscopeLayout()) entry.Apply(parts);
  } catch (...) {
    chart1.SetLoading(false);
    throw;
  }
  chart1.SetLoading(false);
  chart1.SetLoadedCursor(chart1.Cursor());
}

Oscilloscope MakeOscilloscope() {
  Oscilloscope o;
  o.Chart1 = std::make_unique<TChart>();
  o.Series1 = std::make_unique<TLineSeries>();
  o.Series2 = std::make_unique<TLineSeries>();
  ConfigureOscilloscope(*o.Chart1, *o.Series1, *o.Series2);
  return o;
}

void RenderOscilloscope(TChart& chart1, TBitmap& bitmap, int scale) {
  const double ratio = chart1.PixelRatio();
  chart1.SetPixelRatio(scale);
  bitmap.SetSize(chart1.ClientWidth(), chart1.ClientHeight());
  chart1.RenderTo(bitmap.Canvas(), chart1.ClientRect());
  chart1.SetPixelRatio(ratio);
}

}  // namespace drivesim
