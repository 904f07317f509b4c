#include "chart/View3DOptions.h"

namespace drivesim {

namespace {

// Nothing to announce or report beyond the repaint.
constexpr auto kNoNotice = [](auto...) {};

}  // namespace

void TView3DOptions::Repaint() const {
  if (OnRepaint) OnRepaint();
}

void TView3DOptions::TellScrolled(bool horizontal) const {
  if (OnScrolled) OnScrolled(horizontal);
}

void TView3DOptions::TellZoom(int newZoom) const {
  if (OnZoom) OnZoom(newZoom);
}

template <typename T, typename Announce, typename Report>
void TView3DOptions::Change(T& field, T value, Announce announce, Report report) {
  if (value == field) return;
  announce(value);
  field = value;
  report();
  Repaint();
}

template <typename T>
void TView3DOptions::Change(T& field, T value) {
  Change(field, value, kNoNotice, kNoNotice);
}

void TView3DOptions::SetElevation(int value) { Change(fElevation, value); }

void TView3DOptions::SetHorizOffset(int value) {
  Change(fHorizOffset, value, kNoNotice, [this] { TellScrolled(true); });
}

void TView3DOptions::SetOrthogonal(bool value) { Change(fOrthogonal, value); }

void TView3DOptions::SetPerspective(int value) { Change(fPerspective, value); }

void TView3DOptions::SetRotation(int value) { Change(fRotation, value); }

void TView3DOptions::SetTilt(int value) { Change(fTilt, value); }

void TView3DOptions::SetVertOffset(int value) {
  Change(fVertOffset, value, kNoNotice, [this] { TellScrolled(false); });
}

void TView3DOptions::SetZoom(int value) {
  const auto announce = [this](int newZoom) { TellZoom(newZoom); };
  Change(fZoom, value, announce, kNoNotice);
}

void TView3DOptions::SetZoomText(bool value) { Change(fZoomText, value); }

}  // namespace drivesim
