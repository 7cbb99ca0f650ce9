// The standard notation: moves against the program's own turns, identities, refusals, the bounds, and
// .alg files read, written and opened by the window's commands.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/cube_helpers.h"

namespace {

std::vector<BlockMove> Parse(const std::string& text, int n, std::string* reason = nullptr) {
  std::vector<BlockMove> moves;
  char words[kTextCapacity];
  const bool parsed = ParseAlg(text.data(), text.size(), n, &moves, words, sizeof words);
  if (reason != nullptr) *reason = parsed ? "" : words;
  EXPECT_TRUE(parsed || moves.empty()) << text;
  return moves;
}

// The cells after `text` from the solved cube of size n; the text must be accepted.
std::vector<int32_t> After(const std::string& text, int n) {
  StartSolved(n);
  std::string reason;
  const std::vector<BlockMove> moves = Parse(text, n, &reason);
  EXPECT_EQ(reason, "") << text;
  ApplyBlockMoves(document.cube, moves.data(), moves.size());
  return UsedCells();
}

std::vector<int32_t> AfterOperations(const std::vector<Operation>& operations, int n) {
  StartSolved(n);
  Apply(operations);
  return UsedCells();
}

TEST(AlgNotation, FacesAndSlicesAreTheProgramsOwnTurnsAtEverySize) {
  for (int n = 2; n <= kMaxSize; ++n) {
    EXPECT_EQ(After("R U2 F' L B D", n),
              AfterOperations({QuarterTurnR, HalfTurnU, QuarterTurnF, QuarterTurnF, QuarterTurnF,
                               QuarterTurnL, QuarterTurnB, QuarterTurnD},
                              n))
        << n;
    if (n < 3) continue;
    EXPECT_EQ(After("2L", n), AfterOperations({TurnColumnSlice}, n)) << n;
    EXPECT_EQ(After("2U'", n), AfterOperations({TurnRowSlice}, n)) << n;
  }
}

TEST(AlgNotation, EachSpellingOfABlockIsItsLayersOneByOne) {
  const struct {
    int n;
    const char* block;
    const char* layers;
  } cases[] = {
      {4, "Rw", "R 2R"},        {4, "r", "R 2R"},         {5, "3Rw'", "R' 2R' 3R'"},
      {5, "3r2", "R2 2R2 3R2"}, {6, "2-4Lw", "2L 3L 4L"}, {6, "2-4l", "2L 3L 4L"},
      {6, "2-4L", "2L 3L 4L"},  {3, "M", "2L"},           {5, "E'", "3D'"},
      {7, "S2", "4F2"},         {6, "m", "2L 3L 4L 5L"},  {5, "e", "2D 3D 4D"},
      {4, "s'", "2F' 3F'"},     {3, "x", "R 2R 3R"},      {4, "y'", "U' 2U' 3U' 4U'"},
      {2, "z2", "F2 2F2"},      {5, "5R", "L'"},          {10, "3-10Uw", "3U 4U 5U 6U 7U 8U 9U 10U"},
  };
  for (const auto& test : cases)
    EXPECT_EQ(After(test.block, test.n), After(test.layers, test.n)) << test.block;
}

TEST(AlgNotation, IdentitiesLeaveThePatternAsItWas) {
  for (int n = 2; n <= kMaxSize; ++n) {
    const std::vector<int32_t> solved = AfterOperations({}, n);
    EXPECT_EQ(After("(R U R' U')6", n), solved) << n;
    EXPECT_EQ(After("[R, U] [U, R]", n), solved) << n;
    EXPECT_EQ(After("[F: [R, U]] [F: [U, R]]", n), solved) << n;
    EXPECT_EQ(After("(R U)' R U", n), solved) << n;
    EXPECT_NE(After("[R, U]", n), solved) << n;
    // Four quarter turns of any block of layers about any face, and one that is not.
    for (int face = 0; face < 6; ++face)
      for (int first = 1; first <= n; ++first)
        for (int last = first; last <= n; ++last) {
          const BlockMove move = {static_cast<int8_t>(face), static_cast<int8_t>(first),
                                  static_cast<int8_t>(last), 1};
          char text[kMaxMoveText];
          FormatBlockMove(move, n, text);
          EXPECT_NE(After(text, n), solved) << text << " at " << n;
          EXPECT_EQ(After(std::string("(") + text + ")4", n), solved) << text << " at " << n;
        }
  }
}

TEST(AlgNotation, ARefusalNamesTheTokenAndWhereItIsAndGivesNoMoves) {
  const struct {
    int n;
    const char* text;
    const char* reason;
  } cases[] = {
      {3, "R Q", "\"Q\" at line 1, column 3: names no move"},
      {4, "R U\n  5R", "\"5R\" at line 2, column 3: the 4x4x4 has layers 1 to 4"},
      {4, "M", "\"M\" at line 1, column 1: M turns the middle layer, which only odd sizes have"},
      {5, "3-2Rw", "\"3-2Rw\" at line 1, column 1: a range a-b needs 1 <= a < b <= 5"},
      {4, "4Rw", "\"4Rw\" at line 1, column 1: the layers 1 to k need 2 <= k < 4"},
      {4, "1r", "\"1r\" at line 1, column 1: the layers 1 to k need"},
      {3, "m", "\"m\" at line 1, column 1: m turns the inner layers of a 4x4x4 or larger"},
      {2, "Rw", "\"Rw\" at line 1, column 1: the outer two layers are the whole 2x2x2"},
      {4, "rw", "\"rw\" at line 1, column 1: names no move"},
      {3, "R'2", "\"R'2\" at line 1, column 1: names no move"},
      {3, "2x", "\"2x\" at line 1, column 1: x takes no layer numbers"},
      {3, "R U (R U", "\"(\" at line 1, column 5: this bracket is never closed"},
      {3, "R U)", "\")\" at line 1, column 4: it closes no bracket"},
      {3, "[R U]", "\"]\" at line 1, column 5: [A, B] and [A: B] need"},
      {3, "R, U", "\",\" at line 1, column 2: it belongs inside [A, B] or [A: B]"},
      {3, "R\xE2\x80\x99 U", "\"R\xE2\x80\x99\" at line 1, column 1: names no move"},
      {3, "(R)12345678", "the amount is too large"},
      {3, "((((R U)1000)1000)1000)", "\"(((R U)1000)1000)1000\" at line 1, column 2: the moves come to more"},
      {3, "(((((((((((((((((R)))))))))))))))))",
       "\"(\" at line 1, column 17: brackets nest more than 16 deep"},
  };
  for (const auto& test : cases) {
    std::string reason;
    EXPECT_TRUE(Parse(test.text, test.n, &reason).empty()) << test.text;
    EXPECT_NE(reason.find(test.reason), std::string::npos) << test.text << " gave " << reason;
    EXPECT_EQ(reason[0], '"') << test.text;
    EXPECT_EQ(reason.find('\n'), std::string::npos);
    EXPECT_LT(reason.size(), 255u);
  }
  // A long token is shown cut, so the reason still fits a box.
  std::string reason;
  Parse(std::string(5000, 'Q'), 3, &reason);
  EXPECT_EQ(reason.find("\"" + std::string(40, 'Q') + "...\" at line 1, column 1"), 0u) << reason;
}

TEST(AlgNotation, CommentsAmountsAndCounts) {
  const std::vector<BlockMove> moves = Parse("R U2 // a comment (\n x Rw' (F)0 R4 [R: U]2'", 4);
  // R U2 x Rw', then [R: U]2' = (R U R' R U R')' expanded as written, nothing cancelled.
  ASSERT_EQ(moves.size(), 10u);
  const AlgCounts counts = CountAlg(moves.data(), moves.size(), 4);
  EXPECT_EQ(counts.blockTurns, 9);
  EXPECT_EQ(counts.quarterBlockTurns, 10);
  char text[64];
  FormatAlg(moves.data(), moves.size(), 4, text, sizeof text);
  EXPECT_STREQ(text, "R U2 x Rw' R U' R' R U' R'");
  FormatAlg(moves.data(), moves.size(), 4, text, 12);
  EXPECT_STREQ(text, "R U2 x ...");
}

TEST(AlgFile, WrittenMovesReadBackAtEverySize) {
  const std::string path = TempPath("written.alg");
  Lcg lcg = {7};
  for (int n = 2; n <= kMaxSize; ++n) {
    std::vector<BlockMove> moves;
    for (int k = 0; k < 60; ++k) {
      const int8_t a = static_cast<int8_t>(1 + lcg.Next() % n), b = static_cast<int8_t>(1 + lcg.Next() % n);
      moves.push_back({static_cast<int8_t>(lcg.Next() % 6), std::min(a, b), std::max(a, b),
                       static_cast<int8_t>(1 + lcg.Next() % 3)});
    }
    char reason[256];
    ASSERT_TRUE(WriteAlgFile(path.c_str(), moves.data(), moves.size(), n, reason, sizeof reason)) << reason;
    TextStream stream;
    ASSERT_TRUE(OpenTextStream(&stream, path.c_str()));
    std::vector<BlockMove> back;
    ASSERT_TRUE(ReadAlgFile(&stream, n, &back, reason, sizeof reason)) << reason;
    CloseTextStream(&stream);
    // The same turns, though a rotation or a far block may be spelled from the other face.
    StartSolved(n);
    ApplyBlockMoves(document.cube, moves.data(), moves.size());
    const std::vector<int32_t> written = UsedCells();
    StartSolved(n);
    ApplyBlockMoves(document.cube, back.data(), back.size());
    EXPECT_EQ(UsedCells(), written) << n;
  }
  const BlockMove outside = {R, 2, 4, 1};
  char reason[256];
  EXPECT_FALSE(WriteAlgFile(path.c_str(), &outside, 1, 3, reason, sizeof reason));
  EXPECT_STREQ(reason, "Move 1 turns no block of layers of the 3x3x3 cube.");
}

TEST(AlgFile, ALongFileIsReadWholeAndAByteOrderMarkSkipped) {
  std::vector<BlockMove> moves;
  char reason[256];
  const std::string marked = "\xEF\xBB\xBFR U\r\n";
  TextStream stream;
  OpenMemoryStream(&stream, marked.data(), marked.size());
  EXPECT_TRUE(ReadAlgFile(&stream, 3, &moves, reason, sizeof reason)) << reason;
  EXPECT_EQ(moves.size(), 2u);
  // 1.6 MB of 800,000 moves: far past what an .alg file used to be allowed, well inside the bound.
  const std::string many = Repeat("R U ", 400000);
  OpenMemoryStream(&stream, many.data(), many.size());
  EXPECT_TRUE(ReadAlgFile(&stream, 3, &moves, reason, sizeof reason)) << reason;
  EXPECT_EQ(moves.size(), 800000u);
}

// The window's commands: typed moves, an .alg file opened by name or applied from the menu.
struct PromptingPlatform : RecordingPlatform {
  std::deque<std::string> typed;  // answers to the prompt; empty means cancel
  bool AskText(const char*, const char*, char* text, int capacity) override {
    if (typed.empty()) return false;
    snprintf(text, static_cast<size_t>(capacity), "%s", typed.front().c_str());
    typed.pop_front();
    return true;
  }
};

class AlgCommands : public ::testing::Test {
 protected:
  void SetUp() override { StartFresh(seam, 4); }
  PromptingPlatform seam;
};

TEST_F(AlgCommands, TypedMovesTurnThePatternShownAsOneStepAndARefusalChangesNothing) {
  HandleCharacter('r');
  const std::vector<int32_t> turned = UsedCells();
  seam.typed.push_back("Rw' 2R");
  EXPECT_TRUE(RunMenuItem(kMenuTypeMoves));
  EXPECT_EQ(static_cast<int>(CheckSolved(document.cube.size, document.cube.live)), 0);
  EXPECT_TRUE(seam.boxes.empty());
  RunMenuItem(kMenuUndo);
  EXPECT_EQ(UsedCells(), turned);
  seam.typed.push_back("R U 5R");
  RunMenuItem(kMenuTypeMoves);
  EXPECT_EQ(UsedCells(), turned);
  ASSERT_EQ(seam.boxes.size(), 1u);
  EXPECT_EQ(seam.boxes[0].title, "Error");
  EXPECT_EQ(seam.boxes[0].text, "\"5R\" at line 1, column 5: the 4x4x4 has layers 1 to 4");
  RunMenuItem(kMenuTypeMoves);  // cancelled
  EXPECT_EQ(UsedCells(), turned);
  EXPECT_EQ(seam.boxes.size(), 1u);
}

TEST_F(AlgCommands, AnAlgFileOpensOnTheSolvedCubeOrAppliesToThePatternShown) {
  const std::string path = WriteTemp("open.alg", "[Rw, U] // a commutator\n");
  HandleCharacter('f');
  OpenNamedFile(path.c_str());
  const std::vector<int32_t> opened = UsedCells();
  EXPECT_EQ(opened, After("Rw U Rw' U'", 4));
  ASSERT_EQ(seam.boxes.size(), 1u);
  EXPECT_EQ(seam.boxes[0].title, "Moves");
  EXPECT_EQ(seam.boxes[0].text, " Number of moves 4 qbtm 4 btm\nRw U Rw' U'");
  RunMenuItem(kMenuOrderOfMoves);
  EXPECT_NE(seam.boxes.back().text.find("Order: "), std::string::npos);
  StartFresh(seam, 4);
  HandleCharacter('f');
  seam.answers.push_back(path);
  RunMenuItem(kMenuApplyMoves);
  EXPECT_EQ(UsedCells(), After("F [Rw, U]", 4));
  EXPECT_EQ(seam.chooserFilters.back().pattern[0], std::string("*.mov *.alg"));
  // A bad file changes nothing and says why, under its path.
  StartFresh(seam, 4);
  const std::string bad = WriteTemp("bad.alg", "R\nM\n");
  OpenNamedFile(bad.c_str());
  EXPECT_EQ(static_cast<int>(CheckSolved(document.cube.size, document.cube.live)), 0);
  EXPECT_EQ(seam.boxes.back().title, "Error");
  EXPECT_EQ(seam.boxes.back().text,
            "INVALID alg file " + bad +
                "\n\"M\" at line 2, column 1: M turns the middle layer, which only odd "
                "sizes have; this is 4x4x4");
}

}  // namespace
