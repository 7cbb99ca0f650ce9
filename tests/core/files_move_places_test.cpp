// Where each move came from: the token behind every move of the standard notation, expansions included,
// and the move file's tokens read from memory against the file reader itself.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "files/move_text.h"
#include "support/cube_helpers.h"

namespace {

struct Placed {
  std::vector<BlockMove> moves;
  std::vector<TextPlace> places;
  std::string reason;
  bool parsed;
};

Placed ParsePlaced(const std::string& text, int n) {
  Placed result;
  char reason[kTextCapacity];
  result.parsed =
      ParseAlgPlaces(text.data(), text.size(), n, &result.moves, &result.places, reason, sizeof reason);
  result.reason = result.parsed ? "" : reason;
  return result;
}

// The token text of every move's place.
std::vector<std::string> Tokens(const std::string& text, const std::vector<TextPlace>& places) {
  std::vector<std::string> tokens;
  for (const TextPlace& place : places) tokens.push_back(text.substr(place.offset, place.length));
  return tokens;
}

std::vector<uint32_t> Offsets(const std::vector<TextPlace>& places) {
  std::vector<uint32_t> offsets;
  for (const TextPlace& place : places) offsets.push_back(place.offset);
  return offsets;
}

bool Same(const BlockMove& a, const BlockMove& b) {
  return a.face == b.face && a.first == b.first && a.last == b.last && a.quarterTurns == b.quarterTurns;
}

BlockMove Single(const std::string& token, int n) {
  std::vector<BlockMove> moves;
  char reason[kTextCapacity];
  EXPECT_TRUE(ParseAlg(token.data(), token.size(), n, &moves, reason, sizeof reason)) << token;
  EXPECT_EQ(moves.size(), 1u) << token;
  return moves.empty() ? BlockMove{0, 1, 1, 0} : moves[0];
}

TEST(AlgPlaces, EachMoveMarksTheTokenItCameFrom) {
  const struct {
    const char* text;
    std::vector<uint32_t> offsets;
    const char* moves;  // the moves spelled back
  } cases[] = {
      {"R U2  F'", {0, 2, 6}, "R U2 F'"},
      {"3Rw' 2-4Lw\tx2", {0, 5, 11}, "3Rw' 2-4Lw x2"},
      {"(R U)2", {1, 3, 1, 3}, "R U R U"},
      {"(R U)'", {3, 1}, "U' R'"},
      {"(R U)2'", {3, 1, 3, 1}, "U' R' U' R'"},
      {"[R, U]", {1, 4, 1, 4}, "R U R' U'"},
      {"[R U: F2]", {1, 3, 6, 3, 1}, "R U F2 U' R'"},
      {"[F: [R, U]]2", {1, 5, 8, 5, 8, 1, 1, 5, 8, 5, 8, 1}, "F R U R' U' F' F R U R' U' F'"},
      {"R // U D\nF", {0, 9}, "R F"},
      {"// (R U)\n  (L)3 // x\n", {12, 12, 12}, "L L L"},
      {"(R U)0 F R4 B", {7, 12}, "F B"},
      {"// \xc3\xa9\xc3\xa9\nD", {8}, "D"},
      {"(R U R')", {1, 3, 5}, "R U R'"},
      {"", {}, ""},
  };
  for (const auto& c : cases) {
    const Placed placed = ParsePlaced(c.text, 5);
    ASSERT_TRUE(placed.parsed) << c.text << ": " << placed.reason;
    EXPECT_EQ(Offsets(placed.places), c.offsets) << c.text;
    char spelled[256];
    FormatAlg(placed.moves.data(), placed.moves.size(), 5, spelled, sizeof spelled);
    EXPECT_STREQ(spelled, c.moves) << c.text;
  }
  const std::string text = "[Rw U': (M2 2D)2]";
  const Placed placed = ParsePlaced(text, 5);
  EXPECT_EQ(Tokens(text, placed.places),
            (std::vector<std::string>{"Rw", "U'", "M2", "2D", "M2", "2D", "U'", "Rw"}));
}

// Texts of every construct, brackets balanced or not, at random.
std::string RandomAlg(Lcg& lcg, int depth = 0) {
  static const char* const kTokens[] = {"R",  "U2", "F'", "Lw", "3Rw'", "2-3Bw2", "M",        "e",  "x",
                                        "y'", "D4", "2L", "Q",  "5R",   "//c\n",  "\xc3\xa9", "S'", "z2"};
  std::string text;
  const int parts = 1 + lcg.Next() % 5;
  for (int k = 0; k < parts; ++k) {
    const int pick = lcg.Next() % 12;
    if (pick < 8 || depth >= 3) {
      text += kTokens[lcg.Next() % (sizeof kTokens / sizeof kTokens[0])];
    } else if (pick < 10) {
      text += "(" + RandomAlg(lcg, depth + 1) + ")";
      if (lcg.Next() % 2) text += std::to_string(lcg.Next() % 4);
      if (lcg.Next() % 2) text += "'";
    } else {
      text +=
          "[" + RandomAlg(lcg, depth + 1) + (lcg.Next() % 2 ? ", " : ": ") + RandomAlg(lcg, depth + 1) + "]";
      if (lcg.Next() % 3 == 0) text += "2'";
    }
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
    std::vector<BlockMove> plain;
    char reason[kTextCapacity];
    const bool parsed = ParseAlg(text.data(), text.size(), n, &plain, reason, sizeof reason);
    const Placed placed = ParsePlaced(text, n);
    ASSERT_EQ(placed.parsed, parsed) << text;
    if (!parsed) {
      EXPECT_EQ(placed.reason, reason) << text;
      EXPECT_TRUE(placed.places.empty()) << text;
      continue;
    }
    ++accepted;
    ASSERT_EQ(placed.moves.size(), plain.size()) << text;
    ASSERT_EQ(placed.places.size(), plain.size()) << text;
    for (size_t k = 0; k < plain.size(); ++k) {
      ASSERT_TRUE(Same(placed.moves[k], plain[k])) << text << " move " << k;
      const TextPlace& place = placed.places[k];
      ASSERT_LE(place.offset + place.length, text.size()) << text;
      const BlockMove alone = Single(text.substr(place.offset, place.length), n);
      EXPECT_TRUE(Same(plain[k], alone) || Same(plain[k], InverseBlockMove(alone))) << text << " move " << k;
    }
  }
  EXPECT_GT(accepted, 300) << "the random texts should mostly parse";
}

TEST(AlgPlaces, ARefusalGivesNoMovesAndNoPlaces) {
  std::vector<BlockMove> moves = {{R, 1, 1, 1}};
  std::vector<TextPlace> places = {{0, 1}};
  char reason[kTextCapacity];
  const std::string text = "R U (F";
  EXPECT_FALSE(ParseAlgPlaces(text.data(), text.size(), 3, &moves, &places, reason, sizeof reason));
  EXPECT_TRUE(moves.empty());
  EXPECT_TRUE(places.empty());
  EXPECT_STREQ(reason, "\"(\" at line 1, column 5: this bracket is never closed");
  // The bound on the moves is the same, counted before the places grow with them.
  const std::string many = "(R U)1000000 F";
  EXPECT_FALSE(ParseAlgPlaces(many.data(), many.size(), 3, &moves, &places, reason, sizeof reason));
  EXPECT_TRUE(places.empty());
  EXPECT_NE(std::string(reason).find("more than 2000000"), std::string::npos) << reason;
  const std::string most = "(R U)1000000";
  ASSERT_TRUE(ParseAlgPlaces(most.data(), most.size(), 3, &moves, &places, reason, sizeof reason)) << reason;
  ASSERT_EQ(places.size(), 2000000u);
  EXPECT_EQ(places.back().offset, 3u);
}

// The moves of a move-file text applied with the general block turn.
std::vector<int32_t> AfterMoveText(const std::string& text, int n, std::vector<TextPlace>* places = nullptr) {
  StartSolved(n);
  std::vector<BlockMove> moves;
  std::vector<TextPlace> kept;
  char reason[kTextCapacity];
  EXPECT_TRUE(ParseMoveText(text.data(), text.size(), n, &moves, &kept, reason, sizeof reason)) << reason;
  EXPECT_EQ(moves.size(), kept.size());
  ApplyBlockMoves(document.cube, moves.data(), moves.size());
  if (places != nullptr) *places = kept;
  return UsedCells();
}

void ApplyLayerTurn(void*, const MoveToken& move) { TurnLayer(document.cube, move.layer, move.quarterTurns); }

// The same bytes through the move-file reader's own scan and layer turns.
std::vector<int32_t> AfterReader(const std::string& text, int n, bool* accepted) {
  StartSolved(n);
  TextStream stream;
  OpenMemoryStream(&stream, text.data(), text.size());
  std::string refusal;
  *accepted = ScanMoveTokens(&stream, "text", &refusal, ApplyLayerTurn, nullptr);
  return UsedCells();
}

TEST(MoveTextPlaces, EveryTokenIsTheLayerTurnTheReaderMakesAtEverySize) {
  for (int n = 2; n <= kMaxSize; ++n)
    for (const char letter : std::string("UTDLFRBudlr"))
      for (const char* suffix : {"", "1", "+", "2", "3", "'", "-"}) {
        const std::string token = std::string(1, letter) + suffix;
        bool accepted = false;
        const std::vector<int32_t> expected = AfterReader("F " + token, n, &accepted);
        ASSERT_TRUE(accepted);
        EXPECT_EQ(AfterMoveText("F " + token, n), expected) << token << " at " << n;
      }
}

TEST(MoveTextPlaces, TokensAreSplitAndSkippedAsTheReaderDoesThem) {
  std::vector<TextPlace> places;
  const std::string text = "R  U2\tF'\r\nx Q7 l\n3 d-";
  AfterMoveText(text, 4, &places);
  EXPECT_EQ(Tokens(text, places), (std::vector<std::string>{"R", "U2", "F'", "l", "d-"}));
  EXPECT_EQ(Offsets(places), (std::vector<uint32_t>{0, 3, 6, 15, 19}));
  // The slices have no inner layer to turn on the 2x2x2: no move, as the reader's turn changes nothing.
  AfterMoveText("l U r", 2, &places);
  EXPECT_EQ(Offsets(places), (std::vector<uint32_t>{2}));

  // Random bytes of the notation, white space, a zero byte and the end-of-text byte against the reader.
  Lcg lcg{3};
  const std::string alphabet = std::string("UDLFRBTudlrx123'+-  \t\n\r") + '\0' + "\x1a";
  for (int trial = 0; trial < 2000; ++trial) {
    const int n = 2 + trial % 9;
    std::string bytes;
    const int length = lcg.Next() % 30;
    for (int k = 0; k < length; ++k) bytes += alphabet[static_cast<size_t>(lcg.Next()) % alphabet.size()];
    bool accepted = false;
    const std::vector<int32_t> expected = AfterReader(bytes, n, &accepted);
    std::vector<BlockMove> moves;
    char reason[kTextCapacity];
    ASSERT_EQ(ParseMoveText(bytes.data(), bytes.size(), n, &moves, &places, reason, sizeof reason), accepted)
        << ::testing::PrintToString(bytes);
    if (!accepted) continue;
    StartSolved(n);
    ApplyBlockMoves(document.cube, moves.data(), moves.size());
    EXPECT_EQ(UsedCells(), expected) << ::testing::PrintToString(bytes) << " at " << n;
  }
}

TEST(MoveTextPlaces, ALongTokenRefusesTheTextInWords) {
  std::vector<BlockMove> moves = {{R, 1, 1, 1}};
  std::vector<TextPlace> places = {{0, 1}};
  char reason[kTextCapacity];
  const std::string text = "R U\nF RUF D";
  EXPECT_FALSE(ParseMoveText(text.data(), text.size(), 3, &moves, &places, reason, sizeof reason));
  EXPECT_TRUE(moves.empty());
  EXPECT_TRUE(places.empty());
  EXPECT_STREQ(reason, "INVALID mov file containing RUF (line 2; a move is one or two characters)");
  const std::string endless = "R " + std::string(300, 'U');
  EXPECT_FALSE(ParseMoveText(endless.data(), endless.size(), 3, &moves, &places, reason, sizeof reason));
  EXPECT_EQ(std::string(reason).find("INVALID mov file containing " + std::string(40, 'U') + "... "), 0u)
      << reason;
  EXPECT_FALSE(ParseMoveText("R", 1, 11, &moves, &places, reason, sizeof reason));
  EXPECT_STREQ(reason, "There is no cube of size 11.");
}

}  // namespace
