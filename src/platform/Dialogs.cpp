#include "platform/Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QString>
#include <utility>

#include "platform/Application.h"
#include "platform/QtBridge.h"
#include "platform/Translate.h"

namespace drivesim {

namespace {

TSaveDialogPresenter g_saveDialogPresenter;
TOpenDialogPresenter g_openDialogPresenter;
TSaveQuestionPresenter g_saveQuestionPresenter;
TTextPresenter g_textPresenter;

std::optional<std::string> PresentTextBox(const TTextRequest& request) {
  bool ok = false;
  const QString text = QInputDialog::getText(
      QApplication::activeWindow(), bridge::ToQString(request.Title),
      bridge::ToQString(request.Label), QLineEdit::Normal, bridge::ToQString(request.Text), &ok);
  if (!ok) return std::nullopt;
  return bridge::FromQString(text);
}

std::optional<std::string> PresentOpenDialog(const TOpenDialogRequest& request) {
  const QString name = QFileDialog::getOpenFileName(
      QApplication::activeWindow(), bridge::ToQString(request.Title),
      bridge::ToQString(request.Directory), bridge::ToQString(request.Filter));
  if (name.isEmpty()) return std::nullopt;
  return bridge::FromQString(name);
}

TSaveChoice PresentSaveQuestion(const std::string& text) {
  QMessageBox box(QMessageBox::Warning, bridge::ToQString(Application().Title()),
                  bridge::ToQString(text), QMessageBox::NoButton, QApplication::activeWindow());
  // Buttons with access keys of their own (Alt+S, Alt+D), whatever the
  // platform's standard texts.
  QPushButton* save =
      box.addButton(bridge::ToQString(Tr("Dialogs", "&Save")), QMessageBox::AcceptRole);
  QPushButton* discard =
      box.addButton(bridge::ToQString(Tr("Dialogs", "&Discard")), QMessageBox::DestructiveRole);
  QPushButton* cancel =
      box.addButton(bridge::ToQString(Tr("Dialogs", "Cancel")), QMessageBox::RejectRole);
  box.setDefaultButton(save);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == save) return TSaveChoice::Save;
  if (box.clickedButton() == discard) return TSaveChoice::Discard;
  return TSaveChoice::Cancel;
}

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

std::optional<std::string> PromptForOpenFileName(const TOpenDialogRequest& request) {
  const TOpenDialogPresenter presenter = g_openDialogPresenter;
  std::optional<std::string> name = presenter ? presenter(request) : PresentOpenDialog(request);
  if (!name || name->empty()) return std::nullopt;
  return name;
}

void SetOpenDialogPresenter(TOpenDialogPresenter presenter) {
  g_openDialogPresenter = std::move(presenter);
}

std::optional<std::string> PromptForText(const TTextRequest& request) {
  const TTextPresenter presenter = g_textPresenter;
  return presenter ? presenter(request) : PresentTextBox(request);
}

void SetTextPresenter(TTextPresenter presenter) { g_textPresenter = std::move(presenter); }

TSaveChoice AskSaveChanges(const std::string& text) {
  const TSaveQuestionPresenter presenter = g_saveQuestionPresenter;
  return presenter ? presenter(text) : PresentSaveQuestion(text);
}

void SetSaveQuestionPresenter(TSaveQuestionPresenter presenter) {
  g_saveQuestionPresenter = std::move(presenter);
}

}  // namespace drivesim
