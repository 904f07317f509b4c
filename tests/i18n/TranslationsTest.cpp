// The translations are complete and sound: lupdate run over the program's
// sources finds no text that a language lacks (nor a translated text the
// sources no longer have), and every translation keeps its source's
// placeholders, access key, line breaks and closing ellipsis.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "i18n/TranslationFiles.h"

namespace drivesim {
namespace {

// The languages the program is translated into, as the build lists them.
std::vector<std::string> Languages() {
  std::vector<std::string> languages;
  for (const QString& l : QString::fromUtf8(DRIVESIM_LANGUAGES).split(u' ', Qt::SkipEmptyParts))
    languages.push_back(l.toStdString());
  return languages;
}

std::string CommittedTs(const std::string& language) {
  return std::string(DRIVESIM_TRANSLATIONS_DIR) + "/drivesim_" + language + ".ts";
}

// Runs lupdate over the program's sources into a copy of the committed
// file, as the update target would, and returns the copy's messages.
std::vector<TsMessage> UpdatedCopy(const std::string& language, const QTemporaryDir& scratch,
                                   std::string& error) {
  const QString copy = scratch.filePath(QString::fromStdString("drivesim_" + language + ".ts"));
  QFile::remove(copy);
  if (!QFile::copy(QString::fromStdString(CommittedTs(language)), copy)) {
    error = "cannot copy " + CommittedTs(language);
    return {};
  }
  QStringList arguments =
      QString::fromUtf8(DRIVESIM_LUPDATE_OPTIONS).split(u' ', Qt::SkipEmptyParts);
  arguments << QStringLiteral("@" DRIVESIM_LUPDATE_SOURCES) << QStringLiteral("-ts") << copy;
  QProcess lupdate;
  lupdate.start(QStringLiteral(DRIVESIM_LUPDATE), arguments);
  if (!lupdate.waitForFinished(120000) || lupdate.exitCode() != 0) {
    error = "lupdate failed: " + lupdate.readAllStandardError().toStdString();
    return {};
  }
  return ReadTsFile(copy.toStdString(), error);
}

TEST(Translations, EveryShownTextHasATranslationInEveryLanguage) {
  QTemporaryDir scratch;
  ASSERT_TRUE(scratch.isValid());
  for (const std::string& language : Languages()) {
    SCOPED_TRACE(language);
    std::string error;
    const std::vector<TsMessage> committed = ReadTsFile(CommittedTs(language), error);
    ASSERT_EQ(error, "");
    const std::vector<TsMessage> updated = UpdatedCopy(language, scratch, error);
    ASSERT_EQ(error, "");
    // The sources have texts, many of them; an empty list would mean
    // lupdate read nothing.
    EXPECT_GT(updated.size(), 200u);

    std::string lacking;
    std::set<std::pair<std::string, std::string>> inSources;
    for (const TsMessage& m : updated) {
      inSources.insert({m.Context, m.Source});
      if (m.Unfinished || m.Translation.empty())
        lacking += "\n  [" + m.Context + "] \"" + m.Source + "\"";
    }
    EXPECT_TRUE(lacking.empty()) << language << " has no finished translation of:" << lacking;

    std::string stale;
    for (const TsMessage& m : committed) {
      if (!inSources.count({m.Context, m.Source}))
        stale += "\n  [" + m.Context + "] \"" + m.Source + "\"";
    }
    EXPECT_TRUE(stale.empty()) << "drivesim_" << language
                               << ".ts translates texts the sources no longer have:" << stale;
  }
}

// The placeholders of a text, sorted: %1..%9 for FillIn, %v and %m for the
// progress bar.
std::vector<std::string> Placeholders(const std::string& text) {
  std::vector<std::string> found;
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    const char c = text[i + 1];
    if (text[i] == '%' && ((c >= '1' && c <= '9') || c == 'v' || c == 'm'))
      found.push_back(text.substr(i, 2));
  }
  std::sort(found.begin(), found.end());
  return found;
}

// The access keys: single "&"s ("&&" is a literal ampersand).
int AccessKeys(const std::string& text) {
  int count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (i + 1 < text.size() && text[i + 1] == '&') {
      ++i;
      continue;
    }
    ++count;
  }
  return count;
}

bool EndsWithEllipsis(const std::string& text) {
  const std::string ellipsis = "…";
  return text.size() >= ellipsis.size() &&
         text.compare(text.size() - ellipsis.size(), ellipsis.size(), ellipsis) == 0;
}

TEST(Translations, KeepPlaceholdersAccessKeysLinesAndEllipses) {
  for (const std::string& language : Languages()) {
    SCOPED_TRACE(language);
    std::string error;
    const std::vector<TsMessage> messages = ReadTsFile(CommittedTs(language), error);
    ASSERT_EQ(error, "");
    std::string broken;
    for (const TsMessage& m : messages) {
      if (m.Translation.empty()) continue;
      std::string what;
      if (Placeholders(m.Source) != Placeholders(m.Translation)) what += " placeholders";
      if (AccessKeys(m.Source) != AccessKeys(m.Translation)) what += " access keys";
      if (std::count(m.Source.begin(), m.Source.end(), '\n') !=
          std::count(m.Translation.begin(), m.Translation.end(), '\n'))
        what += " line breaks";
      if (EndsWithEllipsis(m.Source) != EndsWithEllipsis(m.Translation)) what += " ellipsis";
      if (m.Source.find('\t') != std::string::npos &&
          std::count(m.Source.begin(), m.Source.end(), '\t') !=
              std::count(m.Translation.begin(), m.Translation.end(), '\t'))
        what += " tabs";
      if (!what.empty())
        broken +=
            "\n  [" + m.Context + "] \"" + m.Source + "\" -> \"" + m.Translation + "\":" + what;
    }
    EXPECT_TRUE(broken.empty()) << language << " translations that lose their source's" << broken;
  }
}

}  // namespace
}  // namespace drivesim
