#pragma once
// What the program's own windows beside the main window (the lab, the
// explorer, the user guide) build alike: the frame of the window with its
// face and its Ctrl+W, and buttons whose handlers run through the guard.

#include <functional>
#include <string>

class QPushButton;
class QWidget;

namespace drivesim {

// The windows' texts: the main window's face at 10 points.
constexpr const char* kLabFontName = "MS Sans Serif";
constexpr int kLabFontPixels = 13;

// A top-level window with the given caption, place and size, in the lab's
// face. Ctrl+W (the platform's "close window" keys) closes it, which for
// these windows only hides it.
QWidget* MakeLabWindowFrame(const std::string& caption, int left, int top, int width, int height);

// A button that is never the default one, whose click runs handler through
// the application's guard.
QPushButton* MakeLabButton(const std::string& caption, QWidget* parent,
                           const std::function<void()>& handler);

}  // namespace drivesim
