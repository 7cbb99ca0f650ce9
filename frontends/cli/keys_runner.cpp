// The key runner: a key sequence run exactly as the window would run it, then the net.
#include <cstring>

#include "frontends/cli/cli.h"

namespace {

const char kUsage[] = "usage: plexaro-cli [--replay] [--json] [--open PATH]... KEYS\n";

}  // namespace

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

int RunKeyRunner(int argc, char** argv, int first) {
  bool json = false;
  std::vector<const char*> openPaths;
  const char* keys = nullptr;
  bool optionsEnded = false;
  for (int i = first; i < argc; ++i) {
    const char* arg = argv[i];
    if (!optionsEnded && std::strcmp(arg, "--") == 0) {
      optionsEnded = true;
    } else if (!optionsEnded && std::strcmp(arg, "--replay") == 0) {
      document.replaySwitch = 1;
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

  static HeadlessPlatform headless(json, BoxRoute::kStdout, std::move(openPaths));
  platform = &headless;
  StartUpCube();
  RunKeys(keys);
  PrintNet(json);
  return 0;
}
