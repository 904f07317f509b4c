#pragma once
// The program's icon: two meshing gears, the small grey motor gear above and
// to the left of the large silver load gear, on the window's face colour.
// The windows carry the 32 x 32 picture; the desktop's menus show the same
// design at the icon theme's sizes.

namespace drivesim {

class TBitmap;

// The size of the picture the windows carry, pixels.
constexpr int kProgramIconSize = 32;

// Draws the icon on a size x size picture. At 32 x 32 every tooth, disc and
// hub is placed on the pixel grid the way the windows show it. Every other
// size draws the same gears at the same places, scaled: discs, hubs and
// upright square teeth on the rim, outlines one 32nd of the picture wide (at
// least one pixel), with edges smoothed by sampling each pixel 4 x 4 times.
void DrawProgramIcon(TBitmap& icon, int size = kProgramIconSize);

}  // namespace drivesim
