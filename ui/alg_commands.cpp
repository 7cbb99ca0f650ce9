// The window's commands in the standard notation: an .alg file opened or applied, and moves typed on one
// line.
#include <cstdio>
#include <cstring>
#include <vector>

#include "files/input_files.h"
#include "ui/document.h"
#include "ui/solid/animation.h"
#include "ui/ui.h"

namespace {

void ApplyAndShow(bool fromSolved) {
  const std::vector<BlockMove>& algMoves = document.moves;
  if (fromSolved) MakeSolved(document.cube, document.cube.size);
  NoteStart();
  ApplyBlockMoves(document.cube, algMoves.data(), algMoves.size());
  NoteMoves(algMoves.data(), algMoves.size());
  // The order menu item studies the last file read, whichever notation it was in.
  BeginSequence(&document.last.sequence, document.cube.size);
  AppendBlockMoves(&document.last.sequence, algMoves.data(), algMoves.size());
  document.last.read = true;
  const AlgCounts counts = CountAlg(algMoves.data(), algMoves.size(), document.cube.size);
  char text[kTextCapacity];
  const int head = std::snprintf(text, sizeof text, " Number of moves %lld qbtm %lld btm\n",
                                 static_cast<long long>(counts.quarterBlockTurns),
                                 static_cast<long long>(counts.blockTurns));
  FormatAlg(algMoves.data(), algMoves.size(), document.cube.size, text + head,
            sizeof text - static_cast<size_t>(head));
  platform->ShowMessage(text, "Moves");
}

}  // namespace

void LoadAlgFile(TextStream* stream, const char* path, bool fromSolved) {
  char reason[kTextCapacity];
  if (!ReadAlgFile(stream, document.cube.size, &document.moves, reason, sizeof reason)) {
    char text[kTextCapacity];
    char after[kTextCapacity + 1];
    after[0] = '\n';
    std::memcpy(after + 1, reason, sizeof reason);
    FormatWithPath(text, "INVALID alg file ", path, after);
    platform->ShowMessage(text, "Error");
    return;
  }
  Cube start = document.cube;
  if (fromSolved) MakeSolved(start, start.size);
  NoteSequenceFile(start, path, true);
  ApplyAndShow(fromSolved);
}

void TypeMoves() {
  char typed[1024];
  typed[0] = '\0';
  if (!platform->AskText("Type moves", "Moves in the standard notation, as R U R' U', (R U)6 or [R, 2U]:",
                         typed, sizeof typed))
    return;
  typed[sizeof typed - 1] = '\0';
  char reason[kTextCapacity];
  if (!ParseAlg(typed, std::strlen(typed), document.cube.size, &document.moves, reason, sizeof reason)) {
    platform->ShowMessage(reason, "Error");
    return;
  }
  NoteSequenceText(document.cube, typed, std::strlen(typed));
  ApplyBlockMoves(document.cube, document.moves.data(), document.moves.size());
  NoteMoves(document.moves.data(), document.moves.size());
}
