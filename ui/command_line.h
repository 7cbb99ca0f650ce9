// The window program's command line, read by one rule on every platform.
#pragma once

// "usage: plexaro [--replay] [FILE]" and the --version form, one line each.
extern const char kProgramUsage[];

// What the command line asks for. `file` points into the words, which must outlive its use.
struct ProgramArguments {
  bool replay = false;
  bool version = false;
  const char* file = nullptr;
};

// Reads argv[1] to argv[count - 1]. False when the words fit no form of the usage. "--" ends the
// options, for a file whose name starts with "-".
bool ReadProgramArguments(int count, char* const* words, ProgramArguments* arguments);
