// The subcommands that study or write one pattern, and order, which studies a move sequence.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "frontends/cli/cli.h"

namespace {

struct Arguments {
  bool json = false;
  bool help = false;
  InputPlan input;
  std::vector<const char*> positional;
};

// A subcommand's own option: its name and where its value goes, or for a flag, the switch it sets.
struct OwnOption {
  const char* name;
  const char** value;
  bool* flag = nullptr;
};

// False on bad usage. INPUT options are taken only when `input` is set.
bool ParseArguments(int argc, char** argv, int first, bool input, Arguments* args,
                    std::vector<OwnOption> own = {}) {
  bool optionsEnded = false;
  for (int i = first; i < argc; ++i) {
    const char* arg = argv[i];
    bool bad = false;
    if (optionsEnded || arg[0] != '-' || std::strcmp(arg, "-") == 0) {
      args->positional.push_back(arg);
      continue;
    }
    if (std::strcmp(arg, "--") == 0) {
      optionsEnded = true;
    } else if (std::strcmp(arg, "--json") == 0) {
      args->json = true;
    } else if (std::strcmp(arg, "--help") == 0) {
      args->help = true;
    } else if (input && TakeInputOption(argc, argv, &i, &args->input, &bad)) {
      if (bad) return false;
    } else {
      bool taken = false;
      for (const OwnOption& option : own)
        if (std::strcmp(arg, option.name) == 0) {
          if (option.flag != nullptr) {
            *option.flag = true;
          } else {
            if (i + 1 >= argc) return false;
            *option.value = argv[++i];
          }
          taken = true;
        }
      if (!taken) return false;
    }
  }
  return true;
}

const char kInputHelp[] =
    "INPUT: --pattern F.q (- for standard input) or --size N (2 to 10, the solved cube; 3 by default),\n"
    "then any of --moves \"R U R' U'\", --moves-file F.mov, --alg \"Rw U 2R'\" (the standard notation),\n"
    "--alg-file F.alg and --keys \"u<Left>,\", in the order given.\n";

// Prints the help when asked (status 0) or the usage on bad usage (status 2); -1 to go on.
int Usage(bool ok, const Arguments& args, const char* usage, const char* what) {
  if (!ok) {
    std::fputs(usage, stderr);
    return 2;
  }
  if (!args.help) return -1;
  std::printf("%s%s", usage, what);
  return 0;
}

void StartWithInput(const Arguments& args) { StartHeadless(args.json, BoxRoute::kStderr); }

bool BuildInputOrReport(const InputPlan& plan) {
  std::string refusal;
  if (BuildInput(plan, &refusal)) return true;
  ReportRefusal(refusal);
  return false;
}

// Each move the reader meets, appended to the sequence.
class AppendTurns : public MoveFileSink {
 public:
  explicit AppendTurns(MoveSequence* sequence) : sequence_(sequence) {}
  void Move(const MoveToken& move) override { AppendLayerTurn(sequence_, move.layer, move.quarterTurns); }

 private:
  MoveSequence* sequence_;
};

void PrintLines(const char* text, bool json) {
  // The core's multi-line words: as they are, or a JSON list of lines.
  if (!json) {
    std::fputs(text, stdout);
    if (text[0] != '\0' && text[std::strlen(text) - 1] != '\n') std::putchar('\n');
    return;
  }
  std::putchar('[');
  bool firstLine = true;
  for (const char* line = text; *line;) {
    const char* end = std::strchr(line, '\n');
    const std::string piece(line, end != nullptr ? static_cast<size_t>(end - line) : std::strlen(line));
    std::fputs(firstLine ? "" : ",", stdout);
    PrintJsonString(stdout, piece.c_str());
    firstLine = false;
    line = end != nullptr ? end + 1 : line + piece.size();
  }
  std::putchar(']');
}

}  // namespace

int RunOrder(int argc, char** argv, int first) {
  static const char kOrderUsage[] =
      "usage: plexaro-cli order [--json] [--size N] MOVES...\n"
      "       plexaro-cli order [--json] [--size N] --moves-file F.mov\n"
      "       plexaro-cli order [--json] [--size N] --alg \"R U R' U'\" | --alg-file F.alg\n";
  Arguments args;
  const char* size = nullptr;
  const char* movesFile = nullptr;
  const char* alg = nullptr;
  const char* algFile = nullptr;
  bool ok = ParseArguments(
      argc, argv, first, false, &args,
      {{"--size", &size}, {"--moves-file", &movesFile}, {"--alg", &alg}, {"--alg-file", &algFile}});
  int n = 3;
  if (ok && size != nullptr) ok = ParseCubeSize(size, &n);
  if (movesFile != nullptr && !args.positional.empty()) ok = false;
  const int usage = Usage(ok, args, kOrderUsage,
                          "How often the sequence must be repeated from the solved cube of size N (3 by "
                          "default)\nuntil every square shows its home colour again, and until every "
                          "facelet is home.\nThe moves in the move-file notation (MOVES, --moves-file), "
                          "then those in the standard\nnotation (--alg, then --alg-file; - for standard "
                          "input), in that order.\n");
  if (usage >= 0) return usage;

  static MoveSequence sequence;
  BeginSequence(&sequence, n);
  std::string refusal;
  AppendTurns append(&sequence);
  MoveFileRead read;
  if (movesFile != nullptr && !ReadMovePath(movesFile, append, &read, &refusal)) {
    ReportRefusal(refusal);
    return 1;
  }
  for (const char* moves : args.positional)
    if (!ReadMoveText(moves, std::strlen(moves), "MOVES", append, &read, &refusal)) {
      ReportRefusal(refusal);
      return 1;
    }
  static std::vector<BlockMove> blocks;
  const InputStep algSteps[] = {{InputStep::kAlg, alg != nullptr ? alg : ""},
                                {InputStep::kAlgFile, algFile != nullptr ? algFile : ""}};
  for (const InputStep& step : algSteps) {
    if ((step.kind == InputStep::kAlg ? alg : algFile) == nullptr) continue;
    if (!ReadAlgInput(step, n, &blocks, &refusal)) {
      ReportRefusal(refusal);
      return 1;
    }
    AppendBlockMoves(&sequence, blocks.data(), blocks.size());
  }
  static OrderReport report;
  ComputeOrder(sequence, &report);
  if (args.json) {
    std::printf("{\"size\":%d,\"turns\":%lld,\"order\":%s,\"facelet_order\":%s,\"explanation\":", n,
                static_cast<long long>(sequence.turns), report.order, report.faceletOrder);
    PrintLines(report.explanation, true);
    std::puts("}");
  } else {
    std::printf("order %s\nfacelet order %s\n", report.order, report.faceletOrder);
    PrintLines(report.explanation, false);
  }
  return 0;
}

int RunSymmetry(int argc, char** argv, int first) {
  static const char kSymmetryUsage[] = "usage: plexaro-cli symmetry [--json] [INPUT]\n";
  Arguments args;
  const bool ok = ParseArguments(argc, argv, first, true, &args) && args.positional.empty();
  const int usage = Usage(ok, args, kSymmetryUsage,
                          "The symmetries of the 48 that carry the pattern onto itself, colours changed "
                          "alike, and the group they form.\n");
  if (usage >= 0) return usage;
  StartWithInput(args);
  if (!BuildInputOrReport(args.input)) return 1;
  static SymmetryReport report;
  FindSymmetryGroup(document.cube, document.random, &report);
  if (args.json) {
    std::fputs("{\"group\":", stdout);
    PrintJsonString(stdout, report.group);
    std::printf(",\"symmetries\":%d,\"rotations\":%d,\"total_c\":%d,\"total_m\":%d,\"kept\":[",
                report.symmetries, report.rotations, report.totalC, report.totalM);
    for (int k = 0; k < report.symmetries; ++k) {
      std::fputs(k > 0 ? "," : "", stdout);
      PrintJsonString(stdout, report.words[k]);
    }
    std::puts("]}");
  } else {
    std::printf("group %s\nsymmetries %d, rotations %d\nTotal C: %d   Total M: %d\n", report.group,
                report.symmetries, report.rotations, report.totalC, report.totalM);
    for (int k = 0; k < report.symmetries; ++k) std::printf("  %s\n", report.words[k]);
  }
  return 0;
}

int RunCheck(int argc, char** argv, int first) {
  static const char kCheckUsage[] = "usage: plexaro-cli check [--json] [INPUT]\n";
  Arguments args;
  const bool ok = ParseArguments(argc, argv, first, true, &args) && args.positional.empty();
  const int usage = Usage(ok, args, kCheckUsage,
                          "Whether a cube turned by its layers can show the pattern, and if not, why "
                          "not;\nstatus 1 when it cannot.\n");
  if (usage >= 0) return usage;
  StartWithInput(args);
  if (!BuildInputOrReport(args.input)) return 1;
  static ReachabilityReport report;
  CheckReachable(document.cube, &report);
  if (args.json) {
    std::printf("{\"reachable\":%s,\"problems\":[", report.reachable ? "true" : "false");
    for (int k = 0; k < report.problemCount; ++k) {
      std::fputs(k > 0 ? "," : "", stdout);
      PrintJsonString(stdout, report.problems[k]);
    }
    std::puts("]}");
  } else {
    std::puts(report.reachable ? "reachable" : "not reachable");
    for (int k = 0; k < report.problemCount; ++k) std::printf("  %s\n", report.problems[k]);
  }
  if (report.reachable) return 0;
  ReportRefusal(std::string("the pattern cannot be reached: ") +
                (report.problemCount > 0 ? report.problems[0] : "no reason given"));
  return 1;
}

int RunShow(int argc, char** argv, int first) {
  static const char kShowUsage[] = "usage: plexaro-cli show [--json] [INPUT]\n";
  Arguments args;
  const bool ok = ParseArguments(argc, argv, first, true, &args) && args.positional.empty();
  const int usage = Usage(ok, args, kShowUsage,
                          "The net, faces U L F R B D, rows of colour digits, as the key runner prints "
                          "it.\n");
  if (usage >= 0) return usage;
  StartWithInput(args);
  if (!BuildInputOrReport(args.input)) return 1;
  PrintNet(args.json);
  return 0;
}

int RunSave(int argc, char** argv, int first) {
  static const char kSaveUsage[] = "usage: plexaro-cli save [--json] OUT.q [INPUT]\n";
  Arguments args;
  const bool ok = ParseArguments(argc, argv, first, true, &args) && args.positional.size() == 1;
  const int usage = Usage(ok || args.help, args, kSaveUsage,
                          "Writes the pattern as a pattern file, whole or not at all.\n");
  if (usage >= 0) return usage;
  StartWithInput(args);
  if (!BuildInputOrReport(args.input)) return 1;
  char reason[512];
  if (!WritePatternFile(document.cube, args.positional[0], reason, sizeof reason)) {
    ReportRefusal(reason);
    return 1;
  }
  if (args.json) {
    std::fputs("{\"written\":", stdout);
    PrintJsonString(stdout, args.positional[0]);
    std::printf(",\"size\":%d}\n", PatternSize());
  }
  return 0;
}

namespace {

// "TURN,TILT" in degrees, each a number within its range.
bool ParseCamera(const char* text, CubeCamera* camera) {
  char* end = nullptr;
  camera->turn = std::strtod(text, &end);
  if (end == text || *end != ',') return false;
  const char* tilt = end + 1;
  camera->tilt = std::strtod(tilt, &end);
  return end != tilt && *end == '\0' && camera->turn >= -180 && camera->turn <= 180 && camera->tilt >= -90 &&
         camera->tilt <= 90;
}

}  // namespace

namespace {

// An animation of the moves the input plays, from the start it makes.
int RenderAnimation(const Arguments& args, const MovingPictureRequest& request) {
  std::vector<BlockMove> moves;
  std::string refusal;
  if (!BuildPlayedInput(args.input, &moves, &refusal)) {
    ReportRefusal(refusal);
    return 1;
  }
  char reason[512];
  int64_t frames = 0;
  if (!SaveMovingPicture(document.cube, moves.data(), moves.size(), document.layout, request,
                         args.positional[0], reason, sizeof reason, &frames)) {
    ReportRefusal(reason);
    return 1;
  }
  if (args.json)
    std::printf("{\"frames\":%lld,\"moves\":%zu}\n", static_cast<long long>(frames), moves.size());
  return 0;
}

// A whole number within its range.
bool ParseWithin(const char* text, int low, int high, int* value) {
  char* end = nullptr;
  const long parsed = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || parsed < low || parsed > high) return false;
  *value = static_cast<int>(parsed);
  return true;
}

}  // namespace

int RunRender(int argc, char** argv, int first) {
  static const char kRenderUsage[] =
      "usage: plexaro-cli render [--json] OUT.svg|OUT.png|OUT.bmp|OUT.gif [--view net|cube|cube-both]\n"
      "       [--camera TURN,TILT] [--scale K] [--letters faces|colours] [--frames F] [--delay MS] [INPUT]\n";
  Arguments args;
  const char* scaleText = nullptr;
  const char* lettersText = nullptr;
  const char* viewText = nullptr;
  const char* cameraText = nullptr;
  const char* framesText = nullptr;
  const char* delayText = nullptr;
  bool ok = ParseArguments(argc, argv, first, true, &args,
                           {{"--scale", &scaleText},
                            {"--letters", &lettersText},
                            {"--view", &viewText},
                            {"--camera", &cameraText},
                            {"--frames", &framesText},
                            {"--delay", &delayText}}) &&
            args.positional.size() == 1;
  MovingPictureRequest animation = {
      {kPictureNet, kDefaultCubeCamera, kLettersNone, 1}, kDefaultFramesPerQuarter, kDefaultFrameDelay};
  PictureRequest& request = animation.picture;
  const bool moving = ok && PathHasExtension(args.positional[0], ".gif");
  if (ok && scaleText != nullptr) ok = ParseWithin(scaleText, 1, kPictureMaxScale, &request.scale);
  if (ok && lettersText != nullptr) {
    if (std::strcmp(lettersText, "faces") == 0)
      request.letters = kLettersFaces;
    else if (std::strcmp(lettersText, "colours") == 0)
      request.letters = kLettersColours;
    else
      ok = false;
  }
  if (ok && viewText != nullptr) {
    if (std::strcmp(viewText, "cube") == 0)
      request.view = kPictureCube;
    else if (std::strcmp(viewText, "cube-both") == 0)
      request.view = kPictureCubeBoth;
    else
      ok = std::strcmp(viewText, "net") == 0;
  }
  // A camera, and frames within a turn, mean nothing to the net; frames and delay nothing to a still.
  if (ok && cameraText != nullptr)
    ok = request.view != kPictureNet && ParseCamera(cameraText, &request.camera);
  if (ok && framesText != nullptr)
    ok = moving && request.view != kPictureNet &&
         ParseWithin(framesText, kMinFramesPerQuarter, kMaxFramesPerQuarter, &animation.framesPerQuarter);
  if (ok && delayText != nullptr)
    ok = moving && ParseWithin(delayText, kMinFrameDelay, kMaxFrameDelay, &animation.delay);
  const int usage = Usage(ok || args.help, args, kRenderUsage,
                          "Draws the view as the window shows it, as SVG, PNG or BMP by the extension: the "
                          "net, or the\ncube from the camera (TURN round from in front of F towards R, -180 "
                          "to 180; TILT above\nthe horizon, -90 to 90; 30,25 by default), alone or with its "
                          "back; --scale 1 to 16.\nOUT.gif: the moves of --moves, --moves-file, --alg and "
                          "--alg-file played from the start the\npattern or size and --keys make: a frame "
                          "after each move on the net, --frames (1 to 60,\n6 by default) each quarter turn "
                          "in the cube views; --delay 20 to 10000 ms a frame (40 by\ndefault), the first "
                          "and last held a second.\n");
  if (usage >= 0) return usage;
  StartWithInput(args);
  if (moving) return RenderAnimation(args, animation);
  if (!BuildInputOrReport(args.input)) return 1;
  char reason[512];
  if (!SavePicture(document.cube, document.layout, request, args.positional[0], reason, sizeof reason)) {
    ReportRefusal(reason);
    return 1;
  }
  if (args.json) {
    std::fputs("{\"written\":", stdout);
    PrintJsonString(stdout, args.positional[0]);
    std::printf(",\"width\":%d,\"height\":%d}\n", PictureWidth() * request.scale,
                PictureHeight() * request.scale);
  }
  return 0;
}

int RunSolve(int argc, char** argv, int first) {
  static const char kSolveUsage[] =
      "usage: plexaro-cli solve [--json] [--limit SECONDS] [--inverse] [INPUT]\n";
  Arguments args;
  const char* limitText = nullptr;
  bool inverse = false;
  bool ok = ParseArguments(argc, argv, first, true, &args,
                           {{"--limit", &limitText}, {"--inverse", nullptr, &inverse}}) &&
            args.positional.empty();
  double limit = 1.0;
  if (ok && limitText != nullptr) {
    char* end = nullptr;
    limit = std::strtod(limitText, &end);
    ok = *end == '\0' && limit >= 0 && limit <= 3600;
  }
  const int usage = Usage(ok, args, kSolveUsage,
                          "Moves that make the pattern from the solved cube (2x2x2: the fewest face turns; "
                          "3x3x3: at most\n20, shorter ones sought for --limit seconds, 1 by default), "
                          "then the whole-cube rotation\nas arrow keys; 4x4x4 to 10x10x10 by reduction "
                          "(centres, edges, parities, 3x3x3).\nalg: the whole answer in the standard "
                          "notation, the rotation last as x, y and z. --inverse:\nthe moves that bring "
                          "the pattern back to solved, the rotation first.\n");
  if (usage >= 0) return usage;
  StartWithInput(args);
  if (!BuildInputOrReport(args.input)) return 1;
  static SolveResult result;
  SolveLimit solveLimit;
  solveLimit.seconds = limit;
  SolvePattern(document.cube, solveLimit, &result);
  if (!result.solved) {
    std::string reason = "cannot solve:";
    for (int k = 0; k < result.problemCount; ++k) reason += std::string(" ") + result.problems[k];
    ReportRefusal(reason);
    return 1;
  }
  if (result.withoutTables) std::fprintf(stderr, "plexaro-cli: %s\n", kSolveWithoutTables);
  static SpelledAnswer spelled;
  SpellAnswer(result, inverse, &spelled);
  if (args.json) {
    std::fputs("{", stdout);
    for (int k = 0; k < spelled.fieldCount; ++k) {
      const AnswerField& field = spelled.fields[k];
      std::printf("%s\"%s\":", k > 0 ? "," : "", field.key);
      switch (field.kind) {
        case kAnswerText: PrintJsonString(stdout, field.text); break;
        case kAnswerNumber: std::printf("%d", field.number); break;
        case kAnswerFlag: std::fputs(field.flag ? "true" : "false", stdout); break;
        case kAnswerSeconds: std::printf("%.6f", result.seconds); break;
        case kAnswerStages:
          std::fputs("{", stdout);
          for (int stage = 0; stage < result.stageCount; ++stage)
            std::printf("%s\"%s\":%d", stage > 0 ? "," : "", result.stages[stage].name,
                        result.stages[stage].turns);
          std::fputs("}", stdout);
          break;
      }
    }
    std::puts("}");
    return 0;
  }
  if (FindAnswerField(spelled, "moves") == nullptr) {
    std::printf("%s: %s\n", inverse ? "back to solved" : "alg", spelled.alg);
    std::printf("%d btm, %d obtm:", result.lengthBtm, result.lengthObtm);
    for (int stage = 0; stage < result.stageCount; ++stage)
      std::printf(" %s %d%s", result.stages[stage].name, result.stages[stage].turns,
                  stage + 1 < result.stageCount ? "," : "\n");
    std::printf("%.3f s\n", result.seconds);
    return 0;
  }
  const char* rotation = spelled.rotation;
  if (inverse && rotation[0] != '\0') std::printf("rotation first: %s\n", rotation);
  std::printf("moves: %s\n", spelled.moves);
  if (!inverse && rotation[0] != '\0') std::printf("then the rotation: %s\n", rotation);
  std::printf("%d f, %d q, %d obtm%s\n%.3f s\n", result.lengthBtm, result.lengthQbtm, result.lengthObtm,
              result.optimal ? ", the fewest" : "", result.seconds);
  return 0;
}
