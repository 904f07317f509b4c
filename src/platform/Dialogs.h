#pragma once
// The platform's standard file dialog for saving: the user picks a folder
// and types a name, or cancels. Like the error box, the dialog is
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

}  // namespace drivesim
