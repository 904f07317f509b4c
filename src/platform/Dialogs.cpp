#include "platform/Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QString>
#include <utility>

#include "platform/QtBridge.h"

namespace drivesim {

namespace {

TSaveDialogPresenter g_saveDialogPresenter;

std::optional<std::string> PresentFileDialog(const TSaveDialogRequest& request) {
  const QString name = QFileDialog::getSaveFileName(
      QApplication::activeWindow(), bridge::ToQString(request.Title),
      bridge::ToQString(request.FileName), bridge::ToQString(request.Filter));
  if (name.isEmpty()) return std::nullopt;
  return bridge::FromQString(name);
}

}  // namespace

std::optional<std::string> PromptForSaveFileName(const TSaveDialogRequest& request) {
  // A copy, so that a presenter replacing itself stays alive while it runs.
  const TSaveDialogPresenter presenter = g_saveDialogPresenter;
  std::optional<std::string> name = presenter ? presenter(request) : PresentFileDialog(request);
  if (!name || name->empty()) return std::nullopt;
  const std::size_t slash = name->find_last_of('/');
  const std::size_t base = slash == std::string::npos ? 0 : slash + 1;
  const bool hasSuffix = name->find('.', base) != std::string::npos;
  if (!hasSuffix && base < name->size() && !request.DefaultSuffix.empty()) {
    *name += "." + request.DefaultSuffix;
  }
  return name;
}

void SetSaveDialogPresenter(TSaveDialogPresenter presenter) {
  g_saveDialogPresenter = std::move(presenter);
}

}  // namespace drivesim
