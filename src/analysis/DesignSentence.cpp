// The design answer in words, and the target list's text form.
#include <charconv>
#include <cmath>

#include "analysis/DesignTargets.h"
#include "platform/Translate.h"

namespace drivesim {

namespace {

// "all three targets" ... "all seven targets"; two are "both targets".
std::string AllTargets(int n) {
  static const char* const kAll[] = {
      TR_NOOP("DesignSentence", "all three targets"), TR_NOOP("DesignSentence", "all four targets"),
      TR_NOOP("DesignSentence", "all five targets"), TR_NOOP("DesignSentence", "all six targets"),
      TR_NOOP("DesignSentence", "all seven targets")};
  return n >= 3 && n <= 7 ? TrMarked("DesignSentence", kAll[n - 3]) : std::string();
}

// "the overshoot target"
std::string TheTarget(TargetKind kind) {
  return FillIn(Tr("DesignSentence", "the %1 target"),
                {TrMarked("DesignTargets", TargetLabel(kind))});
}

// "k ≤ 1.03", "k ≥ 1.6", "k from 0.648 to 1.44", "any k", joined by " or ".
std::string DescribeSet(const std::vector<FeedbackInterval>& set, double from, double to,
                        char separator) {
  std::string text;
  for (const FeedbackInterval& i : set) {
    if (!text.empty()) text += Tr("DesignSentence", " or ");
    const bool low = i.From == from, high = i.To == to;
    if (low && high) {
      text += Tr("DesignSentence", "any k");
    } else if (low) {
      text += FillIn(Tr("DesignSentence", "k ≤ %1"), {FormatSignificant(i.To, 3, separator)});
    } else if (high) {
      text += FillIn(Tr("DesignSentence", "k ≥ %1"), {FormatSignificant(i.From, 3, separator)});
    } else {
      text +=
          FillIn(Tr("DesignSentence", "k from %1 to %2"),
                 {FormatSignificant(i.From, 3, separator), FormatSignificant(i.To, 3, separator)});
    }
  }
  return text;
}

std::string Trimmed(const std::string& s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::string FormatSignificant(double value, int digits, char decimalSeparator) {
  if (value == 0) return "0";
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
  std::string text(buffer, result.ptr);
  for (char& c : text)
    if (c == '.') c = decimalSeparator;
  return text;
}

std::string DesignSentence(const DesignAnswer& answer, char decimalSeparator) {
  const int count = answer.Targets.EnabledCount();
  if (count == 0) return Tr("DesignSentence", "no design targets are set");
  const auto number = [decimalSeparator](double value) {
    return FormatSignificant(value, 3, decimalSeparator);
  };
  std::string which;
  if (count == 1) {
    for (TargetKind kind : kAllTargetKinds)
      if (answer.Targets[kind].Enabled) which = TheTarget(kind);
  } else if (count == 2) {
    which = Tr("DesignSentence", "both targets");
  } else {
    which = AllTargets(count);
  }
  const std::string range =
      FillIn(Tr("DesignSentence", "%1 to %2"), {number(answer.From), number(answer.To)});
  if (!answer.Intervals.empty()) {
    std::string text;
    for (const FeedbackInterval& i : answer.Intervals) {
      text += FillIn(text.empty() ? Tr("DesignSentence", "k from %1 to %2")
                                  : Tr("DesignSentence", " or from %1 to %2"),
                     {number(i.From), number(i.To)});
    }
    return FillIn(Tr("DesignSentence", "%1 meets %2"), {text, which});
  }
  if (count == 1) return FillIn(Tr("DesignSentence", "no k from %1 meets %2"), {range, which});
  // Why not: what each target that does not hold everywhere needs.
  std::string needs, nowhere;
  int nowhereCount = 0;
  for (TargetKind kind : kAllTargetKinds) {
    if (!answer.Targets[kind].Enabled) continue;
    const std::vector<FeedbackInterval>& own = answer.PerTarget[static_cast<int>(kind)];
    const std::string label = TheTarget(kind);
    if (own.empty()) {
      nowhere += (nowhere.empty() ? "" : ", ") + label;
      ++nowhereCount;
      continue;
    }
    if (own.size() == 1 && own[0].From == answer.From && own[0].To == answer.To) continue;
    const std::string set = DescribeSet(own, answer.From, answer.To, decimalSeparator);
    needs += needs.empty() ? FillIn(Tr("DesignSentence", "%1 needs %2"), {label, set})
                           : ", " + label + " " + set;
  }
  std::string text = FillIn(Tr("DesignSentence", "no k from %1 meets them"), {range});
  if (!needs.empty()) text += ": " + needs;
  if (!nowhere.empty())
    text += (needs.empty() ? ": " : "; ") +
            FillIn(nowhereCount == 1 ? Tr("DesignSentence", "%1 is met by no k in the range")
                                     : Tr("DesignSentence", "%1 are met by no k in the range"),
                   {nowhere});
  return text;
}

bool ParseDesignTargets(const std::string& text, DesignTargets& targets, std::string& error) {
  DesignTargets parsed;
  std::size_t start = 0;
  bool any = false;
  while (start <= text.size()) {
    std::size_t end = text.find(',', start);
    if (end == std::string::npos) end = text.size();
    const std::string item = Trimmed(text.substr(start, end - start));
    start = end + 1;
    if (item.empty()) {
      error = "empty design target in \"" + text + "\"";
      return false;
    }
    const std::size_t op = item.find_first_of("<>");
    const std::string name = Trimmed(item.substr(0, op));
    const TargetKind* kind = nullptr;
    for (const TargetKind& k : kAllTargetKinds)
      if (name == TargetName(k)) kind = &k;
    if (!kind) {
      error = "unknown design target \"" + name +
              "\" (overshoot, settling2, settling5, rise, error, damping, phase-margin)";
      return false;
    }
    const std::string wantedOp = TargetIsLowerLimit(*kind) ? ">=" : "<=";
    if (op == std::string::npos || item.compare(op, 2, wantedOp) != 0) {
      error = "design target " + name + " takes " + wantedOp + " (" + name + wantedOp + "VALUE)";
      return false;
    }
    const std::string number = Trimmed(item.substr(op + 2));
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (number.empty() || result.ec != std::errc() || result.ptr != number.data() + number.size() ||
        !std::isfinite(value)) {
      error = "design target " + name + " has a bad number \"" + number + "\"";
      return false;
    }
    DesignTarget& target = parsed[*kind];
    if (target.Enabled) {
      error = "design target " + name + " is given twice";
      return false;
    }
    target = {true, value};
    any = true;
    if (end == text.size()) break;
  }
  if (!any) {
    error = "no design targets given";
    return false;
  }
  targets = parsed;
  return true;
}

}  // namespace drivesim
