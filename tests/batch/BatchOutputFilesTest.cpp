// drivesim-batch's output files as a user meets them: outputs that cannot be
// written refused before any is touched, one file under two names, a
// read-only file, a FIFO, a symbolic link, /dev/null and standard output
// named as files, runs interrupted by SIGINT and SIGTERM, and messages that
// stay on one line; names of the program's own descriptors, standard
// descriptors closed at start, a sweep's memory and memory running out,
// every terminating signal, and pipes whose reader goes away.
//
// What depends on permissions runs the program itself as an ordinary user:
// under the superuser the test switches the program to the user "nobody",
// since the superuser may write a read-only file and may replace a device
// node. No device node but /dev/null is ever named.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "ReadAll.h"
#include "ScratchFolder.h"
#include "batch/Batch.h"
#include "batch/BatchToolRun.h"

namespace drivesim {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// The user the program runs as when the tests run as the superuser.
constexpr uid_t kOrdinaryUser = 65534;
constexpr gid_t kOrdinaryGroup = 65534;
// The child's exit statuses when it cannot become that user or start.
constexpr int kCannotSwitchUser = 125;
constexpr int kCannotStart = 126;

struct ProgramRun {
  int ExitStatus = -1;  // when it exited
  int Signal = 0;       // when a signal ended it
  std::string Out, Err;
  long PeakKilobytes = 0;  // the largest resident set it had
};

// The program as the ordinary user can reach it: a copy in a directory of
// its own, with the sanitizers' suppression file (when the build uses one)
// beside it, since the build tree may lie where that user cannot go.
struct ReachableProgram {
  fs::path Directory;
  std::string Path;
  std::vector<std::string> Environment;

  ReachableProgram() {
    std::string pattern = (fs::temp_directory_path() / "drivesim-program-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) return;
    Directory = pattern;
    fs::permissions(Directory, fs::perms::owner_all | fs::perms::group_read |
                                   fs::perms::group_exec | fs::perms::others_read |
                                   fs::perms::others_exec);
    Path = (Directory / "drivesim-batch").string();
    fs::copy_file(DRIVESIM_BATCH_PROGRAM, Path);
    for (char** e = environ; *e; ++e) {
      std::string variable = *e;
      const std::string key = "suppressions=";
      const std::size_t at = variable.find(key);
      if (variable.rfind("LSAN_OPTIONS=", 0) == 0 && at != std::string::npos) {
        const std::size_t end = variable.find(':', at);
        const std::string file = variable.substr(at + key.size(), end - at - key.size());
        const fs::path copy = Directory / "lsan.supp";
        std::error_code error;
        fs::copy_file(file, copy, error);
        variable.replace(at + key.size(), file.size(), copy.string());
      }
      Environment.push_back(variable);
    }
  }
  ~ReachableProgram() {
    std::error_code error;
    if (!Directory.empty()) fs::remove_all(Directory, error);
  }
};

const ReachableProgram& Program() {
  static const ReachableProgram program;
  return program;
}

// Runs drivesim-batch in dir, as an ordinary user. whileRunning, when given,
// is called with the process id while the program runs; inChild, when given,
// in the child before the program starts, with the pipes of standard output
// and error in place (only async-signal-safe calls: dup2, close, setrlimit).
ProgramRun RunProgram(const std::vector<std::string>& arguments, const fs::path& dir,
                      const std::function<void(pid_t)>& whileRunning = {},
                      const std::function<void()>& inChild = {}) {
  std::vector<std::string> words{Program().Path};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  std::vector<std::string> environment = Program().Environment;
  std::vector<char*> envp;
  for (std::string& e : environment) envp.push_back(e.data());
  envp.push_back(nullptr);
  const std::string directory = dir.string();
  const bool superuser = ::geteuid() == 0;

  int out[2], err[2];
  if (::pipe(out) != 0 || ::pipe(err) != 0) return {};
  const pid_t pid = ::fork();
  if (pid == 0) {
    // Only async-signal-safe calls between fork and exec.
    ::dup2(out[1], STDOUT_FILENO);
    ::dup2(err[1], STDERR_FILENO);
    ::close(out[0]);
    ::close(err[0]);
    ::close(out[1]);
    ::close(err[1]);
    ::signal(SIGINT, SIG_DFL);
    ::signal(SIGPIPE, SIG_DFL);
    if (inChild) inChild();
    if (::chdir(directory.c_str()) != 0) ::_exit(kCannotStart);
    if (superuser && (::setgroups(0, nullptr) != 0 || ::setgid(kOrdinaryGroup) != 0 ||
                      ::setuid(kOrdinaryUser) != 0)) {
      ::_exit(kCannotSwitchUser);
    }
    ::execve(argv[0], argv.data(), envp.data());
    ::_exit(kCannotStart);
  }
  ::close(out[1]);
  ::close(err[1]);
  ProgramRun run;
  std::thread outReader([&] { ReadAll(out[0], run.Out); });
  std::thread errReader([&] { ReadAll(err[0], run.Err); });
  if (pid > 0 && whileRunning) whileRunning(pid);
  int status = 0;
  struct rusage usage {};
  if (pid > 0) ::wait4(pid, &status, 0, &usage);
  run.PeakKilobytes = usage.ru_maxrss;
  outReader.join();
  errReader.join();
  if (WIFEXITED(status)) run.ExitStatus = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) run.Signal = WTERMSIG(status);
  return run;
}

// Skips the rest of a test when the program cannot be run as an ordinary
// user here, saying why.
#define REQUIRE_ORDINARY_USER(dir)                                                        \
  do {                                                                                    \
    const ProgramRun probe = RunProgram({"--help"}, dir);                                 \
    if (probe.ExitStatus == kCannotSwitchUser)                                            \
      GTEST_SKIP() << "the tests run as the superuser, who cannot switch to user nobody"; \
    if (probe.ExitStatus != 0)                                                            \
      GTEST_SKIP() << "the program does not start as user nobody here (exit status "      \
                   << probe.ExitStatus << "): " << probe.Err;                             \
  } while (false)

// Whether the process has the file open for writing (one of its descriptors
// leads to it, opened to write). Before the program starts, its process
// still holds the test's own descriptors, opened to read.
bool HoldsOpenToWrite(pid_t pid, const fs::path& file) {
  const std::string process = "/proc/" + std::to_string(pid);
  std::error_code error;
  for (const auto& fd : fs::directory_iterator(process + "/fd", error)) {
    if (fs::read_symlink(fd.path(), error) != file) continue;
    std::ifstream info(process + "/fdinfo/" + fd.path().filename().string());
    std::string key;
    unsigned flags = 0;
    while (info >> key) {
      if (key == "flags:" && info >> std::oct >> flags) break;
    }
    if ((flags & O_ACCMODE) == O_WRONLY) return true;
  }
  return false;
}

// Reads a FIFO from its first writer to the writer's end, giving up after
// the time limit so that a program that never opens it cannot hang the
// test. The FIFO is opened here, before any program runs (a reader opened
// while a writer is already waiting would not be told when it goes), and
// not handed down to the programs the test starts.
class FifoReader {
 public:
  FifoReader(const fs::path& fifo, std::chrono::seconds limit)
      : fFd(::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)),
        fThread([this, limit] { Read(limit); }) {}
  ~FifoReader() {
    if (fThread.joinable()) fThread.join();
  }
  // Waits until the writer has gone or the time is up.
  std::string Received() {
    if (fThread.joinable()) fThread.join();
    return fText;
  }
  // Whether a writer came and went (rather than the time running out).
  bool Ended() const { return fEnded; }

 private:
  void Read(std::chrono::seconds limit) {
    if (fFd < 0) return;
    const auto end = Clock::now() + limit;
    char buffer[4096];
    while (Clock::now() < end) {
      pollfd p{fFd, POLLIN, 0};
      if (::poll(&p, 1, 50) <= 0) continue;
      const ssize_t got = ::read(fFd, buffer, sizeof buffer);
      if (got > 0) {
        fText.append(buffer, static_cast<std::size_t>(got));
      } else if (got == 0) {
        fEnded = true;
        break;
      }
    }
    ::close(fFd);
  }

  int fFd;
  std::string fText;
  std::atomic<bool> fEnded = false;
  std::thread fThread;
};

class BatchOutputFilesTest : public ScratchFolderTest {
 protected:
  BatchOutputFilesTest() : ScratchFolderTest("drivesim-files") {}
  void SetUp() override {
    ScratchFolderTest::SetUp();
    // Open to the ordinary user the program may run as.
    if (!dir.empty()) fs::permissions(dir, fs::perms::all);
  }
  // A file anyone may write (or, with mode 0444, no ordinary user).
  void Make(const std::string& name, const std::string& text, fs::perms mode) const {
    std::ofstream(Path(name), std::ios::binary) << text;
    fs::permissions(dir / name, mode);
  }
  static int Lines(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
  }
};

constexpr fs::perms kAnyoneWrites = fs::perms::owner_read | fs::perms::owner_write |
                                    fs::perms::group_read | fs::perms::group_write |
                                    fs::perms::others_read | fs::perms::others_write;
constexpr fs::perms kReadOnly =
    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;

TEST_F(BatchOutputFilesTest, ReadOnlyFileIsRefusedAndLinksFifosAndDevicesAreWrittenThrough) {
  REQUIRE_ORDINARY_USER(dir);
  // A read-only file is refused like any other file that cannot be written,
  // although its directory would take a new file.
  Make("ro.csv", "read-only\n", kReadOnly);
  const ProgramRun ro = RunProgram({"--ticks", "3", "--csv", "ro.csv"}, dir);
  EXPECT_EQ(ro.ExitStatus, 2);
  EXPECT_EQ(ro.Err, "Cannot create file \"ro.csv\". Permission denied.\n");
  EXPECT_EQ(Read(Path("ro.csv")), "read-only\n");
  EXPECT_EQ(Entries(), std::vector<std::string>{"ro.csv"});

  // A link keeps leading to its file, which receives the rows; /dev/null
  // takes the series and stays the device it is.
  Make("target.csv", "old\n", kAnyoneWrites);
  fs::create_symlink("target.csv", dir / "link.csv");
  struct stat null {};
  ASSERT_EQ(::stat("/dev/null", &null), 0);
  ASSERT_TRUE(S_ISCHR(null.st_mode))
      << "/dev/null is not the null device on this machine: something replaced it before this "
         "test ran";
  const ProgramRun linked =
      RunProgram({"--ticks", "3", "--csv", "link.csv", "--series-csv", "/dev/null"}, dir);
  EXPECT_EQ(linked.ExitStatus, 0) << linked.Err;
  EXPECT_EQ(linked.Err, "");
  EXPECT_TRUE(fs::is_symlink(dir / "link.csv"));
  EXPECT_EQ(Lines(Read(Path("target.csv"))), 4);
  struct stat after {};
  ASSERT_EQ(::stat("/dev/null", &after), 0);
  EXPECT_TRUE(S_ISCHR(after.st_mode));
  EXPECT_EQ(after.st_rdev, null.st_rdev);

  // A FIFO is written in place for its reader, and standard output named as
  // a file is standard output.
  ASSERT_EQ(::mkfifo(Path("rows.fifo").c_str(), 0666), 0);
  fs::permissions(dir / "rows.fifo", kAnyoneWrites);
  FifoReader reader(dir / "rows.fifo", std::chrono::seconds(20));
  const ProgramRun fifo =
      RunProgram({"--ticks", "5", "--csv", "rows.fifo", "--series-csv", "/dev/stdout"}, dir);
  EXPECT_EQ(fifo.ExitStatus, 0) << fifo.Err;
  const std::string rows = reader.Received();
  EXPECT_EQ(Lines(rows), 6);
  EXPECT_EQ(rows.rfind("tick,time_s,", 0), 0u);
  EXPECT_EQ(Lines(fifo.Out), 303);
  EXPECT_EQ(fifo.Out.rfind("index,x,", 0), 0u);
  struct stat pipe {};
  ASSERT_EQ(::lstat(Path("rows.fifo").c_str(), &pipe), 0);
  EXPECT_TRUE(S_ISFIFO(pipe.st_mode));
  EXPECT_EQ(Entries(), (std::vector<std::string>{"link.csv", "ro.csv", "rows.fifo", "target.csv"}));
}

TEST_F(BatchOutputFilesTest, InterruptedRunsLeaveNoTemporaryAndReleaseTheirReader) {
  REQUIRE_ORDINARY_USER(dir);
  Make("out.csv", "before\n", kAnyoneWrites);
  for (const int signal : {SIGINT, SIGTERM}) {
    // A run long enough to be interrupted once its temporaries exist.
    const ProgramRun run =
        RunProgram({"--ticks", "100000000", "--csv", "out.csv", "--series-csv", "series.csv",
                    "--picture", "picture.png"},
                   dir, [&](pid_t pid) {
                     const auto end = Clock::now() + std::chrono::seconds(20);
                     while (Entries().size() < 4 && Clock::now() < end) {
                       std::this_thread::sleep_for(std::chrono::milliseconds(10));
                     }
                     ::kill(pid, signal);
                   });
    EXPECT_EQ(run.Signal, signal) << run.Err;
    EXPECT_EQ(Entries(), std::vector<std::string>{"out.csv"}) << "signal " << signal;
    EXPECT_EQ(Read(Path("out.csv")), "before\n");
  }

  // Interrupted while a reader waits on its FIFO: the reader sees the end of
  // the data (none) instead of waiting for ever.
  ASSERT_EQ(::mkfifo(Path("rows.fifo").c_str(), 0666), 0);
  fs::permissions(dir / "rows.fifo", kAnyoneWrites);
  FifoReader reader(dir / "rows.fifo", std::chrono::seconds(20));
  const ProgramRun run =
      RunProgram({"--ticks", "100000000", "--csv", "rows.fifo"}, dir, [&](pid_t pid) {
        // Interrupted once it holds the FIFO open, in the middle of its run.
        const auto end = Clock::now() + std::chrono::seconds(20);
        while (!HoldsOpenToWrite(pid, dir / "rows.fifo") && Clock::now() < end) {
          std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        ::kill(pid, SIGINT);
      });
  EXPECT_EQ(run.Signal, SIGINT);
  EXPECT_EQ(reader.Received(), "");
  EXPECT_TRUE(reader.Ended()) << "the reader was left waiting";
  EXPECT_EQ(Entries(), (std::vector<std::string>{"out.csv", "rows.fifo"}));
}

// Names leading to one of the program's own descriptors follow the
// descriptor's rules whatever way they are written: one open only for
// reading is refused and the file behind it left alone, also the user's own
// file; one open for writing is written through.
TEST_F(BatchOutputFilesTest, NamesOfTheProgramsOwnDescriptorsFollowTheirRules) {
  REQUIRE_ORDINARY_USER(dir);
  Make("in.txt", "MY INPUT\n", kAnyoneWrites);
  fs::create_symlink("/dev/fd/0", dir / "mine");
  const int input = ::open(Path("in.txt").c_str(), O_RDONLY);
  ASSERT_GE(input, 0);
  struct Case {
    std::string Name;
    int Descriptor;  // where the file opened for reading is
  };
  for (const Case& c : std::vector<Case>{{"/dev/fd/0", 0},
                                         {"/dev/fd/3", 3},
                                         {"/proc/self/fd/3", 3},
                                         {"/proc/thread-self/fd/0", 0},
                                         {"/dev/stdin", 0},
                                         {"mine", 0}}) {
    SCOPED_TRACE(c.Name);
    const ProgramRun run = RunProgram({"--ticks", "2", "--csv", c.Name}, dir, {},
                                      [&] { ::dup2(input, c.Descriptor); });
    EXPECT_EQ(run.ExitStatus, 2);
    EXPECT_EQ(run.Err, "Cannot create file \"" + c.Name + "\". Bad file descriptor.\n");
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(Read(Path("in.txt")), "MY INPUT\n");
  }
  ::close(input);
  // Standard output named as /dev/fd/1 is standard output.
  const ProgramRun out = RunProgram({"--ticks", "2", "--csv", "/dev/fd/1"}, dir);
  EXPECT_EQ(out.ExitStatus, 0) << out.Err;
  EXPECT_EQ(Lines(out.Out), 3);
  EXPECT_EQ(out.Out.rfind("tick,time_s,", 0), 0u);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"in.txt", "mine"}));
}

// Standard descriptors closed at start are not taken by an output's files:
// writing to a closed standard output is a failed write, and the other
// outputs get their own data only.
TEST_F(BatchOutputFilesTest, ClosedStandardDescriptorsAreNotTakenByOutputs) {
  REQUIRE_ORDINARY_USER(dir);
  const ProgramRun closedOut =
      RunProgram({"--ticks", "3", "--metrics", "m.csv"}, dir, {}, [] { ::close(STDOUT_FILENO); });
  EXPECT_EQ(closedOut.ExitStatus, 4);
  EXPECT_EQ(closedOut.Err, "Cannot write to standard output.\n");
  EXPECT_TRUE(Entries().empty());

  const ProgramRun closedInAndErr =
      RunProgram({"--ticks", "3", "--csv", "rows.csv", "--metrics", "m.csv"}, dir, {}, [] {
        ::close(STDIN_FILENO);
        ::close(STDERR_FILENO);
      });
  EXPECT_EQ(closedInAndErr.ExitStatus, 0);
  const std::string rows = Read(Path("rows.csv"));
  EXPECT_EQ(Lines(rows), 4);
  EXPECT_EQ(rows.rfind("tick,time_s,", 0), 0u);
  const std::string metrics = Read(Path("m.csv"));
  EXPECT_EQ(Lines(metrics), 2);
  EXPECT_EQ(metrics.rfind("run,", 0), 0u) << metrics;
  EXPECT_EQ(Entries(), (std::vector<std::string>{"m.csv", "rows.csv"}));
}

// A sweep keeps of each run only what its outputs need, so that its memory
// does not grow with the number of runs; memory that runs out is one line,
// a failed run's status and no temporary.
TEST_F(BatchOutputFilesTest, ASweepsMemoryDoesNotGrowWithItsRuns) {
  REQUIRE_ORDINARY_USER(dir);
  const auto sweep = [&](int runs) {
    const ProgramRun run =
        RunProgram({"--sweep", "feedback=0.1:5:" + std::to_string(runs), "--ticks", "1000",
                    "--overlay", "o.png", "--metrics", "m.csv", "--csv", "rows.csv"},
                   dir);
    EXPECT_EQ(run.ExitStatus, 0) << run.Err;
    EXPECT_EQ(Lines(Read(Path("m.csv"))), runs + 1);
    EXPECT_EQ(Lines(Read(Path("rows.csv"))), runs * 1000 + 1);
    EXPECT_GT(fs::file_size(dir / "o.png"), 1000u);
    return run.PeakKilobytes;
  };
  const long few = sweep(10);
  const long many = sweep(80);
#if !defined(__SANITIZE_ADDRESS__)
  // Kept whole, the 70 more runs' records would take 56 MB. (AddressSanitizer
  // holds freed memory back in its quarantine, so there the peak follows
  // what was allocated rather than what is kept.)
  EXPECT_LT(many - few, 16 * 1024) << few << " kB for 10 runs, " << many << " kB for 80";
#else
  EXPECT_GT(many, few / 2);
#endif
  EXPECT_EQ(Entries(), (std::vector<std::string>{"m.csv", "o.png", "rows.csv"}));

#if !defined(__SANITIZE_ADDRESS__)
  // A run whose every integration step is held for the overlay needs 80 GB.
  // (Under AddressSanitizer no program starts within the limit.)
  const ProgramRun out = RunProgram({"--sweep", "feedback=1,2", "--ticks", "100000000", "--overlay",
                                     "big.png", "--metrics", "big.csv"},
                                    dir, {}, [] {
                                      const struct rlimit limit { 1500000000, 1500000000 };
                                      ::setrlimit(RLIMIT_AS, &limit);
                                    });
  EXPECT_EQ(out.Signal, 0);
  EXPECT_EQ(out.ExitStatus, 3);
  EXPECT_EQ(out.Err, "Out of memory.\n");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"m.csv", "o.png", "rows.csv"}));
#endif
}

// Every signal whose default action ends the process removes the
// temporaries before it ends it.
TEST_F(BatchOutputFilesTest, EveryTerminatingSignalRemovesTheTemporaries) {
  REQUIRE_ORDINARY_USER(dir);
  Make("out.csv", "before\n", kAnyoneWrites);
  for (const int signal : {SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM, SIGXCPU, SIGXFSZ, SIGVTALRM, SIGPROF,
                           SIGPWR, SIGRTMIN, SIGRTMAX}) {
    SCOPED_TRACE(signal);
    const ProgramRun run = RunProgram(
        {"--ticks", "100000000", "--csv", "out.csv", "--series-csv", "series.csv", "--picture",
         "picture.png"},
        dir,
        [&](pid_t pid) {
          const auto end = Clock::now() + std::chrono::seconds(20);
          while (Entries().size() < 4 && Clock::now() < end) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
          }
          ::kill(pid, signal);
        },
        [] {
          // No core file for the signals that would leave one.
          const struct rlimit none { 0, 0 };
          ::setrlimit(RLIMIT_CORE, &none);
        });
    EXPECT_EQ(run.Signal, signal) << run.Err;
    EXPECT_EQ(Entries(), std::vector<std::string>{"out.csv"});
    EXPECT_EQ(Read(Path("out.csv")), "before\n");
  }
}

// A FIFO whose reader goes away part-way is a failed write naming it, the
// outputs committed before it complete; standard output into a pipe without
// reader ends the program quietly, by SIGPIPE, leaving no temporary.
TEST_F(BatchOutputFilesTest, PipesWhoseReaderGoesAway) {
  REQUIRE_ORDINARY_USER(dir);
  ASSERT_EQ(::mkfifo(Path("rows.fifo").c_str(), 0666), 0);
  fs::permissions(dir / "rows.fifo", kAnyoneWrites);
  // Reads the first 100 bytes, then goes.
  const int fifo = ::open(Path("rows.fifo").c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  ASSERT_GE(fifo, 0);
  std::string head;
  std::thread reader([&] {
    const auto end = Clock::now() + std::chrono::seconds(20);
    char buffer[100];
    while (head.size() < sizeof buffer && Clock::now() < end) {
      pollfd p{fifo, POLLIN, 0};
      if (::poll(&p, 1, 50) <= 0) continue;
      const ssize_t got = ::read(fifo, buffer, sizeof buffer - head.size());
      if (got > 0) head.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fifo);
  });
  const ProgramRun run =
      RunProgram({"--ticks", "5000", "--csv", "rows.fifo", "--metrics", "m.csv"}, dir);
  reader.join();
  EXPECT_EQ(run.Signal, 0);
  EXPECT_EQ(run.ExitStatus, 4);
  EXPECT_EQ(run.Err, "Cannot write file \"rows.fifo\". Broken pipe.\n");
  EXPECT_EQ(head.rfind("tick,time_s,", 0), 0u);
  EXPECT_EQ(Lines(Read(Path("m.csv"))), 2);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"m.csv", "rows.fifo"}));

  int closed[2];
  ASSERT_EQ(::pipe(closed), 0);
  ::close(closed[0]);
  const ProgramRun quiet = RunProgram({"--ticks", "3000", "--metrics", "quiet.csv"}, dir, {},
                                      [&] { ::dup2(closed[1], STDOUT_FILENO); });
  ::close(closed[1]);
  EXPECT_EQ(quiet.Signal, SIGPIPE);
  EXPECT_EQ(quiet.Err, "");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"m.csv", "rows.fifo"}));
}

// The tool run in this process: every refusal is checked before anything is
// written, in one line, with the right status.

TEST_F(BatchOutputFilesTest, AnOutputThatCannotBeWrittenStopsTheRunBeforeAnyIsWritten) {
  const std::string ok = Path("ok.csv");
  fs::create_directory(dir / "sub");
  struct Case {
    std::vector<std::string> Arguments;
    std::string Message;
  };
  const std::vector<Case> cases{
      {{"--chart", ""}, "Cannot create file \"\". No such file or directory."},
      {{"--series-csv", ""}, "Cannot create file \"\". No such file or directory."},
      {{"--chart", Path("sub")}, "Cannot create file \"" + Path("sub") + "\". Is a directory."},
      {{"--window", Path("sub")}, "Cannot create file \"" + Path("sub") + "\". Is a directory."},
      {{"--picture", Path("sub/")}, "Cannot create file \"" + Path("sub/") + "\". Is a directory."},
      {{"--series-csv", Path("sub/../ok.csv")}, "--csv and --series-csv name the same file."},
      {{"--picture", Path("./ok.csv")}, "--csv and --picture name the same file."},
      // A diverging run is not started when an output cannot be written.
      {{"--chart", "", "--friction=-1e6"}, "Cannot create file \"\". No such file or directory."},
  };
  for (const Case& c : cases) {
    Make("ok.csv", "old rows\n", kAnyoneWrites);
    std::vector<std::string> arguments{"--ticks", "20", "--csv", ok};
    arguments.insert(arguments.end(), c.Arguments.begin(), c.Arguments.end());
    const ToolRun r = RunTool(arguments);
    EXPECT_EQ(r.Status, 2) << c.Message;
    EXPECT_EQ(r.Err, c.Message + "\n");
    EXPECT_EQ(r.Out, "");
    EXPECT_EQ(Read(ok), "old rows\n") << c.Message;
    EXPECT_EQ(Entries(), (std::vector<std::string>{"ok.csv", "sub"})) << c.Message;
  }
  // The same file named once as a new file and once more: a new one is
  // compared by its resolved name.
  const ToolRun twice = RunTool({"--csv", Path("same"), "--series-csv", Path("./same")});
  EXPECT_EQ(twice.Status, 2);
  EXPECT_EQ(twice.Err, "--csv and --series-csv name the same file.\n");
  EXPECT_FALSE(fs::exists(dir / "same"));

  // One message, one line, the run's own status.
  const ToolRun blank = RunTool({"--csv", "", "--friction=-1e6"});
  EXPECT_EQ(blank.Status, 2);
  EXPECT_EQ(blank.Err, "Cannot create file \"\". No such file or directory.\n");
  const ToolRun diverged = RunTool({"--csv", Path("rows.csv"), "--friction=-1e6"});
  EXPECT_EQ(diverged.Status, 3);
  EXPECT_EQ(diverged.Err, "Floating point overflow.\n");
  EXPECT_EQ(Read(Path("rows.csv")),
            "tick,time_s,load_velocity,setpoint,load_gear_angle,motor_gear_angle\n");
  const ToolRun broken = RunTool({"--gain", "1\n2"});
  EXPECT_EQ(broken.Status, 2);
  EXPECT_EQ(broken.Err, "'1\\n2' is not a valid floating point value.\n");
  const ToolRun path = RunTool({"--csv", Path("no\ndir/x.csv")});
  EXPECT_EQ(path.Status, 2);
  EXPECT_EQ(Lines(path.Err), 1);
  EXPECT_NE(path.Err.find("no\\ndir/x.csv"), std::string::npos) << path.Err;
}

}  // namespace
}  // namespace drivesim
