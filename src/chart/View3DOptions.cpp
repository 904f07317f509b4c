#include "chart/View3DOptions.h"

namespace drivesim {

void TView3DOptions::Repaint() const {
  if (OnRepaint) OnRepaint();
}

void TView3DOptions::SetElevation(int value) {
  if (value == fElevation) return;
  fElevation = value;
  Repaint();
}

void TView3DOptions::SetHorizOffset(int value) {
  if (value == fHorizOffset) return;
  fHorizOffset = value;
  if (OnScrolled) OnScrolled(true);
  Repaint();
}

void TView3DOptions::SetOrthogonal(bool value) {
  if (value == fOrthogonal) return;
  fOrthogonal = value;
  Repaint();
}

void TView3DOptions::SetPerspective(int value) {
  if (value == fPerspective) return;
  fPerspective = value;
  Repaint();
}

void TView3DOptions::SetRotation(int value) {
  if (value == fRotation) return;
  fRotation = value;
  Repaint();
}

void TView3DOptions::SetTilt(int value) {
  if (value == fTilt) return;
  fTilt = value;
  Repaint();
}

void TView3DOptions::SetVertOffset(int value) {
  if (value == fVertOffset) return;
  fVertOffset = value;
  if (OnScrolled) OnScrolled(false);
  Repaint();
}

void TView3DOptions::SetZoom(int value) {
  if (value == fZoom) return;
  if (OnZoom) OnZoom(value);
  fZoom = value;
  Repaint();
}

void TView3DOptions::SetZoomText(bool value) {
  if (value == fZoomText) return;
  fZoomText = value;
  Repaint();
}

}  // namespace drivesim
