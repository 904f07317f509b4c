#include "platform/Timer.h"

#include <QObject>
#include <QTimer>
#include <climits>

#include "platform/Application.h"
#include "platform/Exceptions.h"

namespace drivesim {

TTimer::TTimer() : fTimer(std::make_unique<QTimer>()) {
  fTimer->setSingleShot(false);
  // Periods are kept to the millisecond, not coarsened by a few percent.
  fTimer->setTimerType(Qt::PreciseTimer);
  QObject::connect(fTimer.get(), &QTimer::timeout, [this] { Tick(); });
}

TTimer::~TTimer() { fTimer->stop(); }

void TTimer::SetInterval(unsigned milliseconds) {
  if (milliseconds == fInterval) return;
  fInterval = milliseconds;
  UpdateTimer();
}

void TTimer::SetEnabled(bool value) {
  if (value == fEnabled) return;
  fEnabled = value;
  UpdateTimer();
}

void TTimer::SetOnTimer(std::function<void()> handler) {
  fOnTimer = std::move(handler);
  UpdateTimer();
}

// A timer the platform refused has the id 0 (which QTimer still calls
// active), so activity is read from the id.
bool TTimer::Active() const { return fTimer->timerId() > 0; }

int TTimer::RemainingTime() const { return Active() ? fTimer->remainingTime() : -1; }

void TTimer::Tick() {
  // A copy: the handler may replace itself (or disable the timer) while it
  // runs.
  const std::function<void()> handler = fOnTimer;
  if (handler) RunGuarded(handler);
}

void TTimer::UpdateTimer() {
  fTimer->stop();
  if (fInterval == 0 || !fEnabled || !fOnTimer) return;
  const int interval =
      fInterval > static_cast<unsigned>(INT_MAX) ? INT_MAX : static_cast<int>(fInterval);
  fTimer->start(interval);
  if (!Active()) {
    fTimer->stop();
    // The timer did not start (no event loop on this thread, no timer left):
    // report it, and do not claim to be enabled, so that switching on again
    // tries again.
    fEnabled = false;
    throw EOutOfResources("Not enough timers available");
  }
}

}  // namespace drivesim
