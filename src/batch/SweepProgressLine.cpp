#include "batch/SweepProgressLine.h"

#include <algorithm>
#include <utility>

namespace drivesim {

SweepProgressLine::SweepProgressLine(std::ostream& terminal, std::string name)
    : fTerminal(terminal), fName(std::move(name)) {}

SweepProgressLine::~SweepProgressLine() { Clear(); }

void SweepProgressLine::Show(int done, int total, double elapsed) {
  if (elapsed < kProgressShownAfter) return;
  if (fShown && (done == fShownDone || elapsed - fShownAt < kProgressRewrittenEvery)) return;
  const std::string text = "Sweeping " + fName + ": " + std::to_string(done) + " of " +
                           std::to_string(total) + " runs done";
  // The carriage return takes the cursor back to the line's start; spaces
  // blank what a longer text left behind.
  std::string line = "\r" + text;
  if (text.size() < fShownLength) line += std::string(fShownLength - text.size(), ' ');
  fTerminal << line << std::flush;
  fShownLength = std::max(fShownLength, text.size());
  fShown = true;
  fShownAt = elapsed;
  fShownDone = done;
}

void SweepProgressLine::Clear() {
  if (!fShown) return;
  fTerminal << '\r' << std::string(fShownLength, ' ') << '\r' << std::flush;
  fShown = false;
  fShownLength = 0;
  fShownDone = -1;
}

}  // namespace drivesim
