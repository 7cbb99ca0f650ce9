// The move-file reader: notation, counts, the move log, the "Moves" box and how long input is cut.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/cube_helpers.h"

namespace {

// The solved cube of the current size after `turns`, made with the cube model's own operations, so
// the reader's tables are not trusted for the expected cube: a face letter is one quarter turn, 'c'
// the column slice and 'w' the row slice.
std::vector<int32_t> SolvedAfter(const std::string& turns) {
  ResetCube();
  for (char turn : turns) {
    const std::string letters = "UDLFRBcw";
    const Operation operations[] = {QuarterTurnU, QuarterTurnD, QuarterTurnL,    QuarterTurnF,
                                    QuarterTurnR, QuarterTurnB, TurnColumnSlice, TurnRowSlice};
    operations[letters.find(turn)](document.cube);
  }
  return UsedCells();
}

// document.moveLog entries 1 to 24 as text, a '0' where nothing is recorded.
std::string LogText() {
  std::string text;
  for (int k = 1; k <= kMoveLogCapacity; ++k)
    text += document.moveLog[k] == 0 ? '0' : static_cast<char>(document.moveLog[k]);
  return text;
}

std::string Padded(const std::string& log) { return log + std::string(kMoveLogCapacity - log.size(), '0'); }

class MoveFile : public FreshStartTest {
 protected:
  int64_t Load(const std::string& bytes) {
    const int64_t count = LoadFromMemory([](TextStream* stream) { return LoadMoveFile(stream); }, bytes);
    EXPECT_EQ(CompareCubes(document.cube.size, document.cube.live, document.cube.shadow), 0);
    return count;
  }

  std::string LastText() { return recording.boxes.empty() ? "" : recording.boxes.back().text; }
};

struct Example {
  const char* file;
  const char* box;
  const char* log;
  const char* turns;
};

void PrintTo(const Example& example, std::ostream* out) { *out << ::testing::PrintToString(example.file); }

class MoveFileExample : public MoveFile, public ::testing::WithParamInterface<Example> {};

TEST_P(MoveFileExample, CountsLogsListsEchoesAndTurns) {
  const std::string box = GetParam().box;
  const int64_t count = Load(GetParam().file);
  ASSERT_EQ(recording.boxes.size(), 1u);
  EXPECT_EQ(recording.boxes[0].title, "Moves");
  EXPECT_EQ(recording.boxes[0].text, box);
  EXPECT_EQ(recording.diagnostics, box.substr(box.find('\n') + 1));
  EXPECT_EQ(LogText(), Padded(GetParam().log));
  EXPECT_EQ(document.moveLog[0], 0);
  const std::vector<int32_t> loaded = UsedCells();
  EXPECT_EQ(loaded, SolvedAfter(GetParam().turns));
  EXPECT_EQ(count, std::stoll(box.substr(box.find(" q ") + 3)));
}

INSTANTIATE_TEST_SUITE_P(
    Notation, MoveFileExample,
    ::testing::Values(
        Example{"R U R' U'", " Number of moves 4 q 4 f\nR U R' U' ", "D1F3", "RURRRUUU"},
        Example{"F2 B2", " Number of moves 4 q 2 f\nF2 B2 ", "BH", "FFBB"},
        Example{"T2 D-", " Number of moves 3 q 2 f\nT2 D- ", "26", "UUDDD"},
        Example{"u2 R", " Number of moves 3 q 2 f\nu2 R ", "0D", "wwR"},
        Example{"U x R", " Number of moves 2 q 2 f\nU x R ", "1D", "UR"},
        Example{"U U1 U+ T T1 T+", " Number of moves 6 q 6 f\nU U1 U+ T T1 T+ ", "111111", "UU"},
        Example{"U3 U' U-", " Number of moves 3 q 3 f\nU3 U' U- ", "333", "U"},
        Example{"L L' D B'", " Number of moves 4 q 4 f\nL L' D B' ", "794I", "DBBB"},
        Example{"F2", " Number of moves 2 q 1 f\nF2 ", "B", "FF"},
        Example{"f X R5 R\" ", " Number of moves 0 q 0 f\nf X R5 R\" ", "", ""},
        // The slices: u turns like U, d like D, l like L, r like R.
        Example{"u", " Number of moves 1 q 1 f\nu ", "0", "www"},
        Example{"d l", " Number of moves 2 q 2 f\nd l ", "00", "wc"},
        Example{"r", " Number of moves 1 q 1 f\nr ", "0", "ccc"},
        Example{"u d l r", " Number of moves 4 q 4 f\nu d l r ", "0000", ""},
        Example{"d2", " Number of moves 2 q 1 f\nd2 ", "0", "ww"},
        Example{"  R\t\tU\n\nR'\v\fU'", " Number of moves 4 q 4 f\nR U R' U' ", "D1F3", "RURRRUUU"},
        Example{"R\r\nU\r\n", " Number of moves 2 q 2 f\nR U ", "D1", "RU"},
        Example{"R\x1aU", " Number of moves 1 q 1 f\nR ", "D", "R"},
        Example{"", " Number of moves 0 q 0 f\n", "", ""},
        Example{" \n\t ", " Number of moves 0 q 0 f\n", "", ""}));

TEST_F(MoveFile, SlicesChangeNothingOnTheTwoCubeButAreCounted) {
  StartFresh(recording, 2);
  EXPECT_EQ(Load("u d l r u2"), 5);
  EXPECT_EQ(LastText(), " Number of moves 6 q 5 f\nu d l r u2 ");
  EXPECT_EQ(CheckSolved(document.cube.size, document.cube.live), 0);
}

TEST_F(MoveFile, StartsFromTheSolvedCubeEveryTime) {
  for (char key : std::string("ufm")) HandleCharacter(key);
  Load("R U");
  const std::vector<int32_t> first = UsedCells();
  HandleCharacter(',');
  Load("R U");
  EXPECT_EQ(UsedCells(), first);
  EXPECT_EQ(first, SolvedAfter("RU"));
}

TEST_F(MoveFile, LongTokenStopsReadingAndZeroesTheCounts) {
  EXPECT_EQ(Load("U R2D F\nB"), 0);
  ASSERT_EQ(recording.boxes.size(), 2u);
  EXPECT_EQ(recording.boxes[0].title, "Error");
  EXPECT_EQ(recording.boxes[0].text, "INVALID mov file containing R2D");
  EXPECT_EQ(recording.boxes[1].title, "Moves");
  EXPECT_EQ(recording.boxes[1].text, " Number of moves 0 q 0 f\nU ");
  EXPECT_EQ(recording.diagnostics, "U ");
  EXPECT_EQ(LogText(), Padded("1"));
  EXPECT_EQ(UsedCells(), SolvedAfter("U"));
}

TEST_F(MoveFile, OverLongTokenIsShownCutToFitTheBox) {
  const std::string prefix = "INVALID mov file containing ";
  for (size_t length : {size_t(227), size_t(228), size_t(5000)}) {
    recording.boxes.clear();
    Load("F " + std::string(length, 'Z') + " U");
    ASSERT_EQ(recording.boxes.size(), 2u);
    const std::string& text = recording.boxes[0].text;
    EXPECT_LE(text.size(), 255u);
    ASSERT_EQ(text.compare(0, prefix.size(), prefix), 0);
    const std::string shown = text.substr(prefix.size());
    if (length == 227) {
      EXPECT_EQ(shown, std::string(227, 'Z'));
    } else {
      ASSERT_GE(shown.size(), 4u);
      EXPECT_EQ(shown.substr(shown.size() - 3), "...");
      EXPECT_EQ(shown.substr(0, shown.size() - 3), std::string(shown.size() - 3, 'Z'));
    }
    EXPECT_EQ(recording.boxes[1].text, " Number of moves 0 q 0 f\nF ");
  }
}

TEST_F(MoveFile, NulByteEndsWhatIsListedOfAToken) {
  Load(std::string("U\0 R", 4));
  EXPECT_EQ(LastText().substr(LastText().find('\n')), "\nU R ");
  Load(std::string("R\0XYZ", 5));
  ASSERT_EQ(recording.boxes.size(), 3u);
  EXPECT_EQ(recording.boxes[1].text, "INVALID mov file containing R");
}

TEST_F(MoveFile, MoreThanTwentyFourMovesAreAllMadeButOnlyTwentyFourLogged) {
  // 25 quarter turns of U, then R: the cube must show U R, the log only the first 24.
  EXPECT_EQ(Load(Repeat("U ", 25) + "R"), 26);
  EXPECT_EQ(LogText(), std::string(24, '1'));
  EXPECT_EQ(LastText().substr(0, LastText().find('\n')), " Number of moves 26 q 26 f");
  EXPECT_EQ(UsedCells(), SolvedAfter("UR"));
}

TEST_F(MoveFile, CountsDoNotWrapOnAFileOfFortyThousandMoves) {
  EXPECT_EQ(Load(Repeat("U2\n", 40000)), 40000);
  const std::string text = LastText();
  EXPECT_EQ(text.substr(0, text.find('\n')), " Number of moves 80000 q 40000 f");
  EXPECT_LE(text.size(), 255u);
  EXPECT_EQ(CheckSolved(document.cube.size, document.cube.live), 0);
}

// " Number of moves 0 q 0 f\n" takes 25 characters, leaving 230 for the list: 115 tokens "X ".
TEST_F(MoveFile, ListThatFitsExactlyIsShownWhole) {
  const std::string file = Repeat("X ", 115);
  Load(file);
  EXPECT_EQ(LastText().size(), 255u);
  EXPECT_EQ(LastText(), " Number of moves 0 q 0 f\n" + file);
}

TEST_F(MoveFile, LongListIsCutAtATokenBoundaryAndMarked) {
  for (int tokens : {116, 2000}) {
    const std::string file = Repeat("F R2 ", tokens / 2);  // F and R2 in turn
    Load(file);
    const std::string text = LastText();
    EXPECT_LE(text.size(), 255u);
    ASSERT_GE(text.size(), 3u);
    EXPECT_EQ(text.substr(text.size() - 3), "...");
    const std::string shown = text.substr(text.find('\n') + 1, text.size() - 3 - text.find('\n') - 1);
    EXPECT_EQ(file.compare(0, shown.size(), shown), 0) << shown;
    EXPECT_EQ(shown.back(), ' ');
    EXPECT_GT(shown.size(), 200u);  // cut near the limit, not far before it
  }
}

std::string ReadToEnd(TextStream* stream) {
  std::string read;
  for (int byte; (byte = ReadByte(stream)) >= 0;) read += static_cast<char>(byte);
  return read;
}

// The text-mode reading the move file relies on, also across the refill of a file's buffer.
TEST(TextStreamReading, CarriageReturnLineFeedReadsAsLineFeedAndByte26Ends) {
  const std::string bytes =
      "a\r\nb\rc\r\r\nd\x1a"
      "e";
  TextStream stream;
  OpenMemoryStream(&stream, bytes.data(), bytes.size());
  EXPECT_EQ(ReadToEnd(&stream), "a\nb\rc\r\nd");
  EXPECT_EQ(ReadByte(&stream), -1);

  const std::string path = WriteTemp("stream_test.txt", std::string(4095, 'a') + "\r\nz\x1a" + "tail");
  ASSERT_TRUE(OpenTextStream(&stream, path.c_str()));
  const std::string read = ReadToEnd(&stream);
  CloseTextStream(&stream);
  EXPECT_EQ(read, std::string(4095, 'a') + "\nz");
  std::remove(path.c_str());
}

}  // namespace
