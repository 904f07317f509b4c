#include "lab/ChartHost.h"

#include <QResizeEvent>
#include <utility>

#include "analysis/PrintChart.h"
#include "chart/Chart.h"
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
    RunGuarded([this, w, h] { Resize(w, h); });
  }
}

void TChartHost::Resize(int width, int height) {
  fResize(width, height);
  // A chart shows at its first paint at this size the layout it keeps.
  if (auto* chart = dynamic_cast<TChart*>(fPanel)) LayOutChart(*chart);
}

void TChartHost::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (!fPanel || !fResize) return;
  const QSize size = event->size();
  RunGuarded([this, size] { Resize(size.width(), size.height()); });
}

}  // namespace drivesim
