// INPUT: the one pattern a subcommand works on, from a pattern file or a solved cube, then moves and keys.
#include <cstring>

#include "frontends/cli/cli.h"

namespace {

// Each move the reader meets, turned on the cube.
class TurnCube : public MoveFileSink {
 public:
  void Move(const MoveToken& move) override { TurnLayer(document.cube, move.layer, move.quarterTurns); }
};

// Each move the reader meets, kept to be played later.
class KeepMoves : public MoveFileSink {
 public:
  KeepMoves(int n, std::vector<BlockMove>* moves) : n_(n), moves_(moves) {}
  void Token(const char* text, uint64_t, size_t) override { text_ = text; }
  void Move(const MoveToken&) override {
    BlockMove move;
    if (MoveTokenBlock(text_, n_, &move)) moves_->push_back(move);
  }

 private:
  int n_;
  std::vector<BlockMove>* moves_;
  const char* text_ = "";
};

bool LoadStart(const InputPlan& plan, std::string* refusal) {
  if (!plan.patternPath.empty()) return LoadPatternOntoCube(plan.patternPath.c_str(), refusal);
  SetCubeSize(static_cast<int16_t>(plan.size));
  ResetCube();
  return true;
}

}  // namespace

bool TakeInputOption(int argc, char** argv, int* i, InputPlan* plan, bool* bad) {
  const char* arg = argv[*i];
  static const char* const kValued[] = {"--pattern", "--size", "--moves",   "--moves-file",
                                        "--keys",    "--alg",  "--alg-file"};
  int which = -1;
  for (int k = 0; k < 7; ++k)
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
      if (!plan->patternPath.empty() || plan->sizeGiven || !ParseCubeSize(value, &plan->size)) *bad = true;
      plan->sizeGiven = true;
      break;
    case 2: plan->steps.push_back({InputStep::kMoves, value}); break;
    case 3: plan->steps.push_back({InputStep::kMovesFile, value}); break;
    case 4: plan->steps.push_back({InputStep::kKeys, value}); break;
    case 5: plan->steps.push_back({InputStep::kAlg, value}); break;
    default: plan->steps.push_back({InputStep::kAlgFile, value}); break;
  }
  return true;
}

bool LoadPatternOntoCube(const char* path, std::string* refusal) {
  static PatternData pattern;
  if (!ReadPatternPath(path, &pattern, refusal)) return false;
  PutPattern(pattern);
  return true;
}

bool ReadAlgInput(const InputStep& step, int n, std::vector<BlockMove>* moves, std::string* refusal) {
  if (step.kind == InputStep::kAlgFile) return ReadAlgPath(step.text.c_str(), n, moves, refusal);
  char reason[kTextCapacity];
  if (ParseAlg(step.text.data(), step.text.size(), n, moves, reason, sizeof reason)) return true;
  *refusal = std::string("--alg: ") + reason;
  return false;
}

bool BuildPlayedInput(const InputPlan& plan, std::vector<BlockMove>* played, std::string* refusal) {
  played->clear();
  if (!LoadStart(plan, refusal)) return false;
  for (const InputStep& step : plan.steps)
    if (step.kind == InputStep::kKeys) RunKeys(step.text.c_str());
  std::vector<BlockMove> moves;
  KeepMoves keep(PatternSize(), played);
  MoveFileRead read;
  for (const InputStep& step : plan.steps) {
    switch (step.kind) {
      case InputStep::kKeys: break;
      case InputStep::kMoves:
        if (!ReadMoveText(step.text.data(), step.text.size(), "--moves", keep, &read, refusal)) return false;
        break;
      case InputStep::kMovesFile:
        if (!ReadMovePath(step.text.c_str(), keep, &read, refusal)) return false;
        break;
      default:
        if (!ReadAlgInput(step, PatternSize(), &moves, refusal)) return false;
        played->insert(played->end(), moves.begin(), moves.end());
        break;
    }
  }
  return true;
}

bool BuildInput(const InputPlan& plan, std::string* refusal) {
  if (!LoadStart(plan, refusal)) return false;
  static std::vector<BlockMove> moves;
  TurnCube turn;
  MoveFileRead read;
  for (const InputStep& step : plan.steps) {
    switch (step.kind) {
      case InputStep::kKeys: RunKeys(step.text.c_str()); break;
      case InputStep::kMoves:
        if (!ReadMoveText(step.text.data(), step.text.size(), "--moves", turn, &read, refusal)) return false;
        break;
      case InputStep::kMovesFile:
        if (!ReadMovePath(step.text.c_str(), turn, &read, refusal)) return false;
        break;
      default:
        if (!ReadAlgInput(step, PatternSize(), &moves, refusal)) return false;
        ApplyBlockMoves(document.cube, moves.data(), moves.size());
        break;
    }
  }
  return true;
}
