// Fuzz target: a pattern, a move sequence and keys through the study functions, with their invariants.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "harness.h"
#include "study/order.h"
#include "study/reachability.h"

namespace {

// Input: [size] [pattern flag] then tokens until 0xFF, then keys. Bytes pick from fixed lists, so every
// input is well formed and the checks see real sequences.
const char* const kTokens[] = {"U",  "U2", "U'", "D",  "D2", "D'", "L",  "L2", "L'", "F",  "F2",
                               "F'", "R",  "R2", "R'", "B",  "B2", "B'", "T",  "u",  "u2", "d'",
                               "l",  "r2", "r'", "X",  "U+", "D3", "l-", "d",  "R1", "Q2"};
const char kKeys[] = "udfblr-=\\|,m";

const uint64_t kLongestReplay = 1260;

struct Sequence {
  MoveToken moves[64];
  int count;
};

void Turn(const Sequence& sequence) {
  for (int k = 0; k < sequence.count; ++k)
    TurnLayer(document.cube, sequence.moves[k].layer, sequence.moves[k].quarterTurns);
}

bool AtHome(int n) {
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < n; ++row)
      for (int column = 0; column < n; ++column)
        if (document.cube.live[CellIndex(face, row, column)] != face) return false;
  return true;
}

// Repeating the sequence `order` times from solved is solved, and no proper divisor of it is.
void CheckOrder(int n, const Sequence& sequence) {
  MoveSequence built;
  BeginSequence(&built, n);
  for (int k = 0; k < sequence.count; ++k)
    AppendLayerTurn(&built, sequence.moves[k].layer, sequence.moves[k].quarterTurns);
  static OrderReport report;
  const Snapshot before = TakeSnapshot();
  ComputeOrder(built, &report);
  EXPECT_THAT(FirstDifference(before, TakeSnapshot()) == nullptr, "the order changed %s",
              FirstDifference(before, TakeSnapshot()));
  EXPECT_THAT(report.orderFits && report.orderValue >= 1, "order %s", report.order);
  if (report.orderValue > kLongestReplay) return;
  FillSolved(document.cube);
  CopyCube(document.cube.size, document.cube.live, document.cube.shadow);
  for (uint64_t k = 1; k <= report.orderValue; ++k) {
    Turn(sequence);
    EXPECT_THAT(AtHome(n) == (k == report.orderValue), "size %d: order %s but home after %llu", n,
                report.order, static_cast<unsigned long long>(k));
  }
}

// What keys make is reachable.
void CheckKeysReachable(const uint8_t* keys, size_t count) {
  for (size_t k = 0; k < count; ++k) {
    const uint8_t key = keys[k];
    if (key % 16 < sizeof kKeys - 1)
      HandleCharacter(kKeys[key % 16]);
    else
      HandleKeyDown(kKeyLeft + key % 4);
  }
  static ReachabilityReport report;
  const Snapshot before = TakeSnapshot();
  CheckReachable(document.cube, &report);
  EXPECT_THAT(FirstDifference(before, TakeSnapshot()) == nullptr, "the check changed %s",
              FirstDifference(before, TakeSnapshot()));
  EXPECT_THAT(report.reachable, "keys made a pattern the check refuses: %s",
              report.problemCount > 0 ? report.problems[0] : "(no problem given)");
}

// A pattern saved and read back is the same, and the save leaves no other file behind.
void CheckSaveLoads(const uint8_t* data, size_t size) {
  static PatternData pattern;
  char problem[96];
  TextStream stream;
  OpenMemoryStream(&stream, data, size);
  if (!ReadPatternFile(&stream, &pattern, problem, sizeof problem)) return;
  document.cube.size = pattern.size;
  int at = 0;
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < document.cube.size; ++row)
      for (int column = 0; column < document.cube.size; ++column)
        document.cube.live[CellIndex(face, row, column)] = pattern.colours[at++];
  CopyCube(document.cube.size, document.cube.live, document.cube.shadow);
  static ReachabilityReport report;
  CheckReachable(document.cube, &report);
  EXPECT_THAT(report.reachable == (report.problemCount == 0), "reachable %d with %d problems",
              report.reachable, report.problemCount);

  char path[64];
  std::snprintf(path, sizeof path, "/tmp/plexaro-study-fuzz-%ld.q", static_cast<long>(getpid()));
  char reason[128];
  EXPECT_THAT(WritePatternFile(document.cube, path, reason, sizeof reason), "cannot save: %s", reason);
  static PatternData back;
  EXPECT_THAT(OpenTextStream(&stream, path), "the saved file does not open");
  const bool read = ReadPatternFile(&stream, &back, problem, sizeof problem);
  CloseTextStream(&stream);
  std::remove(path);
  EXPECT_THAT(read && back.size == pattern.size &&
                  std::memcmp(back.colours, pattern.colours, static_cast<size_t>(at)) == 0,
              "the saved pattern reads back otherwise");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static CheckingPlatform checking;
  if (size < 2) return 0;
  const int n = 2 + data[0] % 9;
  ResetProgram(checking, static_cast<int16_t>(n));
  if (data[1] & 1) {
    CheckSaveLoads(data + 2, size - 2);
    return 0;
  }
  size_t at = 2;
  Sequence sequence = {{}, 0};
  for (; at < size && data[at] != 0xFF && sequence.count < 64; ++at) {
    MoveToken move;
    if (ParseMoveToken(kTokens[data[at] % 32], &move)) sequence.moves[sequence.count++] = move;
  }
  CheckOrder(n, sequence);
  ResetProgram(checking, static_cast<int16_t>(n));
  if (at < size) CheckKeysReachable(data + at + 1, size - at - 1 > 48 ? 48 : size - at - 1);
  CheckInvariants("after the study checks");
  return 0;
}
