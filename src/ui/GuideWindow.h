#pragma once
// The user guide's window (Help > User guide): the guide shipped inside the
// program as a Qt resource, shown in a text browser. The window is not
// modal and looks as the lab window does; Ctrl+W closes it, which only hides
// it, so that it opens again where the reader left it.

#include <string>

class QTextBrowser;
class QWidget;

namespace drivesim {

// The English guide's place among the program's resources.
constexpr const char* kGuideResourcePath = ":/guide/drivesim-guide.html";

// The guide shown: the one in the language of the program's translation
// (":/guide/drivesim-guide_de.html"), the English one when there is none.
std::string GuideResourcePath();

// The guide's HTML text as the program carries and shows it; empty should
// the resource be missing.
std::string GuideHtml();

class TGuideWindow {
 public:
  TGuideWindow();
  ~TGuideWindow();
  TGuideWindow(const TGuideWindow&) = delete;
  TGuideWindow& operator=(const TGuideWindow&) = delete;

  // Shows the window in front, or brings it there.
  void Show();
  void Hide();
  bool Visible() const;

  QWidget* Widget() const { return fWindow; }
  QTextBrowser* Browser() const { return fBrowser; }

 private:
  QWidget* fWindow = nullptr;  // owned; its widgets are its children
  QTextBrowser* fBrowser = nullptr;
};

}  // namespace drivesim
