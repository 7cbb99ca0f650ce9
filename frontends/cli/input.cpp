// INPUT: the one pattern a subcommand works on, from a pattern file or a solved cube, then moves and keys.
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "frontends/cli/cli.h"

namespace {

bool ParseSize(const char* text, int* size) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || value < 2 || value > kMaxSize) return false;
  *size = static_cast<int>(value);
  return true;
}

// "-" is standard input, read through the same bounded stream as a file.
bool OpenInput(const char* path, TextStream* stream, std::string* refusal) {
  if (std::strcmp(path, "-") == 0) {
    OpenDescriptorStream(stream, 0);
    return true;
  }
  errno = 0;
  if (OpenTextStream(stream, path)) return true;
  *refusal = std::string(path) + ": cannot open: " + (errno != 0 ? std::strerror(errno) : "not a file");
  return false;
}

void TurnLive(void*, const MoveToken& move) {
  TurnLayer(move.layer, move.quarterTurns, liveCube, shadowCube);
}

bool LoadPattern(const char* path, std::string* refusal) {
  static TextStream stream;
  if (!OpenInput(path, &stream, refusal)) return false;
  static PatternData pattern;
  char problem[96];
  const bool read = ReadPatternFile(&stream, &pattern, problem, sizeof problem);
  CloseTextStream(&stream);
  if (!read) {
    *refusal =
        std::string("INVALID pattern file ") + path + ": " + (problem[0] == '\n' ? problem + 1 : problem);
    return false;
  }
  cubeSize = pattern.size;
  ResetCube();
  const uint8_t* colour = pattern.colours;
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < cubeSize; ++row)
      for (int column = 0; column < cubeSize; ++column) liveCube[CellIndex(face, row, column)] = *colour++;
  CopyCube(liveCube, shadowCube);
  return true;
}

}  // namespace

bool ReadWholeFile(const char* path, std::string* contents, std::string* refusal) {
  static TextStream stream;
  if (!OpenInput(path, &stream, refusal)) return false;
  contents->clear();
  for (int byte; (byte = ReadByte(&stream)) >= 0;) contents->push_back(static_cast<char>(byte));
  CloseTextStream(&stream);
  if (stream.problem[0] == '\0') return true;
  *refusal = std::string(path) + ": not read whole: " + stream.problem;
  return false;
}

bool ScanMoveText(const char* text, size_t size, const char* where, std::string* refusal,
                  void (*apply)(void* context, const MoveToken& move), void* context) {
  size_t at = 0;
  while (true) {
    while (at < size && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
    if (at == size) return true;
    const size_t start = at;
    while (at < size && !std::isspace(static_cast<unsigned char>(text[at]))) ++at;
    const size_t length = at - start;
    if (length > 2) {
      const std::string token(text + start, length < 40 ? length : 40);
      *refusal = std::string(where) + ": INVALID token \"" + token + (length > 40 ? "...\"" : "\"") +
                 " (a move is one or two characters)";
      return false;
    }
    char token[3] = {text[start], length > 1 ? text[start + 1] : '\0', '\0'};
    MoveToken move;
    if (ParseMoveToken(token, &move)) apply(context, move);
  }
}

bool TakeInputOption(int argc, char** argv, int* i, InputPlan* plan, bool* bad) {
  const char* arg = argv[*i];
  static const char* const kValued[] = {"--pattern", "--size", "--moves", "--moves-file", "--keys"};
  int which = -1;
  for (int k = 0; k < 5; ++k)
    if (std::strcmp(arg, kValued[k]) == 0) which = k;
  if (which < 0) return false;
  if (*i + 1 >= argc) {
    *bad = true;
    return true;
  }
  const char* value = argv[++*i];
  switch (which) {
    case 0:
      if (!plan->patternPath.empty() || plan->sizeGiven) *bad = true;
      plan->patternPath = value;
      break;
    case 1:
      if (!plan->patternPath.empty() || plan->sizeGiven || !ParseSize(value, &plan->size)) *bad = true;
      plan->sizeGiven = true;
      break;
    case 2: plan->steps.push_back({InputStep::kMoves, value}); break;
    case 3: plan->steps.push_back({InputStep::kMovesFile, value}); break;
    default: plan->steps.push_back({InputStep::kKeys, value}); break;
  }
  return true;
}

bool LoadPatternOntoCube(const char* path, std::string* refusal) { return LoadPattern(path, refusal); }

bool BuildInput(const InputPlan& plan, std::string* refusal) {
  if (!plan.patternPath.empty()) {
    if (!LoadPattern(plan.patternPath.c_str(), refusal)) return false;
  } else {
    cubeSize = static_cast<int16_t>(plan.size);
    ResetCube();
  }
  for (const InputStep& step : plan.steps) {
    if (step.kind == InputStep::kKeys) {
      RunKeys(step.text.c_str());
      continue;
    }
    std::string text = step.text;
    if (step.kind == InputStep::kMovesFile && !ReadWholeFile(step.text.c_str(), &text, refusal)) return false;
    const char* where = step.kind == InputStep::kMoves ? "--moves" : step.text.c_str();
    if (!ScanMoveText(text.data(), text.size(), where, refusal, TurnLive, nullptr)) return false;
  }
  return true;
}
