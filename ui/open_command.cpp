// The open command behind "[" and "{", opening a file by its name, and the replay of a move file until the
// cube is solved.
#include <cstdio>
#include <cstring>

#include "files/files.h"
#include "ui/document.h"
#include "ui/ui.h"

char fileName[kFileNameCapacity];
int16_t replaySwitch = 0;

namespace {

const FileFilter kFilters[3] = {
    {{"Cube patterns (*.q)", "All files (*.*)"}, {"*.q", "*.*"}, "q"},
    {{"Cube moves (*.mov)", "All files (*.*)"}, {"*.mov", "*.*"}, "mov"},
    {{"Moves in the standard notation (*.alg)", "All files (*.*)"}, {"*.alg", "*.*"}, "alg"},
};

}  // namespace

const FileFilter& FilterFor(FileKind kind) {
  return kFilters[kind == kMoveFile ? 1 : kind == kAlgFile ? 2 : 0];
}

namespace {

// Set when the chosen path did not fit fileName: such a path is never opened cut short.
bool fileNameCut = false;

// The pass start, to see when repeating the moves has come back round without solving.
CubeState replayStart;

void ApplyMoveCode(MoveCode code) {
  int16_t layer, quarterTurns;
  if (DecodeMoveCode(code, &layer, &quarterTurns)) TurnLayer(document.cube, layer, quarterTurns);
}

void ShowNoInputFile() {
  char text[kTextCapacity];
  FormatWithPath(text, " No input file ", fileName, "\n");
  platform->ShowMessage(text, "Error");
}

// Reads fileName as `kind`; `usable` false stands for a path that could not be taken whole.
void OpenFileNamed(FileKind kind, bool usable) {
  TextStream stream;
  if (!usable || !OpenTextStream(&stream, fileName)) {
    ShowNoInputFile();
    return;
  }
  if (kind == kPatternFile) {
    LoadPatternFile(&stream);
  } else if (kind == kAlgFile) {
    LoadAlgFile(&stream, true);
  } else {
    const int64_t count = LoadMoveFile(document.cube, &stream);
    if (replaySwitch == 1) ReplayMoveLog(count);
  }
  CloseTextStream(&stream);
}

// The path handed to OpenNamedFile, for the command it runs.
const char* namedPath = "";

void OpenNamedPath() {
  std::memset(fileName, 0, sizeof fileName);
  const size_t length = std::strlen(namedPath);
  const bool whole = length < sizeof fileName;
  std::memcpy(fileName, namedPath, whole ? length : sizeof fileName - 1);
  const FileKind kind = FileKindOfPath(fileName);
  if (kind != 0)
    OpenFileNamed(kind, whole);
  else
    ShowNoInputFile();
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

void ShowOpenFileDialog(FileKind kind) { ShowOpenFileDialog(kind, FilterFor(kind)); }

void ShowOpenFileDialog(FileKind kind, const FileFilter& filter) {
  const char* chosen = platform->ChooseOpenFile(kind, filter);
  fileNameCut = false;
  if (chosen == nullptr) return;
  const size_t length = std::strlen(chosen);
  fileNameCut = length >= sizeof fileName;
  std::memcpy(fileName, chosen, fileNameCut ? sizeof fileName - 1 : length);
}

void OpenCubeFile(FileKind kind) {
  std::memset(fileName, 0, sizeof fileName);
  ShowOpenFileDialog(kind);
  OpenFileNamed(kind, !fileNameCut);
}

void OpenNamedFile(const char* path) {
  namedPath = path;
  RunCommand(OpenNamedPath, true);
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
  const Cube& cube = document.cube;
  CopyCube(cube.size, cube.live, replayStart);
  for (int32_t passes = 1;; ++passes) {
    for (int64_t k = 1; k <= count; ++k) ApplyMoveCode(moveLog[k]);
    if (static_cast<int16_t>(CheckSolved(cube.size, cube.live)) == 0) return passes;
    if (CompareCubes(cube.size, cube.live, replayStart) == 0) {
      platform->ShowMessage("Repeating these moves never brings the cube back to solved.", "Replay");
      return passes;
    }
  }
}
