#pragma once
// A chart of the chart engine inside a window laid out by Qt's layouts: the
// host is an ordinary widget that the layout sizes, and the chart fills it,
// taking its size whenever the layout changes it.

#include <QWidget>
#include <functional>

namespace drivesim {

class TCustomPanel;

class TChartHost : public QWidget {
 public:
  explicit TChartHost(QWidget* parent = nullptr);

  // Shows the panel (a chart) in the host, or nothing. resize is called
  // with the host's size now and whenever it changes; it must make the
  // panel that size at (0, 0).
  void SetPanel(TCustomPanel* panel, std::function<void(int width, int height)> resize);
  TCustomPanel* Panel() const { return fPanel; }

  QSize sizeHint() const override { return QSize(480, 320); }
  QSize minimumSizeHint() const override { return QSize(240, 160); }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Gives the panel the size and, a chart, its layout at that size.
  void Resize(int width, int height);

  TCustomPanel* fPanel = nullptr;  // not owned
  std::function<void(int, int)> fResize;
};

}  // namespace drivesim
