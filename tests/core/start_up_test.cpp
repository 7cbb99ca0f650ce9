// Start-up state, reset and the seam's repaint rule.
#include <gtest/gtest.h>

#include "support/recording_platform.h"

TEST(StartUp, GivesTheSolvedThreeCubeInBothCopies) {
  RecordingPlatform recording;
  StartFresh(recording);
  EXPECT_EQ(cubeSize, 3);
  EXPECT_EQ(CheckSolved(liveCube), 0);
  EXPECT_EQ(CompareCubes(liveCube, shadowCube), 0);
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < 3; ++row)
      for (int column = 0; column < 3; ++column) EXPECT_EQ(liveCube[CellIndex(face, row, column)], face);
}

TEST(StartUp, ResetKeyAfterTurnsGivesSolvedCubeAndAsksForOneRepaint) {
  RecordingPlatform recording;
  StartFresh(recording);
  for (char key : std::string("udfblr-=")) HandleCharacter(key);
  EXPECT_EQ(CheckSolved(liveCube), -1);
  HandleCharacter('*');
  EXPECT_EQ(CheckSolved(liveCube), 0);
  EXPECT_EQ(liveCube[CellIndex(D, 2, 2)], 5);
  EXPECT_EQ(CompareCubes(liveCube, shadowCube), 0);
  EXPECT_EQ(recording.repaints, 9);
  EXPECT_EQ(recording.paintsNow, 0);
}
