// The window program's command line: the replay switch and a file to open once the window is up.
#include "ui/command_line.h"

#include <cstring>

const char kProgramUsage[] = "usage: plexaro [--replay] [FILE]\n       plexaro --version\n";

bool ReadProgramArguments(int count, char* const* words, ProgramArguments* arguments) {
  if (count == 2 && std::strcmp(words[1], "--version") == 0) {
    arguments->version = true;
    return true;
  }
  bool options = true;
  for (int i = 1; i < count; ++i) {
    const char* word = words[i];
    if (options && std::strcmp(word, "--") == 0) {
      options = false;
    } else if (options && word[0] == '-') {
      if (std::strcmp(word, "--replay") != 0 || arguments->replay || arguments->file != nullptr) return false;
      arguments->replay = true;
    } else {
      if (arguments->file != nullptr || word[0] == '\0') return false;
      arguments->file = word;
      options = false;
    }
  }
  return true;
}
