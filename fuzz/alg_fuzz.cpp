// Fuzz target: the standard notation's parser on any text at any size. A refused text changes nothing
// and says why in one line; an accepted one gives valid blocks within the bound, undone by its inverse
// from any pattern, and spelled back it parses to the same turns.
#include <cstring>
#include <string>
#include <vector>

#include "harness.h"

namespace {

// Applying is the slow part on a text that expands to millions of moves; a prefix still checks it.
const size_t kAppliedMoves = 20000;
const size_t kRespelledMoves = 2000;

void CheckAccepted(int n, const std::vector<BlockMove>& moves) {
  EXPECT_THAT(moves.size() <= kMaxAlgMoves, "%zu moves, over the bound", moves.size());
  for (const BlockMove& move : moves)
    EXPECT_THAT(move.face >= 0 && move.face < 6 && move.first >= 1 && move.first <= move.last &&
                    move.last <= n && move.quarterTurns >= 1 && move.quarterTurns <= 3,
                "a move outside the %dx%dx%d: face %d layers %d-%d turns %d", n, n, n, move.face, move.first,
                move.last, move.quarterTurns);
  // From a scrambled pattern, the moves then their inverse in reverse order come back to it.
  Scramble(document.cube, document.random, 1);
  const Snapshot start = TakeSnapshot();
  const size_t applied = moves.size() < kAppliedMoves ? moves.size() : kAppliedMoves;
  ApplyBlockMoves(document.cube, moves.data(), applied);
  for (size_t k = applied; k > 0; --k) ApplyBlockMove(document.cube, InverseBlockMove(moves[k - 1]));
  CheckInvariants("after the moves and their inverse");
  const char* differs = FirstDifference(start, TakeSnapshot());
  EXPECT_THAT(differs == nullptr, "the moves and their inverse changed %s", differs);

  if (moves.size() > kRespelledMoves) return;
  static char text[kRespelledMoves * kMaxMoveText];
  FormatAlg(moves.data(), moves.size(), n, text, sizeof text);
  std::vector<BlockMove> again;
  char reason[kTextCapacity];
  EXPECT_THAT(ParseAlg(text, std::strlen(text), n, &again, reason, sizeof reason), "\"%s\" refused: %s", text,
              reason);
  ApplyBlockMoves(document.cube, moves.data(), moves.size());
  const Snapshot first = TakeSnapshot();
  ResetProgram(*static_cast<CheckingPlatform*>(platform), static_cast<int16_t>(n));
  Scramble(document.cube, document.random, 1);
  ApplyBlockMoves(document.cube, again.data(), again.size());
  differs = FirstDifference(first, TakeSnapshot());
  EXPECT_THAT(differs == nullptr, "\"%s\" spelled back turns otherwise: %s", text, differs);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static CheckingPlatform checking;
  if (size < 1) return 0;
  const int n = 2 + data[0] % 9;
  ResetProgram(checking, static_cast<int16_t>(n));
  const Snapshot before = TakeSnapshot();
  static std::vector<BlockMove> moves;
  char reason[kTextCapacity];
  const char* text = reinterpret_cast<const char*>(data + 1);
  const bool accepted = ParseAlg(text, size - 1, n, &moves, reason, sizeof reason);
  const char* differs = FirstDifference(before, TakeSnapshot());
  EXPECT_THAT(differs == nullptr, "parsing changed %s", differs);
  EXPECT_THAT(checking.boxes.empty(), "parsing showed a box");
  if (!accepted) {
    const size_t length = std::strlen(reason);
    EXPECT_THAT(moves.empty() && moves.capacity() == 0, "a refused text left %zu moves", moves.size());
    EXPECT_THAT(
        length > 0 && length < kTextCapacity && std::strchr(reason, '\n') == nullptr && reason[0] == '"',
        "a refusal not in one line naming its token: \"%s\"", reason);
    return 0;
  }
  CheckAccepted(n, moves);
  return 0;
}
