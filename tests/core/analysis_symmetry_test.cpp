// The symmetry count: the totals it shows, the orientation it leaves, and its draws on even cubes.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "support/cube_helpers.h"

namespace {

typedef std::vector<int32_t> Pattern;

bool SolvedAtHome() {
  for (int face = 0; face < 6; ++face)
    for (int r = 0; r < document.cube.size; ++r)
      for (int c = 0; c < document.cube.size; ++c)
        if (document.cube.live[CellIndex(face, r, c)] != face) return false;
  return true;
}

std::string Totals(int rotations, int mirrors) {
  char text[64];
  std::snprintf(text, sizeof text, "Total C: %2d   Total M: %2d  ", rotations, mirrors);
  return text;
}

// Runs the count and returns the text of its one box.
std::string Count(RecordingPlatform& recording) {
  recording.boxes.clear();
  platform = &recording;
  CountSymmetries();
  EXPECT_EQ(recording.boxes.size(), 1u);
  if (recording.boxes.empty()) return "";
  EXPECT_EQ(recording.boxes[0].title, "Symmetry");
  EXPECT_EQ(CompareCubes(document.cube.size, document.cube.live, document.cube.shadow), 0);
  return recording.boxes[0].text;
}

// Independent of the walk: how many different patterns the 24 rotations (colours following them)
// make of the pattern, and, with `mirrors`, of it and its central mirror image together.
int DistinctImages(bool mirrors) {
  const Pattern start = UsedCells();
  std::set<Pattern> seen{start};
  std::vector<Pattern> queue{start};
  if (mirrors) {
    ReflectCentral(document.cube);
    if (seen.insert(UsedCells()).second) queue.push_back(UsedCells());
  }
  for (size_t k = 0; k < queue.size(); ++k)
    for (int step = 0; step < 2; ++step) {
      const Pattern from = queue[k];  // copied: the queue may grow
      Restore(from);
      if (step == 0) {
        Recolour(document.cube, 0, 2, 3, 1, 5, 4);  // after a rotation to the right, F shows L's facelets
        RotateRight(document.cube);
      } else {
        Recolour(document.cube, 2, 1, 5, 0, 4, 3);  // after a rotation down, F shows U's facelets
        RotateDown(document.cube);
      }
      if (seen.insert(UsedCells()).second) queue.push_back(UsedCells());
    }
  Restore(start);
  return static_cast<int>(seen.size());
}

class SolvedSizes : public ::testing::TestWithParam<int> {};

TEST_P(SolvedSizes, SolvedCubeIsFullySymmetricAndEndsAtHome) {
  RecordingPlatform recording;
  StartFresh(recording, GetParam());
  EXPECT_EQ(Count(recording), "Total C:  1   Total M:  1  ");
  EXPECT_TRUE(SolvedAtHome());
  EXPECT_EQ(recording.diagnostics, "");
}

// From each of the 24 orientations of the solved cube the normalisation comes home; odd sizes
// read the centres and draw nothing.
TEST_P(SolvedSizes, NormalisationBringsEveryOrientationHome) {
  const std::vector<Operation> tops[] = {
      {}, {RotateUp}, {RotateUp, RotateUp}, {RotateDown}, {RotateLeft, RotateUp}, {RotateRight, RotateUp}};
  RecordingPlatform recording;
  for (const auto& top : tops)
    for (int spins = 0; spins < 4; ++spins) {
      StartFresh(recording, GetParam());
      Apply(top);
      for (int k = 0; k < spins; ++k) RotateLeft(document.cube);
      NormaliseOrientation(document.cube, document.random);
      EXPECT_TRUE(SolvedAtHome()) << "spins " << spins;
      if (GetParam() % 2) {
        EXPECT_EQ(document.random.state, 1u);
      }
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, SolvedSizes, ::testing::Range(2, 11));

TEST(Symmetry, KnownThreeCubeTotalsAndTheirMirrorImages) {
  const Operation u = QuarterTurnU, d = QuarterTurnD, f = QuarterTurnF, b = QuarterTurnB, l = QuarterTurnL,
                  r = QuarterTurnR;
  const struct {
    std::vector<Operation> turns;
    int rotations, mirrors;
  } cases[] = {
      {{u}, 6, 12},
      {{u, u}, 6, 6},
      {{f, f, b, b}, 3, 3},
      {{u, d}, 3, 6},
      {{u, u, d, d, f, f, b, b, l, l, r, r}, 1, 1},
  };
  RecordingPlatform recording;
  for (const auto& test : cases)
    for (Operation mirror : {Operation(nullptr), ReflectCentral, ReflectRightLeft}) {
      StartFresh(recording, 3);
      Apply(test.turns);
      if (mirror) mirror(document.cube);
      EXPECT_EQ(DistinctImages(false), test.rotations);
      EXPECT_EQ(DistinctImages(true), test.mirrors);
      EXPECT_EQ(Count(recording), Totals(test.rotations, test.mirrors));
    }
}

TEST(Symmetry, ScrambledCubeHasNoSymmetry) {
  RecordingPlatform recording;
  StartFresh(recording, 3);
  Scramble(document.cube, document.random, 1);
  EXPECT_EQ(Count(recording), "Total C: 24   Total M: 48  ");
}

// The totals are those of the normalised pattern. On even cubes that can differ from the pattern as
// turned: the corner search rotates without recolouring, so the cube is then seen anchored on that corner.
TEST(Symmetry, TotalsAgreeWithTheImagesOfShortSequencesAndTheirMirrors) {
  const Operation moves[] = {QuarterTurnU, HalfTurnU, QuarterTurnF, HalfTurnF,       HalfTurnR,
                             QuarterTurnD, HalfTurnB, HalfTurnL,    TurnColumnSlice, TurnRowSlice};
  RecordingPlatform recording;
  uint32_t state = 5;
  for (int n = 2; n <= 5; ++n)
    for (int k = 0; k < 10; ++k) {
      StartFresh(recording, n);
      for (int length = 1 + k % 4; length > 0; --length) {
        state = After(state, 1);
        moves[(state >> 16) % 10](document.cube);
      }
      const Pattern pattern = UsedCells();
      std::string texts[3];
      for (int mirror = 0; mirror < 3; ++mirror) {
        Restore(pattern);
        if (mirror == 1) ReflectCentral(document.cube);
        if (mirror == 2) ReflectRightLeft(document.cube);
        const Pattern variant = UsedCells();
        document.random.state = 1;
        NormaliseOrientation(document.cube, document.random);
        const std::string expected = Totals(DistinctImages(false), DistinctImages(true));
        Restore(variant);
        document.random.state = 1;
        texts[mirror] = Count(recording);
        EXPECT_EQ(texts[mirror], expected) << "N " << n << " sequence " << k << " mirror " << mirror;
      }
      EXPECT_EQ(texts[1], texts[0]) << "N " << n << " sequence " << k;
      EXPECT_EQ(texts[2], texts[0]) << "N " << n << " sequence " << k;
    }
}

TEST(Symmetry, LeavesTheNormalisedPatternAndShowsItsMirrorMeanwhile) {
  RecordingPlatform recording;
  for (int n : {3, 4}) {
    StartFresh(recording, n);
    Apply({QuarterTurnF, TurnRowSlice, QuarterTurnR, RotateLeft, RotateDown});
    const Pattern start = UsedCells();
    document.random.state = 777;
    NormaliseOrientation(document.cube, document.random);
    const Pattern normalised = UsedCells();
    const uint32_t stateAfter = document.random.state;
    ReflectCentral(document.cube);
    const Pattern mirrored = UsedCells();

    Restore(start);
    document.random.state = 777;
    Pattern shownDuringBox;
    recording.onMessage = [&shownDuringBox] { shownDuringBox = UsedCells(); };
    Count(recording);
    recording.onMessage = nullptr;
    EXPECT_EQ(UsedCells(), normalised) << "N " << n;
    EXPECT_EQ(document.random.state, stateAfter) << "the walk itself draws nothing";
    EXPECT_EQ(shownDuringBox, mirrored);
    if (n == 3) {
      EXPECT_EQ(document.random.state, 777u) << "odd sizes draw nothing";
    }
  }
}

TEST(Symmetry, TwoCubeSearchDrawsUntilTheCornerIsBack) {
  RecordingPlatform recording;
  StartFresh(recording, 2);
  NormaliseOrientation(document.cube, document.random);
  EXPECT_EQ(document.random.state, After(1, 34));
  EXPECT_TRUE(SolvedAtHome());

  StartFresh(recording, 2);
  RotateLeft(document.cube);
  NormaliseOrientation(document.cube, document.random);  // 41 gives a rotation right, home at once
  EXPECT_EQ(document.random.state, After(1, 1));
  EXPECT_TRUE(SolvedAtHome());
}

TEST(Symmetry, TwoCubeWithoutTheCornerGivesUpAfterAThousandDraws) {
  RecordingPlatform recording;
  StartFresh(recording, 2);
  for (int cell = 0; cell < kCellCount; ++cell) document.cube.live[cell] = document.cube.shadow[cell] = 0;
  EXPECT_EQ(Count(recording), Totals(6, 6));
  EXPECT_EQ(recording.diagnostics, "Error: Illegal Arrangement");
  EXPECT_EQ(document.random.state, After(1, 1000));
}

}  // namespace
