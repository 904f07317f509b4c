#pragma once
// The tests that run the program as a child process read its standard output
// and error through pipes (or a terminal) to their end, and the files it
// wrote whole.
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace drivesim {

// Appends everything read from fd to text until its end, then closes fd. A
// terminal whose other side has closed ends with EIO rather than 0.
inline void ReadAll(int fd, std::string& text) {
  char buffer[4096];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    text.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(fd);
}

// The whole file, byte for byte; empty when it cannot be read.
inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace drivesim
