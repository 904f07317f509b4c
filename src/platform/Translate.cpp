#include "platform/Translate.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QString>
#include <QTranslator>
#include <memory>

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
  for (const char* pattern : {kNotAFloatMessage, kNotAnIntegerMessage}) {
    const std::string english = pattern;
    const std::size_t at = english.find("%1");
    const std::string before = english.substr(0, at), after = english.substr(at + 2);
    if (message.size() < before.size() + after.size() ||
        message.compare(0, before.size(), before) != 0 ||
        message.compare(message.size() - after.size(), after.size(), after) != 0)
      continue;
    const std::string text =
        message.substr(before.size(), message.size() - before.size() - after.size());
    return FillIn(TrMarked("Errors", english), {text});
  }
  return message;
}

std::string FillIn(const std::string& pattern, std::initializer_list<std::string> texts) {
  std::string result;
  result.reserve(pattern.size());
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
    const std::size_t number = static_cast<std::size_t>(next - '0');
    if (pattern[i] == '%' && next >= '1' && next <= '9' && number <= texts.size()) {
      result += texts.begin()[number - 1];
      ++i;
    } else {
      result += pattern[i];
    }
  }
  return result;
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
