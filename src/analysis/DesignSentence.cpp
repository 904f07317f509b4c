// The design answer in words, and the target list's text form.
#include <charconv>
#include <cmath>

#include "analysis/DesignTargets.h"

namespace drivesim {

namespace {

const char* NumberWord(int n) {
  static const char* const kWords[] = {"zero", "one",  "two", "three",
                                       "four", "five", "six", "seven"};
  return n >= 0 && n <= 7 ? kWords[n] : "";
}

// "k ≤ 1.03", "k ≥ 1.6", "k from 0.648 to 1.44", "any k", joined by " or ".
std::string DescribeSet(const std::vector<FeedbackInterval>& set, double from, double to,
                        char separator) {
  std::string text;
  for (const FeedbackInterval& i : set) {
    if (!text.empty()) text += " or ";
    const bool low = i.From == from, high = i.To == to;
    if (low && high) {
      text += "any k";
    } else if (low) {
      text += "k \u2264 " + FormatSignificant(i.To, 3, separator);
    } else if (high) {
      text += "k \u2265 " + FormatSignificant(i.From, 3, separator);
    } else {
      text += "k from " + FormatSignificant(i.From, 3, separator) + " to " +
              FormatSignificant(i.To, 3, separator);
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
  if (count == 0) return "no design targets are set";
  std::string which;
  if (count == 1) {
    for (TargetKind kind : kAllTargetKinds)
      if (answer.Targets[kind].Enabled) which = std::string("the ") + TargetLabel(kind) + " target";
  } else if (count == 2) {
    which = "both targets";
  } else {
    which = std::string("all ") + NumberWord(count) + " targets";
  }
  const std::string range = FormatSignificant(answer.From, 3, decimalSeparator) + " to " +
                            FormatSignificant(answer.To, 3, decimalSeparator);
  if (!answer.Intervals.empty()) {
    std::string text;
    for (const FeedbackInterval& i : answer.Intervals) {
      text += text.empty() ? "k from " : " or from ";
      text += FormatSignificant(i.From, 3, decimalSeparator) + " to " +
              FormatSignificant(i.To, 3, decimalSeparator);
    }
    return text + " meets " + which;
  }
  if (count == 1) return "no k from " + range + " meets " + which;
  // Why not: what each target that does not hold everywhere needs.
  std::string needs, nowhere;
  for (TargetKind kind : kAllTargetKinds) {
    if (!answer.Targets[kind].Enabled) continue;
    const std::vector<FeedbackInterval>& own = answer.PerTarget[static_cast<int>(kind)];
    const std::string label = std::string("the ") + TargetLabel(kind) + " target";
    if (own.empty()) {
      nowhere += (nowhere.empty() ? "" : ", ") + label;
      continue;
    }
    if (own.size() == 1 && own[0].From == answer.From && own[0].To == answer.To) continue;
    needs += needs.empty() ? label + " needs " : ", " + label + " ";
    needs += DescribeSet(own, answer.From, answer.To, decimalSeparator);
  }
  std::string text = "no k from " + range + " meets them";
  if (!needs.empty()) text += ": " + needs;
  if (!nowhere.empty())
    text += (needs.empty() ? ": " : "; ") + nowhere +
            (nowhere.find(", ") == std::string::npos ? " is met by no k in the range"
                                                     : " are met by no k in the range");
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
