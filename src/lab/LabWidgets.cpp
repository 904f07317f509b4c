#include "lab/LabWidgets.h"

#include <QAction>
#include <QFont>
#include <QKeySequence>
#include <QPushButton>
#include <QString>
#include <QWidget>

#include "platform/Application.h"

namespace drivesim {

QWidget* MakeLabWindowFrame(const std::string& caption, int left, int top, int width, int height) {
  auto* window = new QWidget(nullptr, Qt::Window);
  window->setWindowTitle(QString::fromStdString(caption));
  QFont font(QString::fromUtf8(kLabFontName));
  font.setPixelSize(kLabFontPixels);
  window->setFont(font);
  window->setGeometry(left, top, width, height);
  auto* close = new QAction(window);
  close->setShortcuts(QKeySequence::Close);
  close->setShortcutContext(Qt::WindowShortcut);
  QObject::connect(close, &QAction::triggered, window, [window] { window->close(); });
  window->addAction(close);
  return window;
}

QPushButton* MakeLabButton(const std::string& caption, QWidget* parent,
                           const std::function<void()>& handler) {
  auto* button = new QPushButton(QString::fromStdString(caption), parent);
  button->setAutoDefault(false);
  QObject::connect(button, &QPushButton::clicked, button, [handler] { RunGuarded(handler); });
  return button;
}

}  // namespace drivesim
