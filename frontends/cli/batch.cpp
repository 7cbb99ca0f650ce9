// batch: one row of studies per pattern or move file, as CSV or JSON.
#include <cstdlib>
#include <cstring>

#include "frontends/cli/cli.h"

namespace {

struct Row {
  std::string file;
  const char* kind = nullptr;  // "pattern", "moves" or "alg"; null when the file is none of them
  int size = 0;
  bool moves = false;
  long long movesQ = 0, movesF = 0;
  std::string order, faceletOrder;
  std::string group;
  int symmetries = 0, totalC = 0, totalM = 0;
  bool reachable = false;
  int solutionF = -1;     // face turns of an answer (block turns from 4x4x4 up)
  int solutionObtm = -1;  // its outer block turns
  std::string error;      // empty when the file was studied
};

// As a move file is loaded: the turn on the cube and in the sequence.
class TurnAndAppend : public MoveFileSink {
 public:
  explicit TurnAndAppend(MoveSequence* sequence) : sequence_(sequence) {}
  void Move(const MoveToken& move) override {
    TurnLayer(document.cube, move.layer, move.quarterTurns);
    AppendLayerTurn(sequence_, move.layer, move.quarterTurns);
  }

 private:
  MoveSequence* sequence_;
};

// The order of the moves just made, from the solved cube, and their counts.
void StudyMoves(const MoveSequence& sequence, long long quarters, long long turns, Row* row) {
  static OrderReport order;
  ComputeOrder(sequence, &order);
  row->moves = true;
  row->movesF = turns;
  row->movesQ = quarters;
  row->order = order.order;
  row->faceletOrder = order.faceletOrder;
}

void StudyFile(const char* path, int moveSize, Row* row) {
  row->file = path;
  static MoveSequence sequence;
  const FileKind kind = FileKindOfPath(path);
  if (kind == kPatternFile) {
    row->kind = "pattern";
    if (!LoadPatternOntoCube(path, &row->error)) return;
  } else if (kind == kMoveFile) {
    row->kind = "moves";
    SetCubeSize(static_cast<int16_t>(moveSize));
    ResetCube();
    BeginSequence(&sequence, moveSize);
    TurnAndAppend sink(&sequence);
    MoveFileRead read;
    if (!ReadMovePath(path, sink, &read, &row->error)) return;
    StudyMoves(sequence, read.moves + read.halfTurns, read.moves, row);
  } else if (kind == kAlgFile) {
    // Counted in block turns and quarter block turns, the metrics of the notation.
    row->kind = "alg";
    static std::vector<BlockMove> moves;
    if (!ReadAlgPath(path, moveSize, &moves, &row->error)) return;
    SetCubeSize(static_cast<int16_t>(moveSize));
    ResetCube();
    ApplyBlockMoves(document.cube, moves.data(), moves.size());
    BeginSequence(&sequence, moveSize);
    AppendBlockMoves(&sequence, moves.data(), moves.size());
    const AlgCounts counts = CountAlg(moves.data(), moves.size(), moveSize);
    StudyMoves(sequence, counts.quarterBlockTurns, counts.blockTurns, row);
  } else {
    row->error = std::string(path) + ": neither a pattern file (.q) nor a move file (.mov or .alg)";
    return;
  }
  row->size = PatternSize();
  static SymmetryReport symmetry;
  FindSymmetryGroup(document.cube, document.random, &symmetry);
  row->group = symmetry.group;
  row->symmetries = symmetry.symmetries;
  row->totalC = symmetry.totalC;
  row->totalM = symmetry.totalM;
  static ReachabilityReport reach;
  CheckReachable(document.cube, &reach);
  row->reachable = reach.reachable;
  if (row->reachable && row->size >= 2) {
    // The first answer (at most 20 face turns on 3x3x3): a batch cannot wait a second per file. Above
    // 3x3x3 the answer's block turns, of which a face turn is one.
    static SolveResult solution;
    SolveLimit firstAnswer;
    firstAnswer.seconds = 0;
    SolvePattern(document.cube, firstAnswer, &solution);
    if (solution.solved) row->solutionF = solution.lengthBtm, row->solutionObtm = solution.lengthObtm;
  }
}

const char kColumns[] =
    "file,kind,size,moves_q,moves_f,order,facelet_order,group,symmetries,total_c,total_m,reachable,solution_"
    "f,solution_obtm,error";

void PrintCsvRow(const Row& row) {
  PrintCsvField(stdout, row.file.c_str());
  std::printf(",%s,", row.kind != nullptr ? row.kind : "");
  const bool studied = row.error.empty();
  if (studied) std::printf("%d", row.size);
  if (row.moves && studied)
    std::printf(",%lld,%lld,%s,%s,", row.movesQ, row.movesF, row.order.c_str(), row.faceletOrder.c_str());
  else
    std::fputs(",,,,,", stdout);
  if (studied) {
    PrintCsvField(stdout, row.group.c_str());
    std::printf(",%d,%d,%d,%s,", row.symmetries, row.totalC, row.totalM, row.reachable ? "true" : "false");
    if (row.solutionF >= 0) std::printf("%d", row.solutionF);
    std::putchar(',');
    if (row.solutionObtm >= 0) std::printf("%d", row.solutionObtm);
    std::putchar(',');
  } else {
    std::fputs(",,,,,,,", stdout);
  }
  PrintCsvField(stdout, row.error.c_str());
  std::putchar('\n');
}

void PrintJsonRow(const Row& row) {
  std::fputs("{\"file\":", stdout);
  PrintJsonString(stdout, row.file.c_str());
  std::fputs(",\"kind\":", stdout);
  if (row.kind != nullptr)
    PrintJsonString(stdout, row.kind);
  else
    std::fputs("null", stdout);
  const bool studied = row.error.empty();
  if (studied)
    std::printf(",\"size\":%d", row.size);
  else
    std::fputs(",\"size\":null", stdout);
  if (row.moves && studied)
    std::printf(",\"moves_q\":%lld,\"moves_f\":%lld,\"order\":%s,\"facelet_order\":%s", row.movesQ,
                row.movesF, row.order.c_str(), row.faceletOrder.c_str());
  else
    std::fputs(",\"moves_q\":null,\"moves_f\":null,\"order\":null,\"facelet_order\":null", stdout);
  if (studied) {
    std::fputs(",\"group\":", stdout);
    PrintJsonString(stdout, row.group.c_str());
    std::printf(",\"symmetries\":%d,\"total_c\":%d,\"total_m\":%d,\"reachable\":%s,\"solution_f\":",
                row.symmetries, row.totalC, row.totalM, row.reachable ? "true" : "false");
    if (row.solutionF >= 0)
      std::printf("%d,\"solution_obtm\":%d", row.solutionF, row.solutionObtm);
    else
      std::fputs("null,\"solution_obtm\":null", stdout);
    std::fputs(",\"error\":null}", stdout);
  } else {
    std::fputs(
        ",\"group\":null,\"symmetries\":null,\"total_c\":null,\"total_m\":null,\"reachable\":null,\"solution_"
        "f\":null,\"solution_obtm\":null,\"error\":",
        stdout);
    PrintJsonString(stdout, row.error.c_str());
    std::putchar('}');
  }
}

}  // namespace

int RunBatch(int argc, char** argv, int first) {
  static const char kBatchUsage[] = "usage: plexaro-cli batch [--csv|--json] [--size N] FILE...\n";
  bool json = false, csv = false, help = false, ok = true;
  int size = 3;
  std::vector<const char*> files;
  bool optionsEnded = false;
  for (int i = first; i < argc && ok; ++i) {
    const char* arg = argv[i];
    if (optionsEnded || arg[0] != '-') {
      files.push_back(arg);
    } else if (std::strcmp(arg, "--") == 0) {
      optionsEnded = true;
    } else if (std::strcmp(arg, "--json") == 0) {
      json = true;
    } else if (std::strcmp(arg, "--csv") == 0) {
      csv = true;
    } else if (std::strcmp(arg, "--help") == 0) {
      help = true;
    } else if (std::strcmp(arg, "--size") == 0 && i + 1 < argc) {
      ok = ParseCubeSize(argv[++i], &size);
    } else {
      ok = false;
    }
  }
  if (help) {
    std::printf(
        "%s%s", kBatchUsage,
        "One row per file: a pattern file (.q) is studied as it is; a move file (.mov, or .alg in the\n"
        "standard notation) is run from the solved cube of size N (3 by default), its order included;\n"
        "an .alg file's moves_q and moves_f count quarter block turns and block turns. solution_f:\n"
        "the face turns of an answer of at most 20 (the fewest on 2x2x2), and from 4x4x4 up the block\n"
        "turns of the solver's answer. CSV by default.\n");
    return 0;
  }
  if (!ok || (json && csv) || files.empty()) {
    std::fputs(kBatchUsage, stderr);
    return 2;
  }
  static char outputBuffer[1 << 16];
  std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);
  StartHeadless(json, BoxRoute::kStderr);
  if (json)
    std::puts("[");
  else
    std::puts(kColumns);
  size_t refused = 0;
  for (size_t k = 0; k < files.size(); ++k) {
    Row row;
    StudyFile(files[k], size, &row);
    if (!row.error.empty()) ++refused;
    if (json) {
      PrintJsonRow(row);
      std::puts(k + 1 < files.size() ? "," : "");
    } else {
      PrintCsvRow(row);
    }
  }
  if (json) std::puts("]");
  std::fflush(stdout);
  if (refused == 0) return 0;
  std::fprintf(stderr, "plexaro-cli: %zu of %zu files refused; each row says why\n", refused, files.size());
  return 1;
}
