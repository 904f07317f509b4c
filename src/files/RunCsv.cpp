#include "files/RunCsv.h"

#include <string>

#include "analysis/FiguresCsv.h"
#include "analysis/TickLog.h"
#include "platform/Numbers.h"

namespace drivesim {

void WriteRunCsv(std::ostream& stream, const TickLog& log) {
  std::string text = std::string(kTickRowsHeader) + "\n";
  constexpr std::size_t kBlock = 1 << 16;
  for (std::size_t i = 0; i < log.Size(); ++i) {
    const TickSample& t = log[i];
    text += std::to_string(i + 1);
    for (double v : {t.Time, t.LoadVelocity, t.Setpoint, t.LoadGearAngle, t.MotorGearAngle}) {
      text += ',';
      AppendReal(text, v);
    }
    text += '\n';
    if (text.size() >= kBlock) {
      stream.write(text.data(), static_cast<std::streamsize>(text.size()));
      text.clear();
    }
  }
  stream.write(text.data(), static_cast<std::streamsize>(text.size()));
}

}  // namespace drivesim
