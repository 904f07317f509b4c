#include "platform/Application.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QMessageBox>
#include <QObject>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <cctype>
#include <exception>
#include <utility>

#include "platform/Exceptions.h"
#include "platform/Fonts.h"
#include "platform/Graphics.h"
#include "platform/Numbers.h"
#include "platform/QtBridge.h"
#include "platform/Translate.h"

namespace drivesim {

namespace {

TErrorBoxPresenter g_presenter;
int g_beepCount = 0;

void PresentModalBox(const std::string& text, const std::string& caption) {
  QMessageBox box(QMessageBox::Critical, bridge::ToQString(caption), bridge::ToQString(text),
                  QMessageBox::Ok, QApplication::activeWindow());
  box.exec();
}

// Watches the application object for the system's report of changed
// settings and reads the locale's separators again.
class SettingsWatcher : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == QCoreApplication::instance() && event->type() == QEvent::LocaleChange) {
      InitLocaleFromSystem();
    }
    return false;
  }
};

// The message of the exception being handled; call only inside a catch block.
std::string CurrentExceptionMessage() {
  try {
    throw;
  } catch (const Exception& e) {
    return e.Message();
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    // Nothing the program throws lands here; the text says what little is
    // known rather than letting the exception reach the event loop.
    return Tr("Application", "Unknown exception");
  }
}

}  // namespace

TApplication::TApplication() = default;

TApplication::~TApplication() {
  // Only reached at the program's exit. A program that did not call Finalize
  // leaves its platform objects to the operating system: destroying them now
  // would run the platform's shutdown after its own globals have gone.
  if (fOwnApplication) {
    (void)fSettingsWatcher.release();
    (void)fOwnApplication.release();
  } else if (fSettingsWatcher && QCoreApplication::instance()) {
    QCoreApplication::instance()->removeEventFilter(fSettingsWatcher.get());
  }
}

void TApplication::Initialize(int& argc, char** argv) {
  if (!QApplication::instance()) {
    fOwnApplication = std::make_unique<QApplication>(argc, argv);
  }
  // The main form's closing ends the loop, not the last visible window's.
  QApplication::setQuitOnLastWindowClosed(false);
  InstallFontSubstitutions();
  InitLocaleFromSystem();
  if (!fSettingsWatcher) {
    fSettingsWatcher = std::make_unique<SettingsWatcher>();
    QCoreApplication::instance()->installEventFilter(fSettingsWatcher.get());
  }
  if (fTitle.empty()) {
    const QString path = QCoreApplication::applicationFilePath();
    if (!path.isEmpty()) {
      fTitle = TitleFromFileName(bridge::FromQString(path));
    } else if (argc > 0 && argv && argv[0]) {
      fTitle = TitleFromFileName(argv[0]);
    }
  }
}

void TApplication::Finalize() {
  if (fSettingsWatcher) {
    if (QCoreApplication::instance()) {
      QCoreApplication::instance()->removeEventFilter(fSettingsWatcher.get());
    }
    fSettingsWatcher.reset();
  }
  fRunning = false;
  fOwnApplication.reset();
}

std::string TApplication::Title() const {
  if (!fTitle.empty()) return fTitle;
  if (QCoreApplication::instance()) {
    return TitleFromFileName(bridge::FromQString(QCoreApplication::applicationFilePath()));
  }
  return std::string();
}

void TApplication::SetTitle(const std::string& title) { fTitle = title; }

int TApplication::Run() {
  if (!QCoreApplication::instance()) return 0;
  if (fShowMainForm) fShowMainForm();
  fRunning = true;
  const int code = QCoreApplication::exec();
  fRunning = false;
  return code;
}

void TApplication::Terminate() {
  if (fRunning) QCoreApplication::quit();
}

void TApplication::SetIcon(const TBitmap& icon) {
  const QImage* image = static_cast<const QImage*>(icon.PlatformImage());
  if (!image) return;
  QApplication::setWindowIcon(QIcon(QPixmap::fromImage(*image)));
}

void TApplication::FormCreated(TForm* form, std::function<void()> show) {
  if (fMainForm) return;
  fMainForm = form;
  fShowMainForm = std::move(show);
}

void TApplication::FormDestroyed(TForm* form) {
  if (fMainForm != form) return;
  fMainForm = nullptr;
  fShowMainForm = nullptr;
}

TApplication& Application() {
  static TApplication application;
  return application;
}

std::string TitleFromFileName(const std::string& path) {
  std::string name = path;
  const std::size_t slash = name.find_last_of('/');
  if (slash != std::string::npos) name.erase(0, slash + 1);
  const std::size_t dot = name.find('.');
  if (dot != std::string::npos) name.erase(dot);
  for (std::size_t i = 1; i < name.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (c < 0x80) name[i] = static_cast<char>(std::tolower(c));
  }
  return name;
}

std::string ErrorBoxText(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

void ShowErrorBox(const std::string& message) {
  const std::string text = ErrorBoxText(TrMessage(message));
  const std::string caption = Application().Title();
  if (g_presenter) {
    // A copy, so that a presenter replacing itself stays alive while it runs.
    const TErrorBoxPresenter presenter = g_presenter;
    presenter(text, caption);
  } else {
    PresentModalBox(text, caption);
  }
}

void RunGuarded(const std::function<void()>& action) {
  std::string message;
  try {
    action();
    return;
  } catch (...) {
    message = CurrentExceptionMessage();
  }
  // The box opens outside the catch block, so that its event loop does not
  // run while the exception object is still alive.
  ShowErrorBox(message);
}

void RunGuardedInPaint(const std::function<void()>& action) {
  std::string message;
  try {
    action();
    return;
  } catch (...) {
    message = CurrentExceptionMessage();
  }
  QTimer::singleShot(0, QCoreApplication::instance(), [message] { ShowErrorBox(message); });
}

void SetErrorBoxPresenter(TErrorBoxPresenter presenter) { g_presenter = std::move(presenter); }

void Beep() {
  ++g_beepCount;
  QApplication::beep();
}

int BeepCount() { return g_beepCount; }

}  // namespace drivesim
