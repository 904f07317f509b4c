#pragma once
// TTimer: a periodic tick on the user-interface thread. Ticks arrive one at a
// time from the event loop, never inside a running handler (except behind a
// modal box, whose own loop keeps dispatching). Each tick runs OnTimer
// through the application's guard, so a failing tick shows its error box and
// leaves the timer running.

#include <functional>
#include <memory>

class QTimer;

namespace drivesim {

class TTimer {
 public:
  TTimer();
  ~TTimer();
  TTimer(const TTimer&) = delete;
  TTimer& operator=(const TTimer&) = delete;

  // The period in milliseconds (default 1000). A changed period starts a
  // fresh period; 0 stops the ticks.
  unsigned Interval() const { return fInterval; }
  void SetInterval(unsigned milliseconds);

  // Enabled by default. Setting the current value does nothing; switching it
  // on starts a fresh period. When the platform cannot start a timer,
  // switching on raises EOutOfResources "Not enough timers available" and the
  // timer stays disabled.
  bool Enabled() const { return fEnabled; }
  void SetEnabled(bool value);

  // The tick handler. The timer runs only while it has one, like a timer
  // whose event is not wired.
  const std::function<void()>& OnTimer() const { return fOnTimer; }
  void SetOnTimer(std::function<void()> handler);

  // True while the platform timer is counting, and the milliseconds until
  // its next tick (-1 when it is not counting).
  bool Active() const;
  int RemainingTime() const;

  // One tick, as the event loop delivers it: OnTimer through the guard.
  void Tick();

 private:
  void UpdateTimer();

  std::unique_ptr<QTimer> fTimer;
  std::function<void()> fOnTimer;
  unsigned fInterval = 1000;
  bool fEnabled = true;
};

}  // namespace drivesim
