#include "chart/ChartPanel.h"

#include <algorithm>
#include <cstdio>

#include "chart/ChartStrings.h"
#include "platform/Exceptions.h"
#include "platform/Numbers.h"

namespace drivesim {

// ---------------------------------------------------------------------------
// TChartGradient

void TChartGradient::SetDirection(TGradientDirection value) {
  if (fDirection == value) return;
  fDirection = value;
  fPanel.RequestRepaint();
}

void TChartGradient::SetEndColor(TColor value) {
  if (fEndColor == value) return;
  fEndColor = value;
  fPanel.RequestRepaint();
}

void TChartGradient::SetStartColor(TColor value) {
  if (fStartColor == value) return;
  fStartColor = value;
  fPanel.RequestRepaint();
}

void TChartGradient::SetVisible(bool value) {
  if (fVisible == value) return;
  fVisible = value;
  fPanel.RequestRepaint();
}

// ---------------------------------------------------------------------------
// TCustomChartPanel

TCustomChartPanel::TCustomChartPanel()
    : fView3DOptions(std::make_unique<TView3DOptions>()),
      fChartCanvas(std::make_unique<TChartCanvas3D>()) {
  // Repaints stay off until the most derived chart class has finished
  // building itself.
  SetBounds(0, 0, 400, 250);
  fView3DOptions->OnRepaint = [this] { RequestRepaint(); };
  fChartCanvas->AttachCanvas(Canvas());
  fLoadedCursor = Cursor();
}

TCustomChartPanel::~TCustomChartPanel() = default;

void TCustomChartPanel::RequestRepaint() {
  // A request while the image is marked and its paint asked for already
  // merges into that paint: a refill of many points asks once.
  const auto merges = [this] {
    return !fRepaintOnChange || (fChartCanvas->IsDirty() && PaintPending());
  };
  if (!merges()) {
    fChartCanvas->MarkDirty();
    Invalidate();
  }
  fRequestsMerge = merges();
}

void TCustomChartPanel::RepaintNow() {
  RequestRepaint();
  Update();
}

void TCustomChartPanel::SetChartCanvas(std::unique_ptr<TChartCanvas3D> canvas) {
  if (!canvas) return;
  fChartCanvas = std::move(canvas);
  fRequestsMerge = false;
  fChartCanvas->AttachCanvas(Canvas());
  fChartCanvas->SetScale(PixelRatio());
  CanvasReplaced();
}

void TCustomChartPanel::PixelRatioChanged() {
  fChartCanvas->SetScale(PixelRatio());
  fChartCanvas->MarkDirty();
}

void TCustomChartPanel::CanvasReplaced() { RequestRepaint(); }

void TCustomChartPanel::ApplyFont(const TFont& font) {
  TFont& canvasFont = fChartCanvas->Font();
  const int pixelsPerInch = canvasFont.PixelsPerInch();
  canvasFont.Assign(font);
  canvasFont.SetPixelsPerInch(pixelsPerInch);
  if (PixelRatio() != 1.0) canvasFont.SetHeight(DevicePixels(font.Height()));
}

void TCustomChartPanel::Paint() {
  // The paint answers the request made: the next one is made anew.
  fRequestsMerge = false;
  if (fIsPrinting) return;
  // A clean off-screen image of the control's size still shows the chart:
  // it is copied again. An image of another size (the control was resized)
  // no longer fits, and the chart is drawn anew.
  const TBitmap* buffer = fChartCanvas->BufferImage();
  const TRect rect = ChartPaintRect();
  const bool fits =
      buffer != nullptr && buffer->Width() == rect.Width() && buffer->Height() == rect.Height();
  if (fits && fChartCanvas->RepaintFromBuffer()) return;
  RenderTo(Canvas(), rect);
}

void TCustomChartPanel::RenderTo(TCanvas& canvas, const TRect& rect) {
  TChartCanvas3D& chartCanvas = *fChartCanvas;
  chartCanvas.SetScale(PixelRatio());
  // The panel is filled whole first, unless printing.
  chartCanvas.SetFramesPaintEveryPixel(!fIsPrinting);
  fPanelBounds = chartCanvas.BeginFrame(canvas, fView3DOptions.get(), fColor, fView3D, rect);
  try {
    const int w = fPanelBounds.Width();
    const int h = fPanelBounds.Height();
    const int b = DevicePixels(fBorderWidth);
    // With the background the last frames kept, when its drawing calls are
    // the same again; else drawn with the background left out under the
    // hole offered; then, should the hole not be filled, once more with the
    // whole background.
    enum Attempt { kKeptBackground, kHole, kWholeBackground };
    for (int attempt = chartCanvas.CanReuseBackground() ? kKeptBackground : kHole;
         attempt <= kWholeBackground; ++attempt) {
      fBackgroundHole = attempt == kWholeBackground ? TRect{} : OfferedBackgroundHole();
      chartCanvas.BeginBackground(attempt == kKeptBackground);
      fPlotRect = TRect{fPanelBounds.Left + b + MulDiv(MarginLeft(), w, 100),
                        fPanelBounds.Top + b + MulDiv(MarginTop(), h, 100),
                        fPanelBounds.Right - b - MulDiv(MarginRight(), w, 100),
                        fPanelBounds.Bottom - b - MulDiv(MarginBottom(), h, 100)};
      NormalizeChartRect();
      try {
        RenderContents();
        break;
      } catch (const BackgroundUncovered&) {
        chartCanvas.RemoveClip();
        chartCanvas.ResetDrawingState();
        attempt = kHole;
      } catch (const BackgroundChanged&) {
        chartCanvas.RemoveClip();
        chartCanvas.ResetDrawingState();
      }
    }
    fBackgroundHole = TRect{};
  } catch (...) {
    fBackgroundHole = TRect{};
    // A paint that fails leaves the canvas as a paint that never started:
    // no clip, drawing on the control's surface, and the image still dirty
    // so that the next paint draws the chart anew.
    chartCanvas.RemoveClip();
    chartCanvas.MarkDirty();
    chartCanvas.AttachCanvas(Canvas());
    throw;
  }
  chartCanvas.EndFrame(canvas, Canvas(), rect);
  fRequestsMerge = false;
}

void TCustomChartPanel::RedrawWithWholeBackground() { throw BackgroundUncovered{}; }

void TCustomChartPanel::Frame3D(TRect& rect, TColor topLeft, TColor bottomRight, int width) {
  TChartCanvas3D& canvas = *fChartCanvas;
  for (int i = 0; i < width; ++i) {
    const int right = rect.Right - 1;
    const int bottom = rect.Bottom - 1;
    // Top-left colour: the left column and the top row up to the last
    // column; bottom-right colour: the right column and the bottom row, the
    // two far corners included.
    canvas.Pen().SetColor(topLeft);
    canvas.MovePenTo(rect.Left, bottom);
    canvas.DrawLineTo(rect.Left, rect.Top);
    canvas.DrawLineTo(right, rect.Top);
    canvas.Pen().SetColor(bottomRight);
    canvas.DrawLineTo(right, bottom);
    canvas.DrawLineTo(rect.Left - 1, bottom);
    rect = TRect{rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1};
  }
}

void TCustomChartPanel::PaintBevels(const TRect& rect) {
  TChartCanvas3D& canvas = *fChartCanvas;
  TPen& pen = canvas.Pen();
  pen.SetStyle(psSolid);
  pen.SetWidth(1);
  pen.SetMode(pmCopy);
  pen.SetAlternatePixels(false);
  canvas.Brush().SetStyle(bsClear);
  TRect r = rect;
  const auto bevel = [&](TBevelCut cut) {
    if (cut == bvNone) return;
    const TColor topLeft = cut == bvLowered ? clBtnShadow : clBtnHighlight;
    const TColor bottomRight = cut == bvRaised ? clBtnShadow : clBtnHighlight;
    Frame3D(r, topLeft, bottomRight, DevicePixels(fBevelWidth));
  };
  bevel(fBevelOuter);
  Frame3D(r, fColor, fColor, DevicePixels(fBorderWidth));
  bevel(fBevelInner);
}

int TCustomChartPanel::MultiLineExtent(const std::string& text, int& lineCount) {
  constexpr char kLineSeparator = '\r';
  if (text.find(kLineSeparator) == std::string::npos) {
    lineCount = 1;
    return fChartCanvas->MeasureTextWidth(text);
  }
  int width = 0;
  lineCount = 0;
  std::size_t start = 0;
  for (std::size_t end = text.find(kLineSeparator); end != std::string::npos;
       end = text.find(kLineSeparator, start)) {
    width = std::max(width, fChartCanvas->MeasureTextWidth(text.substr(start, end - start)));
    ++lineCount;
    start = end + 1;
  }
  if (start < text.size()) {
    width = std::max(width, fChartCanvas->MeasureTextWidth(text.substr(start)));
    ++lineCount;
  }
  return width;
}

void TCustomChartPanel::SetColor(TColor value) {
  if (fColor == value) return;
  fColor = value;
  RequestRepaint();
}

void TCustomChartPanel::SetBevelOuter(TBevelCut value) {
  if (fBevelOuter == value) return;
  fBevelOuter = value;
  RequestRepaint();
}

void TCustomChartPanel::SetBevelInner(TBevelCut value) {
  if (fBevelInner == value) return;
  fBevelInner = value;
  RequestRepaint();
}

void TCustomChartPanel::SetBevelWidth(int value) {
  if (fBevelWidth == value) return;
  fBevelWidth = value;
  RequestRepaint();
}

void TCustomChartPanel::SetBorderWidth(int value) {
  if (fBorderWidth == value) return;
  fBorderWidth = value;
  RequestRepaint();
}

void TCustomChartPanel::SetChart3DPercent(int value) {
  constexpr int kMinimum = 1;
  constexpr int kMaximum = 100;
  if (value < kMinimum || value > kMaximum) {
    char message[128];
    std::snprintf(message, sizeof message, ChartStrings::Invalid3DPercent, kMinimum, kMaximum);
    throw ChartException(message);
  }
  if (fChart3DPercent == value) return;
  fChart3DPercent = value;
  RequestRepaint();
}

void TCustomChartPanel::SetUseZOrder(bool value) {
  if (fUseZOrder == value) return;
  fUseZOrder = value;
  RequestRepaint();
}

int TCustomChartPanel::Margin(int index) const {
  if (index < kMarginLeft || index > kMarginBottom) throw EListError::IndexOutOfBounds(index);
  return fMarginPercents[index];
}

void TCustomChartPanel::SetMargin(int index, int value) {
  if (index < kMarginLeft || index > kMarginBottom) throw EListError::IndexOutOfBounds(index);
  if (fMarginPercents[index] == value) return;
  fMarginPercents[index] = value;
  RequestRepaint();
}

void TCustomChartPanel::SetView3D(bool value) {
  if (fView3D == value) return;
  fView3D = value;
  RequestRepaint();
}

bool TCustomChartPanel::Monochrome() const { return fChartCanvas->IsMonochrome(); }

void TCustomChartPanel::SetMonochrome(bool value) {
  if (fChartCanvas->IsMonochrome() == value) return;
  fChartCanvas->ChangeMonochrome(value);
  RequestRepaint();
}

void TCustomChartPanel::SetPlotRect(const TRect& rect) {
  fPlotRect = rect;
  NormalizeChartRect();
}

void TCustomChartPanel::NormalizeChartRect() {
  TRect& r = fPlotRect;
  r.Left = std::max(r.Left, fPanelBounds.Left);
  r.Top = std::max(r.Top, fPanelBounds.Top);
  if (r.Right < r.Left) {
    r.Right = r.Left + 1;
  } else if (r.Right == r.Left) {
    r.Right = r.Left + ClientWidth();
  }
  if (r.Bottom < r.Top) {
    r.Bottom = r.Top + 1;
  } else if (r.Bottom == r.Top) {
    r.Bottom = r.Top + ClientHeight();
  }
  fPlotWidth = r.Right - r.Left;
  fPlotHeight = r.Bottom - r.Top;
  fPlotCenterX = (r.Left + r.Right) / 2;
  fPlotCenterY = (r.Top + r.Bottom) / 2;
}

// ---------------------------------------------------------------------------
// TCustomChartPanelExtended

TCustomChartPanelExtended::TCustomChartPanelExtended()
    : fGradient(std::make_unique<TChartGradient>(*this)) {}

TCustomChartPanelExtended::~TCustomChartPanelExtended() = default;

void TCustomChartPanelExtended::SetBackImage(const TBitmap& picture) {
  fBackImage.SetSize(picture.Width(), picture.Height());
  if (HasBackImage()) fBackImage.Canvas().Draw(0, 0, picture);
  RequestRepaint();
}

void TCustomChartPanelExtended::SetBackImageMode(TChartBackImageMode value) {
  if (fBackImageMode == value) return;
  fBackImageMode = value;
  RequestRepaint();
}

void TCustomChartPanelExtended::PaintBackImage(const TRect& rect) {
  if (HasBackImage()) DrawBackImage(rect);
}

void TCustomChartPanelExtended::DrawBackImage(const TRect& rect) {
  TChartCanvas3D& canvas = ChartCanvas();
  const int w = fBackImage.Width();
  const int h = fBackImage.Height();
  switch (fBackImageMode) {
    case pbmStretch: canvas.DrawGraphicStretched(rect, &fBackImage); break;
    case pbmTile:
      // Tiles that reach beyond rect are cut at its edges.
      canvas.ClipTo(rect);
      for (int y = rect.Top; y < rect.Bottom; y += h) {
        for (int x = rect.Left; x < rect.Right; x += w) canvas.DrawGraphic(x, y, &fBackImage);
      }
      canvas.RemoveClip();
      break;
    case pbmCenter:
      canvas.DrawGraphic((rect.Left + rect.Right - w) / 2, (rect.Top + rect.Bottom - h) / 2,
                         &fBackImage);
      break;
  }
}

void TCustomChartPanelExtended::FillBackground(const TRect& rect) {
  TChartCanvas3D& canvas = ChartCanvas();
  const TChartGradient& gradient = *fGradient;
  if (gradient.Visible()) {
    const TGradientDirection direction = gradient.Direction();
    if (direction == gdTopBottom || direction == gdLeftRight) {
      canvas.FillGradientAround(rect, BackgroundHole(), gradient.StartColor(), gradient.EndColor(),
                                direction);
    } else {
      canvas.FillGradientAround(rect, BackgroundHole(), gradient.EndColor(), gradient.StartColor(),
                                direction);
    }
  } else if (!IsPrinting()) {
    canvas.Brush().SetColor(Color());
    canvas.Brush().SetStyle(bsSolid);
    canvas.ClearAreaAround(rect, BackgroundHole());
  }
}

void TCustomChartPanelExtended::PaintPanel(const TRect& rect) {
  FillBackground(rect);
  PaintBackImage(rect);
  PaintBevels(rect);
}

}  // namespace drivesim
