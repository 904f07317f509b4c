#include "lab/LabSweep.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QObject>
#include <exception>
#include <utility>

#include "platform/Exceptions.h"

namespace drivesim {

namespace {

// The worker and the threads it starts (they inherit it) yield to the
// windows' thread: a nice value this much above the process'.
constexpr int kWorkerNiceness = 10;

void LowerThisThreadsPriority() {
  const auto self = static_cast<id_t>(::syscall(SYS_gettid));
  errno = 0;
  const int nice = ::getpriority(PRIO_PROCESS, self);
  if (errno == 0) ::setpriority(PRIO_PROCESS, self, nice + kWorkerNiceness);
}

}  // namespace

TLabSweep::TLabSweep()
    : fContext(std::make_unique<QObject>()), fShared(std::make_shared<TShared>()) {}

TLabSweep::~TLabSweep() {
  fShared->Cancel = true;
  if (fWorker.joinable()) {
    bool done = false;
    {
      std::unique_lock<std::mutex> lock(fShared->Mutex);
      done = fShared->Ended.wait_for(lock, kStopWait, [&] { return fShared->Done; });
      if (!done) fShared->Abandoned = true;
    }
    if (done) {
      fWorker.join();
    } else {
      // Its runs stop at their next tick; whatever it still finishes is
      // dropped, as it no longer reaches the context.
      fWorker.detach();
    }
  }
  // Queued calls still pending for the context go with it.
}

void TLabSweep::Post(const std::shared_ptr<TShared>& shared, QObject* context,
                     std::function<void()> work) {
  const std::lock_guard<std::mutex> lock(shared->Mutex);
  if (shared->Abandoned) return;
  QMetaObject::invokeMethod(context, std::move(work), Qt::QueuedConnection);
}

int TLabSweep::WorkerThreads() {
  const unsigned cores = std::thread::hardware_concurrency();
  return cores > 1 ? static_cast<int>(cores) - 1 : 1;
}

void TLabSweep::Start(const DriveInputs& base, const SweepSpec& spec, int ticks,
                      TProgressEvent progress, TFinishedEvent finished) {
  if (fWorker.joinable()) fWorker.join();
  fShared = std::make_shared<TShared>();
  fRunning = true;
  QObject* context = fContext.get();
  fWorker = std::thread([this, shared = fShared, context, base, spec, ticks,
                         progress = std::move(progress), finished = std::move(finished)] {
    LowerThisThreadsPriority();
    SweepOptions options;
    options.Ticks = ticks;
    options.Threads = WorkerThreads();
    // The curves need one sample per tick, not every integration step.
    options.Run.KeepSamples = false;
    options.Run.KeepTicks = true;
    options.Run.Cancel = &shared->Cancel;
    options.Progress = [shared, context, progress](int done, int total) {
      Post(shared, context, [progress, done, total] {
        if (progress) progress(done, total);
      });
    };
    auto result = std::make_shared<SweepResult>();
    std::string failure;
    try {
      *result = RunSweep(base, spec, options);
    } catch (const Exception& e) {
      failure = e.Message();
    } catch (const std::exception& e) {
      failure = e.what();
    }
    // The context, and this, exist as long as the call can be delivered.
    Post(shared, context, [this, finished, result, failure] {
      fRunning = false;
      if (finished) finished(result, failure);
    });
    const std::lock_guard<std::mutex> lock(shared->Mutex);
    shared->Done = true;
    shared->Ended.notify_all();
  });
}

void TLabSweep::Cancel() { fShared->Cancel = true; }

void TLabSweep::Later(std::function<void()> work) {
  ++fLater;
  QMetaObject::invokeMethod(
      fContext.get(),
      [this, work = std::move(work)] {
        --fLater;
        work();
      },
      Qt::QueuedConnection);
}

void TLabSweep::Wait() {
  if (fWorker.joinable()) fWorker.join();
  // Calls queued while these are delivered are delivered too.
  while (fRunning || fLater > 0) {
    QCoreApplication::sendPostedEvents(fContext.get(), QEvent::MetaCall);
  }
}

}  // namespace drivesim
