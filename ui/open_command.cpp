// The open command behind "[" and "{", and the replay of a move file until the cube is solved.
#include <cstdio>
#include <cstring>

#include "files/files.h"
#include "ui/ui.h"

char fileName[kFileNameCapacity];
int16_t replaySwitch = 0;

namespace {

const FileFilter kFilters[2] = {
    {{"Cube patterns (*.q)", "All files (*.*)"}, {"*.q", "*.*"}, "q"},
    {{"Cube moves (*.mov)", "All files (*.*)"}, {"*.mov", "*.*"}, "mov"},
};

// Set when the chosen path did not fit fileName: such a path is never opened cut short.
bool fileNameCut = false;

// The pass start, to see when repeating the moves has come back round without solving.
CubeState replayStart;

void ApplyMoveCode(MoveCode code) {
  int16_t layer, quarterTurns;
  if (DecodeMoveCode(code, &layer, &quarterTurns)) TurnLayer(layer, quarterTurns, liveCube, shadowCube);
}

}  // namespace

void FormatWithPath(char* text, const char* before, const char* path, const char* after) {
  const size_t fixed = std::strlen(before) + std::strlen(after);
  const size_t room = kTextCapacity - 1 > fixed ? kTextCapacity - 1 - fixed : 0;
  if (std::strlen(path) <= room)
    std::snprintf(text, kTextCapacity, "%s%s%s", before, path, after);
  else
    std::snprintf(text, kTextCapacity, "%s%.*s...%s", before, static_cast<int>(room < 3 ? 0 : room - 3), path,
                  after);
}

void ShowOpenFileDialog(FileKind kind) {
  const char* chosen = platform->ChooseOpenFile(kind, kFilters[kind == kMoveFile ? 1 : 0]);
  fileNameCut = false;
  if (chosen == nullptr) return;
  const size_t length = std::strlen(chosen);
  fileNameCut = length >= sizeof fileName;
  std::memcpy(fileName, chosen, fileNameCut ? sizeof fileName - 1 : length);
}

void OpenCubeFile(FileKind kind) {
  std::memset(fileName, 0, sizeof fileName);
  ShowOpenFileDialog(kind);
  TextStream stream;
  if (fileNameCut || !OpenTextStream(&stream, fileName)) {
    char text[kTextCapacity];
    FormatWithPath(text, " No input file ", fileName, "\n");
    platform->ShowMessage(text, "Error");
    return;
  }
  if (kind == kPatternFile) {
    LoadPatternFile(&stream);
  } else {
    const int64_t count = LoadMoveFile(&stream);
    if (replaySwitch == 1) ReplayMoveLog(count);
  }
  CloseTextStream(&stream);
}

int32_t ReplayMoveLog(int64_t count) {
  if (count > kMoveLogCapacity) {
    char text[kTextCapacity];
    std::snprintf(text, sizeof text,
                  "The file holds %lld moves; only the first %d are kept, so there is no replay.",
                  static_cast<long long>(count), kMoveLogCapacity);
    platform->ShowMessage(text, "Replay");
    return 0;
  }
  // The passes are powers of one permutation applied to the start, so they come back to it; if
  // none was solved by then, none ever will be.
  CopyCube(liveCube, replayStart);
  for (int32_t passes = 1;; ++passes) {
    for (int64_t k = 1; k <= count; ++k) ApplyMoveCode(moveLog[k]);
    if (static_cast<int16_t>(CheckSolved(liveCube)) == 0) return passes;
    if (CompareCubes(liveCube, replayStart) == 0) {
      platform->ShowMessage("Repeating these moves never brings the cube back to solved.", "Replay");
      return passes;
    }
  }
}
