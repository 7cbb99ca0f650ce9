// The checking seam shared by the fuzz targets.
#include "harness.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tests/support/fresh_start.h"

void Fail(const char* format, ...) {
  std::va_list arguments;
  va_start(arguments, format);
  std::fputs("broken expectation: ", stderr);
  std::vfprintf(stderr, format, arguments);
  std::fputc('\n', stderr);
  va_end(arguments);
  std::abort();
}

Snapshot TakeSnapshot() {
  Snapshot s;
  std::memset(&s, 0, sizeof s);  // padding too, so that memcmp compares values only
  s.size = document.cube.size;
  std::memcpy(s.live, document.cube.live, sizeof s.live);
  std::memcpy(s.shadow, document.cube.shadow, sizeof s.shadow);
  std::memcpy(s.log, document.moveLog, sizeof s.log);
  s.metrics[0] = document.layout.cellWidth;
  s.metrics[1] = document.layout.cellHeight;
  s.metrics[2] = document.layout.faceBaseWidth;
  s.metrics[3] = document.layout.faceBaseHeight;
  std::memcpy(s.columns, document.layout.columnX, sizeof s.columns);
  std::memcpy(s.rows, document.layout.rowY, sizeof s.rows);
  s.erase = document.eraseOnRepaint;
  s.random = document.random.state;
  s.replay = document.replaySwitch;
  return s;
}

const char* FirstDifference(const Snapshot& a, const Snapshot& b) {
  if (a.size != b.size) return "document.cube.size";
  if (std::memcmp(a.live, b.live, sizeof a.live) != 0) return "document.cube.live";
  if (std::memcmp(a.shadow, b.shadow, sizeof a.shadow) != 0) return "document.cube.shadow";
  if (std::memcmp(a.log, b.log, sizeof a.log) != 0) return "document.moveLog";
  if (std::memcmp(a.metrics, b.metrics, sizeof a.metrics) != 0) return "layout metrics";
  if (std::memcmp(a.columns, b.columns, sizeof a.columns) != 0) return "document.layout.columnX";
  if (std::memcmp(a.rows, b.rows, sizeof a.rows) != 0) return "document.layout.rowY";
  if (a.erase != b.erase) return "document.eraseOnRepaint";
  if (a.random != b.random) return "document.random.state";
  if (a.replay != b.replay) return "document.replaySwitch";
  return nullptr;
}

void CheckingPlatform::ShowMessage(const char* text, const char* title) {
  EXPECT_THAT(text != nullptr && title != nullptr, "a box without text or title");
  const size_t length = std::strlen(text);
  EXPECT_THAT(length <= kTextCapacity - 1, "a %zu-character box text titled \"%s\"", length, title);
  static const char* const kTitles[] = {"Error", "Moves", "Replay", "Help", "Symmetry"};
  bool known = false;
  for (const char* known_title : kTitles) known = known || std::strcmp(title, known_title) == 0;
  EXPECT_THAT(known, "a box titled \"%s\"", title);
  Box box;
  box.title = title;
  box.text = text;
  box.size = document.cube.size;
  std::memcpy(box.live, document.cube.live, sizeof box.live);
  boxes.push_back(std::move(box));
  if (onMessage) onMessage();
}

const char* CheckingPlatform::ChooseOpenFile(FileKind kind, const FileFilter& filter) {
  EXPECT_THAT(kind == kPatternFile || kind == kMoveFile, "the chooser asked for kind %d",
              static_cast<int>(kind));
  const char* extension = kind == kPatternFile ? "q" : "mov";
  EXPECT_THAT(std::strcmp(filter.defaultExtension, extension) == 0, "kind %d offered extension %s",
              static_cast<int>(kind), filter.defaultExtension);
  return chooseOpenFile ? chooseOpenFile(kind) : nullptr;
}

void CheckingPlatform::WriteDiagnostic(const char* text) {
  const size_t length = std::strlen(text);
  EXPECT_THAT(length <= kTextCapacity - 1, "a %zu-character diagnostic", length);
  diagnostics += text;
}

void CheckingPlatform::Clear() {
  boxes.clear();
  diagnostics.clear();
  repaints = paintsNow = 0;
  erasingRepaint = false;
  onMessage = nullptr;
  chooseOpenFile = nullptr;
}

void ResetProgram(CheckingPlatform& checking, int16_t size) {
  checking.Clear();
  StartFresh(checking, size);
}

void CheckInvariants(const char* where) {
  const int n = document.cube.size;
  EXPECT_THAT(n >= 2 && n <= kMaxSize, "%s: document.cube.size is %d", where, n);
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < n; ++row)
      for (int column = 0; column < n; ++column) {
        const int cell = CellIndex(face, row, column);
        EXPECT_THAT(document.cube.live[cell] >= 0 && document.cube.live[cell] <= 5, "%s: cell %d holds %d",
                    where, cell, static_cast<int>(document.cube.live[cell]));
        EXPECT_THAT(document.cube.live[cell] == document.cube.shadow[cell],
                    "%s: cell %d is %d in document.cube.live but %d in document.cube.shadow", where, cell,
                    static_cast<int>(document.cube.live[cell]), static_cast<int>(document.cube.shadow[cell]));
      }
  EXPECT_THAT(document.moveLog[0] == 0, "%s: document.moveLog entry 0 holds %d", where, document.moveLog[0]);
  for (int k = 1; k <= kMoveLogCapacity; ++k) {
    const MoveCode code = document.moveLog[k];
    const bool valid = code == 0 || (code >= '1' && code <= '9') || (code >= 'A' && code <= 'I');
    EXPECT_THAT(valid, "%s: document.moveLog entry %d holds %d", where, k, code);
  }
}

std::vector<int> ColourCounts(const int32_t* cube, int size) {
  std::vector<int> counts(6, 0);
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < size; ++row)
      for (int column = 0; column < size; ++column) {
        const int32_t colour = cube[CellIndex(face, row, column)];
        if (colour >= 0 && colour < 6) ++counts[colour];
      }
  return counts;
}

bool IsSolved(const int32_t* cube, int size) {
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < size; ++row)
      for (int column = 0; column < size; ++column)
        if (cube[CellIndex(face, row, column)] != face) return false;
  return true;
}

uint32_t HashBytes(const uint8_t* data, size_t size) {
  uint32_t hash = 2166136261u;
  for (size_t k = 0; k < size; ++k) hash = (hash ^ data[k]) * 16777619u;
  return hash ^ static_cast<uint32_t>(size);
}
