// The headless platform and the printers every command shares: JSON strings, CSV fields and the net.
#include <cstring>

#include "frontends/cli/cli.h"

HeadlessPlatform::HeadlessPlatform(bool json, BoxRoute route, std::vector<const char*> openPaths)
    : json_(json), route_(route), openPaths_(std::move(openPaths)) {}

void HeadlessPlatform::ShowMessage(const char* text, const char* title) {
  FILE* out = route_ == BoxRoute::kStdout ? stdout : stderr;
  if (!json_) {
    std::fprintf(out, "[%s]\n%s\n", title, text);
    return;
  }
  std::fputs("{\"box\":{\"title\":", out);
  PrintJsonString(out, title);
  std::fputs(",\"text\":", out);
  PrintJsonString(out, text);
  std::fputs("}}\n", out);
}

const char* HeadlessPlatform::ChooseOpenFile(FileKind, const FileFilter&) {
  return nextPath_ < openPaths_.size() ? openPaths_[nextPath_++] : nullptr;
}

void HeadlessPlatform::WriteDiagnostic(const char* text) { std::fputs(text, stderr); }

void PrintJsonString(FILE* out, const char* text) {
  std::fputc('"', out);
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
    if (*p == '"' || *p == '\\')
      std::fprintf(out, "\\%c", *p);
    else if (*p == '\n')
      std::fputs("\\n", out);
    else if (*p < 0x20 || *p > 0x7E)
      std::fprintf(out, "\\u%04x", *p);
    else
      std::fputc(*p, out);
  }
  std::fputc('"', out);
}

void PrintCsvField(FILE* out, const char* text) {
  if (std::strpbrk(text, ",\"\r\n") == nullptr) {
    std::fputs(text, out);
    return;
  }
  std::fputc('"', out);
  for (const char* p = text; *p; ++p) {
    if (*p == '"') std::fputc('"', out);
    std::fputc(*p, out);
  }
  std::fputc('"', out);
}

void PrintNet(bool json) {
  if (json) std::printf("{\"net\":{\"size\":%d,\"faces\":[", PatternSize());
  static const Face kOrder[6] = {U, L, F, R, B, D};
  for (int i = 0; i < 6; ++i) {
    if (json) std::printf("%s\"", i > 0 ? "," : "");
    for (int row = 0; row < PatternSize(); ++row) {
      if (!json && row > 0) std::putchar(' ');
      for (int column = 0; column < PatternSize(); ++column)
        std::printf("%d", PatternCell(kOrder[i], row, column));
    }
    std::fputs(json ? "\"" : "\n", stdout);
  }
  if (json) std::fputs("]}}\n", stdout);
}

void ReportRefusal(const std::string& reason) {
  // One line, whatever line breaks the core's words carry.
  std::string line;
  for (char c : reason) {
    if (c == '\n') {
      if (!line.empty() && line.back() != ' ') line += ' ';
    } else {
      line += c;
    }
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  std::fprintf(stderr, "plexaro-cli: %s\n", line.c_str());
}
