#pragma once
// The texts the program shows, in the user's language. A text is looked up
// in the translations the program installs at start-up (its own and Qt's,
// chosen by the system's locale); with none installed, as in the batch tool
// and the tests, every text is the English written at its call.
//
// Tr("Context", "Text") marks a text and looks it up at once: lupdate finds
// every such call. TR_NOOP("Context", "Text") only marks a text where a
// table defines it, so that code writing files and command-line output takes
// it as written; the windows look it up where they show it with TrMarked.

#include <initializer_list>
#include <string>
#include <vector>

// Marks a text of a table for translation; the text itself stays as written.
#define TR_NOOP(context, text) text

namespace drivesim {

// The translation of the text in the given context; the text itself when
// there is none.
std::string Tr(const char* context, const char* text);

// The translation of a text marked with TR_NOOP in the same context.
std::string TrMarked(const char* context, const std::string& text);

// An exception's message as an error box of the windows shows it: the
// translation of a message marked in the "Errors" context, whole or made
// from a marked pattern with texts put in ("'%1' is not a valid floating
// point value", where %1 is the text that was typed); the message itself
// when there is none. The last text put in is translated in turn, so that
// a reason inside a message comes out translated too.
std::string TrMessage(const std::string& message);

// Adds patterns (marked with TR_NOOP in the "Errors" context) that
// TrMessage tries, after those it knows; a pattern known already is not
// added again.
void AddMessagePatterns(const std::vector<const char*>& patterns);

// The pattern with %1, %2, ... replaced by the given texts, in one pass, so
// that a text put in never has its own "%1" replaced.
std::string FillIn(const std::string& pattern, std::initializer_list<std::string> texts);

// Loads the program's translation and Qt's own for the given locale name
// ("de_DE", "ru"): the program's from its resources, Qt's from the system's
// Qt translations folder when there is one. English needs none. Returns
// whether the program's own translation was found. Installing again
// replaces the previous ones; an empty name removes them.
bool InstallTranslations(const std::string& localeName);

// The language of the program's installed translation ("de", "ru"); empty
// when none is installed and the program speaks English.
std::string TranslationLanguage();

}  // namespace drivesim
