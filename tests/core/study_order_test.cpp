// Orders of move sequences against published values and against repeating them with the model's turns.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "study/order.h"
#include "support/cube_helpers.h"

namespace {

// A layer turn as the sequence takes it: an operation of facelet_map.h and its quarter turns.
struct Turn {
  int operation, times;
};

const Operation kModelTurns[] = {QuarterTurnU, QuarterTurnL, QuarterTurnF,    QuarterTurnR,
                                 QuarterTurnB, QuarterTurnD, TurnColumnSlice, TurnRowSlice};

// Face letters with ' and 2, as a move file writes them.
std::vector<Turn> Parse(const std::string& moves) {
  std::vector<Turn> turns;
  for (size_t at = 0; at < moves.size(); ++at) {
    const char* faces = "ULFRBD";
    const char* face = std::strchr(faces, moves[at]);
    if (moves[at] == ' ' || face == nullptr) continue;
    int times = 1;
    if (at + 1 < moves.size() && moves[at + 1] == '\'') times = 3;
    if (at + 1 < moves.size() && moves[at + 1] == '2') times = 2;
    turns.push_back({static_cast<int>(face - faces), times});
  }
  return turns;
}

OrderReport OrderOf(int n, const std::vector<Turn>& turns) {
  MoveSequence sequence;
  BeginSequence(&sequence, n);
  for (const Turn& turn : turns) AppendLayerTurn(&sequence, turn.operation, turn.times);
  OrderReport report;
  ComputeOrder(sequence, &report);
  return report;
}

void ApplyOnce(const std::vector<Turn>& turns) {
  for (const Turn& turn : turns)
    for (int k = 0; k < turn.times; ++k) kModelTurns[turn.operation](document.cube);
}

// Repetitions with the model's own turns until every cell shows its home colour (numbered: until
// every cell holds its own number again); 0 past `limit`.
int64_t Repetitions(int n, const std::vector<Turn>& turns, bool numbered, int64_t limit) {
  StartSolved(n);
  auto home = [numbered](int cell) { return numbered ? 6 + cell : cell / kFaceStride; };
  ForEachUsedCell(n, [&](int cell) { document.cube.live[cell] = document.cube.shadow[cell] = home(cell); });
  for (int64_t times = 1; times <= limit; ++times) {
    ApplyOnce(turns);
    bool back = true;
    ForEachUsedCell(n, [&](int cell) { back = back && document.cube.live[cell] == home(cell); });
    if (back) return times;
  }
  return 0;
}

TEST(Order, PublishedOrdersOfTheThreeByThree) {
  EXPECT_STREQ(OrderOf(3, Parse("R")).order, "4");
  EXPECT_STREQ(OrderOf(3, Parse("R U")).order, "105");
  EXPECT_STREQ(OrderOf(3, Parse("R U R' U'")).order, "6");
  EXPECT_STREQ(OrderOf(3, Parse("R2 U2")).order, "6");
  const OrderReport most = OrderOf(3, Parse("R U2 D' B D'"));
  EXPECT_STREQ(most.order, "1260");
  EXPECT_TRUE(most.orderFits);
  EXPECT_EQ(most.orderValue, 1260u);
  EXPECT_STREQ(most.faceletOrder, "1260");

  // The model's own turns agree, to the repetition.
  StartSolved(3);
  const std::vector<Turn> turns = Parse("R U2 D' B D'");
  int times = 0;
  do {
    ApplyOnce(turns);
    ++times;
  } while (CheckSolved(document.cube.size, document.cube.live) != 0 && times < 5000);
  EXPECT_EQ(times, 1260);
}

TEST(Order, ExplainsRUPieceByPiece) {
  const std::string text = OrderOf(3, Parse("R U")).explanation;
  EXPECT_NE(text.find("Corners: a 5-cycle that comes back twisted: 15;\n  one corner twisted in place: 3.\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("Edges: a 7-cycle: 7."), std::string::npos) << text;
  EXPECT_NE(text.find("Order: 105, the least common multiple of 3, 7 and 15."), std::string::npos) << text;
  EXPECT_EQ(text.find("facelet"), std::string::npos) << text;

  // Two corner swaps that come back twisted and an edge 3-cycle.
  const std::string swaps = OrderOf(3, Parse("R U R' U'")).explanation;
  EXPECT_NE(swaps.find("Corners: two 2-cycles that come back twisted: 6."), std::string::npos) << swaps;
  EXPECT_NE(swaps.find("Edges: a 3-cycle: 3."), std::string::npos) << swaps;
}

// On the 4x4x4 the R and U centres turn among themselves: their colours are home long before they are.
TEST(Order, FourByFourCentresOfOneColourTradePlaces) {
  const std::vector<Turn> turns = Parse("R U");
  const OrderReport report = OrderOf(4, turns);
  EXPECT_STREQ(report.order, "105");
  EXPECT_STREQ(report.faceletOrder, "420");
  EXPECT_EQ(Repetitions(4, turns, false, 1000), 105);
  EXPECT_EQ(Repetitions(4, turns, true, 1000), 420);
  const std::string text = report.explanation;
  EXPECT_NE(text.find("Wings next to the corners: two 7-cycles: 7."), std::string::npos) << text;
  EXPECT_NE(text.find("Centres nearest the corners: two 4-cycles of one colour: 1."), std::string::npos)
      << text;
  EXPECT_NE(text.find("Every facelet back in its own place: 420."), std::string::npos) << text;
}

// The product of the primes up to 67 (whose sum, 568, fits in the 600 cells of the 10x10x10) is the
// primorial 67#, far past 64 bits: a crafted permutation with one cycle of each of those lengths.
TEST(Order, OrdersPast64BitsStayExact) {
  MoveSequence sequence;
  BeginSequence(&sequence, 10);
  int cells[kCellCount], used = 0;
  ForEachUsedCell(10, [&](int cell) { cells[used++] = cell; });
  int at = 0;
  for (int p = 2; p <= 67; ++p) {
    bool prime = true;
    for (int q = 2; q < p; ++q) prime = prime && p % q != 0;
    if (!prime) continue;
    for (int k = 0; k < p; ++k)
      sequence.map.from[cells[at + k]] = static_cast<int16_t>(cells[at + (k + 1) % p]);
    at += p;
  }
  OrderReport report;
  ComputeOrder(sequence, &report);
  EXPECT_STREQ(report.faceletOrder, "7858321551080267055879090");
  EXPECT_FALSE(report.faceletOrderFits);
}

TEST(Order, RandomSequencesMatchRepetitionWithTheModelsTurns) {
  Lcg lcg{12345};
  int checked = 0, centresTrading = 0;
  for (int trial = 0; trial < 450; ++trial) {
    const int n = 2 + trial % 9;
    std::vector<Turn> turns(1 + lcg.Next() % 8);
    for (Turn& turn : turns) turn = {lcg.Next() % 8, 1 + lcg.Next() % 3};
    const OrderReport report = OrderOf(n, turns);
    ASSERT_TRUE(report.faceletOrderFits);
    EXPECT_EQ(std::to_string(report.orderValue), report.order);
    for (size_t at = 0, start = 0; at <= std::strlen(report.explanation); ++at)
      if (report.explanation[at] == '\n' || report.explanation[at] == '\0') {
        EXPECT_LE(at - start, static_cast<size_t>(kOrderLineWidth)) << report.explanation;
        start = at + 1;
      }
    if (report.faceletOrderValue > 3000) continue;
    ++checked;
    centresTrading += report.orderValue < report.faceletOrderValue;
    EXPECT_EQ(Repetitions(n, turns, false, 3000), static_cast<int64_t>(report.orderValue)) << n;
    EXPECT_EQ(Repetitions(n, turns, true, 3000), static_cast<int64_t>(report.faceletOrderValue)) << n;
  }
  EXPECT_GT(checked, 200);
  EXPECT_GT(centresTrading, 0);
}

TEST(Order, LeavesTheModelAlone) {
  StartSolved(5);
  QuarterTurnR(document.cube);
  const std::vector<int32_t> before = UsedCells();
  const uint32_t generator = document.random.state;
  OrderOf(7, Parse("R U F' D2 L B"));
  EXPECT_EQ(document.cube.size, 5);
  EXPECT_EQ(UsedCells(), before);
  EXPECT_EQ(document.random.state, generator);
}

}  // namespace
