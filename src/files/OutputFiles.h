#pragma once
// The output files of one run, written all or nothing.
//
// Every output is checked and readied before any is written: a regular file,
// new or existing, also one reached through symbolic links, gets a temporary
// file with a unique name beside its target, and Commit renames it over the
// target, so that the file is replaced at once and the links keep pointing to
// it. Anything else that exists under the name (a FIFO, a device such as
// /dev/null, standard output named as /dev/stdout) cannot be replaced and is
// written in place: it is opened when the outputs are readied and receives
// its data, gathered in an anonymous temporary, at Commit. "-" names standard
// output, written directly.
//
// A target that cannot be written (a missing directory, a directory, a file
// without write permission) is refused before anything is written, and so are
// two outputs that name the same regular file, compared as files (device and
// inode for existing ones, the resolved path for new ones). A name that
// leads to one of the process's own descriptors (/dev/stdout, /dev/fd/3,
// /proc/self/fd/0, a link to one of them) is written through that
// descriptor, and refused ("Bad file descriptor") when the descriptor is
// open for reading only. Temporaries that are not committed are removed when
// the outputs go, and also when any signal whose default action ends the
// process ends it (SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGUSR1, SIGALRM,
// SIGXCPU, the real-time signals, ...).
//
// Pipes: a FIFO output whose reader goes away is a failed write, reported
// at Commit like a full disk. Standard output into a pipe whose reader has
// gone ends the program quietly, as other command-line tools end: no
// message, the temporaries removed, the process ended by SIGPIPE (a shell
// shows exit status 141).

#include <cstddef>
#include <memory>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

#include "platform/Exceptions.h"

namespace drivesim {

// An output that cannot be readied or written, with its one-line message
// ("Cannot create file "out.csv". Permission denied").
class EOutputError : public Exception {
  using Exception::Exception;
};

class TOutputFiles {
 public:
  // standardOutput receives the outputs named "-". When standardOutputFd is
  // the descriptor behind it, an output naming the regular file that
  // standard output is redirected to is refused as the same file.
  explicit TOutputFiles(std::ostream& standardOutput, int standardOutputFd = -1);
  // Removes every temporary that was not committed; an output never
  // committed leaves its target as it was.
  ~TOutputFiles();
  TOutputFiles(const TOutputFiles&) = delete;
  TOutputFiles& operator=(const TOutputFiles&) = delete;

  // Adds an output at path ("-" for standard output), named in messages by
  // what (an option, say "--csv"). Returns the index of its stream.
  std::size_t Add(const std::string& what, const std::string& path);

  // Checks every output and readies it, in the order they were added: the
  // temporaries are created and in-place targets opened (a FIFO's opening
  // waits for its reader). Raises EOutputError, with nothing written and no
  // temporary left, when an output cannot be written or two name one file.
  void Prepare();

  // The stream an output's data goes to after Prepare.
  std::ostream& Stream(std::size_t output);

  // Makes the outputs final: standard output is flushed, every temporary is
  // checked, then renamed over its target, and the in-place targets receive
  // their data. Raises EOutputError for the first output that cannot be
  // completed; the ones committed before it stay committed.
  void Commit();

 private:
  struct Output;
  std::ostream& fStandardOutput;
  int fStandardOutputFd;
  std::vector<std::unique_ptr<Output>> fOutputs;
};

// Installs the handlers that remove the registered temporaries when a
// terminating signal arrives, then let the signal end the process as it
// would have; a signal ignored or handled already is left as it is. SIGPIPE
// is ignored, so that writes into a closed pipe fail instead. Called once by
// a program that writes outputs; safe to call again.
void RemoveTemporariesOnSignals();

// Removes the temporaries and ends the process by SIGPIPE, quietly: what a
// write into a standard output without reader leads to.
[[noreturn]] void EndOnClosedStandardOutput();

// Opens /dev/null on each standard descriptor (0, 1, 2) that is closed, so
// that no file opened later takes its number; opened the other way round
// (standard input for writing, the others for reading), so that using one
// fails instead of passing silently. Called first thing by a program;
// false when /dev/null cannot be opened.
bool OpenClosedStandardDescriptors();

// A buffer for standard output on fd: a write error fails the stream, and a
// write into a pipe without reader ends the program quietly
// (EndOnClosedStandardOutput).
std::unique_ptr<std::streambuf> StandardOutputBuffer(int fd);

// A message that may repeat the user's input, made fit for one line:
// control characters (a line break in a file name, say) are written as
// escapes ("\n", "\t", "\x1B").
std::string OneLine(const std::string& message);

// The patterns of the messages of a file that cannot be made or written,
// for the windows to show them translated (AddMessagePatterns).
const std::vector<const char*>& OutputFileMessagePatterns();

}  // namespace drivesim
