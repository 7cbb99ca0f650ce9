// The solid cube in the window: what it paints, the press that clicks or drags, the turns it plays, and
// the menu that chooses it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/cube_helpers.h"

namespace {

const int kWidth = 600, kHeight = 380;

// Answers the moves prompt from a queue, as a person typing would.
struct TypingPlatform : RecordingPlatform {
  std::vector<std::string> typed;
  bool AskText(const char*, const char*, char* text, int capacity) override {
    if (typed.empty()) return false;
    std::snprintf(text, static_cast<size_t>(capacity), "%s", typed.back().c_str());
    typed.pop_back();
    return true;
  }
};

class SolidWindow : public ::testing::Test {
 protected:
  void SetUp() override { StartFresh(recording); }
  void ChooseView(MenuItemId item) { ASSERT_TRUE(RunMenuItem(item)); }
  const CubeFrame& Frame() {
    BuildWindowFrame(&document.windowFrame, kWidth, kHeight);
    return document.windowFrame;
  }
  static void Centre(const CubePolygon& p, int* x, int* y) {
    float sx = 0, sy = 0;
    for (int c = 0; c < kCubePolygonCorners; ++c) sx += p.x[c], sy += p.y[c];
    *x = static_cast<int>(sx / kCubePolygonCorners), *y = static_cast<int>(sy / kCubePolygonCorners);
  }
  TypingPlatform recording;
};

TEST_F(SolidWindow, PaintsTheFrameOverAClearedClientAreaWithTheCaption) {
  ChooseView(kMenuViewCube);
  RecordingSurface surface;
  PaintWindowView(surface, kWidth, kHeight);
  const CubeFrame& frame = Frame();
  int polygons = 0;
  for (const std::string& call : surface.calls) polygons += call.rfind("polygon", 0) == 0;
  EXPECT_EQ(polygons, frame.count);
  EXPECT_EQ(frame.count, 3 * 9 + 3);  // U, F and R at the default camera, and their black
  ASSERT_GE(surface.calls.size(), 3u);
  EXPECT_EQ(surface.calls[2], "fill 0 0 600 380 0");
  EXPECT_EQ(surface.calls[surface.calls.size() - 3], "text 60 170 ? for help");
  // The net's own scaling means nothing here.
  EXPECT_FALSE(MenuItemEnabled(kMenuFitToWindow));
  EXPECT_TRUE(MenuItemChecked(kMenuViewCube));
  ChooseView(kMenuViewNet);
  EXPECT_TRUE(MenuItemEnabled(kMenuFitToWindow));
}

TEST_F(SolidWindow, APressClicksWhenItStaysAndTurnsTheCameraWhenItDrags) {
  ChooseView(kMenuViewCubeBoth);
  const CubeFrame& frame = Frame();
  int clicked = -1;
  for (int k = 0; k < frame.count && clicked < 0; ++k)
    if (frame.polygons[k].face == F && frame.polygons[k].row == 1 && frame.polygons[k].column == 2)
      clicked = k;
  ASSERT_GE(clicked, 0);
  int x, y;
  Centre(frame.polygons[clicked], &x, &y);
  const std::vector<int32_t> before = UsedCells();
  // Three pixels is still a click, named on release.
  PointerPress(x, y, kWidth, kHeight, false);
  PointerMove(x + 3, y - 3, kWidth, kHeight);
  EXPECT_EQ(UsedCells(), before);
  PointerRelease(x + 3, y - 3, kWidth, kHeight, false);
  EXPECT_EQ(document.cube.live[CellIndex(F, 1, 2)], 3);  // yellow's next colour, orange
  ASSERT_TRUE(RunUndo());
  EXPECT_EQ(UsedCells(), before);
  // Four pixels make it a drag: the camera turns and nothing is clicked.
  PointerPress(x, y, kWidth, kHeight, false);
  PointerMove(x + 40, y + 20, kWidth, kHeight);
  PointerRelease(x + 40, y + 20, kWidth, kHeight, false);
  EXPECT_EQ(UsedCells(), before);
  EXPECT_DOUBLE_EQ(document.view.camera.turn, kDefaultCubeCamera.turn - 40 * kDragDegreesPerPixel);
  EXPECT_DOUBLE_EQ(document.view.camera.tilt, kDefaultCubeCamera.tilt + 20 * kDragDegreesPerPixel);
  // Dragged far, the tilt stops at the pole and the turn goes round.
  PointerPress(x, y, kWidth, kHeight, false);
  PointerMove(x + 400, y + 400, kWidth, kHeight);
  PointerRelease(x + 400, y + 400, kWidth, kHeight, false);
  EXPECT_DOUBLE_EQ(document.view.camera.tilt, 90);
  EXPECT_GE(document.view.camera.turn, -180);
  // On the net a press clicks at once, as it always has.
  ChooseView(kMenuViewNet);
  int left, top, right, bottom;
  SquareBox(document.layout, U, 0, 0, &left, &top, &right, &bottom);
  PointerPress(left + 2, top + 2, kWidth, kHeight, false);
  EXPECT_EQ(document.cube.live[CellIndex(U, 0, 0)], 1);
}

TEST_F(SolidWindow, KeyTurnsPlayAQuarterTurnAtATimeAndAnyInputEndsThem) {
  ChooseView(kMenuViewCube);
  const std::vector<int32_t> solved = UsedCells();
  HandleCharacter('u');
  const std::vector<int32_t> turned = UsedCells();
  EXPECT_NE(turned, solved) << "the cube shows the end at once";
  EXPECT_EQ(recording.timer, kFrameMilliseconds);
  const Cube* before;
  BlockMove move;
  double fraction;
  ASSERT_TRUE(AnimationFrame(&before, &move, &fraction));
  EXPECT_EQ(move.face, U);
  EXPECT_EQ(fraction, 0);
  EXPECT_EQ(CompareCubes(3, before->live, document.cube.live), 1);
  recording.now += kQuarterTurnMilliseconds / 2;
  ASSERT_TRUE(AnimationFrame(&before, &move, &fraction));
  EXPECT_DOUBLE_EQ(fraction, 0.5);
  recording.now += kQuarterTurnMilliseconds;
  TimerTick();
  EXPECT_FALSE(AnimationFrame(&before, &move, &fraction));
  EXPECT_EQ(recording.timer, 0);
  // Typed moves play one after another, a half turn taking two quarters; a key ends them at once.
  recording.typed = {"R2 F' 2L"};
  ASSERT_TRUE(RunMenuItem(kMenuTypeMoves));
  recording.now += 2 * kQuarterTurnMilliseconds + 1;
  TimerTick();
  ASSERT_TRUE(AnimationFrame(&before, &move, &fraction));
  EXPECT_EQ(move.face, F);
  HandleCharacter('=');
  ASSERT_TRUE(AnimationFrame(&before, &move, &fraction)) << "the slice plays as the only move now";
  EXPECT_EQ(move.face, D);
  EXPECT_EQ(move.first, 2);
  EXPECT_EQ(fraction, 0);
  // More than twenty moves, a rotation, undo: shown at once.
  recording.typed = {"(R U)11"};
  ASSERT_TRUE(RunMenuItem(kMenuTypeMoves));
  EXPECT_FALSE(AnimationFrame(&before, &move, &fraction));
  HandleKeyDown(kKeyLeft);
  EXPECT_FALSE(AnimationFrame(&before, &move, &fraction));
  ASSERT_TRUE(RunUndo());
  EXPECT_FALSE(AnimationFrame(&before, &move, &fraction));
  // On the net nothing plays.
  ChooseView(kMenuViewNet);
  HandleCharacter('r');
  EXPECT_FALSE(AnimationFrame(&before, &move, &fraction));
}

TEST_F(SolidWindow, AMoveFilePlaysFromTheSolvedCubeUnlessItIsReplayed) {
  ChooseView(kMenuViewCube);
  HandleCharacter('f');
  HandleCharacter('u');
  const std::string path = WriteTemp("solid_two.mov", "R U2");
  recording.answers = {path};
  HandleCharacter('{');
  const Cube* before;
  BlockMove move;
  double fraction;
  ASSERT_TRUE(AnimationFrame(&before, &move, &fraction));
  EXPECT_EQ(CheckSolved(3, before->live), 0) << "a move file starts from the solved cube";
  EXPECT_EQ(move.face, R);
  document.replaySwitch = 1;
  recording.answers = {path};
  HandleCharacter('{');
  EXPECT_FALSE(AnimationFrame(&before, &move, &fraction));
  std::remove(path.c_str());
}

TEST_F(SolidWindow, NewCubeGivesTheSolvedCubeOfItsSizeAsOneStep) {
  HandleCharacter('r');
  const std::vector<int32_t> turned = UsedCells();
  ASSERT_TRUE(RunMenuItem(static_cast<MenuItemId>(kMenuNewCube2 + 3)));
  EXPECT_EQ(document.cube.size, 5);
  EXPECT_EQ(CheckSolved(5, document.cube.live), 0);
  EXPECT_EQ(document.layout.cellWidth, 15);
  ASSERT_TRUE(RunUndo());
  EXPECT_EQ(document.cube.size, 3);
  EXPECT_EQ(UsedCells(), turned);
  // The same size again is the solved cube too.
  ASSERT_TRUE(RunMenuItem(static_cast<MenuItemId>(kMenuNewCube2 + 1)));
  EXPECT_EQ(CheckSolved(3, document.cube.live), 0);
}

}  // namespace
