#pragma once
// The platform's standard file dialogs for saving and opening, and the
// question before unsaved work is lost. Like the error box, each is
// replaceable, so that tests answer it instead of a user.

#include <functional>
#include <optional>
#include <string>

namespace drivesim {

struct TSaveDialogRequest {
  std::string Title;          // the dialog's caption, "Save run as CSV"
  std::string FileName;       // the name proposed, "run.csv"
  std::string Filter;         // the kinds of file offered, "CSV files (*.csv)"
  std::string DefaultSuffix;  // added to a name typed without one, "csv"
};

// Asks for the name of a file to save; nothing when the user cancels. A name
// given without a suffix ("report") gets the default one ("report.csv").
// While the dialog is open the event loop goes on, timer ticks included.
std::optional<std::string> PromptForSaveFileName(const TSaveDialogRequest& request);

// Who answers the dialog. The default opens the platform's modal file
// dialog; tests install a function that returns the name they choose (or
// nothing, for Cancel). An empty function restores the default.
using TSaveDialogPresenter =
    std::function<std::optional<std::string>(const TSaveDialogRequest& request)>;
void SetSaveDialogPresenter(TSaveDialogPresenter presenter);

struct TOpenDialogRequest {
  std::string Title;      // "Open scenario"
  std::string Directory;  // the folder it starts in; empty for the current one
  std::string Filter;     // "Scenarios (*.drivesim)"
};

// Asks for an existing file to open; nothing when the user cancels.
std::optional<std::string> PromptForOpenFileName(const TOpenDialogRequest& request);

using TOpenDialogPresenter =
    std::function<std::optional<std::string>(const TOpenDialogRequest& request)>;
void SetOpenDialogPresenter(TOpenDialogPresenter presenter);

struct TTextRequest {
  std::string Title;  // the box's caption, "Lab report"
  std::string Label;  // the question above the line, "Student's name:"
  std::string Text;   // the text proposed
};

// Asks for one line of text in a modal box; nothing when the user cancels.
std::optional<std::string> PromptForText(const TTextRequest& request);

using TTextPresenter = std::function<std::optional<std::string>(const TTextRequest& request)>;
void SetTextPresenter(TTextPresenter presenter);

// The answer to "save before it is lost?".
enum class TSaveChoice { Save, Discard, Cancel };

// Asks, in a modal box with the application's title as caption, whether to
// save what text describes before it is lost: Save, Discard or Cancel
// (Escape and the close box are Cancel).
TSaveChoice AskSaveChanges(const std::string& text);

using TSaveQuestionPresenter = std::function<TSaveChoice(const std::string& text)>;
void SetSaveQuestionPresenter(TSaveQuestionPresenter presenter);

}  // namespace drivesim
