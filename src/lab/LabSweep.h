#pragma once
// A sweep of the quality-of-regulation window, run away from the window:
// one worker thread runs the sweep over the cores but one (so that the
// window's own thread always has one to itself on a machine of few cores),
// at a lower priority than the windows, and touches nothing of the windows
// or the simulation's records. Its progress and its result come back to the
// windows' thread as queued calls, delivered by the event loop between its
// other events.

#include <atomic>
#include <functional>
#include <memory>
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
  // Stops a running sweep and waits for its worker.
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

 private:
  std::unique_ptr<QObject> fContext;  // the receiver of the queued calls
  std::thread fWorker;
  std::atomic<bool> fCancel{false};
  bool fRunning = false;
  int fLater = 0;  // work queued by Later and not yet done
};

}  // namespace drivesim
