// Start-up state, reset and the seam's repaint rule.
#include <gtest/gtest.h>

#include "support/recording_platform.h"

TEST(StartUp, GivesTheSolvedThreeCubeInBothCopies) {
  RecordingPlatform recording;
  StartFresh(recording);
  EXPECT_EQ(document.cube.size, 3);
  EXPECT_EQ(CheckSolved(document.cube.size, document.cube.live), 0);
  EXPECT_EQ(CompareCubes(document.cube.size, document.cube.live, document.cube.shadow), 0);
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < 3; ++row)
      for (int column = 0; column < 3; ++column)
        EXPECT_EQ(document.cube.live[CellIndex(face, row, column)], face);
}

TEST(StartUp, ResetKeyAfterTurnsGivesSolvedCubeAndAsksForOneRepaint) {
  RecordingPlatform recording;
  StartFresh(recording);
  for (char key : std::string("udfblr-=")) HandleCharacter(key);
  EXPECT_EQ(CheckSolved(document.cube.size, document.cube.live), -1);
  HandleCharacter('*');
  EXPECT_EQ(CheckSolved(document.cube.size, document.cube.live), 0);
  EXPECT_EQ(document.cube.live[CellIndex(D, 2, 2)], 5);
  EXPECT_EQ(CompareCubes(document.cube.size, document.cube.live, document.cube.shadow), 0);
  EXPECT_EQ(recording.repaints, 9);
  EXPECT_EQ(recording.paintsNow, 0);
}
