// The open command behind "[" and "{", opening a file by its name, and the replay of a move file until the
// cube is solved.
#include <cstdio>
#include <cstring>

#include "files/input_files.h"
#include "ui/document.h"
#include "ui/solid/animation.h"
#include "ui/ui.h"

namespace {

const FileFilter kFilters[3] = {
    {{"Cube patterns (*.q)", "All files (*.*)"}, {"*.q", "*.*"}, "q"},
    {{"Cube moves (*.mov)", "All files (*.*)"}, {"*.mov", "*.*"}, "mov"},
    {{"Moves in the standard notation (*.alg)", "All files (*.*)"}, {"*.alg", "*.*"}, "alg"},
};

void ApplyMoveCode(MoveCode code) {
  int16_t layer, quarterTurns;
  if (DecodeMoveCode(code, &layer, &quarterTurns)) TurnLayer(document.cube, layer, quarterTurns);
}

void ShowNoInputFile(const char* path) {
  char text[kTextCapacity];
  FormatWithPath(text, " No input file ", path, "\n");
  platform->ShowMessage(text, "Error");
}

// Reads `path` as `kind`; a path too long to name a file is never opened, and its box shows it cut.
void OpenFileNamed(FileKind kind, const char* path) {
  TextStream stream;
  if (std::strlen(path) >= static_cast<size_t>(kFileNameCapacity) || !OpenTextStream(&stream, path)) {
    ShowNoInputFile(path);
    return;
  }
  if (kind == kPatternFile) {
    LoadPatternFile(&stream, path);
  } else if (kind == kAlgFile) {
    LoadAlgFile(&stream, path, true);
  } else {
    const int64_t count = LoadMoveFile(&stream, true, path);
    if (document.replaySwitch == 1) ReplayMoveLog(count);
  }
  CloseTextStream(&stream);
}

}  // namespace

const FileFilter& FilterFor(FileKind kind) {
  return kFilters[kind == kMoveFile ? 1 : kind == kAlgFile ? 2 : 0];
}

void FormatWithPath(char* text, const char* before, const char* path, const char* after) {
  const size_t fixed = std::strlen(before) + std::strlen(after);
  const size_t room = kTextCapacity - 1 > fixed ? kTextCapacity - 1 - fixed : 0;
  if (std::strlen(path) <= room)
    std::snprintf(text, kTextCapacity, "%s%s%s", before, path, after);
  else
    std::snprintf(text, kTextCapacity, "%s%.*s...%s", before, static_cast<int>(room < 3 ? 0 : room - 3), path,
                  after);
}

const char* ShowOpenFileDialog(FileKind kind) { return ShowOpenFileDialog(kind, FilterFor(kind)); }

const char* ShowOpenFileDialog(FileKind kind, const FileFilter& filter) {
  const char* chosen = platform->ChooseOpenFile(kind, filter);
  return chosen != nullptr ? chosen : "";
}

void OpenCubeFile(FileKind kind) { OpenFileNamed(kind, ShowOpenFileDialog(kind)); }

void OpenNamedFile(const char* path) {
  RunCommand(
      [path] {
        const FileKind kind = FileKindOfPath(path);
        if (kind != 0)
          OpenFileNamed(kind, path);
        else
          ShowNoInputFile(path);
      },
      true);
}

int32_t ReplayMoveLog(int64_t count) {
  // The replay keeps its own pace: what the file turned is not played over again.
  NoteNoAnimation();
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
  CubeState start;
  CopyCube(cube.size, cube.live, start);
  for (int32_t passes = 1;; ++passes) {
    for (int64_t k = 1; k <= count; ++k) ApplyMoveCode(document.moveLog[k]);
    if (static_cast<int16_t>(CheckSolved(cube.size, cube.live)) == 0) return passes;
    if (CompareCubes(cube.size, cube.live, start) == 0) {
      platform->ShowMessage("Repeating these moves never brings the cube back to solved.", "Replay");
      return passes;
    }
  }
}
