#pragma once
// The picture of the drive on the main window's image: a block sketch of the
// control loop in the left strip (converter-amplifier box, summing point,
// input, feedback and output arrows) and the mechanism seen obliquely on the
// right (motor drum and upper gear on one axis; sensor disc, lower gear and
// load disc on the other; dotted centre lines). The sketch is drawn once; the
// mechanism is drawn again on every timer tick so that the gears turn.
//
// The surface keeps its drawing state between calls: each routine sets the
// pen and brush it uses, except that the sketch relies on the fresh surface's
// solid pen of width 1. The mechanism routine leaves the pen dotted,
// kMechanismPen, width 1, and the brush kRearFill.

#include "mechanism/Gears.h"
#include "platform/Graphics.h"

namespace drivesim {

// Size of the picture surface, pixels.
constexpr int kPictureWidth = 353;
constexpr int kPictureHeight = 313;

// Every outline and line of the mechanism, RGB(80, 100, 80).
constexpr TColor kMechanismPen = RGB(80, 100, 80);
// Motor drum, sensor disc and rear shafts, and the gaps of the dotted axes.
constexpr TColor kRearFill = RGB(180, 200, 180);
// The Middle and Back layers of both gears.
constexpr TColor kGearSideFill = clSilver;
// The amplifier box and the summing point of the sketch, RGB(200, 200, 220).
constexpr TColor kSketchFill = RGB(200, 200, 220);

// Draws the block sketch of the control loop in black on the left strip.
// An empty surface is first given the picture's size.
void DrawBlockSketch(TBitmap& surface);

// Clears the mechanism part (columns 92..319, rows 0..299) and draws the
// mechanism with the six outlines of the gear pair. An empty surface is first
// given the picture's size. The surface reports one change when done.
//
// Only the gears change from one redraw to the next: the parts behind and in
// front of them are laid as the pixels they always set, and the gears drawn
// between them.
void DrawMechanism(TBitmap& surface, const GearPair& gears);

// DrawMechanism with every part drawn step by step; the same pixels and the
// same pen and brush afterwards, at several times the cost.
void DrawMechanismStepByStep(TBitmap& surface, const GearPair& gears);

// The whole picture, the sketch and then the mechanism with the gears as
// their outlines were last built, drawn afresh on a surface `ratio` times as
// dense as the picture (device pixels per picture pixel; 1.5 at 144 pixels
// per inch): every shape's geometry `ratio` times as large, the picture's
// lines as wide as the chart draws its 1-pixel pens at that ratio, and the
// gear outlines built anew at the larger size, so that the picture is as
// sharp as the screen and not its pixels enlarged. An empty surface is first
// given the picture's size at the ratio (353 x 313 times the ratio, halves
// rounded up); the surface is drawn over whole, from a fresh drawing state,
// and reports one change when done. At a ratio of 1 it is the picture
// DrawBlockSketch and DrawMechanism draw on a fresh surface, pixel for
// pixel. Raises Exception "Invalid pixel ratio" for a ratio that is not a
// positive number.
void DrawPictureAtDensity(TBitmap& surface, const GearPair& gears, double ratio);

}  // namespace drivesim
