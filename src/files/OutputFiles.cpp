#include "files/OutputFiles.h"

#include <fcntl.h>
#include <limits.h>
#include <pthread.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <streambuf>
#include <vector>

#include "platform/Translate.h"

namespace drivesim {

namespace {

// A file that cannot be made or written: its name, then the reason.
constexpr const char* kCannotCreate = TR_NOOP("Errors", "Cannot create file \"%1\". %2");
constexpr const char* kCannotWrite = TR_NOOP("Errors", "Cannot write file \"%1\". %2");

}  // namespace

const std::vector<const char*>& OutputFileMessagePatterns() {
  static const std::vector<const char*> patterns = {kCannotCreate, kCannotWrite};
  return patterns;
}

namespace {

// ---------------------------------------------------------------------------
// Temporaries a signal may have to remove. The handler may only read
// lock-free atomics and call unlink, so the registry is a fixed table of
// pointers to the names, which their outputs keep unchanged while
// registered.

constexpr int kMaxTemporaries = 64;
std::atomic<const char*> g_temporaries[kMaxTemporaries];
static_assert(std::atomic<const char*>::is_always_lock_free);

void RegisterTemporary(const char* path) {
  for (auto& slot : g_temporaries) {
    const char* empty = nullptr;
    if (slot.compare_exchange_strong(empty, path)) return;
  }
  throw EOutputError("Too many output files");
}

void UnregisterTemporary(const char* path) {
  for (auto& slot : g_temporaries) {
    const char* expected = path;
    if (slot.compare_exchange_strong(expected, nullptr)) return;
  }
}

// The signals that remove the temporaries: every one whose default action
// ends the process and that a handler can catch, the real-time ones
// included. SIGPIPE is not among them: it is ignored, so that a write into a
// pipe whose reader has gone fails and its writer says what it was.
// Asynchronous: sent by someone else, so they may be held back a moment.
constexpr int kAsynchronousSignals[] = {SIGHUP,    SIGINT,  SIGQUIT,   SIGUSR1, SIGUSR2,
                                        SIGALRM,   SIGTERM, SIGSTKFLT, SIGXCPU, SIGXFSZ,
                                        SIGVTALRM, SIGPROF, SIGIO,     SIGPWR};
// Raised by the program's own faults (and abort), never held back.
constexpr int kFaultSignals[] = {SIGILL, SIGTRAP, SIGABRT, SIGBUS, SIGFPE, SIGSEGV, SIGSYS};

// The asynchronous signals, the real-time ones included.
sigset_t AsynchronousSignals() {
  sigset_t set;
  sigemptyset(&set);
  for (const int signal : kAsynchronousSignals) sigaddset(&set, signal);
  for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal) sigaddset(&set, signal);
  return set;
}

// Holds the asynchronous terminating signals back for as long as it lives.
class SignalsHeld {
 public:
  SignalsHeld() {
    const sigset_t held = AsynchronousSignals();
    ::pthread_sigmask(SIG_BLOCK, &held, &fPrevious);
  }
  ~SignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &fPrevious, nullptr); }
  SignalsHeld(const SignalsHeld&) = delete;
  SignalsHeld& operator=(const SignalsHeld&) = delete;

 private:
  sigset_t fPrevious;
};

extern "C" void RemoveTemporariesAndDie(int signal) {
  const int savedErrno = errno;
  for (auto& slot : g_temporaries) {
    if (const char* path = slot.exchange(nullptr)) ::unlink(path);
  }
  errno = savedErrno;
  // The signal ends the process as it would have without the handler, so
  // that the caller sees how it ended: raised again, it is delivered once
  // the handler returns (or at once when not called as one).
  std::signal(signal, SIG_DFL);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, signal);
  std::raise(signal);
  ::pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
}

// ---------------------------------------------------------------------------
// Names and files.

std::string ErrorText(int error) { return std::strerror(error); }

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Whether a name lies in the process file system, whose links (/dev/stdout
// leads to /proc/self/fd/1) stand for open descriptors rather than names.
bool OnProcessFileSystem(const std::string& directory) {
  constexpr long kProcSuperMagic = 0x9fa0;
  struct statfs fs;
  return ::statfs(directory.c_str(), &fs) == 0 && fs.f_type == kProcSuperMagic;
}

bool AllDigits(const std::string& text) {
  return !text.empty() && text.size() <= 9 &&
         text.find_first_not_of("0123456789") == std::string::npos;
}

// The number of this process's own descriptor that a link of the process
// file system stands for, or -1: a link in this process's descriptor folder
// (or one of its threads', which share it) however it is reached:
// /proc/self/fd/1, /dev/fd/3 (/dev/fd leads to /proc/self/fd),
// /proc/thread-self/fd/0, /proc/PID/fd/2, or any link to one of these.
int OwnDescriptor(const std::string& link) {
  const std::string number = BaseNameOf(link);
  if (!AllDigits(number)) return -1;
  char resolved[PATH_MAX];
  if (::realpath(DirectoryOf(link).c_str(), resolved) == nullptr) return -1;
  const std::string folder = resolved;
  const std::string process = "/proc/" + std::to_string(::getpid());
  bool own = folder == process + "/fd";
  const std::string tasks = process + "/task/";
  if (!own && folder.rfind(tasks, 0) == 0 && folder.size() > tasks.size() + 3 &&
      folder.compare(folder.size() - 3, 3, "/fd") == 0) {
    own = AllDigits(folder.substr(tasks.size(), folder.size() - 3 - tasks.size()));
  }
  return own ? std::stoi(number) : -1;
}

// Where a name leads once its symbolic links are followed: the last name of
// the chain, which may not exist yet (a link to a file still to be written),
// or a link of the process file system, which is kept as it is.
struct ResolvedName {
  std::string Path;
  bool Exists = false;
  bool Descriptor = false;  // a /proc link standing for an open descriptor
  struct stat Status {};    // of the file the name leads to, when it exists
};

ResolvedName Resolve(const std::string& path, const std::string& fileMessage) {
  ResolvedName name;
  name.Path = path;
  for (int depth = 0; depth < 40; ++depth) {
    struct stat link;
    if (::lstat(name.Path.c_str(), &link) != 0) {
      if (errno != ENOENT) throw EOutputError(fileMessage + ErrorText(errno));
      return name;
    }
    if (!S_ISLNK(link.st_mode)) {
      name.Exists = true;
      name.Status = link;
      return name;
    }
    if (OnProcessFileSystem(DirectoryOf(name.Path))) {
      if (::stat(name.Path.c_str(), &name.Status) != 0) {
        throw EOutputError(fileMessage + ErrorText(errno));
      }
      name.Exists = true;
      name.Descriptor = true;
      return name;
    }
    char target[PATH_MAX];
    const ssize_t length = ::readlink(name.Path.c_str(), target, sizeof target - 1);
    if (length < 0) throw EOutputError(fileMessage + ErrorText(errno));
    const std::string next(target, static_cast<std::size_t>(length));
    name.Path = next.front() == '/' ? next : DirectoryOf(name.Path) + "/" + next;
  }
  throw EOutputError(fileMessage + ErrorText(ELOOP));
}

// The mode a new file gets: read and write for everyone the umask lets in.
mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

std::string TemporaryDirectory() {
  const char* directory = std::getenv("TMPDIR");
  return directory != nullptr && directory[0] != '\0' ? directory : "/tmp";
}

// A temporary file without a name, for data gathered until Commit: it can
// never be left behind.
int AnonymousTemporary() {
  const std::string directory = TemporaryDirectory();
  int fd = ::open(directory.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd >= 0) return fd;
  // File systems without unnamed files: a named one, unlinked at once.
  std::string name = directory + "/drivesim-output-XXXXXX";
  fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd >= 0) ::unlink(name.c_str());
  return fd;
}

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

}  // namespace

// A stream buffer over a file descriptor that remembers the first write
// error, so that a full disk is reported with its reason. Outside the
// unnamed namespace: it is the type of a member of TOutputFiles::Output.
class FdStreamBuf : public std::streambuf {
 public:
  // endOnClosedPipe: a write that finds its pipe without a reader ends the
  // process quietly (standard output).
  explicit FdStreamBuf(int fd, bool endOnClosedPipe = false)
      : fFd(fd), fEndOnClosedPipe(endOnClosedPipe) {
    setp(fBuffer, fBuffer + sizeof fBuffer);
  }
  int Error() const { return fError; }

 protected:
  int_type overflow(int_type ch) override {
    if (!Drain()) return traits_type::eof();
    if (!traits_type::eq_int_type(ch, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(ch);
      pbump(1);
    }
    return traits_type::not_eof(ch);
  }
  int sync() override { return Drain() ? 0 : -1; }

 private:
  bool Drain() {
    const std::size_t size = static_cast<std::size_t>(pptr() - pbase());
    if (fError == 0 && !WriteAll(fFd, pbase(), size)) {
      fError = errno;
      if (fError == EPIPE && fEndOnClosedPipe) EndOnClosedStandardOutput();
    }
    setp(fBuffer, fBuffer + sizeof fBuffer);
    return fError == 0;
  }

  int fFd;
  bool fEndOnClosedPipe;
  int fError = 0;
  char fBuffer[1 << 16];
};

// ---------------------------------------------------------------------------

enum class TOutputKind {
  StandardOutput,  // "-"
  Replace,         // a regular file, new or existing: temporary renamed over it
  InPlace,         // anything else: opened at once, written at Commit
};

struct TOutputFiles::Output {
  std::string What;
  std::string Path;  // as the user gave it
  TOutputKind Kind = TOutputKind::StandardOutput;
  std::string Target;  // the file the name leads to
  bool Exists = false;
  struct stat Status {};  // of the target, when it exists
  // Replace: the temporary beside the target. InPlace: the anonymous
  // temporary gathering the data, the target's descriptor, and whether the
  // target is emptied before it is written (a regular file whose directory
  // takes no temporary).
  std::string TempPath;
  int DataFd = -1;
  int TargetFd = -1;
  int Descriptor = -1;  // the process's own descriptor the name stands for
  bool Truncate = false;
  std::unique_ptr<FdStreamBuf> Buffer;
  std::unique_ptr<std::ostream> Stream;
  bool Committed = false;

  ~Output() {
    Stream.reset();
    Buffer.reset();
    if (DataFd >= 0) ::close(DataFd);
    if (TargetFd >= 0) ::close(TargetFd);
    if (!TempPath.empty() && !Committed) {
      UnregisterTemporary(TempPath.c_str());
      ::unlink(TempPath.c_str());
    }
  }

  std::string CreateMessage() const { return FillIn(kCannotCreate, {Path, std::string()}); }
  std::string WriteMessage() const { return FillIn(kCannotWrite, {Path, std::string()}); }
  [[noreturn]] void FailCreate(int error) const {
    throw EOutputError(CreateMessage() + ErrorText(error));
  }
  [[noreturn]] void FailWrite(int error) const {
    throw EOutputError(WriteMessage() + ErrorText(error));
  }

  // What the name leads to and how it can be written; nothing is created.
  void Classify() {
    if (Path == "-") return;
    if (Path.empty()) FailCreate(ENOENT);
    const ResolvedName name = Resolve(Path, CreateMessage());
    Target = name.Path;
    Exists = name.Exists;
    Status = name.Status;
    if (!Exists) {
      // A name ending in "/" can only be a directory.
      if (Target.back() == '/') FailCreate(EISDIR);
      Kind = TOutputKind::Replace;
      return;
    }
    if (S_ISDIR(Status.st_mode)) FailCreate(EISDIR);
    // One of this process's own descriptors (/dev/stdout, /dev/fd/3) is
    // written through the descriptor itself: it is open already, whoever
    // owns what it leads to, and it shares the position of what the process
    // writes there otherwise.
    if (name.Descriptor && (Descriptor = OwnDescriptor(Target)) >= 0) {
      const int flags = ::fcntl(Descriptor, F_GETFL);
      if (flags < 0 || (flags & O_ACCMODE) == O_RDONLY) FailCreate(EBADF);
      Kind = TOutputKind::InPlace;
      return;
    }
    if (::access(name.Path.c_str(), W_OK) != 0) FailCreate(errno);
    Kind =
        S_ISREG(Status.st_mode) && !name.Descriptor ? TOutputKind::Replace : TOutputKind::InPlace;
  }

  // The file a Replace output stands for, as other outputs may name it: the
  // device and inode of an existing file, the resolved name of a new one.
  std::string Identity() const {
    if (Exists) {
      return std::to_string(Status.st_dev) + ":" + std::to_string(Status.st_ino);
    }
    char directory[PATH_MAX];
    if (::realpath(DirectoryOf(Target).c_str(), directory) == nullptr) FailCreate(errno);
    return std::string(directory) + "/" + BaseNameOf(Target);
  }

  void CreateTemporary(mode_t newFileMode) {
    // Hidden and unique, beside the target, so that the rename replaces it
    // within one directory. Very long names are shortened to leave room.
    std::string name = BaseNameOf(Target).substr(0, NAME_MAX - 16);
    std::string temp = DirectoryOf(Target) + "/." + name + ".XXXXXX";
    // Created and registered with the terminating signals held back, so
    // that no signal finds a temporary it does not know of.
    const SignalsHeld held;
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
      const int error = errno;
      // An existing file in a directory that takes no new file (no right to
      // it, a read-only or a process file system): written in place
      // instead, which says what keeps it from being written if anything
      // does.
      if (Exists && (error == EACCES || error == EPERM || error == EROFS || error == ENOENT)) {
        Kind = TOutputKind::InPlace;
        Truncate = true;
        return;
      }
      FailCreate(error);
    }
    TempPath = temp;
    DataFd = fd;
    RegisterTemporary(TempPath.c_str());
    // The replacement keeps the permissions (and, for the superuser, the
    // owner) of the file it replaces; a new file gets the usual mode.
    if (Exists) {
      ::fchmod(fd, Status.st_mode & 07777);
      if (::geteuid() == 0 && (Status.st_uid != 0 || Status.st_gid != 0)) {
        [[maybe_unused]] const int ignored = ::fchown(fd, Status.st_uid, Status.st_gid);
      }
    } else {
      ::fchmod(fd, newFileMode);
    }
    OpenStream();
  }

  void OpenInPlace() {
    // Another process's descriptor may lead to a file its shell appends to:
    // the data goes after what is there.
    const int flags =
        O_WRONLY | O_NOCTTY | O_CLOEXEC | (S_ISREG(Status.st_mode) && !Truncate ? O_APPEND : 0);
    do {
      TargetFd =
          Descriptor >= 0 ? ::fcntl(Descriptor, F_DUPFD_CLOEXEC, 0) : ::open(Target.c_str(), flags);
    } while (TargetFd < 0 && errno == EINTR);
    if (TargetFd < 0) FailCreate(errno);
    DataFd = AnonymousTemporary();
    if (DataFd < 0) FailCreate(errno);
    OpenStream();
  }

  void OpenStream() {
    Buffer = std::make_unique<FdStreamBuf>(DataFd);
    Stream = std::make_unique<std::ostream>(Buffer.get());
  }

  // The data complete in its temporary.
  void Finish() {
    Stream->flush();
    if (Buffer->Error() != 0) FailWrite(Buffer->Error());
    if (Kind == TOutputKind::Replace) {
      const int fd = DataFd;
      DataFd = -1;
      if (::close(fd) != 0) FailWrite(errno);
    }
  }

  void CommitReplace() {
    if (::rename(TempPath.c_str(), Target.c_str()) != 0) FailCreate(errno);
    Committed = true;
    UnregisterTemporary(TempPath.c_str());
  }

  void CommitInPlace() {
    if (Truncate && ::ftruncate(TargetFd, 0) != 0) FailWrite(errno);
    if (::lseek(DataFd, 0, SEEK_SET) != 0) FailWrite(errno);
    char chunk[1 << 16];
    for (;;) {
      const ssize_t got = ::read(DataFd, chunk, sizeof chunk);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) FailWrite(errno);
      if (got == 0) break;
      if (!WriteAll(TargetFd, chunk, static_cast<std::size_t>(got))) FailWrite(errno);
    }
    const int fd = TargetFd;
    TargetFd = -1;
    if (::close(fd) != 0) FailWrite(errno);
    Committed = true;
  }
};

TOutputFiles::TOutputFiles(std::ostream& standardOutput, int standardOutputFd)
    : fStandardOutput(standardOutput), fStandardOutputFd(standardOutputFd) {}

TOutputFiles::~TOutputFiles() = default;

std::size_t TOutputFiles::Add(const std::string& what, const std::string& path) {
  auto output = std::make_unique<Output>();
  output->What = what;
  output->Path = path;
  fOutputs.push_back(std::move(output));
  return fOutputs.size() - 1;
}

void TOutputFiles::Prepare() {
  try {
    // Every output checked before anything is created.
    for (auto& output : fOutputs) output->Classify();

    // Two outputs replacing one file would lose one of them; so would an
    // output replacing the file that standard output is redirected to.
    std::vector<std::pair<std::string, const Output*>> seen;
    bool standardOutputUsed = false;
    for (const auto& output : fOutputs) {
      standardOutputUsed = standardOutputUsed || output->Kind == TOutputKind::StandardOutput;
    }
    struct stat out;
    if (standardOutputUsed && fStandardOutputFd >= 0 && ::fstat(fStandardOutputFd, &out) == 0 &&
        S_ISREG(out.st_mode)) {
      seen.emplace_back(std::to_string(out.st_dev) + ":" + std::to_string(out.st_ino), nullptr);
    }
    for (const auto& output : fOutputs) {
      if (output->Kind != TOutputKind::Replace) continue;
      const std::string identity = output->Identity();
      for (const auto& [other, by] : seen) {
        if (other != identity) continue;
        throw EOutputError((by ? by->What : std::string("Standard output")) + " and " +
                           output->What + " name the same file");
      }
      seen.emplace_back(identity, output.get());
    }

    const mode_t newFileMode = NewFileMode();
    for (auto& output : fOutputs) {
      if (output->Kind == TOutputKind::Replace) output->CreateTemporary(newFileMode);
    }
    // Last, as a FIFO's opening waits until a reader comes.
    for (auto& output : fOutputs) {
      if (output->Kind == TOutputKind::InPlace) output->OpenInPlace();
    }
  } catch (...) {
    // Nothing of a refused set stays: temporaries go, targets are closed.
    for (auto& output : fOutputs) {
      auto fresh = std::make_unique<Output>();
      fresh->What = output->What;
      fresh->Path = output->Path;
      output = std::move(fresh);
    }
    throw;
  }
}

std::ostream& TOutputFiles::Stream(std::size_t output) {
  Output& o = *fOutputs.at(output);
  return o.Stream ? *o.Stream : fStandardOutput;
}

void TOutputFiles::Commit() {
  fStandardOutput.flush();
  if (!fStandardOutput) throw EOutputError("Cannot write to standard output");
  for (auto& output : fOutputs) {
    if (output->Kind != TOutputKind::StandardOutput) output->Finish();
  }
  // The renames first: they cannot be cut short by a reader that goes away.
  for (auto& output : fOutputs) {
    if (output->Kind == TOutputKind::Replace) output->CommitReplace();
  }
  for (auto& output : fOutputs) {
    if (output->Kind == TOutputKind::InPlace) output->CommitInPlace();
  }
}

void RemoveTemporariesOnSignals() {
  std::vector<int> signals(std::begin(kAsynchronousSignals), std::end(kAsynchronousSignals));
  signals.insert(signals.end(), std::begin(kFaultSignals), std::end(kFaultSignals));
  for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal) signals.push_back(signal);
  for (const int signal : signals) {
    struct sigaction previous;
    if (::sigaction(signal, nullptr, &previous) != 0) continue;
    // A signal the process was started to ignore (SIGHUP under nohup, say)
    // stays ignored, and one that has a handler already (a sanitizer's, or
    // this one) keeps it.
    if ((previous.sa_flags & SA_SIGINFO) != 0 || previous.sa_handler != SIG_DFL) continue;
    struct sigaction action {};
    action.sa_handler = &RemoveTemporariesAndDie;
    // No other terminating signal interrupts the removal.
    action.sa_mask = AsynchronousSignals();
    ::sigaction(signal, &action, nullptr);
  }
  // A write into a pipe or FIFO whose reader has gone fails with EPIPE
  // instead of ending the process: a named output reports it, standard
  // output ends the program quietly (StandardOutputBuffer).
  std::signal(SIGPIPE, SIG_IGN);
}

void EndOnClosedStandardOutput() {
  RemoveTemporariesAndDie(SIGPIPE);
  // Only if SIGPIPE could not end it: the status a shell shows for it.
  std::_Exit(128 + SIGPIPE);
}

bool OpenClosedStandardDescriptors() {
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (::fcntl(fd, F_GETFD) >= 0 || errno != EBADF) continue;
    // The other way round from its use, so that using it fails.
    const int opened = ::open("/dev/null", fd == STDIN_FILENO ? O_WRONLY : O_RDONLY);
    if (opened < 0) return false;
    if (opened != fd) {
      const bool moved = ::dup2(opened, fd) == fd;
      ::close(opened);
      if (!moved) return false;
    }
  }
  return true;
}

std::unique_ptr<std::streambuf> StandardOutputBuffer(int fd) {
  return std::make_unique<FdStreamBuf>(fd, true);
}

std::string OneLine(const std::string& message) {
  std::string line;
  line.reserve(message.size());
  for (const char c : message) {
    const auto code = static_cast<unsigned char>(c);
    if (code >= 0x20 && code != 0x7F) {
      line += c;
      continue;
    }
    switch (c) {
      case '\n': line += "\\n"; break;
      case '\r': line += "\\r"; break;
      case '\t': line += "\\t"; break;
      default: {
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\x%02X", code);
        line += escape;
      }
    }
  }
  return line;
}

}  // namespace drivesim
