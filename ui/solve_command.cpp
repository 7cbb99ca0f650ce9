// The solver on the mouse menu: the moves in a box, kept with their pattern to be saved as a move file
// (or, for an answer the move-file notation cannot spell, as a file in the standard notation).
#include <atomic>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <thread>

#include "files/alg_notation.h"
#include "files/input_files.h"
#include "files/table_cache.h"
#include "solve/answer.h"
#include "ui/document.h"
#include "ui/menu.h"
#include "ui/ui.h"

namespace {

// The move-file notation has the six faces and, on 3×3×3, the two slices: an answer of sizes 2 and 3
// always fits it, a bigger cube's only when it is face turns alone with no rotation.
bool FitsMoveFile(const SolveResult& result) {
  if (result.size <= 3) return true;
  if (result.algCount > kAnswerTextLength / 4) return false;
  for (int k = 0; k < result.algCount; ++k)
    if (result.alg[k].first != 1 || result.alg[k].last != 1) return false;
  return true;
}

bool SaveMoveFile(const SolveResult& solution, const char* path, char* reason, size_t reasonSize) {
  char tokens[2 * kAnswerTextLength + 2];
  if (solution.size <= 3) {
    const std::unique_ptr<SpelledAnswer> spelled(new SpelledAnswer);
    SpellAnswer(solution, false, spelled.get());
    std::snprintf(tokens, sizeof tokens, "%s%s%s", spelled->moves,
                  spelled->moves[0] != '\0' && spelled->rotationTurns[0] != '\0' ? " " : "",
                  spelled->rotationTurns);
  } else {
    // Face turns only (FitsMoveFile): each token at most three characters and a space.
    int used = 0;
    tokens[0] = '\0';
    for (int k = 0; k < solution.algCount; ++k) {
      char move[kMaxMoveText];
      FormatBlockMove(solution.alg[k], solution.size, move);
      used += std::snprintf(tokens + used, sizeof tokens - used, "%s%s", k > 0 ? " " : "", move);
    }
  }
  return WriteMoveFile(path, tokens, reason, reasonSize);
}

}  // namespace

namespace {

// The tables kept in the cache folder, and what a build says of itself: for the box the window waits
// behind, or for whatever else the program tells.
class ReportingStore : public CacheTableStore {
 public:
  bool Progress(const char* what, double done) override {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      std::snprintf(text_, sizeof text_, "Building the solver's tables: %s, %d%% done.", what,
                    static_cast<int>(done * 100));
    }
    if (report_ != nullptr) report_(what, done);
    return !stop_.load();
  }
  void Describe(char* text, int capacity) {
    std::lock_guard<std::mutex> lock(mutex_);
    std::snprintf(text, static_cast<size_t>(capacity), "%s",
                  text_[0] != '\0' ? text_ : "Looking for the moves that make this pattern.");
  }
  void Start() {
    std::lock_guard<std::mutex> lock(mutex_);
    text_[0] = '\0';
    stop_.store(false);
  }
  void Stop() { stop_.store(true); }
  void ReportTo(void (*report)(const char* what, double done)) { report_ = report; }

 private:
  std::mutex mutex_;
  char text_[160] = "";
  std::atomic<bool> stop_{false};
  void (*report_)(const char*, double) = nullptr;
};

ReportingStore& Store() {
  static ReportingStore store;
  return store;
}

// A solve on a thread of its own, on a copy of the pattern, so the window goes on painting and can stop
// it; joined before it goes.
class SolveTask : public BackgroundTask {
 public:
  SolveTask(const Cube& cube, double seconds, SolveResult* result) : cube_(cube), result_(result) {
    limit_.seconds = seconds;
    limit_.cancel = &cancel_;
    Store().Start();
    thread_ = std::thread([this] {
      SolvePattern(cube_, limit_, result_);
      done_.store(true);
    });
  }
  ~SolveTask() override { thread_.join(); }
  bool Done() override { return done_.load(); }
  void Describe(char* text, int capacity) override { Store().Describe(text, capacity); }
  void Cancel() override {
    cancel_.store(true);
    Store().Stop();
  }
  bool Cancelled() const { return cancel_.load(); }

 private:
  Cube cube_;
  SolveResult* result_;
  SolveLimit limit_;
  std::atomic<bool> cancel_{false}, done_{false};
  std::thread thread_;
};

}  // namespace

void ShowSolution() {
  const Cube& cube = document.cube;
  KeptSolution& kept = document.solution;
  bool cancelled = false;
  if (cube.size <= 3) {
    SolveLimit limit;
    limit.seconds = kMenuSolveSeconds;
    SolvePattern(cube, limit, &kept.result);
  } else {
    // A bigger cube may first build its tables, and a 10x10x10 takes seconds: behind a box with Cancel.
    SolveTask task(cube, kMenuSolveSeconds, &kept.result);
    platform->WaitForTask("Moves that make this pattern", task);
    cancelled = task.Cancelled();
  }
  kept.kept = kept.result.solved;
  kept.size = cube.size;
  CopyCube(cube.size, cube.live, kept.pattern);
  if (kept.result.solved) {
    const std::unique_ptr<SpelledAnswer> spelled(new (std::nothrow) SpelledAnswer);
    if (spelled != nullptr) {
      SpellAnswer(kept.result, false, spelled.get());
      NoteSequenceAnswer(cube.size, spelled->alg);
    }
  }
  // Whoever cancelled knows why there is no answer.
  if (cancelled && !kept.result.solved) return;
  char text[kReportTextCapacity];
  ComposeSolutionReport(kept.result, text, sizeof text);
  platform->ShowMessage(text, "Moves that make this pattern");
}

bool SolutionFitsPattern() {
  const Cube& cube = document.cube;
  const KeptSolution& kept = document.solution;
  return kept.kept && kept.size == cube.size && CompareCubes(cube.size, kept.pattern, cube.live) == 0;
}

void SaveSolution() {
  if (!SolutionFitsPattern()) return;
  const SolveResult& solution = document.solution.result;
  const FileKind kind = FitsMoveFile(solution) ? kMoveFile : kAlgFile;
  const char* path = platform->ChooseSaveFile(kind, FilterFor(kind));
  if (path == nullptr) return;
  char reason[160];
  const bool written = kind == kMoveFile
                           ? SaveMoveFile(solution, path, reason, sizeof reason)
                           : WriteAlgFile(path, solution.alg, static_cast<size_t>(solution.algCount),
                                          solution.size, reason, sizeof reason);
  if (!written) ShowSaveFailure("Cannot save the moves to ", path, reason);
}

void KeepSolverTablesInCache(void (*report)(const char* what, double done)) {
  Store().ReportTo(report);
  InstallTableStore(&Store());
}
