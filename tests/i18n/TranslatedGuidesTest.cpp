// Every translated user guide is the English guide in another language:
// the same sections under the same anchors, links that lead to them, the
// same worked commands, and its language named, so that the window finds
// every section the English guide has.
#include <gtest/gtest.h>

#include <QFile>
#include <QString>
#include <set>
#include <string>
#include <vector>

namespace drivesim {
namespace {

std::string Resource(const std::string& path) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return std::string();
  return file.readAll().toStdString();
}

// Every text between open and the next close after it.
std::vector<std::string> AllBetween(const std::string& text, const std::string& open,
                                    const std::string& close) {
  std::vector<std::string> found;
  for (std::size_t at = text.find(open); at != std::string::npos; at = text.find(open, at)) {
    at += open.size();
    const std::size_t end = text.find(close, at);
    if (end == std::string::npos) break;
    found.push_back(text.substr(at, end - at));
    at = end + close.size();
  }
  return found;
}

// The lines of the examples that run the batch tool.
std::vector<std::string> Commands(const std::string& html) {
  std::vector<std::string> commands;
  for (const std::string& pre : AllBetween(html, "<pre>", "</pre>"))
    if (pre.rfind("drivesim-batch", 0) == 0) commands.push_back(pre);
  return commands;
}

TEST(TranslatedGuides, KeepTheEnglishGuidesSectionsLinksAndCommands) {
  const std::string english = Resource(":/guide/drivesim-guide.html");
  ASSERT_FALSE(english.empty());
  const std::vector<std::string> anchors = AllBetween(english, "<a name=\"", "\"");
  const std::vector<std::string> links = AllBetween(english, "href=\"#", "\"");
  ASSERT_GT(anchors.size(), 10u);
  for (const QString& l : QString::fromUtf8(DRIVESIM_LANGUAGES).split(u' ', Qt::SkipEmptyParts)) {
    const std::string language = l.toStdString();
    SCOPED_TRACE(language);
    const std::string html = Resource(":/guide/drivesim-guide_" + language + ".html");
    ASSERT_FALSE(html.empty()) << "no guide in " << language;
    EXPECT_NE(html.find("<html lang=\"" + language + "\">"), std::string::npos);
    EXPECT_EQ(AllBetween(html, "<a name=\"", "\""), anchors);
    EXPECT_EQ(AllBetween(html, "href=\"#", "\""), links);
    EXPECT_EQ(Commands(html), Commands(english));
    // A title of its own, in the window's caption.
    const std::vector<std::string> titles = AllBetween(html, "<title>", "</title>");
    ASSERT_EQ(titles.size(), 1u);
    EXPECT_NE(titles[0], AllBetween(english, "<title>", "</title>").at(0));
    EXPECT_NE(html.find("</html>"), std::string::npos);
  }
}

}  // namespace
}  // namespace drivesim
