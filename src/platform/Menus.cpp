// TMainMenu and TMenuItem on Qt: the bar is a QMenuBar placed by the form
// above its client area, a drop-down menu a QMenu in it, a command a QAction
// whose shortcut works anywhere in the window.
#include "platform/Menus.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QObject>
#include <QPointer>
#include <utility>

#include "platform/Application.h"
#include "platform/Controls.h"
#include "platform/QtBridge.h"

namespace drivesim {

// The Qt objects behind an item: a drop-down menu has its QMenu, a command
// its QAction. Qt owns them (the bar its menus, a menu its actions); the
// pointers turn null when Qt destroys them first.
struct TMenuHandle {
  QPointer<QMenuBar> Bar;
  QPointer<QMenu> Menu;
  QPointer<QAction> Action;
};

// ---------------------------------------------------------------------------
// TMenuItem

TMenuItem::TMenuItem(std::string caption, std::string shortCut)
    : fCaption(std::move(caption)),
      fShortCut(std::move(shortCut)),
      fHandle(std::make_unique<TMenuHandle>()) {}

TMenuItem::~TMenuItem() = default;

void TMenuItem::SetEnabled(bool value) {
  fEnabled = value;
  if (fHandle->Action) fHandle->Action->setEnabled(value);
  if (fHandle->Menu) fHandle->Menu->setEnabled(value);
}

TMenuItem& TMenuItem::Add(const std::string& caption, const std::string& shortCut) {
  fItems.push_back(std::unique_ptr<TMenuItem>(new TMenuItem(caption, shortCut)));
  TMenuItem& item = *fItems.back();
  if (QMenu* menu = fHandle->Menu) {
    QAction* action = menu->addAction(bridge::ToQString(caption));
    if (!shortCut.empty()) {
      action->setShortcut(QKeySequence(bridge::ToQString(shortCut), QKeySequence::PortableText));
    }
    // The shortcut chooses the command from anywhere in the window, also
    // while a control such as an edit has the focus.
    action->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(action, &QAction::triggered, action,
                     [&item] { RunGuarded([&item] { item.Click(); }); });
    item.fHandle->Action = action;
  }
  return item;
}

TMenuItem& TMenuItem::AddMenu(const std::string& caption) {
  fItems.push_back(std::unique_ptr<TMenuItem>(new TMenuItem(caption, std::string())));
  TMenuItem& item = *fItems.back();
  if (QMenu* menu = fHandle->Menu) item.fHandle->Menu = menu->addMenu(bridge::ToQString(caption));
  return item;
}

void TMenuItem::Clear() {
  for (const std::unique_ptr<TMenuItem>& item : fItems) {
    if (QAction* action = item->fHandle->Action) delete action;
    if (QMenu* menu = item->fHandle->Menu) delete menu;
  }
  fItems.clear();
  if (QMenu* menu = fHandle->Menu) menu->clear();
}

void TMenuItem::AddSeparator() {
  if (QMenu* menu = fHandle->Menu) menu->addSeparator();
}

void TMenuItem::Click() {
  const TMenuClickEvent handler = OnClick;
  if (handler) handler();
}

// ---------------------------------------------------------------------------
// TMainMenu

TMainMenu::TMainMenu(TForm& form) : fForm(form), fBar(std::make_unique<TMenuHandle>()) {
  auto* window = static_cast<QWidget*>(form.Widget());
  if (!window) return;
  auto* bar = new QMenuBar(window);
  // The bar takes no part in the window's Tab order; Alt and the access
  // keys reach it.
  bar->setFocusPolicy(Qt::NoFocus);
  bar->show();
  fBar->Bar = bar;
  form.SetMenuBar(bar, bar->sizeHint().height());
}

TMainMenu::~TMainMenu() {
  if (QMenuBar* bar = fBar->Bar) {
    fForm.SetMenuBar(nullptr, 0);
    delete bar;
  }
}

TMenuItem& TMainMenu::Add(const std::string& caption) {
  fItems.push_back(std::unique_ptr<TMenuItem>(new TMenuItem(caption, std::string())));
  TMenuItem& item = *fItems.back();
  if (QMenuBar* bar = fBar->Bar) {
    QMenu* menu = bar->addMenu(bridge::ToQString(caption));
    item.fHandle->Menu = menu;
    // The bar's height follows its menus' captions.
    fForm.SetMenuBar(bar, bar->sizeHint().height());
  }
  return item;
}

int TMainMenu::Height() const { return fForm.MenuHeight(); }

void* TMainMenu::Widget() const { return fBar->Bar.data(); }

}  // namespace drivesim
