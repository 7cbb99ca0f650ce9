// Where each move came from: the token behind every move of the standard notation, expansions included,
// and the move file's tokens read from memory against the file reader itself.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "files/move_text.h"
#include "support/cube_helpers.h"

namespace {

bool Same(const BlockMove& a, const BlockMove& b) {
  return a.face == b.face && a.first == b.first && a.last == b.last && a.quarterTurns == b.quarterTurns;
}

TEST(AlgPlaces, EachMoveMarksTheTokenItCameFrom) {
  const struct {
    const char* text;
    std::vector<uint32_t> offsets;
    const char* moves;  // spelled back
  } cases[] = {
      {"R U2  3Rw'\t2-4Lw x2", {0, 2, 6, 11, 17}, "R U2 3Rw' 2-4Lw x2"},
      {"(R U)2", {1, 3, 1, 3}, "R U R U"},
      {"(R U)2'", {3, 1, 3, 1}, "U' R' U' R'"},
      {"[R U: F2]", {1, 3, 6, 3, 1}, "R U F2 U' R'"},
      {"[F: [R, U]]2", {1, 5, 8, 5, 8, 1, 1, 5, 8, 5, 8, 1}, "F R U R' U' F' F R U R' U' F'"},
      {"// (R U) \xc3\xa9\n  (L)3 // x\nD", {15, 15, 15, 24}, "L L L D"},
      {"(R U)0 F R4 B", {7, 12}, "F B"},
  };
  for (const auto& c : cases) {
    std::vector<BlockMove> moves;
    std::vector<TextPlace> places;
    char reason[kTextCapacity], spelled[256];
    ASSERT_TRUE(ParseAlgPlaces(c.text, std::strlen(c.text), 5, &moves, &places, reason, sizeof reason))
        << reason;
    std::vector<uint32_t> offsets;
    for (const TextPlace& place : places) offsets.push_back(place.offset);
    EXPECT_EQ(offsets, c.offsets) << c.text;
    FormatAlg(moves.data(), moves.size(), 5, spelled, sizeof spelled);
    EXPECT_STREQ(spelled, c.moves) << c.text;
  }
}

// Texts of every construct, at random, some of them refused.
std::string RandomAlg(Lcg& lcg, int depth = 0) {
  static const char* const kTokens[] = {"R", "U2", "F'", "Lw", "3Rw'", "2-3Bw2", "M",
                                        "e", "x",  "y'", "D4", "Q",    "5R",     "//c\n"};
  std::string text;
  for (int parts = 1 + lcg.Next() % 5; parts > 0; --parts) {
    const int pick = lcg.Next() % 12;
    if (pick < 8 || depth >= 3)
      text += kTokens[lcg.Next() % (sizeof kTokens / sizeof kTokens[0])];
    else if (pick < 10)
      text += "(" + RandomAlg(lcg, depth + 1) + ")" + std::to_string(lcg.Next() % 4) +
              (lcg.Next() % 2 ? "'" : "");
    else
      text +=
          "[" + RandomAlg(lcg, depth + 1) + (lcg.Next() % 2 ? ", " : ": ") + RandomAlg(lcg, depth + 1) + "]";
    text += lcg.Next() % 4 == 0 ? "\n" : " ";
  }
  return text;
}

TEST(AlgPlaces, AreTheSameParseAsWithoutThemAndEachPlaceSpellsItsMoveOrItsInverse) {
  Lcg lcg{7};
  int accepted = 0;
  for (int trial = 0; trial < 3000; ++trial) {
    const int n = 2 + trial % 9;
    const std::string text = RandomAlg(lcg);
    std::vector<BlockMove> plain, moves, alone;
    std::vector<TextPlace> places = {{0, 1}};
    char reason[kTextCapacity], placedReason[kTextCapacity];
    const bool parsed = ParseAlg(text.data(), text.size(), n, &plain, reason, sizeof reason);
    ASSERT_EQ(ParseAlgPlaces(text.data(), text.size(), n, &moves, &places, placedReason, sizeof placedReason),
              parsed);
    if (!parsed) {
      EXPECT_STREQ(placedReason, reason) << text;
      EXPECT_TRUE(places.empty()) << text;
      continue;
    }
    ++accepted;
    ASSERT_EQ(moves.size(), plain.size()) << text;
    ASSERT_EQ(places.size(), plain.size()) << text;
    for (size_t k = 0; k < plain.size(); ++k) {
      ASSERT_TRUE(Same(moves[k], plain[k])) << text << " move " << k;
      ASSERT_LE(places[k].offset + places[k].length, text.size()) << text;
      const std::string token = text.substr(places[k].offset, places[k].length);
      ASSERT_TRUE(ParseAlg(token.data(), token.size(), n, &alone, reason, sizeof reason)) << token;
      ASSERT_EQ(alone.size(), 1u) << token;
      EXPECT_TRUE(Same(plain[k], alone[0]) || Same(plain[k], InverseBlockMove(alone[0])))
          << text << " move " << k;
    }
  }
  EXPECT_GT(accepted, 300) << "the random texts should often parse";
}

// The reader's moves as the window turns them.
class TurnWindowCube : public MoveFileSink {
 public:
  void Move(const MoveToken& move) override { TurnLayer(document.cube, move.layer, move.quarterTurns); }
};

TEST(MoveTextPlaces, BlockMovesTurnAsTheReadersLayerTurnsAndRefuseWhatItRefuses) {
  // Random bytes of the notation, white space, a zero byte and the end-of-text byte, read by both.
  Lcg lcg{3};
  const std::string alphabet = std::string("UDLFRBTudlrx123'+-  \t\n\r") + '\0' + "\x1a";
  std::vector<BlockMove> moves;
  std::vector<TextPlace> places;
  char reason[kTextCapacity];
  for (int trial = 0; trial < 3000; ++trial) {
    const int n = 2 + trial % 9;
    std::string bytes;
    for (int length = lcg.Next() % 30; length > 0; --length)
      bytes += alphabet[static_cast<size_t>(lcg.Next()) % alphabet.size()];
    StartSolved(n);
    TurnWindowCube turn;
    MoveFileRead read;
    std::string refusal;
    const bool accepted = ReadMoveText(bytes.data(), bytes.size(), "text", turn, &read, &refusal);
    const std::vector<int32_t> expected = UsedCells();
    ASSERT_EQ(ParseMoveText(bytes.data(), bytes.size(), n, &moves, &places, reason, sizeof reason), accepted)
        << ::testing::PrintToString(bytes);
    if (!accepted) continue;
    StartSolved(n);
    ApplyBlockMoves(document.cube, moves.data(), moves.size());
    EXPECT_EQ(UsedCells(), expected) << ::testing::PrintToString(bytes) << " at " << n;
  }
  // The places; the slices turn no inner layer on the 2x2x2, so they give no move there.
  const std::string text = "R  U2\tF'\r\nx Q7 l\n3 d-";
  for (const int n : {4, 2}) {
    ASSERT_TRUE(ParseMoveText(text.data(), text.size(), n, &moves, &places, reason, sizeof reason));
    std::string tokens;
    for (const TextPlace& place : places)
      tokens += std::to_string(place.offset) + ":" + text.substr(place.offset, place.length) + " ";
    EXPECT_EQ(tokens, n == 4 ? "0:R 3:U2 6:F' 15:l 19:d- " : "0:R 3:U2 6:F' ");
  }
  const std::string refused = "R U\nF RUF D";
  EXPECT_FALSE(ParseMoveText(refused.data(), refused.size(), 3, &moves, &places, reason, sizeof reason));
  EXPECT_TRUE(moves.empty() && places.empty());
  EXPECT_STREQ(reason, "INVALID mov file containing RUF (line 2; a move is one or two characters)");
}

}  // namespace
