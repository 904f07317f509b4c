#pragma once
// Records the error boxes the application's guard shows, instead of opening
// modal message boxes; the default presenter returns when it goes out of
// scope.

#include <string>
#include <vector>

#include "platform/Application.h"

namespace drivesim {

struct ShownErrorBox {
  std::string text;
  std::string caption;
};

class ErrorBoxCapture {
 public:
  ErrorBoxCapture() {
    SetErrorBoxPresenter([this](const std::string& text, const std::string& caption) {
      boxes.push_back({text, caption});
    });
  }
  ~ErrorBoxCapture() { SetErrorBoxPresenter(nullptr); }
  ErrorBoxCapture(const ErrorBoxCapture&) = delete;
  ErrorBoxCapture& operator=(const ErrorBoxCapture&) = delete;

  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const ShownErrorBox& box : boxes) texts.push_back(box.text);
    return texts;
  }

  std::vector<ShownErrorBox> boxes;
};

}  // namespace drivesim
