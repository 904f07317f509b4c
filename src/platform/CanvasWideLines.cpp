// Wide solid lines drawn many at a time (TCanvas::DrawWideLines).
//
// The pixels of a wide line are the platform painter's, and they are not
// the same wherever the line lies: where the edge of its round ends passes
// exactly through a pixel's centre, the painter's arithmetic decides by the
// line's position. So each line is drawn by the painter, in turn, with the
// canvas's pen in the line's colour; the batch spares its callers the
// pen's changes and the bitmap's notifications between the lines.
#include "platform/Canvas.h"

namespace drivesim {

void TCanvas::DrawWideLines(const TThinLine* lines, int count) {
  if (lines == nullptr || count <= 0) return;
  if (VisibleRect().IsEmpty()) return;
  const TPoint penPos = fPenPos;
  const int patternPhase = fPatternPhase;
  const TColor penColor = fPen.Color();
  const bool notify = fBitmap.NotificationsEnabled;
  fBitmap.NotificationsEnabled = false;
  for (int i = 0; i < count; ++i) {
    const TThinLine& line = lines[i];
    fPen.SetColor(line.Color);
    MoveTo(line.X0, line.Y0);
    LineTo(line.X1, line.Y1);
  }
  fPen.SetColor(penColor);
  fPenPos = penPos;
  fPatternPhase = patternPhase;
  fBitmap.NotificationsEnabled = notify;
  fBitmap.Changed();
}

}  // namespace drivesim
