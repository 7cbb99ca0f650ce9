// A fixed-seed random walk of keys through the dispatcher on every cube size, each size reached by
// loading a generated pattern file with "[", the program's state checked after every key.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "analysis/analysis.h"
#include "files/input_files.h"
#include "support/fresh_start.h"
#include "ui/ui.h"

namespace {

const int kTotalKeys = 1000000;
const int kSizes = 9;  // 2 to 10
const uint32_t kSeed = 20261208;

// Answers the chooser with whatever the walk queued; counts what a window would have to do.
struct WalkPlatform : Platform {
  const char* answer = nullptr;
  int boxes = 0;
  int repaints = 0;
  int paintsNow = 0;
  size_t longestText = 0;
  std::string lastTitle;

  void ShowMessage(const char* text, const char* title) override {
    ++boxes;
    longestText = std::max(longestText, std::strlen(text));
    lastTitle = title;
  }
  const char* ChooseOpenFile(FileKind, const FileFilter&) override { return answer; }
  void WriteDiagnostic(const char* text) override { longestText = std::max(longestText, std::strlen(text)); }
  void RequestRepaint(bool) override { ++repaints; }
  void PaintNow() override { ++paintsNow; }
};

// Files for one size: good patterns (each colour on n*n cells, as turns keep it), refused ones, moves.
struct Files {
  std::string prefix;
  std::vector<std::string> good, refused, moves, all;

  void Write(const std::string& name, const std::string& bytes, std::vector<std::string>& kind) {
    const std::string path = prefix + name;
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file), bytes.size());
    ASSERT_EQ(std::fclose(file), 0);
    kind.push_back(path);
    all.push_back(path);
  }

  void Make(int n, std::mt19937& random) {
    // One set of names per size, so sizes running side by side never share a file.
    prefix = ::testing::TempDir() + "plexaro-walk-" + std::to_string(n) + "-";
    std::string cells;
    for (int face = 0; face < 6; ++face) cells += std::string(n * n, static_cast<char>(face));
    for (int k = 0; k < 3; ++k) {
      std::shuffle(cells.begin(), cells.end(), random);
      Write("good" + std::to_string(k) + ".q", std::string(1, static_cast<char>(n)) + cells, good);
    }
    std::string badColour = std::string(1, static_cast<char>(n)) + cells;
    badColour[1 + random() % cells.size()] = static_cast<char>(6 + random() % 250);
    Write("bad-colour.q", badColour, refused);
    Write("truncated.q", std::string(1, static_cast<char>(n)) + cells.substr(0, cells.size() - 1), refused);
    Write("size-11.q", std::string(1, 11) + std::string(726, '\0'), refused);
    static const char* const kTokens[] = {"U", "T2", "D'", "L-", "F+", "R3", "B1",
                                          "u", "d2", "l'", "r",  "x",  "F2"};
    for (int k = 0; k < 4; ++k) {
      std::string text;
      const int count = 1 + static_cast<int>(random() % (k == 3 ? 40 : 12));
      for (int t = 0; t < count; ++t)
        text += std::string(kTokens[random() % (k == 0 ? 7 : 13)]) + " \n"[t % 2];
      Write("moves" + std::to_string(k) + ".mov", text, moves);
    }
    Write("bad-token.mov", "R U F2D\r\n", moves);
  }

  ~Files() {
    for (const std::string& path : all) std::remove(path.c_str());
  }
};

// Empty when every invariant holds, else what broke.
std::string Broken(int n, const WalkPlatform& walk) {
  if (document.cube.size != n) return "document.cube.size is " + std::to_string(document.cube.size);
  int counts[6] = {0};
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < n; ++row)
      for (int column = 0; column < n; ++column) {
        const int cell = CellIndex(face, row, column);
        if (document.cube.live[cell] != document.cube.shadow[cell])
          return "the two copies differ at cell " + std::to_string(cell);
        if (document.cube.live[cell] < 0 || document.cube.live[cell] > 5)
          return "cell " + std::to_string(cell) + " is no colour";
        ++counts[document.cube.live[cell]];
      }
  for (int colour = 0; colour < 6; ++colour)
    if (counts[colour] != n * n)
      return "colour " + std::to_string(colour) + " on " + std::to_string(counts[colour]);
  for (int k = 0; k <= kMoveLogCapacity; ++k) {
    const MoveCode code = document.moveLog[k];
    if (code != 0 && (k == 0 || !((code >= '1' && code <= '9') || (code >= 'A' && code <= 'I'))))
      return "document.moveLog entry " + std::to_string(k) + " holds " + std::to_string(code);
  }
  if (walk.longestText > kTextCapacity - 1)
    return "a text of " + std::to_string(walk.longestText) + " characters";
  return "";
}

bool SameCube(const CubeState a, const CubeState b) { return std::memcmp(a, b, sizeof(CubeState)) == 0; }

class RandomWalk : public ::testing::TestWithParam<int> {};

TEST_P(RandomWalk, KeepsTheCubeWholeThroughEveryKey) {
  const int n = GetParam();
  std::mt19937 random(kSeed + n);
  Files files;
  files.Make(n, random);
  if (HasFatalFailure()) return;

  WalkPlatform walk;
  StartFresh(walk);
  walk.answer = files.good[0].c_str();
  HandleCharacter('[');
  ASSERT_EQ(Broken(n, walk), "") << "after loading the size-" << n << " pattern";
  ASSERT_EQ(walk.boxes, 0) << walk.lastTitle;

  static const char kTurns[] = "udfblr-=";
  static const char kOthers[] = "\\|,m%*?&'(";
  CubeState saved;
  const int keys = kTotalKeys / kSizes + (n == 2 ? kTotalKeys % kSizes : 0);
  for (int step = 0; step < keys; ++step) {
    const uint32_t draw = random() % 1000;
    const int repaintsBefore = walk.repaints, paintsBefore = walk.paintsNow;
    bool bound = true;
    if (draw < 450) {
      HandleCharacter(kTurns[random() % 8]);
    } else if (draw < 600) {
      HandleKeyDown(kKeyLeft + static_cast<int>(random() % 4));
    } else if (draw < 700) {
      HandleCharacter(kOthers[random() % 4]);  // reflections and the scrambles
    } else if (draw < 710) {
      HandleCharacter(kOthers[4 + random() % 6]);  // symmetry, reset, help, the arrows as characters
    } else if (draw < 720) {
      const uint32_t pick = random() % 10;
      walk.answer = pick < 6   ? files.good[pick % 3].c_str()
                    : pick < 9 ? files.refused[pick - 6].c_str()
                               : nullptr;
      HandleCharacter('[');
    } else if (draw < 730) {
      document.replaySwitch = static_cast<int16_t>(random() % 2);
      walk.answer = files.moves[random() % files.moves.size()].c_str();
      HandleCharacter('{');
    } else if (draw < 740) {
      // A turn four times, or a reflection twice, gives back the cube it started from.
      const int code = random() % 3 == 0 ? "\\|"[random() % 2] : kTurns[random() % 8];
      std::memcpy(saved, document.cube.live, sizeof saved);
      for (int k = 0; k < (code == '\\' || code == '|' ? 2 : 4); ++k) HandleCharacter(code);
      ASSERT_TRUE(SameCube(saved, document.cube.live))
          << "key " << static_cast<char>(code) << " at step " << step;
      continue;
    } else {
      // Neither table holds these: nothing but a paint.
      int code;
      do code = static_cast<int>(random() % 256);
      while (std::strchr("udfblr-=*?\\|,m%[{&'(", code) != nullptr);
      std::memcpy(saved, document.cube.live, sizeof saved);
      if (draw < 870)
        HandleCharacter(code);
      else
        HandleKeyDown(code);
      bound = false;
      ASSERT_TRUE(SameCube(saved, document.cube.live)) << "unbound key " << code << " at step " << step;
    }
    ASSERT_EQ(walk.repaints - repaintsBefore, bound ? 1 : 0) << "step " << step;
    ASSERT_EQ(walk.paintsNow - paintsBefore, bound ? 0 : 1) << "step " << step;
    const std::string broken = Broken(n, walk);
    ASSERT_EQ(broken, "") << "size " << n << ", step " << step << " (draw " << draw << ")";
  }
  // A walk that stopped pressing keys, or never reached a box, would prove nothing.
  EXPECT_GT(walk.repaints, keys / 2);
  EXPECT_GT(walk.paintsNow, keys / 10);
  EXPECT_GT(walk.boxes, keys / 200);
  std::printf("size %d: %d keys, %d repaint requests, %d immediate paints, %d boxes\n", n, keys,
              walk.repaints, walk.paintsNow, walk.boxes);
  platform = nullptr;
}

INSTANTIATE_TEST_SUITE_P(EverySize, RandomWalk, ::testing::Range(2, 11),
                         [](const ::testing::TestParamInfo<int>& size) {
                           return "Size" + std::to_string(size.param);
                         });

}  // namespace
