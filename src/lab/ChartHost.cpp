#include "lab/ChartHost.h"

#include <QResizeEvent>
#include <utility>

#include "platform/Application.h"
#include "platform/CustomPanel.h"

namespace drivesim {

TChartHost::TChartHost(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, Qt::white);
  setPalette(palette);
}

void TChartHost::SetPanel(TCustomPanel* panel, std::function<void(int, int)> resize) {
  fPanel = panel;
  fResize = std::move(resize);
  if (!fPanel) return;
  fPanel->CreateWidget(this);
  if (fResize) {
    const int w = width();
    const int h = height();
    RunGuarded([this, w, h] { fResize(w, h); });
  }
}

void TChartHost::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (!fPanel || !fResize) return;
  const QSize size = event->size();
  RunGuarded([this, size] { fResize(size.width(), size.height()); });
}

}  // namespace drivesim
