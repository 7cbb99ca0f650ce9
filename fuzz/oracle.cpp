// Independent expectations for the two file readers and the replay.
#include "oracle.h"

#include <cctype>
#include <cstdio>
#include <cstring>

namespace {

const int kMaxText = kTextCapacity - 1;

std::string CString(const std::string& bytes) { return bytes.substr(0, bytes.find('\0')); }

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

bool EndsWith(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() &&
         text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

void CheckCutText(const std::string& text, const std::string& before, const std::string& middle,
                  const std::string& after, const char* what) {
  // A box text is a C string: nothing after a NUL in `middle` can show, and "..." may mark it.
  const std::string visible = CString(middle);
  const bool fits = before.size() + visible.size() + after.size() <= static_cast<size_t>(kMaxText);
  if (fits && text == before + visible + after) return;
  EXPECT_THAT(!fits || visible.size() < middle.size(), "%s: box text \"%s\"", what, text.c_str());
  EXPECT_THAT(StartsWith(text, before) && EndsWith(text, "..." + after), "%s: cut text \"%s\"", what,
              text.c_str());
  const std::string shown = text.substr(before.size(), text.size() - before.size() - after.size() - 3);
  EXPECT_THAT(StartsWith(visible, shown), "%s: \"%s\" is not the start of what it cuts", what, shown.c_str());
  EXPECT_THAT(text.size() + 8 >= static_cast<size_t>(kMaxText) || shown.size() == visible.size(),
              "%s: cut to %zu characters, far short of the room", what, text.size());
}

namespace {

struct Layer {
  char letter;
  void (*turn)(Cube&);
  const char* codes;  // quarter, half, inverse; null for a slice
  int quarterTimes;   // 1 for a layer turned its own way, 3 for a slice letter turned against it
};

const Layer kLayers[] = {
    {'U', QuarterTurnU, "123", 1},      {'T', QuarterTurnU, "123", 1},      {'D', QuarterTurnD, "456", 1},
    {'L', QuarterTurnL, "789", 1},      {'F', QuarterTurnF, "ABC", 1},      {'R', QuarterTurnR, "DEF", 1},
    {'B', QuarterTurnB, "GHI", 1},      {'u', TurnRowSlice, nullptr, 3},    {'d', TurnRowSlice, nullptr, 1},
    {'l', TurnColumnSlice, nullptr, 1}, {'r', TurnColumnSlice, nullptr, 3},
};

// 0 quarter, 1 half, 2 inverse, -1 none.
int AmountOf(char suffix) {
  if (suffix == '\0' || suffix == '1' || suffix == '+') return 0;
  if (suffix == '2') return 1;
  if (suffix == '3' || suffix == '\'' || suffix == '-') return 2;
  return -1;
}

struct Applied {
  void (*turn)(Cube&);
  int times;
};

}  // namespace

std::string TextModeBytes(const std::string& raw) {
  std::string text;
  for (size_t k = 0; k < raw.size(); ++k) {
    const unsigned char byte = static_cast<unsigned char>(raw[k]);
    if (byte == 26) break;
    if (byte == 13 && k + 1 < raw.size() && raw[k + 1] == '\n') continue;  // the LF stands for both
    text += static_cast<char>(byte);
  }
  return text;
}

bool FacesUniform(const int32_t* cube, int size) {
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < size; ++row)
      for (int column = 0; column < size; ++column)
        if (cube[CellIndex(face, row, column)] != cube[CellIndex(face, 0, 0)]) return false;
  return true;
}

void CheckPatternLoad(const std::string& raw, const std::string& path, const Snapshot& before,
                      const Snapshot& after, const std::vector<Box>& boxes) {
  const std::string bytes = TextModeBytes(raw);
  char problem[128] = "";
  const int size = bytes.empty() ? -1 : static_cast<unsigned char>(bytes[0]);
  if (bytes.empty()) {
    std::snprintf(problem, sizeof problem, "\nThe file is empty.");
  } else if (size < 2 || size > kMaxSize) {
    std::snprintf(problem, sizeof problem, "\nThe size byte is %d; sizes run from 2 to 10.", size);
  } else {
    const int count = 6 * size * size;
    for (int k = 0; k < count && problem[0] == '\0'; ++k) {
      if (static_cast<size_t>(k) + 1 >= bytes.size())
        std::snprintf(problem, sizeof problem, "\nIt ends after %d of its %d colours.", k, count);
      else if (static_cast<unsigned char>(bytes[k + 1]) > 5)
        std::snprintf(problem, sizeof problem, "\nThe byte at offset %d is %d; colours run from 0 to 5.",
                      k + 1, static_cast<unsigned char>(bytes[k + 1]));
    }
  }

  if (problem[0] != '\0') {
    EXPECT_THAT(boxes.size() == 1 && boxes[0].title == "Error", "a refused pattern file showed %zu boxes",
                boxes.size());
    CheckCutText(boxes[0].text, "INVALID pattern file ", path, problem, "refused pattern file");
    const char* changed = FirstDifference(before, after);
    EXPECT_THAT(changed == nullptr, "a refused pattern file changed %s", changed);
    return;
  }

  EXPECT_THAT(boxes.empty(), "a good pattern file showed the box \"%s\"", boxes[0].text.c_str());
  EXPECT_THAT(after.size == size, "a size-%d pattern file left document.cube.size %d", size, after.size);
  const unsigned char* colour = reinterpret_cast<const unsigned char*>(bytes.data()) + 1;
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < kMaxSize; ++row)
      for (int column = 0; column < kMaxSize; ++column) {
        const int cell = CellIndex(face, row, column);
        if (row < size && column < size) {
          EXPECT_THAT(after.live[cell] == *colour && after.shadow[cell] == *colour,
                      "cell %d holds %d and %d, the file says %d", cell, static_cast<int>(after.live[cell]),
                      static_cast<int>(after.shadow[cell]), *colour);
          ++colour;
        } else {
          EXPECT_THAT(after.live[cell] == before.live[cell] && after.shadow[cell] == before.shadow[cell],
                      "a size-%d pattern file wrote cell %d outside its square", size, cell);
        }
      }
  EXPECT_THAT(after.erase == (before.erase || size != before.size),
              "document.eraseOnRepaint %d after size %d -> %d", after.erase, before.size, size);
  static const int32_t kStartMetrics[4] = {15, 16, 32, 38};
  const int32_t* metrics = size != before.size ? kStartMetrics : before.metrics;
  EXPECT_THAT(std::memcmp(after.metrics, metrics, sizeof after.metrics) == 0, "layout metrics after a load");
  EXPECT_THAT(std::memcmp(after.log, before.log, sizeof after.log) == 0,
              "a pattern file changed document.moveLog");
}

MoveOutcome CheckMoveLoad(const std::string& raw, int size, const std::vector<Box>& boxes, size_t firstBox,
                          const std::string& diagnostics) {
  const std::string text = TextModeBytes(raw);
  auto space = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };

  MoveOutcome outcome;
  outcome.faceMovesOnly = true;
  long long faceTurns = 0, halfTurns = 0;
  MoveCode log[kMoveLogCapacity + 1] = {0};
  std::vector<std::string> pieces;  // each listed token as the list shows it, with its space
  std::vector<Applied> applied;
  std::string badToken;
  bool bad = false;
  for (size_t k = 0; k < text.size();) {
    if (space(text[k])) {
      ++k;
      continue;
    }
    size_t end = k;
    while (end < text.size() && !space(text[end])) ++end;
    const std::string token = text.substr(k, end - k);
    k = end;
    if (token.size() > 2) {
      bad = true;
      badToken = token;
      break;
    }
    pieces.push_back(CString(token) + " ");
    const int amount = AmountOf(token.size() > 1 ? token[1] : '\0');
    const Layer* layer = nullptr;
    for (const Layer& candidate : kLayers)
      if (candidate.letter == token[0]) layer = &candidate;
    if (layer == nullptr || amount < 0) continue;
    const int times = amount == 1 ? 2 : (amount == 0) == (layer->quarterTimes == 1) ? 1 : 3;
    applied.push_back({layer->turn, times});
    ++faceTurns;
    if (amount == 1) ++halfTurns;
    if (layer->codes == nullptr) outcome.faceMovesOnly = false;
    if (layer->codes != nullptr && faceTurns <= kMoveLogCapacity) log[faceTurns] = layer->codes[amount];
  }
  if (bad) {
    faceTurns = halfTurns = 0;
    outcome.faceMovesOnly = false;
  }
  outcome.count = faceTurns;

  size_t next = firstBox;
  if (bad) {
    EXPECT_THAT(next < boxes.size() && boxes[next].title == "Error", "no error box for a %zu-byte token",
                badToken.size());
    CheckCutText(boxes[next].text, "INVALID mov file containing ", badToken, "", "bad token");
    ++next;
  }
  EXPECT_THAT(next < boxes.size() && boxes[next].title == "Moves", "no \"Moves\" box after a move file");
  const Box& moves = boxes[next];
  outcome.nextBox = next + 1;

  char counts[96];
  std::snprintf(counts, sizeof counts, " Number of moves %lld q %lld f\n", faceTurns + halfTurns, faceTurns);
  EXPECT_THAT(StartsWith(moves.text, counts), "\"Moves\" box \"%s\", expected it to start \"%s\"",
              moves.text.c_str(), counts);
  const std::string list = moves.text.substr(std::strlen(counts));
  std::string full;
  for (const std::string& piece : pieces) full += piece;
  const size_t room = kMaxText - std::strlen(counts);
  if (full.size() <= room) {
    EXPECT_THAT(list == full, "the list \"%s\", expected \"%s\"", list.c_str(), full.c_str());
  } else {
    // As many whole tokens as leave room for "...".
    EXPECT_THAT(EndsWith(list, "..."), "a cut list without \"...\": \"%s\"", list.c_str());
    const std::string shown = list.substr(0, list.size() - 3);
    size_t whole = 0, length = 0;
    while (whole < pieces.size() && length + pieces[whole].size() <= room - 3)
      length += pieces[whole++].size();
    EXPECT_THAT(shown == full.substr(0, length), "the cut list \"%s\" should hold the first %zu tokens",
                list.c_str(), whole);
  }
  EXPECT_THAT(diagnostics == full, "the echo \"%.300s\" differs from the listed tokens", diagnostics.c_str());
  EXPECT_THAT(std::memcmp(log, document.moveLog, sizeof log) == 0,
              "document.moveLog differs from the file's face moves");

  // Undo the moves, last first, on the cube the box showed: the solved cube must come back.
  EXPECT_THAT(moves.size == size, "the \"Moves\" box came at size %d, not %d", moves.size, size);
  std::memcpy(outcome.afterReading, moves.live, sizeof outcome.afterReading);
  const Snapshot saved = TakeSnapshot();
  std::memcpy(document.cube.live, moves.live, sizeof document.cube.live);
  std::memcpy(document.cube.shadow, moves.live, sizeof document.cube.shadow);
  for (auto move = applied.rbegin(); move != applied.rend(); ++move)
    for (int k = 0; k < 4 - move->times; ++k) move->turn(document.cube);
  EXPECT_THAT(IsSolved(document.cube.live, size),
              "undoing the %zu moves of the file did not give the solved cube", applied.size());
  std::memcpy(document.cube.live, saved.live, sizeof document.cube.live);
  std::memcpy(document.cube.shadow, saved.shadow, sizeof document.cube.shadow);
  return outcome;
}

void CheckReplay(const MoveOutcome& outcome, const std::vector<Box>& boxes) {
  const int size = document.cube.size;
  const bool unchanged =
      std::memcmp(document.cube.live, outcome.afterReading, sizeof document.cube.live) == 0;
  if (outcome.count > kMoveLogCapacity) {
    EXPECT_THAT(boxes.size() == outcome.nextBox + 1 && boxes.back().title == "Replay",
                "no single \"Replay\" box after %lld moves", outcome.count);
    EXPECT_THAT(unchanged, "a replay of %lld moves turned the cube", outcome.count);
    return;
  }
  if (FacesUniform(document.cube.live, size)) {
    EXPECT_THAT(boxes.size() == outcome.nextBox, "a replay that solved the cube showed a box");
    return;
  }
  EXPECT_THAT(!outcome.faceMovesOnly, "the replay of %lld face moves did not end solved", outcome.count);
  EXPECT_THAT(boxes.size() == outcome.nextBox + 1 && boxes.back().title == "Replay",
              "an unsolved replay without its one \"Replay\" box");
  EXPECT_THAT(unchanged, "an unsolved replay did not come back to where it started");
}
