#pragma once
// The 3D view options of a chart.

#include <functional>

namespace drivesim {

// The view settings of a chart drawn in perspective, owned by the chart
// panel. They are only data here: a flat chart reads none of them except
// through BeginFrame's 3D branch and SetProjection's offsets.
class TView3DOptions {
 public:
  int Elevation() const { return fElevation; }
  void SetElevation(int value);
  int HorizOffset() const { return fHorizOffset; }
  void SetHorizOffset(int value);
  bool Orthogonal() const { return fOrthogonal; }
  void SetOrthogonal(bool value);
  int Perspective() const { return fPerspective; }
  void SetPerspective(int value);
  int Rotation() const { return fRotation; }
  void SetRotation(int value);
  int Tilt() const { return fTilt; }
  void SetTilt(int value);
  int VertOffset() const { return fVertOffset; }
  void SetVertOffset(int value);
  // Percent.
  int Zoom() const { return fZoom; }
  void SetZoom(int value);
  bool ZoomText() const { return fZoomText; }
  void SetZoomText(bool value);

  // Asks the owner to repaint.
  void Repaint() const;

  // Owner notifications. OnRepaint follows every change; OnScrolled follows a
  // new HorizOffset (true) or VertOffset (false) before the repaint; OnZoom
  // receives a new Zoom before it is stored.
  std::function<void()> OnRepaint;
  std::function<void(bool horizontal)> OnScrolled;
  std::function<void(int newZoom)> OnZoom;

 private:
  // The one pattern of every setter: a value equal to the current one does
  // nothing; a new one is announced (OnZoom hears it before it is stored),
  // stored, reported (OnScrolled hears of a stored offset), and the owner is
  // asked to repaint.
  template <typename T, typename Announce, typename Report>
  void Change(T& field, T value, Announce announce, Report report);
  template <typename T>
  void Change(T& field, T value);
  void TellScrolled(bool horizontal) const;
  void TellZoom(int newZoom) const;

  int fElevation = 345;
  int fHorizOffset = 0;
  bool fOrthogonal = true;
  int fPerspective = 15;
  int fRotation = 345;
  int fTilt = 0;
  int fVertOffset = 0;
  int fZoom = 100;
  bool fZoomText = true;
};

}  // namespace drivesim
