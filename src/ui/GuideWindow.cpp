#include "ui/GuideWindow.h"

#include <QAction>
#include <QFile>
#include <QFont>
#include <QKeySequence>
#include <QString>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

#include "lab/LabWidgets.h"
#include "platform/Translate.h"

namespace drivesim {

namespace {

// The window's first size and place: beside the main window on a screen of
// 1024 x 768 or more, wide enough for the guide's tables.
constexpr int kWindowLeft = 40;
constexpr int kWindowTop = 40;
constexpr int kWindowWidth = 820;
constexpr int kWindowHeight = 660;
// The window's own texts, as in the lab window: the main window's face.

}  // namespace

std::string GuideResourcePath() {
  const std::string language = TranslationLanguage();
  if (!language.empty()) {
    const std::string path = ":/guide/drivesim-guide_" + language + ".html";
    if (QFile::exists(QString::fromStdString(path))) return path;
  }
  return kGuideResourcePath;
}

std::string GuideHtml() {
  QFile file(QString::fromStdString(GuideResourcePath()));
  if (!file.open(QIODevice::ReadOnly)) return std::string();
  return file.readAll().toStdString();
}

TGuideWindow::TGuideWindow() {
  fWindow = MakeLabWindowFrame("", kWindowLeft, kWindowTop, kWindowWidth, kWindowHeight);

  auto* layout = new QVBoxLayout(fWindow);
  fBrowser = new QTextBrowser(fWindow);
  // The guide's links lead to its own sections; it links nowhere outside.
  fBrowser->setOpenExternalLinks(false);
  fBrowser->setSource(QUrl(QString::fromStdString("qrc" + GuideResourcePath())));
  layout->addWidget(fBrowser);
  // The window carries the guide's own title.
  fWindow->setWindowTitle(fBrowser->documentTitle());
}

TGuideWindow::~TGuideWindow() { delete fWindow; }

void TGuideWindow::Show() {
  fWindow->show();
  fWindow->raise();
  fWindow->activateWindow();
}

void TGuideWindow::Hide() { fWindow->hide(); }

bool TGuideWindow::Visible() const { return fWindow->isVisible(); }

}  // namespace drivesim
