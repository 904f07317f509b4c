#include "mechanism/MechanismPicture.h"

#include <vector>

#include "mechanism/PictureScale.h"
#include "platform/Canvas.h"
#include "platform/PixelLayer.h"

namespace drivesim {

namespace {

void EnsureSize(TBitmap& surface) {
  if (surface.Width() == 0 || surface.Height() == 0) {
    surface.SetSize(kPictureWidth, kPictureHeight);
  }
}

// The picture's shapes on a canvas `Scale` times as dense as the picture:
// every position goes through the scale, and the picture's lines are drawn
// LineWidth device pixels wide. At a ratio of 1 every call is the canvas's
// own with the same arguments.
class ScaledCanvas {
 public:
  ScaledCanvas(TCanvas& canvas, const TPictureScale& scale) : fCanvas(canvas), fScale(scale) {}
  TCanvas& Canvas() { return fCanvas; }
  const TPictureScale& Scale() const { return fScale; }
  bool Dense() const { return fScale.Ratio() != 1.0; }
  TPen& Pen() { return fCanvas.Pen(); }
  TBrush& Brush() { return fCanvas.Brush(); }

  void Rectangle(int left, int top, int right, int bottom) {
    const TRect box = fScale.Box(left, top, right, bottom);
    fCanvas.Rectangle(box.Left, box.Top, box.Right, box.Bottom);
  }
  void Ellipse(int left, int top, int right, int bottom) {
    const TRect box = fScale.Box(left, top, right, bottom);
    fCanvas.Ellipse(box.Left, box.Top, box.Right, box.Bottom);
  }
  void Line(int x0, int y0, int x1, int y1) {
    fCanvas.MoveTo(fScale.Pixel(x0), fScale.Pixel(y0));
    fCanvas.LineTo(fScale.Pixel(x1), fScale.Pixel(y1));
  }
  template <int Count>
  void Polyline(const TPoint (&points)[Count]) {
    if (!Dense()) {
      fCanvas.Polyline(points, Count);
      return;
    }
    TPoint scaled[Count];
    for (int i = 0; i < Count; ++i) scaled[i] = fScale.Point(points[i]);
    fCanvas.Polyline(scaled, Count);
  }
  // A filled polygon through all points of one layer's outline, built anew
  // at the scale on a denser surface.
  void GearOutline(const TGear& gear, TGearLayer layer) {
    const std::vector<TPoint>* outline = &gear.Outline(layer);
    if (Dense()) {
      GearPair::BuildScaledOutline(gear, layer, fScale, fScaledOutline);
      outline = &fScaledOutline;
    }
    fCanvas.Polygon(outline->data(), static_cast<int>(outline->size()));
  }

 private:
  TCanvas& fCanvas;
  const TPictureScale& fScale;
  std::vector<TPoint> fScaledOutline;  // scratch for the denser outlines
};

// A cylinder seen obliquely: the ellipse drawn `copies` times, copy j shifted
// by (2j, j), each over the previous ones, so that its front face lies
// towards the lower right along the direction (2, 1) in which the gear
// layers recede.
void Stack(ScaledCanvas& canvas, int left, int top, int right, int bottom, int copies) {
  for (int j = 0; j < copies; ++j) {
    canvas.Ellipse(left + 2 * j, top + j, right + 2 * j, bottom + j);
  }
}

// Drawing with the surface's notifications held back, reported once at the
// end, so that a redraw asks the image for one repaint.
class QuietDrawing {
 public:
  explicit QuietDrawing(TBitmap& surface)
      : fSurface(surface), fWasEnabled(surface.NotificationsEnabled) {
    fSurface.NotificationsEnabled = false;
  }
  ~QuietDrawing() {
    fSurface.NotificationsEnabled = fWasEnabled;
    fSurface.Changed();
  }
  QuietDrawing(const QuietDrawing&) = delete;
  QuietDrawing& operator=(const QuietDrawing&) = delete;

 private:
  TBitmap& fSurface;
  bool fWasEnabled;
};

// The last line of the mechanism, which leaves the pen where the picture
// leaves it.
void LastLine(ScaledCanvas& canvas) { canvas.Line(230, 243, 322, 243); }

// The parts of the mechanism, in the order they are drawn: the rear parts
// (the clearing, the drum, the sensor disc and the shafts behind the gears),
// the gears, and the front parts (the centre lines, the lower gear's front
// shaft, the load disc and the axes).
enum MechanismPart : unsigned { kRearParts = 1, kGears = 2, kFrontParts = 4 };

// The steps of the mechanism, drawing only the parts asked for. The pen and
// the brush are set as every step sets them whatever is drawn, so that each
// part is drawn with the pen and brush it has in the whole picture, and the
// surface is left as the whole picture leaves it.
void MechanismSteps(ScaledCanvas& canvas, const GearPair* gears, unsigned parts) {
  TPen& pen = canvas.Pen();
  TBrush& brush = canvas.Brush();
  const bool rear = (parts & kRearParts) != 0;
  const bool front = (parts & kFrontParts) != 0;

  // Clear the mechanism part; the sketch strip left of x = 92, the columns
  // from 320 on and the rows from 300 down stay as they are.
  pen.SetColor(clWhite);
  pen.SetStyle(psSolid);
  pen.SetWidth(canvas.Scale().LineWidth());
  brush.SetColor(clWhite);
  if (rear) canvas.Rectangle(92, 0, 320, 300);

  // The rear parts: motor drum, sensor disc, the lower gear's rear shaft and
  // the upper gear's shaft.
  pen.SetColor(kMechanismPen);
  brush.SetColor(kRearFill);
  if (rear) {
    Stack(canvas, 70, 10, 170, 110, 27);
    Stack(canvas, 77, 136, 107, 166, 11);
    Stack(canvas, 105, 154, 119, 168, 37);
    Stack(canvas, 165, 79, 179, 93, 11);
  }

  // The gears' receding layers in silver, then their white front faces.
  const bool drawGears = (parts & kGears) != 0 && gears != nullptr;
  brush.SetColor(kGearSideFill);
  if (drawGears) {
    canvas.GearOutline(gears->LoadGear, glBack);
    canvas.GearOutline(gears->LoadGear, glMiddle);
    canvas.GearOutline(gears->MotorGear, glBack);
    canvas.GearOutline(gears->MotorGear, glMiddle);
  }
  brush.SetColor(clWhite);
  if (drawGears) {
    canvas.GearOutline(gears->LoadGear, glFront);
    canvas.GearOutline(gears->MotorGear, glFront);
  }

  // Centre lines of the gear faces, with white gaps: the vertical one through
  // both gear centres and the horizontal one of the lower gear.
  pen.SetStyle(psDot);
  if (front) {
    canvas.Line(192, 30, 192, 271);
    canvas.Line(122, 201, 262, 201);
  }

  // The front parts: the lower gear's front shaft and the load disc.
  pen.SetStyle(psSolid);
  brush.SetColor(clWhite);
  if (front) {
    Stack(canvas, 180, 189, 204, 213, 27);
    Stack(canvas, 204, 187, 284, 267, 17);
  }

  // The axes, with gaps in the rear colour: the upper axis through the drum
  // and the upper gear, the upper gear's horizontal centre line, the lower
  // axis through the sensor disc, the lower gear and the load disc, and the
  // centre cross of the load disc's front face.
  brush.SetColor(kRearFill);
  pen.SetStyle(psDot);
  if (front) {
    canvas.Line(60, 30, 220, 110);
    canvas.Line(122, 96, 262, 96);
    canvas.Line(72, 141, 292, 251);
    canvas.Line(276, 195, 276, 290);
    LastLine(canvas);
  }
}

// The block sketch in black: the converter-amplifier box, the summing point
// and the arrows. On the picture's own surface it relies on the fresh
// surface's solid pen of width 1; on a denser one it sets the pen to the
// picture's line width.
void SketchSteps(ScaledCanvas& canvas) {
  if (canvas.Dense()) {
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(canvas.Scale().LineWidth());
  }
  canvas.Pen().SetColor(clBlack);
  canvas.Brush().SetColor(kSketchFill);

  // The converter-amplifier and the summing point.
  canvas.Rectangle(10, 80, 50, 150);
  canvas.Ellipse(15, 180, 45, 210);

  // The feedback line from inside the sensor disc down and left into the
  // summing point, ending in a closed arrowhead pointing left.
  const TPoint feedback[] = {{90, 160}, {90, 195}, {45, 195}, {50, 190}, {50, 200}, {45, 195}};
  canvas.Polyline(feedback);
  // From the summing point up into the amplifier box.
  const TPoint error[] = {{30, 180}, {30, 150}, {25, 155}, {35, 155}, {30, 150}};
  canvas.Polyline(error);
  // From the box up and right to the motor drum.
  const TPoint output[] = {{30, 80}, {30, 60}, {70, 60}, {65, 65}, {65, 55}, {70, 60}};
  canvas.Polyline(output);
  // The input, from below into the summing point.
  const TPoint input[] = {{30, 230}, {30, 210}, {25, 215}, {35, 215}, {30, 210}};
  canvas.Polyline(input);

  // The cross in the summing point.
  canvas.Line(20, 185, 40, 205);
  canvas.Line(40, 185, 20, 205);
}

const TPictureScale& PictureOwnScale() {
  static const TPictureScale scale(1.0);
  return scale;
}

// The rear and the front parts do not depend on the gears: they are the same
// pixels in the same colours at every redraw. Each is drawn once, on a
// surface of the picture's size with a fresh canvas, and kept as the pixels
// it sets.
struct FixedParts {
  TPixelLayer Rear;
  TPixelLayer Front;
};

TPixelLayer CaptureSteps(int width, int height, const TPictureScale& scale, unsigned parts) {
  return TPixelLayer::Capture(width, height, [&](TCanvas& canvas) {
    ScaledCanvas scaled(canvas, scale);
    MechanismSteps(scaled, nullptr, parts);
  });
}

const FixedParts& TheFixedParts() {
  static const FixedParts parts{
      CaptureSteps(kPictureWidth, kPictureHeight, PictureOwnScale(), kRearParts),
      CaptureSteps(kPictureWidth, kPictureHeight, PictureOwnScale(), kFrontParts)};
  return parts;
}

// Whether the surface draws the mechanism's parts as the fresh canvas the
// fixed parts were drawn on: of the picture's size, without a clip, with a
// pen in the copy mode that is not the alternate-pixel pen and a solid brush.
// Every other pen and brush setting is made by the steps themselves.
bool DrawsLikeTheFixedParts(TBitmap& surface) {
  TCanvas& canvas = surface.Canvas();
  return surface.Width() == kPictureWidth && surface.Height() == kPictureHeight &&
         !canvas.HasClip() && canvas.Pen().Mode() == pmCopy && !canvas.Pen().AlternatePixels() &&
         canvas.Brush().Style() == bsSolid;
}

// The picture at one density but for its gears: everything behind them (the
// white surface, the sketch and the mechanism's rear parts, which sets every
// pixel) and the front parts, each kept as the pixels it sets, for the last
// ratio and surface size asked for. Kept per thread, so that pictures can be
// drawn on any thread.
struct DenseParts {
  double Ratio = 0;
  int Width = 0;
  int Height = 0;
  TPixelLayer Behind;
  TPixelLayer Front;
};

const DenseParts& DensePartsAt(const TPictureScale& scale, int width, int height) {
  thread_local DenseParts parts;
  if (parts.Ratio == scale.Ratio() && parts.Width == width && parts.Height == height) {
    return parts;
  }
  parts.Behind = TPixelLayer::Capture(width, height, [&](TCanvas& canvas) {
    ScaledCanvas scaled(canvas, scale);
    canvas.FillRect(TRect{0, 0, width, height});
    SketchSteps(scaled);
    MechanismSteps(scaled, nullptr, kRearParts);
  });
  parts.Front = CaptureSteps(width, height, scale, kFrontParts);
  parts.Ratio = scale.Ratio();
  parts.Width = width;
  parts.Height = height;
  return parts;
}

// Gives the canvas the drawing state of a fresh surface: a solid black pen
// of width 1 in the copy mode, a solid white brush with its opaque
// background, no clip.
void FreshDrawingState(TCanvas& canvas) {
  canvas.RemoveClip();
  canvas.Pen().Assign(TPen());
  canvas.Brush().Assign(TBrush());
  canvas.SetBackgroundMode(OPAQUE);
  canvas.SetBackgroundColor(clWhite);
}

}  // namespace

void DrawMechanism(TBitmap& surface, const GearPair& gears) {
  EnsureSize(surface);
  QuietDrawing quiet(surface);
  ScaledCanvas canvas(surface.Canvas(), PictureOwnScale());
  if (!DrawsLikeTheFixedParts(surface)) {
    MechanismSteps(canvas, &gears, kRearParts | kGears | kFrontParts);
    return;
  }
  // The fixed parts are laid as the pixels they set, the gears drawn
  // between them. None of the parts depends on the pixels below it, so the
  // surface ends exactly as with every step drawn. The last line is drawn
  // again (over its own pixels) so that the pen ends where and as the
  // picture leaves it.
  const FixedParts& fixed = TheFixedParts();
  canvas.Canvas().DrawPixelLayer(fixed.Rear);
  MechanismSteps(canvas, &gears, kGears);
  canvas.Canvas().DrawPixelLayer(fixed.Front);
  LastLine(canvas);
}

void DrawMechanismStepByStep(TBitmap& surface, const GearPair& gears) {
  EnsureSize(surface);
  QuietDrawing quiet(surface);
  ScaledCanvas canvas(surface.Canvas(), PictureOwnScale());
  MechanismSteps(canvas, &gears, kRearParts | kGears | kFrontParts);
}

void DrawBlockSketch(TBitmap& surface) {
  EnsureSize(surface);
  QuietDrawing quiet(surface);
  ScaledCanvas canvas(surface.Canvas(), PictureOwnScale());
  SketchSteps(canvas);
}

void DrawPictureAtDensity(TBitmap& surface, const GearPair& gears, double ratio) {
  const TPictureScale scale(ratio);
  if (surface.Width() == 0 || surface.Height() == 0) {
    surface.SetSize(scale.DeviceLength(kPictureWidth), scale.DeviceLength(kPictureHeight));
  }
  QuietDrawing quiet(surface);
  TCanvas& canvas = surface.Canvas();
  FreshDrawingState(canvas);
  if (ratio == 1.0) {
    // The picture's own steps, on a surface made fresh.
    canvas.FillRect(TRect{0, 0, surface.Width(), surface.Height()});
    DrawBlockSketch(surface);
    DrawMechanism(surface, gears);
    return;
  }
  // As DrawMechanism lays its fixed parts: what lies behind the gears and
  // what lies in front of them are laid as the pixels they set, the gears
  // drawn between them, and the last line drawn again so that the pen ends
  // as the picture leaves it.
  const DenseParts& parts = DensePartsAt(scale, surface.Width(), surface.Height());
  ScaledCanvas scaled(canvas, scale);
  canvas.DrawPixelLayer(parts.Behind);
  MechanismSteps(scaled, &gears, kGears);
  canvas.DrawPixelLayer(parts.Front);
  LastLine(scaled);
}

}  // namespace drivesim
