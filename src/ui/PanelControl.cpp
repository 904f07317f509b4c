#include "ui/PanelControl.h"

#include <QWidget>

namespace drivesim {

TPanelControl::TPanelControl(TWinControl* parent, TCustomPanel& panel)
    : TControl(parent, false), fPanel(panel) {
  SetBounds(panel.Left(), panel.Top(), panel.Width(), panel.Height());
  const TCursor cursor = panel.Cursor();
  AttachWidget(static_cast<QWidget*>(panel.CreateWidget(ParentWidget())));
  // Attaching applies the control's own (default) cursor; the panel's is the
  // one that counts.
  panel.SetCursor(cursor);
}

void TPanelControl::ApplyBounds() { fPanel.SetBounds(Left(), Top(), Width(), Height()); }

}  // namespace drivesim
