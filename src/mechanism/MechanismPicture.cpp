#include "mechanism/MechanismPicture.h"

#include <vector>

#include "platform/Canvas.h"

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

}  // namespace

void DrawMechanism(TBitmap& surface, const GearPair& gears) {
  EnsureSize(surface);
  QuietDrawing quiet(surface);
  TCanvas& canvas = surface.Canvas();
  TPen& pen = canvas.Pen();
  TBrush& brush = canvas.Brush();

  // Clear the mechanism part; the sketch strip left of x = 92, the columns
  // from 320 on and the rows from 300 down stay as they are.
  pen.SetColor(clWhite);
  pen.SetStyle(psSolid);
  pen.SetWidth(1);
  brush.SetColor(clWhite);
  canvas.Rectangle(92, 0, 320, 300);

  // The rear parts: motor drum, sensor disc, the lower gear's rear shaft and
  // the upper gear's shaft.
  pen.SetColor(kMechanismPen);
  brush.SetColor(kRearFill);
  Stack(canvas, 70, 10, 170, 110, 27);
  Stack(canvas, 77, 136, 107, 166, 11);
  Stack(canvas, 105, 154, 119, 168, 37);
  Stack(canvas, 165, 79, 179, 93, 11);

  // The gears' receding layers in silver, then their white front faces.
  brush.SetColor(kGearSideFill);
  FillOutline(canvas, gears.LoadGear.Back);
  FillOutline(canvas, gears.LoadGear.Middle);
  FillOutline(canvas, gears.MotorGear.Back);
  FillOutline(canvas, gears.MotorGear.Middle);
  brush.SetColor(clWhite);
  FillOutline(canvas, gears.LoadGear.Front);
  FillOutline(canvas, gears.MotorGear.Front);

  // Centre lines of the gear faces, with white gaps: the vertical one through
  // both gear centres and the horizontal one of the lower gear.
  pen.SetStyle(psDot);
  Line(canvas, 192, 30, 192, 271);
  Line(canvas, 122, 201, 262, 201);

  // The front parts: the lower gear's front shaft and the load disc.
  pen.SetStyle(psSolid);
  brush.SetColor(clWhite);
  Stack(canvas, 180, 189, 204, 213, 27);
  Stack(canvas, 204, 187, 284, 267, 17);

  // The axes, with gaps in the rear colour: the upper axis through the drum
  // and the upper gear, the upper gear's horizontal centre line, the lower
  // axis through the sensor disc, the lower gear and the load disc, and the
  // centre cross of the load disc's front face.
  brush.SetColor(kRearFill);
  pen.SetStyle(psDot);
  Line(canvas, 60, 30, 220, 110);
  Line(canvas, 122, 96, 262, 96);
  Line(canvas, 72, 141, 292, 251);
  Line(canvas, 276, 195, 276, 290);
  Line(canvas, 230, 243, 322, 243);
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
