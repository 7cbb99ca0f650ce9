// What the pieces of the headless front end share: the platform it supplies, output helpers, INPUT.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "ui/ui.h"

// Where message boxes go: printed as the key runner prints them, or sent to standard error so that a
// subcommand's own output stays clean.
enum class BoxRoute { kStdout, kStderr };

class HeadlessPlatform : public Platform {
 public:
  HeadlessPlatform(bool json, BoxRoute route, std::vector<const char*> openPaths);
  void ShowMessage(const char* text, const char* title) override;
  const char* ChooseOpenFile(FileKind kind, const FileFilter& filter) override;
  void WriteDiagnostic(const char* text) override;
  void RequestRepaint(bool) override {}
  void PaintNow() override {}

 private:
  bool json_;
  BoxRoute route_;
  std::vector<const char*> openPaths_;
  size_t nextPath_ = 0;
};

// JSON string with its quotes: bytes outside printable ASCII, '"' and '\' escaped.
void PrintJsonString(FILE* out, const char* text);
// A CSV field, quoted when it holds a comma, a quote or a line break.
void PrintCsvField(FILE* out, const char* text);
// The net of the current pattern, faces U L F R B D: rows of colour digits, or one JSON object.
void PrintNet(bool json);

// Typed keys, with <Left> <Up> <Right> <Down> for the arrows.
void RunKeys(const char* keys);
// plexaro-cli [--replay] [--json] [--open PATH]... KEYS, from argv[first].
int RunKeyRunner(int argc, char** argv, int first);

// Refusals end the command with status 1 and one line on standard error.
void ReportRefusal(const std::string& reason);

// How the pattern a subcommand works on is built, and the step list that builds it.
struct InputStep {
  enum Kind { kMoves, kMovesFile, kKeys, kAlg, kAlgFile } kind;
  std::string text;
};
struct InputPlan {
  std::string patternPath;  // empty for the solved cube of `size`
  int size = 3;
  bool sizeGiven = false;
  std::vector<InputStep> steps;
};

// Takes argv[*i] (and its value) when it is an INPUT option; `bad` is set on a missing or wrong value.
bool TakeInputOption(int argc, char** argv, int* i, InputPlan* plan, bool* bad);
// Builds the pattern onto the cube; false with the reason when an input was refused.
bool BuildInput(const InputPlan& plan, std::string* refusal);
// The start the pattern file or size and every --keys make, onto the cube; the moves of --moves,
// --moves-file, --alg and --alg-file in order, at the start's size, into `played`, not turned.
bool BuildPlayedInput(const InputPlan& plan, std::vector<BlockMove>* played, std::string* refusal);
// A pattern file (- for standard input) onto the cube, laid out for its size; the cube stays on refusal.
bool LoadPatternOntoCube(const char* path, std::string* refusal);
// The moves of an --alg or --alg-file step at size n, or the refusal naming the option or the file.
bool ReadAlgInput(const InputStep& step, int n, std::vector<BlockMove>* moves, std::string* refusal);

// The subcommands; argv[first] is the first argument after the name.
int RunOrder(int argc, char** argv, int first);
int RunSymmetry(int argc, char** argv, int first);
int RunCheck(int argc, char** argv, int first);
int RunShow(int argc, char** argv, int first);
int RunSave(int argc, char** argv, int first);
int RunRender(int argc, char** argv, int first);
int RunBatch(int argc, char** argv, int first);
int RunSolve(int argc, char** argv, int first);

// Starts the model with the headless platform in place, boxes sent where `route` says.
void StartHeadless(bool json, BoxRoute route);
