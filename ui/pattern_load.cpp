// Putting a file on the cube: a pattern file with the layout for its size, or a move file turned as it is
// read, with the boxes and the token echo the reading asks for.
#include <cstdio>
#include <cstring>

#include "files/move_text.h"
#include "ui/document.h"
#include "ui/solid/animation.h"
#include "ui/ui.h"

namespace {

// Each token echoed as it is read; each move turned on the cube and added to the last moves.
class WindowMoves : public MoveFileSink {
 public:
  void Token(const char* text, uint64_t, size_t) override {
    char echo[4];
    std::snprintf(echo, sizeof echo, "%s ", text);
    platform->WriteDiagnostic(echo);
    token_ = text;
  }
  void Move(const MoveToken& move) override {
    TurnLayer(document.cube, move.layer, move.quarterTurns);
    BlockMove block;
    if (MoveTokenBlock(token_, document.cube.size, &block)) NoteMove(block);
    // The layers are numbered as the maps' first operations are: the faces, then the two slices.
    AppendLayerTurn(&document.last.sequence, move.layer, move.quarterTurns);
  }

 private:
  const char* token_ = "";
};

static_assert(int{kMapU} == int{U} && int{kMapD} == int{D} && kMapColumnSlice == kColumnSliceLayer &&
                  kMapRowSlice == kRowSliceLayer,
              "a layer's number is its map operation");

void ShowInvalidToken(const MoveFileRead& read) {
  // The prefix leaves 227 characters of the 255 for the token.
  static_assert(sizeof "INVALID mov file containing " - 1 + kShownToken == kTextCapacity - 1, "box fits");
  char text[kTextCapacity];
  if (read.tokenLength <= kShownToken)
    std::snprintf(text, sizeof text, "INVALID mov file containing %.*s", static_cast<int>(read.tokenLength),
                  read.token);
  else
    std::snprintf(text, sizeof text, "INVALID mov file containing %.*s...", static_cast<int>(kShownTokenCut),
                  read.token);
  platform->ShowMessage(text, "Error");
}

}  // namespace

void LoadPatternFile(TextStream* stream, const char* path) {
  // Read and check everything first: a refused file leaves the cube exactly as it was.
  PatternData pattern;
  char problem[96];
  if (!ReadPatternFile(stream, &pattern, problem, sizeof problem)) {
    char text[kTextCapacity];
    FormatWithPath(text, "INVALID pattern file ", path, problem);
    platform->ShowMessage(text, "Error");
    return;
  }
  PutPattern(pattern);
}

void PutPattern(const PatternData& pattern) {
  SetCubeSize(pattern.size);
  Cube& cube = document.cube;
  const uint8_t* colour = pattern.colours;
  for (int16_t face = 0; face < 6; ++face)
    for (int16_t row = 0; row < cube.size; ++row)
      for (int16_t column = 0; column < cube.size; ++column)
        cube.live[CellIndex(face, row, column)] = *colour++;
  ComputeNetLayout();
  CopyCube(cube.size, cube.live, cube.shadow);
}

int64_t LoadMoveFile(TextStream* stream, bool fromSolved, const char* path) {
  if (fromSolved) MakeSolved(document.cube, document.cube.size);
  const Cube start = document.cube;
  NoteStart();
  BeginSequence(&document.last.sequence, document.cube.size);
  document.last.read = true;
  WindowMoves sink;
  MoveFileRead read;
  ReadMoveFile(stream, sink, &read);
  std::memcpy(document.moveLog, read.log, sizeof read.log);
  int64_t moves = read.moves, halfTurns = read.halfTurns;
  // A file cut short by its bounds is refused as one with a bad token is: its moves stay, uncounted.
  if (read.stop != MoveFileRead::kWhole) {
    if (read.stop == MoveFileRead::kLongToken) {
      ShowInvalidToken(read);
    } else {
      char text[kTextCapacity];
      std::snprintf(text, sizeof text, "INVALID mov file: %s", read.problem);
      platform->ShowMessage(text, "Error");
    }
    moves = halfTurns = 0;
    document.last.read = false;
  } else if (path != nullptr) {
    NoteSequenceFile(start, path, false);
  }
  char counts[64];
  const int countsLength =
      std::snprintf(counts, sizeof counts, " Number of moves %lld q %lld f\n",
                    static_cast<long long>(moves + halfTurns), static_cast<long long>(moves));
  FitMoveList(&read, kTextCapacity - 1 - static_cast<size_t>(countsLength));
  char text[kTextCapacity];
  std::memcpy(text, counts, static_cast<size_t>(countsLength));
  std::memcpy(text + countsLength, read.listed, read.listedLength + 1);
  platform->ShowMessage(text, "Moves");
  return moves;
}
