#pragma once
// The main menu of a form: a menu bar across the top of the window, above
// its client area, holding drop-down menus of commands. Attaching a main
// menu to a form makes the window taller by the menu bar's height and leaves
// its client area, and everything in it, as it was.
//
// A caption marks its access key with "&" ("&File": Alt+F opens the menu;
// "E&xit": X chooses the command while the menu is open). A command may
// carry a shortcut, written as the platform writes key combinations
// ("Ctrl+S", "Ctrl+Shift+S", "F1"), which chooses it from anywhere in the
// window. Choosing a command runs its OnClick through the application's
// guard.

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace drivesim {

class TForm;
class TMainMenu;
struct TMenuHandle;  // the Qt objects behind an item

using TMenuClickEvent = std::function<void()>;

// A drop-down menu (an item of the menu bar) or a command in one.
class TMenuItem {
 public:
  ~TMenuItem();
  TMenuItem(const TMenuItem&) = delete;
  TMenuItem& operator=(const TMenuItem&) = delete;

  const std::string& Caption() const { return fCaption; }
  // The shortcut's text, empty for none.
  const std::string& ShortCut() const { return fShortCut; }
  bool Enabled() const { return fEnabled; }
  void SetEnabled(bool value);

  // Adds a command to this drop-down menu.
  TMenuItem& Add(const std::string& caption, const std::string& shortCut = std::string());
  // Adds a submenu to this drop-down menu, below the commands so far; its
  // commands are added to it in turn.
  TMenuItem& AddMenu(const std::string& caption);
  // Adds a dividing line below the commands so far.
  void AddSeparator();
  // Removes every command and submenu of this menu (the references to them
  // end).
  void Clear();
  int Count() const { return static_cast<int>(fItems.size()); }
  TMenuItem& Items(int index) { return *fItems[static_cast<std::size_t>(index)]; }

  // Runs OnClick (outside the guard: the caller sees its exceptions).
  void Click();
  TMenuClickEvent OnClick;

 private:
  friend class TMainMenu;
  TMenuItem(std::string caption, std::string shortCut);

  std::string fCaption;
  std::string fShortCut;
  bool fEnabled = true;
  std::vector<std::unique_ptr<TMenuItem>> fItems;
  std::unique_ptr<TMenuHandle> fHandle;
};

class TMainMenu {
 public:
  // Attaches a menu bar to the form; the form must outlive the menu.
  explicit TMainMenu(TForm& form);
  ~TMainMenu();
  TMainMenu(const TMainMenu&) = delete;
  TMainMenu& operator=(const TMainMenu&) = delete;

  // Adds a drop-down menu to the bar.
  TMenuItem& Add(const std::string& caption);
  int Count() const { return static_cast<int>(fItems.size()); }
  TMenuItem& Items(int index) { return *fItems[static_cast<std::size_t>(index)]; }

  // The menu bar's height, pixels.
  int Height() const;
  // The Qt widget of the menu bar (null once it has been destroyed).
  void* Widget() const;

 private:
  TForm& fForm;
  std::vector<std::unique_ptr<TMenuItem>> fItems;
  std::unique_ptr<TMenuHandle> fBar;
};

}  // namespace drivesim
