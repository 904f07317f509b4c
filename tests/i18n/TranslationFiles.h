#pragma once
// The program's translation files as the tests read them: every message's
// context, English text and translation, and whether lupdate left it
// unfinished.

#include <QFile>
#include <QXmlStreamReader>
#include <string>
#include <vector>

namespace drivesim {

struct TsMessage {
  std::string Context;
  std::string Source;
  std::string Translation;
  bool Unfinished = false;
};

// The messages of a .ts file; Error names what could not be read.
inline std::vector<TsMessage> ReadTsFile(const std::string& path, std::string& error) {
  std::vector<TsMessage> messages;
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) {
    error = "cannot open " + path;
    return messages;
  }
  QXmlStreamReader xml(&file);
  std::string context;
  while (!xml.atEnd()) {
    xml.readNext();
    if (!xml.isStartElement()) continue;
    if (xml.name() == u"name") {
      context = xml.readElementText().toStdString();
    } else if (xml.name() == u"message") {
      messages.push_back(TsMessage{.Context = context, .Source = {}, .Translation = {}});
    } else if (xml.name() == u"source" && !messages.empty()) {
      messages.back().Source = xml.readElementText().toStdString();
    } else if (xml.name() == u"translation" && !messages.empty()) {
      const auto type = xml.attributes().value(QStringLiteral("type"));
      messages.back().Unfinished =
          type == u"unfinished" || type == u"vanished" || type == u"obsolete";
      messages.back().Translation = xml.readElementText().toStdString();
    }
  }
  if (xml.hasError()) error = path + ": " + xml.errorString().toStdString();
  return messages;
}

}  // namespace drivesim
