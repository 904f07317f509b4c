#pragma once
// The tests read the PDF files the program writes with poppler's tools, as
// a reader opens them: pdfinfo for the pages and paper, pdftotext for the
// text, pdfimages for the pictures in it.
#include <stdio.h>

#include <cstdio>
#include <string>

namespace drivesim {

// What a command prints on standard output.
inline std::string ToolOutput(const std::string& command) {
  std::string text;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return text;
  char buffer[4096];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, got);
  ::pclose(pipe);
  return text;
}

// A line of pdfinfo's output ("Pages:" -> "3").
inline std::string PdfInfo(const std::string& path, const std::string& field) {
  const std::string info = ToolOutput("pdfinfo '" + path + "'");
  const std::size_t at = info.find(field + ":");
  if (at == std::string::npos) return std::string();
  const std::size_t start = info.find_first_not_of(' ', at + field.size() + 1);
  return info.substr(start, info.find('\n', start) - start);
}

// The text without blanks and line breaks: pdftotext spaces a table's
// cells as they stand on the page, so that only the order of the letters is
// the report's.
inline std::string Unspaced(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c != ' ' && c != '\n' && c != '\f' && c != '\t') out += c;
  }
  return out;
}

// The text of the PDF file at path, without blanks (Unspaced).
inline std::string PdfText(const std::string& path) {
  return Unspaced(ToolOutput("pdftotext -layout '" + path + "' -"));
}

}  // namespace drivesim
