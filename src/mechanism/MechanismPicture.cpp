#include "mechanism/MechanismPicture.h"

#include <vector>

#include "platform/Canvas.h"
#include "platform/PixelLayer.h"

namespace drivesim {

namespace {

void EnsureSize(TBitmap& surface) {
  if (surface.Width() == 0 || surface.Height() == 0) {
    surface.SetSize(kPictureWidth, kPictureHeight);
  }
}

// A cylinder seen obliquely: the ellipse drawn `copies` times, copy j shifted
// by (2j, j), each over the previous ones, so that its front face lies
// towards the lower right along the direction (2, 1) in which the gear
// layers recede.
void Stack(TCanvas& canvas, int left, int top, int right, int bottom, int copies) {
  for (int j = 0; j < copies; ++j) {
    canvas.Ellipse(left + 2 * j, top + j, right + 2 * j, bottom + j);
  }
}

void FillOutline(TCanvas& canvas, const std::vector<TPoint>& outline) {
  canvas.Polygon(outline.data(), static_cast<int>(outline.size()));
}

void Line(TCanvas& canvas, int x0, int y0, int x1, int y1) {
  canvas.MoveTo(x0, y0);
  canvas.LineTo(x1, y1);
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
void LastLine(TCanvas& canvas) { Line(canvas, 230, 243, 322, 243); }

// The parts of the mechanism, in the order they are drawn: the rear parts
// (the clearing, the drum, the sensor disc and the shafts behind the gears),
// the gears, and the front parts (the centre lines, the lower gear's front
// shaft, the load disc and the axes).
enum MechanismPart : unsigned { kRearParts = 1, kGears = 2, kFrontParts = 4 };

// The steps of the mechanism, drawing only the parts asked for. The pen and
// the brush are set as every step sets them whatever is drawn, so that each
// part is drawn with the pen and brush it has in the whole picture, and the
// surface is left as the whole picture leaves it.
void MechanismSteps(TCanvas& canvas, const GearPair* gears, unsigned parts) {
  TPen& pen = canvas.Pen();
  TBrush& brush = canvas.Brush();
  const bool rear = (parts & kRearParts) != 0;
  const bool front = (parts & kFrontParts) != 0;

  // Clear the mechanism part; the sketch strip left of x = 92, the columns
  // from 320 on and the rows from 300 down stay as they are.
  pen.SetColor(clWhite);
  pen.SetStyle(psSolid);
  pen.SetWidth(1);
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
    FillOutline(canvas, gears->LoadGear.Back);
    FillOutline(canvas, gears->LoadGear.Middle);
    FillOutline(canvas, gears->MotorGear.Back);
    FillOutline(canvas, gears->MotorGear.Middle);
  }
  brush.SetColor(clWhite);
  if (drawGears) {
    FillOutline(canvas, gears->LoadGear.Front);
    FillOutline(canvas, gears->MotorGear.Front);
  }

  // Centre lines of the gear faces, with white gaps: the vertical one through
  // both gear centres and the horizontal one of the lower gear.
  pen.SetStyle(psDot);
  if (front) {
    Line(canvas, 192, 30, 192, 271);
    Line(canvas, 122, 201, 262, 201);
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
    Line(canvas, 60, 30, 220, 110);
    Line(canvas, 122, 96, 262, 96);
    Line(canvas, 72, 141, 292, 251);
    Line(canvas, 276, 195, 276, 290);
    LastLine(canvas);
  }
}

// The rear and the front parts do not depend on the gears: they are the same
// pixels in the same colours at every redraw. Each is drawn once, on a
// surface of the picture's size with a fresh canvas, and kept as the pixels
// it sets.
struct FixedParts {
  TPixelLayer Rear;
  TPixelLayer Front;
};

const FixedParts& TheFixedParts() {
  static const FixedParts parts{
      TPixelLayer::Capture(kPictureWidth, kPictureHeight,
                           [](TCanvas& canvas) { MechanismSteps(canvas, nullptr, kRearParts); }),
      TPixelLayer::Capture(kPictureWidth, kPictureHeight,
                           [](TCanvas& canvas) { MechanismSteps(canvas, nullptr, kFrontParts); })};
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

}  // namespace

void DrawMechanism(TBitmap& surface, const GearPair& gears) {
  EnsureSize(surface);
  QuietDrawing quiet(surface);
  TCanvas& canvas = surface.Canvas();
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
  canvas.DrawPixelLayer(fixed.Rear);
  MechanismSteps(canvas, &gears, kGears);
  canvas.DrawPixelLayer(fixed.Front);
  LastLine(canvas);
}

void DrawMechanismStepByStep(TBitmap& surface, const GearPair& gears) {
  EnsureSize(surface);
  QuietDrawing quiet(surface);
  MechanismSteps(surface.Canvas(), &gears, kRearParts | kGears | kFrontParts);
}

void DrawBlockSketch(TBitmap& surface) {
  EnsureSize(surface);
  QuietDrawing quiet(surface);
  TCanvas& canvas = surface.Canvas();
  canvas.Pen().SetColor(clBlack);
  canvas.Brush().SetColor(kSketchFill);

  // The converter-amplifier and the summing point.
  canvas.Rectangle(10, 80, 50, 150);
  canvas.Ellipse(15, 180, 45, 210);

  // The feedback line from inside the sensor disc down and left into the
  // summing point, ending in a closed arrowhead pointing left.
  const TPoint feedback[] = {{90, 160}, {90, 195}, {45, 195}, {50, 190}, {50, 200}, {45, 195}};
  canvas.Polyline(feedback, 6);
  // From the summing point up into the amplifier box.
  const TPoint error[] = {{30, 180}, {30, 150}, {25, 155}, {35, 155}, {30, 150}};
  canvas.Polyline(error, 5);
  // From the box up and right to the motor drum.
  const TPoint output[] = {{30, 80}, {30, 60}, {70, 60}, {65, 65}, {65, 55}, {70, 60}};
  canvas.Polyline(output, 6);
  // The input, from below into the summing point.
  const TPoint input[] = {{30, 230}, {30, 210}, {25, 215}, {35, 215}, {30, 210}};
  canvas.Polyline(input, 5);

  // The cross in the summing point.
  Line(canvas, 20, 185, 40, 205);
  Line(canvas, 40, 185, 20, 205);
}

}  // namespace drivesim
