// The inputs beside a run's outputs: the CSV's comment lines read back to
// the same reals in the scenario files' names, and the picture's caption
// in words with the locale's separator.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "files/InputsText.h"
#include "platform/Numbers.h"

namespace drivesim {
namespace {

TEST(InputsTextTest, CommentLinesAndCaption) {
  const DriveInputs inputs{7.5, 0.1 + 0.2, 1.4, 0.021, 0.3, 1.6, -0.25, 17, 250};
  const std::string comment = InputsComment(inputs);
  EXPECT_EQ(comment,
            "# gain = 7.5\n# time_constant = 0.30000000000000004\n# motor_coef = 1.4\n"
            "# motor_inertia = 0.021\n# load_inertia = 0.3\n# friction = 1.6\n"
            "# feedback = -0.25\n# teeth = 17\n# setpoint = 250\n");
  // Every line reads back to the very real.
  std::istringstream lines(comment);
  std::string line;
  int count = 0;
  while (std::getline(lines, line)) {
    ++count;
    EXPECT_EQ(line.rfind("# ", 0), 0u);
  }
  EXPECT_EQ(count, 9);
  EXPECT_EQ(std::stod(comment.substr(comment.find("time_constant = ") + 16)), 0.1 + 0.2);

  const char saved = DecimalSeparator();
  SetDecimalSeparator(',');
  const std::string caption = InputsCaption(inputs);
  SetDecimalSeparator(saved);
  EXPECT_EQ(caption.rfind("Gain 7,5, time constant 0,3", 0), 0u) << caption;
  EXPECT_NE(caption.find("feedback -0,25 V\u00b7s/rad, load gear 17 teeth, setpoint 250 rad/s"),
            std::string::npos)
      << caption;
  EXPECT_EQ(caption.find('\n'), std::string::npos);
}

}  // namespace
}  // namespace drivesim
