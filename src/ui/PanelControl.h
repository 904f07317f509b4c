#pragma once
// Places a custom-painted control (the oscilloscope chart) among a window's
// controls: its widget lives in the parent's client area, it keeps the
// control's bounds and cursor, and it takes a place in the parent's tab
// order without being a tab stop.

#include "platform/Controls.h"
#include "platform/CustomPanel.h"

namespace drivesim {

class TPanelControl : public TControl {
 public:
  // The panel must outlive this control (declare it before its host).
  TPanelControl(TWinControl* parent, TCustomPanel& panel);
  TCustomPanel& Panel() const { return fPanel; }

 protected:
  // Moving or resizing the control moves or resizes the panel.
  void ApplyBounds() override;

 private:
  TCustomPanel& fPanel;  // not owned
};

}  // namespace drivesim
