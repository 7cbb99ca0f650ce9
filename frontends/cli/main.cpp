// plexaro-cli: the headless front end: the key runner, and subcommands that study, show and write a pattern.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "frontends/cli/cli.h"

#ifndef PLEXARO_VERSION
#define PLEXARO_VERSION "unknown"
#endif

namespace {

const char kUsage[] =
    "usage: plexaro-cli [--replay] [--json] [--open PATH]... KEYS\n"
    "       plexaro-cli keys [--replay] [--json] [--open PATH]... KEYS\n"
    "       plexaro-cli order    [--json] [--size N] MOVES...   (or --moves-file F.mov, --alg, --alg-file)\n"
    "       plexaro-cli symmetry [--json] [INPUT]\n"
    "       plexaro-cli check    [--json] [INPUT]\n"
    "       plexaro-cli show     [--json] [INPUT]\n"
    "       plexaro-cli save     [--json] OUT.q [INPUT]\n"
    "       plexaro-cli render   [--json] OUT.svg|OUT.png [--scale K] [--letters faces|colours] [INPUT]\n"
    "       plexaro-cli solve    [--json] [--limit SECONDS] [--inverse] [INPUT]\n"
    "       plexaro-cli batch    [--csv|--json] [--size N] FILE...\n"
    "       plexaro-cli --help | --version\n"
    "INPUT: --pattern F.q (- for standard input) or --size N, then any of --moves \"R U R' U'\",\n"
    "       --moves-file F.mov, --alg \"Rw U 2R'\", --alg-file F.alg and --keys \"u<Left>,\", in the\n"
    "       order given.\n";

const struct {
  const char* name;
  int (*run)(int argc, char** argv, int first);
} kSubcommands[] = {
    {"keys", RunKeyRunner}, {"order", RunOrder}, {"symmetry", RunSymmetry},
    {"check", RunCheck},    {"show", RunShow},   {"save", RunSave},
    {"render", RunRender},  {"solve", RunSolve}, {"batch", RunBatch},
};

// A table build that goes on for more than a second is named on standard error, once, so a person
// waiting knows why.
void ReportBuild(const char* what, double done) {
  static std::string building;
  static std::chrono::steady_clock::time_point started;
  static bool named = false;
  if (building != what) {
    building = what;
    started = std::chrono::steady_clock::now();
    named = false;
  }
  if (named || done >= 1 || std::chrono::steady_clock::now() - started < std::chrono::seconds(1)) return;
  std::fprintf(stderr, "plexaro-cli: building the solver's tables (%s); this is done once\n", what);
  named = true;
}

}  // namespace

void StartHeadless(bool json, BoxRoute route) {
  static HeadlessPlatform headless(json, route, {});
  platform = &headless;
  StartUpCube();
}

int main(int argc, char** argv) {
  KeepSolverTablesInCache(ReportBuild);
  if (argc > 1) {
    const char* first = argv[1];
    for (const auto& subcommand : kSubcommands)
      if (std::strcmp(first, subcommand.name) == 0) return subcommand.run(argc, argv, 2);
    if (std::strcmp(first, "--help") == 0) {
      std::fputs(kUsage, stdout);
      std::puts("Each subcommand takes --help. Status: 0 done, 1 an input refused, 2 bad usage.");
      return 0;
    }
    if (std::strcmp(first, "--version") == 0) {
      std::puts("plexaro-cli " PLEXARO_VERSION);
      return 0;
    }
    if (std::strcmp(first, "-h") == 0) {
      std::fputs(kUsage, stderr);
      return 2;
    }
  }
  return RunKeyRunner(argc, argv, 1);
}
