#pragma once
// The progress of a long sweep on a terminal: one line that names the sweep
// and counts its finished runs, rewritten in place as they finish and
// cleared at the end, so that nothing of it stays on the screen. A sweep
// that ends within its first second shows nothing.

#include <ostream>
#include <string>

namespace drivesim {

// Seconds a sweep runs before its progress is shown, and between two
// rewrites of the line.
constexpr double kProgressShownAfter = 1.0;
constexpr double kProgressRewrittenEvery = 0.1;

class SweepProgressLine {
 public:
  // terminal: where the line goes, a terminal's stream; name: the swept
  // input ("feedback").
  SweepProgressLine(std::ostream& terminal, std::string name);
  // Clears the line if it is still shown.
  ~SweepProgressLine();
  SweepProgressLine(const SweepProgressLine&) = delete;
  SweepProgressLine& operator=(const SweepProgressLine&) = delete;

  // done runs of total finished, elapsed seconds after the sweep began.
  // Shows or rewrites the line once the sweep has run kProgressShownAfter
  // seconds, at most every kProgressRewrittenEvery seconds, and only when
  // the count has changed since.
  void Show(int done, int total, double elapsed);
  // Blanks the line and puts the cursor back at its start; nothing when the
  // line was never shown.
  void Clear();

 private:
  std::ostream& fTerminal;
  std::string fName;
  std::size_t fShownLength = 0;  // characters on the line now
  bool fShown = false;
  double fShownAt = 0;  // elapsed seconds at the last rewrite
  int fShownDone = -1;
};

}  // namespace drivesim
