// The open command (chooser, filters, paths that cannot be opened) and the replay of a move file.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/cube_helpers.h"

namespace {

std::vector<int32_t> AllCells() {
  return std::vector<int32_t>(document.cube.live, document.cube.live + kCellCount);
}

class OpenFile : public FreshStartTest {
 protected:
  // A turned cube with a move log, so that "nothing changed" means something.
  void MakeBusyState() {
    recording.answers.push_back(WriteTemp("open_busy.mov", "F R2 D'"));
    HandleCharacter('{');
    HandleCharacter('l');
    recording.boxes.clear();
    recording.repaints = 0;
    recording.chooserKinds.clear();
    recording.chooserFilters.clear();
  }

  void ExpectRefused(const std::string& text) {
    ASSERT_EQ(recording.boxes.size(), 1u);
    EXPECT_EQ(recording.boxes[0].title, "Error");
    EXPECT_EQ(recording.boxes[0].text, text);
  }

  static int64_t LoadMoves(const std::string& bytes) {
    return LoadFromMemory([](TextStream* stream) { return LoadMoveFile(stream); }, bytes);
  }
};

struct Chooser {
  char key;
  FileKind kind;
  const char* description;
  const char* pattern;
  const char* extension;
};

void PrintTo(const Chooser& chooser, std::ostream* out) { *out << chooser.key; }

class OpenCancel : public OpenFile, public ::testing::WithParamInterface<Chooser> {};

TEST_P(OpenCancel, HandsTheKindsFilterToTheChooserAndACancelChangesNothing) {
  MakeBusyState();
  const std::vector<int32_t> cells = AllCells();
  const std::string log = LogBytes();
  HandleCharacter(GetParam().key);

  ASSERT_EQ(recording.chooserKinds.size(), 1u);
  EXPECT_EQ(recording.chooserKinds[0], GetParam().kind);
  const FileFilter& filter = recording.chooserFilters[0];
  EXPECT_STREQ(filter.description[0], GetParam().description);
  EXPECT_STREQ(filter.pattern[0], GetParam().pattern);
  EXPECT_STREQ(filter.description[1], "All files (*.*)");
  EXPECT_STREQ(filter.pattern[1], "*.*");
  EXPECT_STREQ(filter.defaultExtension, GetParam().extension);

  ExpectRefused(" No input file \n");
  EXPECT_EQ(AllCells(), cells);
  EXPECT_EQ(LogBytes(), log);
  EXPECT_EQ(document.cube.size, 3);
  EXPECT_EQ(recording.repaints, 1);
}

INSTANTIATE_TEST_SUITE_P(BothKinds, OpenCancel,
                         ::testing::Values(Chooser{'[', kPatternFile, "Cube patterns (*.q)", "*.q", "q"},
                                           Chooser{'{', kMoveFile, "Cube moves (*.mov)", "*.mov", "mov"}));

TEST_F(OpenFile, PathThatCannotBeOpenedIsShownInFull) {
  MakeBusyState();
  const std::vector<int32_t> cells = AllCells();
  const std::string missing = TempPath("open_no such file.mov");
  std::remove(missing.c_str());
  recording.answers.push_back(missing);
  HandleCharacter('{');
  ExpectRefused(" No input file " + missing + "\n");
  EXPECT_EQ(AllCells(), cells);

  recording.boxes.clear();
  recording.answers.push_back(::testing::TempDir());  // a folder holds no input
  HandleCharacter('[');
  ExpectRefused(" No input file " + ::testing::TempDir() + "\n");
  EXPECT_EQ(AllCells(), cells);
}

TEST_F(OpenFile, LongPathIsCutInTheBox) {
  const std::string missing = ::testing::TempDir() + std::string(300, 'p') + ".q";
  recording.answers.push_back(missing);
  HandleCharacter('[');
  ASSERT_EQ(recording.boxes.size(), 1u);
  const std::string& text = recording.boxes[0].text;
  EXPECT_LE(text.size(), 255u);
  const std::string head = " No input file ";
  ASSERT_EQ(text.compare(0, head.size(), head), 0);
  ASSERT_GE(text.size(), head.size() + 4);
  EXPECT_EQ(text.substr(text.size() - 4), "...\n");
  const std::string shown = text.substr(head.size(), text.size() - head.size() - 4);
  EXPECT_EQ(missing.compare(0, shown.size(), shown), 0);
  EXPECT_GT(shown.size(), 200u);
}

TEST_F(OpenFile, PathLongerThanTheBufferIsNeverOpenedCutShort) {
  // A path of exactly 4095 characters that names a real move file, padded with "./" steps.
  const std::string name = "plexaro_open_cut.mov";
  WriteTemp("open_cut.mov", "R");
  std::string fits = ::testing::TempDir();
  if ((kFileNameCapacity - 1 - fits.size() - name.size()) % 2 != 0) fits += "/";
  while (fits.size() + name.size() < static_cast<size_t>(kFileNameCapacity - 1)) fits += "./";
  fits += name;
  ASSERT_EQ(fits.size(), static_cast<size_t>(kFileNameCapacity - 1));

  // The path that fits is opened: the control that makes the next step meaningful.
  recording.answers.push_back(fits);
  HandleCharacter('{');
  ASSERT_EQ(recording.boxes.size(), 1u);
  EXPECT_EQ(recording.boxes[0].text, " Number of moves 1 q 1 f\nR ");

  // One byte more: cutting it to the buffer would name the same file, which must not be read.
  HandleCharacter('*');
  const std::string log = LogBytes();
  recording.boxes.clear();
  recording.answers.push_back(fits + "x");
  HandleCharacter('{');
  ASSERT_EQ(recording.boxes.size(), 1u);
  EXPECT_EQ(recording.boxes[0].title, "Error");
  EXPECT_EQ(recording.boxes[0].text.compare(0, 15, " No input file "), 0);
  EXPECT_LE(recording.boxes[0].text.size(), 255u);
  EXPECT_EQ(CheckSolved(document.cube.size, document.cube.live), 0);
  EXPECT_EQ(LogBytes(), log);
}

struct ReplayCase {
  const char* file;
  int32_t passes;
};

void PrintTo(const ReplayCase& replay, std::ostream* out) { *out << replay.file; }

class ReplayPasses : public OpenFile, public ::testing::WithParamInterface<ReplayCase> {};

// p - 1 passes for a sequence of period p of 2 or more, one pass for period 1.
TEST_P(ReplayPasses, StopsAtTheFirstSolvedPass) {
  const int64_t count = LoadMoves(GetParam().file);
  EXPECT_EQ(ReplayMoveLog(count), GetParam().passes);
  EXPECT_EQ(CheckSolved(document.cube.size, document.cube.live), 0);
  EXPECT_EQ(CompareCubes(document.cube.size, document.cube.live, document.cube.shadow), 0);
  ASSERT_EQ(recording.boxes.size(), 1u);  // "Moves" only
}

INSTANTIATE_TEST_SUITE_P(Periods, ReplayPasses,
                         ::testing::Values(ReplayCase{"R", 3}, ReplayCase{"R R R R", 1},
                                           ReplayCase{"U U'", 1}, ReplayCase{"F2", 1},
                                           ReplayCase{"R U", 104}));

TEST_F(OpenFile, ReplayRunsFromTheMoveKeyOnlyWhenTheSwitchIsOne) {
  const std::string path = WriteTemp("open_r.mov", "R");
  for (int16_t value : {0, 2, -1, 1}) {
    document.replaySwitch = value;
    recording.answers.push_back(path);
    HandleCharacter('{');
    EXPECT_EQ(CheckSolved(document.cube.size, document.cube.live), value == 1 ? 0 : -1) << "switch " << value;
  }
}

TEST_F(OpenFile, ReplayIsSkippedWhenTheLogDidNotHoldEveryMove) {
  const int64_t count = LoadMoves(Repeat("U ", 25));
  const std::vector<int32_t> cells = AllCells();
  EXPECT_EQ(ReplayMoveLog(count), 0);
  ASSERT_EQ(recording.boxes.size(), 2u);
  EXPECT_EQ(recording.boxes[1].title, "Replay");
  EXPECT_LE(recording.boxes[1].text.size(), 255u);
  EXPECT_EQ(AllCells(), cells);
}

// Slice moves are not logged, and a bad token zeroes the count: such replays never reach solved.
TEST_F(OpenFile, ReplayThatCannotSolveStopsWhereItStartedWithABox) {
  for (const ReplayCase& c :
       {ReplayCase{"R u", 4}, ReplayCase{"u", 1}, ReplayCase{"U R2D", 1}, ReplayCase{"F2 r", 2}}) {
    recording.boxes.clear();
    const int64_t count = LoadMoves(c.file);
    const std::vector<int32_t> cells = AllCells();
    EXPECT_EQ(ReplayMoveLog(count), c.passes) << c.file;
    EXPECT_EQ(AllCells(), cells) << c.file;
    ASSERT_FALSE(recording.boxes.empty());
    EXPECT_EQ(recording.boxes.back().title, "Replay") << c.file;
  }
}

TEST_F(OpenFile, ReplayOfAnEmptyFileMakesOnePassAndNoBox) {
  EXPECT_EQ(ReplayMoveLog(LoadMoves("")), 1);
  EXPECT_EQ(recording.boxes.size(), 1u);
}

TEST_F(OpenFile, SwitchedOnReplayThroughTheKeyEndsWithTheReplayBox) {
  document.replaySwitch = 1;
  recording.answers.push_back(WriteTemp("open_slice.mov", "R u"));
  HandleCharacter('{');
  ASSERT_EQ(recording.boxes.size(), 2u);
  EXPECT_EQ(recording.boxes[0].title, "Moves");
  EXPECT_EQ(recording.boxes[1].title, "Replay");
  EXPECT_EQ(recording.repaints, 1);
}

}  // namespace
