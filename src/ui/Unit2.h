#pragma once
// The instructions window: a fixed help text in a read-only memo. It is
// created hidden, shown by the main window's "Help" without a modal loop, and
// its close box only hides it, so the next "Help" shows the same text again.

#include <memory>
#include <string>
#include <vector>

#include "platform/Controls.h"

namespace drivesim {

class TForm2 : public TForm {
 public:
  TForm2();
  ~TForm2() override;

  // The help text, line by line, exactly as the memo holds it.
  static const std::vector<std::string>& InstructionLines();

  std::unique_ptr<TMemo> Memo1;
};

}  // namespace drivesim
