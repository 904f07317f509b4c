#pragma once
// A sweep of the quality-of-regulation window, run away from the window:
// one worker thread runs the sweep over the cores but one (so that the
// window's own thread always has one to itself on a machine of few cores),
// at a lower priority than the windows, and touches nothing of the windows
// or the simulation's records. Its progress and its result come back to the
// windows' thread as queued calls, delivered by the event loop between its
// other events.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "analysis/Sweep.h"

class QObject;

namespace drivesim {

class TLabSweep {
 public:
  // Called on the windows' thread: after each finished run, and once at the
  // end with the result (Cancelled when Cancel stopped it, or with the
  // message of a failure that ended the worker).
  using TProgressEvent = std::function<void(int done, int total)>;
  using TFinishedEvent =
      std::function<void(std::shared_ptr<SweepResult> result, const std::string& failure)>;

  TLabSweep();
  // Stops a running sweep and waits for its worker, for about a second at
  // most: a worker still busy then is left to end on its own, and nothing
  // it finishes reaches the windows any more.
  ~TLabSweep();
  TLabSweep(const TLabSweep&) = delete;
  TLabSweep& operator=(const TLabSweep&) = delete;

  // Starts the sweep: ticks timer ticks per run, every run from rest with
  // base's other inputs. The inputs must have been checked (SweepInputs).
  // A sweep must not be running.
  void Start(const DriveInputs& base, const SweepSpec& spec, int ticks, TProgressEvent progress,
             TFinishedEvent finished);
  // Asks the worker to stop after the runs under way; the finished event
  // still comes, with a cancelled result.
  void Cancel();
  // From Start until the finished event has been delivered.
  bool Running() const { return fRunning; }
  // Runs work on the windows' thread at a later turn of the event loop,
  // after what is queued now (the paints it asked for, say), or in Wait.
  void Later(std::function<void()> work);
  // Waits for the worker and delivers its pending events and the work queued
  // by Later now (for a caller that cannot return to the event loop, such as
  // the batch tool).
  void Wait();

  // The threads a sweep runs on: every core but one, at least one.
  static int WorkerThreads();

  // How long going away waits for a worker that has been asked to stop.
  static constexpr std::chrono::milliseconds kStopWait{1000};

 private:
  // What a worker shares with its TLabSweep, kept alive by either of them.
  struct TShared {
    std::atomic<bool> Cancel{false};
    std::mutex Mutex;
    std::condition_variable Ended;
    bool Done = false;       // the worker has posted its last call
    bool Abandoned = false;  // its TLabSweep has gone: nothing more is posted
  };
  // Posts work to the windows' thread unless the TLabSweep has gone.
  static void Post(const std::shared_ptr<TShared>& shared, QObject* context,
                   std::function<void()> work);

  std::unique_ptr<QObject> fContext;  // the receiver of the queued calls
  std::thread fWorker;
  std::shared_ptr<TShared> fShared;  // the current worker's
  bool fRunning = false;
  int fLater = 0;  // work queued by Later and not yet done
};

}  // namespace drivesim
