// The player's controls on a clock the test keeps: moves due at the speed, never lost or doubled however
// the ticks fall, stopping at the end, steps and jumps, clicks in the text and the counts shown.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "files/alg_notation.h"
#include "ui/player/player_controller.h"

namespace {

class Controller : public ::testing::Test {
 protected:
  void Open(const std::string& text, int n = 3) {
    std::vector<BlockMove> moves;
    std::vector<TextPlace> places;
    char reason[256];
    ASSERT_TRUE(ParseAlgPlaces(text.data(), text.size(), n, &moves, &places, reason, sizeof reason))
        << reason;
    Cube start;
    MakeSolved(start, n);
    std::string refused;
    ASSERT_TRUE(controller.Open(start, moves, places, &refused)) << refused;
  }

  PlayerController controller;
};

TEST_F(Controller, PlaysAtItsSpeedFromWhenItBeganCatchesUpALateTickAndStopsAtTheEnd) {
  Open("R U F D L B R U");
  EXPECT_EQ(controller.NextTickAt(), kNoTick);
  controller.SetSpeed(2, 0);
  EXPECT_FALSE(controller.Play(1000)) << "the pattern is as it was";
  EXPECT_EQ(controller.NextTickAt(), 1500);
  EXPECT_FALSE(controller.Tick(1499));
  EXPECT_TRUE(controller.Tick(1500));
  EXPECT_EQ(controller.Position(), 1);
  EXPECT_TRUE(controller.Tick(3100)) << "a late tick brings every move due";
  EXPECT_EQ(controller.Position(), 4);
  controller.SetSpeed(20, 3200);  // counts from the moment it is set
  EXPECT_EQ(controller.NextTickAt(), 3250);
  EXPECT_TRUE(controller.Tick(100000));
  EXPECT_EQ(controller.Position(), 8);
  EXPECT_FALSE(controller.Playing());
  EXPECT_EQ(controller.NextTickAt(), kNoTick);
  EXPECT_TRUE(controller.Play(300000)) << "from the start again";
  EXPECT_EQ(controller.Position(), 0);
  controller.Pause();
  EXPECT_FALSE(controller.Tick(400000));
}

TEST_F(Controller, EveryTickAtTheTimeAskedForBringsOneMoveAtAnySpeed) {
  Open("(R U F' D2)40");
  for (const double speed : {0.5, 0.7, 1.0, 3.0, 7.3, 13.0, 19.99, 20.0}) {
    controller.SetSpeed(speed, 0);
    controller.Play(12345);
    for (int64_t moves = 1; moves <= controller.Length(); ++moves) {
      const int64_t at = controller.NextTickAt();
      ASSERT_FALSE(controller.Tick(at - 1)) << speed << " move " << moves;
      ASSERT_TRUE(controller.Tick(at)) << speed << " move " << moves;
      ASSERT_EQ(controller.Position(), moves) << speed;
      EXPECT_NEAR(static_cast<double>(at - 12345), moves * 1000 / speed, 1.0) << speed;
    }
  }
  for (const double asked : {100.0, 0.1, std::nan("")}) {
    controller.SetSpeed(asked, 0);
    EXPECT_DOUBLE_EQ(controller.Speed(), asked > 1 ? kMaxPlaySpeed : kMinPlaySpeed) << asked;
  }
}

TEST_F(Controller, StepsJumpsAndClicksStopPlayingAndSayWhetherThePositionMoved) {
  Open("[R, U] // F\nD2");
  controller.Play(0);
  EXPECT_TRUE(controller.StepForward());
  EXPECT_FALSE(controller.Playing());
  EXPECT_TRUE(controller.StepBack());
  EXPECT_FALSE(controller.StepBack()) << "at the start";
  EXPECT_TRUE(controller.GoToEnd());
  EXPECT_FALSE(controller.StepForward()) << "at the end";
  EXPECT_FALSE(controller.JumpTo(5));
  controller.Play(0);
  EXPECT_FALSE(controller.JumpToTextOffset(9)) << "in the comment";
  EXPECT_TRUE(controller.Playing()) << "a click on no move changes nothing";
  EXPECT_TRUE(controller.JumpToTextOffset(13));
  EXPECT_EQ(controller.Position(), 4);
  EXPECT_FALSE(controller.Playing());
  EXPECT_TRUE(controller.JumpToTextOffset(4));
  EXPECT_EQ(controller.Position(), 1);
  EXPECT_TRUE(controller.JumpToTextOffset(4)) << "again: the same token's next move";
  EXPECT_EQ(controller.Position(), 3);
}

TEST_F(Controller, CountsThePlayedMovesAndAllAndARefusalKeepsThem) {
  Open("R x 2R Rw y2 2-3Lw", 4);
  controller.JumpTo(3);
  const PlayerCounts counts = controller.Counts();
  EXPECT_EQ(counts.position, 3);
  EXPECT_EQ(counts.length, 6);
  EXPECT_EQ(counts.played.blockTurns, 2) << "a rotation counts nothing";
  EXPECT_EQ(counts.played.outerBlockTurns, 3) << "an inner block counts two";
  EXPECT_EQ(counts.all.blockTurns, 4);
  EXPECT_EQ(counts.all.outerBlockTurns, 6);
  Cube start;
  MakeSolved(start, 4);
  std::string reason;
  EXPECT_FALSE(controller.Open(start, {{R, 1, 5, 1}}, {}, &reason));
  EXPECT_EQ(controller.Counts().all.outerBlockTurns, 6);
  Open("// only a comment");
  EXPECT_FALSE(controller.Play(0));
  EXPECT_EQ(controller.NextTickAt(), kNoTick) << "nothing to play";
}

}  // namespace
