#pragma once
// The guarded pointer from a control to its Qt widget, shared by the files
// of the controls (Controls.cpp, Containers.cpp, Forms.cpp): it turns null
// when the widget is destroyed with its parent. Nothing outside src/platform
// includes this header.

#include <QPointer>
#include <QWidget>

namespace drivesim {

struct TWidgetHandle {
  QPointer<QWidget> widget;
};

}  // namespace drivesim
