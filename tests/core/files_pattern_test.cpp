// The pattern-file reader: loads at the same and another size, and refusals that leave everything alone.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "support/cube_helpers.h"

namespace {

// Everything a pattern file may change, byte for byte.
struct Snapshot {
  CubeState live, shadow;
  int16_t size;
  int16_t x[6][kMaxSize], y[6][kMaxSize];
  MoveCode log[kMoveLogCapacity + 1];
  int32_t metrics[4];

  static Snapshot Take() {
    Snapshot s;
    std::memcpy(s.live, document.cube.live, sizeof document.cube.live);
    std::memcpy(s.shadow, document.cube.shadow, sizeof document.cube.shadow);
    s.size = document.cube.size;
    std::memcpy(s.x, document.layout.columnX, sizeof document.layout.columnX);
    std::memcpy(s.y, document.layout.rowY, sizeof document.layout.rowY);
    std::memcpy(s.log, document.moveLog, sizeof document.moveLog);
    const int32_t metrics[4] = {document.layout.cellWidth, document.layout.cellHeight,
                                document.layout.faceBaseWidth, document.layout.faceBaseHeight};
    std::memcpy(s.metrics, metrics, sizeof metrics);
    return s;
  }
  bool operator==(const Snapshot& o) const {
    return std::memcmp(live, o.live, sizeof live) == 0 && std::memcmp(shadow, o.shadow, sizeof shadow) == 0 &&
           size == o.size && std::memcmp(x, o.x, sizeof x) == 0 && std::memcmp(y, o.y, sizeof y) == 0 &&
           std::memcmp(log, o.log, sizeof log) == 0 && std::memcmp(metrics, o.metrics, sizeof metrics) == 0;
  }
};

int Mixed(int face, int row, int column) { return (face * 7 + row * 3 + column * 5 + row * column) % 6; }

class PatternFile : public FreshStartTest {
 protected:
  static void Load(const std::string& bytes) {
    LoadFromMemory([](TextStream* stream) { LoadPatternFile(stream, ""); }, bytes);
  }

  // Through the "[" key, as the user would.
  void Open(const std::string& name, const std::string& bytes) {
    recording.answers.push_back(WriteTemp("pattern_" + name, bytes));
    HandleCharacter('[');
  }

  void ExpectCells(int size, const std::function<int(int, int, int)>& colour) {
    ASSERT_EQ(document.cube.size, size);
    for (int face = 0; face < 6; ++face)
      for (int row = 0; row < size; ++row)
        for (int column = 0; column < size; ++column)
          ASSERT_EQ(document.cube.live[CellIndex(face, row, column)], colour(face, row, column))
              << "face " << face << " row " << row << " column " << column;
    EXPECT_EQ(CompareCubes(document.cube.size, document.cube.live, document.cube.shadow), 0);
  }
};

TEST_F(PatternFile, SameSizeReplacesEveryCellAndKeepsTheMetrics) {
  HandleCharacter('u');
  document.layout.cellWidth = 20;  // a reset would put 15 back
  Load(PatternFileBytes(3, Mixed));
  ExpectCells(3, Mixed);
  EXPECT_EQ(document.layout.cellWidth, 20);
  EXPECT_EQ(document.layout.columnX[U][1], 1 * (20 + 32) + 4 + 20);
  EXPECT_TRUE(recording.boxes.empty());
}

TEST_F(PatternFile, SolvedOrderFileGivesTheCubeTheResetKeyGives) {
  HandleCharacter('f');
  Load(PatternFileBytes(3, [](int face, int, int) { return face; }));
  const Snapshot loaded = Snapshot::Take();
  HandleCharacter('*');
  EXPECT_TRUE(loaded == Snapshot::Take());
}

TEST_F(PatternFile, LargerSizeResetsThenLoadsAndLaysTheNetOutAgain) {
  document.layout.cellWidth = 20;
  Load(PatternFileBytes(4, Mixed));
  ExpectCells(4, Mixed);
  EXPECT_EQ(document.layout.cellWidth, 15);
  EXPECT_EQ(document.layout.columnX[F][0], 66);  // one block of 15 * 4 + 2 across, plus the margin
  EXPECT_EQ(document.layout.columnX[B][3], 3 * 62 + 4 + 45);
  EXPECT_EQ(document.layout.rowY[D][0], 2 * 70);
  EXPECT_EQ(document.layout.rowY[L][3], 70 + 48);
}

TEST_F(PatternFile, SizeTenIsTheLineFeedByteAndLoads) {
  Load(PatternFileBytes(10, Mixed));
  ExpectCells(10, Mixed);
  EXPECT_EQ(document.layout.columnX[B][0], 460);
  EXPECT_EQ(document.layout.rowY[D][0], 332);
}

TEST_F(PatternFile, BytesAfterTheLastColourAreIgnored) {
  Load(PatternFileBytes(2, Mixed) +
       "\x09\x07\xff\r\n\x1a"
       "more");
  ExpectCells(2, Mixed);
  EXPECT_TRUE(recording.boxes.empty());
}

TEST_F(PatternFile, OnlyANetOfAnotherSizeAsksToEraseAndOnlyOnce) {
  Open("four.q", PatternFileBytes(4, Mixed));
  EXPECT_EQ(recording.erasingRepaints, 1);
  Open("four_again.q", PatternFileBytes(4, Mixed));
  EXPECT_EQ(recording.erasingRepaints, 1);
  Open("two.q", PatternFileBytes(2, Mixed));
  EXPECT_EQ(recording.erasingRepaints, 2);
  HandleCharacter('u');
  EXPECT_EQ(recording.erasingRepaints, 2);
  Open("three.q", PatternFileBytes(3, Mixed));
  EXPECT_EQ(recording.erasingRepaints, 3);
  EXPECT_EQ(recording.repaints, 5);
  EXPECT_EQ(recording.paintsNow, 0);
}

struct Refusal {
  const char* name;
  std::string bytes;
  const char* mentions;  // a value the box must name, besides the path
};

void PrintTo(const Refusal& refusal, std::ostream* out) { *out << refusal.name; }

class PatternRefusal : public PatternFile, public ::testing::WithParamInterface<Refusal> {};

TEST_P(PatternRefusal, ShowsAnErrorAndChangesNothing) {
  // A state unlike start-up: size 4, a move log, turns on top.
  Open("start.q", PatternFileBytes(4, Mixed));
  recording.answers.push_back(WriteTemp("pattern_start.mov", "R U F2 l"));
  HandleCharacter('{');
  HandleCharacter('u');
  const Snapshot before = Snapshot::Take();
  recording.boxes.clear();
  recording.repaints = 0;
  recording.erasingRepaints = 0;

  const std::string path = WriteTemp(std::string("pattern_bad_") + GetParam().name + ".q", GetParam().bytes);
  recording.answers.push_back(path);
  HandleCharacter('[');

  EXPECT_TRUE(before == Snapshot::Take());
  ASSERT_EQ(recording.boxes.size(), 1u);
  EXPECT_EQ(recording.boxes[0].title, "Error");
  std::string text = recording.boxes[0].text;
  EXPECT_LE(text.size(), 255u);
  const size_t at = text.find(path);
  ASSERT_NE(at, std::string::npos) << text;
  text.erase(at, path.size());
  EXPECT_NE(text.find(GetParam().mentions), std::string::npos) << text;
  EXPECT_EQ(recording.repaints, 1);
  EXPECT_EQ(recording.erasingRepaints, 0);
}

std::string Zeros(size_t count) { return std::string(count, '\0'); }

INSTANTIATE_TEST_SUITE_P(
    BadFiles, PatternRefusal,
    ::testing::Values(Refusal{"empty", "", "empty"}, Refusal{"size0", Zeros(25), "0"},
                      Refusal{"size1", "\x01" + Zeros(6), "1"}, Refusal{"size11", "\x0b" + Zeros(726), "11"},
                      Refusal{"size255", "\xff" + Zeros(600), "255"}, Refusal{"only_size", "\x02", "24"},
                      Refusal{"short_by_one", "\x03" + Zeros(53), "54"},
                      Refusal{"ten_short", "\x0a" + Zeros(599), "600"},
                      Refusal{"ctrl_z", "\x03" + Zeros(10) + "\x1a" + Zeros(43), "54"},
                      Refusal{"colour6", "\x03" + Zeros(19) + "\x06" + Zeros(34), "6"},
                      Refusal{"colour255_last", "\x02" + Zeros(23) + "\xff", "255"},
                      Refusal{"crlf_is_ten", "\x02" + Zeros(3) + "\r\n" + Zeros(20), "10"}),
    [](const ::testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });

}  // namespace
