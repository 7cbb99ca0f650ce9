// plexaro-cli: the headless front end, which runs a key sequence exactly as the window would.
#include <cstdio>
#include <cstring>
#include <vector>

#include "ui/ui.h"

namespace {

const char kUsage[] = "usage: plexaro-cli [--replay] [--json] [--open PATH]... KEYS\n";

// JSON string body: bytes outside printable ASCII, '"' and '\' escaped.
void PrintJsonString(const char* text) {
  std::putchar('"');
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
    if (*p == '"' || *p == '\\')
      std::printf("\\%c", *p);
    else if (*p == '\n')
      std::fputs("\\n", stdout);
    else if (*p < 0x20 || *p > 0x7E)
      std::printf("\\u%04x", *p);
    else
      std::putchar(*p);
  }
  std::putchar('"');
}

class HeadlessPlatform : public Platform {
 public:
  HeadlessPlatform(bool json, std::vector<const char*> openPaths)
      : json_(json), openPaths_(std::move(openPaths)) {}

  void ShowMessage(const char* text, const char* title) override {
    if (!json_) {
      std::printf("[%s]\n%s\n", title, text);
      return;
    }
    std::fputs("{\"box\":{\"title\":", stdout);
    PrintJsonString(title);
    std::fputs(",\"text\":", stdout);
    PrintJsonString(text);
    std::fputs("}}\n", stdout);
  }

  const char* ChooseOpenFile(FileKind, const FileFilter&) override {
    return nextPath_ < openPaths_.size() ? openPaths_[nextPath_++] : nullptr;
  }

  void WriteDiagnostic(const char* text) override { std::fputs(text, stderr); }
  void RequestRepaint(bool) override {}
  void PaintNow() override {}

  void PrintNet() const {
    if (json_) std::printf("{\"net\":{\"size\":%d,\"faces\":[", PatternSize());
    static const Face kOrder[6] = {U, L, F, R, B, D};
    for (int i = 0; i < 6; ++i) {
      if (json_) std::printf("%s\"", i > 0 ? "," : "");
      for (int row = 0; row < PatternSize(); ++row) {
        if (!json_ && row > 0) std::putchar(' ');
        for (int column = 0; column < PatternSize(); ++column)
          std::printf("%d", PatternCell(kOrder[i], row, column));
      }
      std::fputs(json_ ? "\"" : "\n", stdout);
    }
    if (json_) std::fputs("]}}\n", stdout);
  }

 private:
  bool json_;
  std::vector<const char*> openPaths_;
  size_t nextPath_ = 0;
};

void RunKeys(const char* keys) {
  static const struct {
    const char* name;
    int code;
  } kArrows[] = {{"<Left>", kKeyLeft}, {"<Up>", kKeyUp}, {"<Right>", kKeyRight}, {"<Down>", kKeyDown}};
  for (const char* p = keys; *p;) {
    bool arrow = false;
    for (const auto& key : kArrows)
      if (std::strncmp(p, key.name, std::strlen(key.name)) == 0) {
        HandleKeyDown(key.code);
        p += std::strlen(key.name);
        arrow = true;
        break;
      }
    if (!arrow) HandleCharacter(static_cast<unsigned char>(*p++));
  }
}

}  // namespace

int main(int argc, char** argv) {
  bool json = false;
  std::vector<const char*> openPaths;
  const char* keys = nullptr;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (!optionsEnded && std::strcmp(arg, "--") == 0) {
      optionsEnded = true;
    } else if (!optionsEnded && std::strcmp(arg, "--replay") == 0) {
      replaySwitch = 1;
    } else if (!optionsEnded && std::strcmp(arg, "--json") == 0) {
      json = true;
    } else if (!optionsEnded && std::strcmp(arg, "--open") == 0 && i + 1 < argc) {
      openPaths.push_back(argv[++i]);
    } else if ((optionsEnded || std::strncmp(arg, "--", 2) != 0) && keys == nullptr) {
      keys = arg;
    } else {
      std::fputs(kUsage, stderr);
      return 2;
    }
  }
  if (keys == nullptr) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  // The token echo can run to millions of writes.
  static char diagnosticBuffer[1 << 16];
  std::setvbuf(stderr, diagnosticBuffer, _IOFBF, sizeof diagnosticBuffer);

  HeadlessPlatform headless(json, std::move(openPaths));
  platform = &headless;
  StartUpCube();
  RunKeys(keys);
  headless.PrintNet();
  return 0;
}
