// What a pattern or move file ought to do, worked out apart from the readers, and the checks of what
// they did against it.
#pragma once

#include <string>
#include <vector>

#include "harness.h"

// The bytes as a text-mode stream hands them over: CR LF as LF, nothing from byte 26 on.
std::string TextModeBytes(const std::string& raw);

// `before` + `middle` + `after`, or, when that is too long, `middle` cut short and marked "...".
void CheckCutText(const std::string& text, const std::string& before, const std::string& middle,
                  const std::string& after, const char* what);

// A pattern file read as `path`: the state before and after, and the boxes shown.
void CheckPatternLoad(const std::string& raw, const std::string& path, const Snapshot& before,
                      const Snapshot& after, const std::vector<Box>& boxes);

struct MoveOutcome {
  long long count;     // what the reader returns
  bool faceMovesOnly;  // every counted move a face move and no bad token: a replay must end solved
  size_t nextBox;      // the first box after "Moves"
  CubeState afterReading;
};

// A move file read on a cube of `size`: the boxes from `firstBox` on, the token echo, document.moveLog, and
// the cube shown with the "Moves" box, which undoing the file's moves must bring back to solved.
MoveOutcome CheckMoveLoad(const std::string& raw, int size, const std::vector<Box>& boxes, size_t firstBox,
                          const std::string& diagnostics);

// The replay after that read: the boxes after "Moves" and the cube now.
void CheckReplay(const MoveOutcome& outcome, const std::vector<Box>& boxes);

// Every face a single colour (the test the replay stops on, D included).
bool FacesUniform(const int32_t* cube, int size);
