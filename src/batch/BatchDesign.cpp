#include "batch/BatchDesign.h"

#include "analysis/FeedbackLoop.h"
#include "analysis/FiguresCsv.h"

namespace drivesim {

std::string DesignAnswerCsv(const BatchOptions& options, std::ostream& err) {
  const FeedbackLoop loop(options.Inputs);
  const DesignAnswer answer =
      FindDesignIntervals(loop, *options.Design, options.DesignFrom, options.DesignTo);
  std::string text = "feedback_from,feedback_to\n";
  for (const FeedbackInterval& i : answer.Intervals) {
    AppendReal(text, i.From);
    text += ',';
    AppendReal(text, i.To);
    text += '\n';
  }
  if (answer.Intervals.empty()) {
    err << DesignSentence(answer) << '\n';
    err.flush();
  }
  return text;
}

}  // namespace drivesim
