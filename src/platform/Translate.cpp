#include "platform/Translate.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QString>
#include <QTranslator>
#include <algorithm>
#include <memory>
#include <vector>

#include "platform/Numbers.h"

namespace drivesim {

namespace {

// The translators the program has installed: its own and Qt's.
std::unique_ptr<QTranslator> g_programTranslator;
std::unique_ptr<QTranslator> g_qtTranslator;
std::string g_language;

void Remove(std::unique_ptr<QTranslator>& translator) {
  if (!translator) return;
  QCoreApplication::removeTranslator(translator.get());
  translator.reset();
}

// The patterns of messages made with texts put in, in the order they are
// tried: the platform's own, then those the windows add.
std::vector<const char*>& MessagePatterns() {
  static std::vector<const char*> patterns = {kNotAFloatMessage, kNotAnIntegerMessage};
  return patterns;
}

// Whether message is the pattern with texts in the places of %1, %2, ...
// (each placeholder once, in order), each text reaching to the first place
// where the pattern's next words follow; the texts in the placeholders'
// order.
bool MatchPattern(const std::string& pattern, const std::string& message,
                  std::vector<std::string>& texts) {
  std::vector<std::string> words;
  std::size_t start = 0;
  for (std::size_t i = 0; i + 1 < pattern.size(); ++i) {
    if (pattern[i] == '%' && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
      if (pattern[i + 1] - '0' != static_cast<int>(words.size()) + 1) return false;
      words.push_back(pattern.substr(start, i - start));
      start = i + 2;
      ++i;
    }
  }
  if (words.empty()) return false;
  const std::string last = pattern.substr(start);
  if (message.compare(0, words[0].size(), words[0]) != 0) return false;
  std::size_t at = words[0].size();
  texts.clear();
  for (std::size_t w = 1; w < words.size(); ++w) {
    const std::size_t next = message.find(words[w], at);
    if (next == std::string::npos) return false;
    texts.push_back(message.substr(at, next - at));
    at = next + words[w].size();
  }
  if (message.size() < at + last.size() ||
      message.compare(message.size() - last.size(), last.size(), last) != 0)
    return false;
  texts.push_back(message.substr(at, message.size() - last.size() - at));
  return true;
}

// The pattern with %1, %2, ... replaced by the texts, in one pass.
std::string FillInAll(const std::string& pattern, const std::vector<std::string>& texts) {
  std::string result;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
    if (pattern[i] == '%' && next >= '1' && next <= '9' &&
        static_cast<std::size_t>(next - '0') <= texts.size()) {
      result += texts[static_cast<std::size_t>(next - '1')];
      ++i;
    } else {
      result += pattern[i];
    }
  }
  return result;
}

}  // namespace

std::string Tr(const char* context, const char* text) {
  return QCoreApplication::translate(context, text).toStdString();
}

std::string TrMarked(const char* context, const std::string& text) {
  return QCoreApplication::translate(context, text.c_str()).toStdString();
}

std::string TrMessage(const std::string& message) {
  const std::string whole = TrMarked("Errors", message);
  if (whole != message) return whole;
  for (const char* pattern : MessagePatterns()) {
    std::vector<std::string> texts;
    if (!MatchPattern(pattern, message, texts)) continue;
    // The last text put in is the reason, itself perhaps a marked message;
    // the others (file names, field names, numbers) stay as they are.
    texts.back() = TrMessage(texts.back());
    std::string shown = TrMarked("Errors", pattern);
    return FillInAll(shown, texts);
  }
  return message;
}

void AddMessagePatterns(const std::vector<const char*>& patterns) {
  std::vector<const char*>& known = MessagePatterns();
  for (const char* pattern : patterns) {
    if (std::find(known.begin(), known.end(), pattern) == known.end()) known.push_back(pattern);
  }
}

std::string FillIn(const std::string& pattern, std::initializer_list<std::string> texts) {
  return FillInAll(pattern, std::vector<std::string>(texts));
}

bool InstallTranslations(const std::string& localeName) {
  Remove(g_programTranslator);
  Remove(g_qtTranslator);
  g_language.clear();
  if (localeName.empty()) return false;
  const QLocale locale(QString::fromStdString(localeName));
  if (locale.language() == QLocale::English || locale.language() == QLocale::C) return false;

  auto qt = std::make_unique<QTranslator>();
  if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
               QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(qt.get());
    g_qtTranslator = std::move(qt);
  }
  auto own = std::make_unique<QTranslator>();
  if (!own->load(locale, QStringLiteral("drivesim"), QStringLiteral("_"), QStringLiteral(":/i18n")))
    return false;
  QCoreApplication::installTranslator(own.get());
  g_programTranslator = std::move(own);
  g_language = QLocale::languageToCode(locale.language()).toStdString();
  return true;
}

std::string TranslationLanguage() { return g_language; }

}  // namespace drivesim
