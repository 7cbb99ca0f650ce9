// The phases' fixed-length search: one order for moves that commute, every way of the length listed
// once and none that meets the goal sooner, the first move kept to what may follow the last phase's,
// and the budget obeyed.
#include <gtest/gtest.h>

#include <vector>

#include "solve/phase/phase_search.h"

namespace {

TEST(SolvePhaseSearch, MovesAboutOneAxisGoInOneOrder) {
  const int n = 4;
  EXPECT_TRUE(MayFollow(n, Block(U, 1, 1, 1), Block(R, 1, 1, 1)));
  EXPECT_TRUE(MayFollow(n, Block(R, 1, 1, 1), Block(U, 1, 1, 1)));
  // L and R commute: one order only; the same layers twice would merge.
  EXPECT_NE(MayFollow(n, Block(L, 1, 1, 1), Block(R, 1, 1, 1)),
            MayFollow(n, Block(R, 1, 1, 1), Block(L, 1, 1, 1)));
  EXPECT_FALSE(MayFollow(n, Block(R, 1, 1, 1), Block(R, 1, 1, 2)));
  // The same layers named from the other face are the same layers.
  EXPECT_FALSE(MayFollow(n, Block(R, 1, 2, 1), Block(L, 3, 4, 1)));
  EXPECT_FALSE(MayFollow(n, Block(L, 3, 4, 1), Block(R, 1, 2, 1)));
  // A wide turn and the face turn inside it commute as well.
  EXPECT_NE(MayFollow(n, Block(R, 1, 1, 1), Block(R, 1, 2, 1)),
            MayFollow(n, Block(R, 1, 2, 1), Block(R, 1, 1, 1)));
  EXPECT_NE(MayFollow(n, Block(D, 1, 1, 1), Block(U, 1, 2, 1)),
            MayFollow(n, Block(U, 1, 2, 1), Block(D, 1, 1, 1)));
}

// U and R quarter turns counted modulo four: the goal is (0, 0).
struct TurnCount {
  typedef int Node;  // u * 4 + r
  int Distance(int node) const {
    const int u = node / 4, r = node % 4;
    return (u == 0 ? 0 : 1) + (r == 0 ? 0 : 1);
  }
  void Next(const Node& from, int move, Node* to) const {
    const int face = move / 3, turns = move % 3 + 1;
    const int u = from / 4, r = from % 4;
    *to = face == 0 ? (u + turns) % 4 * 4 + r : u * 4 + (r + turns) % 4;
  }
  int Bound(const Node& node) const { return Distance(node); }
  bool Within(const Node& node, int moves) const { return Bound(node) <= moves; }
  bool Ready(Node&, int) const { return true; }
  bool Goal(const Node& node) const { return node == 0; }
  void Enter(const Node&, int, Node*) const {}
  bool Accept(const Node&, const Node&, const int*, int) const { return true; }
};

struct Listed : public PhaseFinds {
  std::vector<std::vector<BlockMove>> ways;
  int stopAfter = 1 << 30;
  bool Found(const BlockMove* moves, int count) override {
    ways.emplace_back(moves, moves + count);
    return static_cast<int>(ways.size()) < stopAfter;
  }
};

PhaseMoveSet TurnMoves() {
  BlockMove list[6];
  for (int m = 0; m < 6; ++m) list[m] = Block(m < 3 ? U : R, 1, 1, m % 3 + 1);
  PhaseMoveSet set;
  BuildMoveSet(4, list, 6, &set);
  return set;
}

// Every sequence of the length whose moves may follow each other and that meets the goal only at its
// end, counted the slow way.
int CountWays(const TurnCount& space, const PhaseMoveSet& set, int node, int length, int last, bool first) {
  if (length == 0) return space.Goal(node) ? 1 : 0;
  if (!first && space.Goal(node)) return 0;
  int ways = 0;
  for (int m = 0; m < set.count; ++m) {
    if (last >= 0 && !set.follows[last][m]) continue;
    int next;
    space.Next(node, m, &next);
    ways += CountWays(space, set, next, length - 1, m, false);
  }
  return ways;
}

TEST(SolvePhaseSearch, ListsEveryWayOfTheLengthOnce) {
  const TurnCount space;
  const PhaseMoveSet set = TurnMoves();
  bool any[kMaxPhaseMoves];
  FirstMoves(set, nullptr, any);
  for (int start = 1; start < 16; ++start)
    for (int length = 1; length <= 5; ++length) {
      Listed listed;
      SearchBudget budget;
      FixedLengthSearch<TurnCount> search(space, set, listed, budget);
      ASSERT_TRUE(search.Run(start, length, any));
      EXPECT_EQ(CountWays(space, set, start, length, -1, true), static_cast<int>(listed.ways.size()))
          << "from " << start << ", length " << length;
      for (size_t w = 0; w < listed.ways.size(); ++w) {
        int node = start;
        for (const BlockMove& move : listed.ways[w]) {
          const int m = (move.face == U ? 0 : 3) + move.quarterTurns - 1;
          space.Next(node, m, &node);
        }
        EXPECT_EQ(0, node);
        for (size_t v = 0; v < w; ++v) {
          bool same = true;
          for (int k = 0; k < length; ++k)
            same = same && listed.ways[w][k].face == listed.ways[v][k].face &&
                   listed.ways[w][k].quarterTurns == listed.ways[v][k].quarterTurns;
          EXPECT_FALSE(same) << "a way listed twice";
        }
      }
    }
  // From the goal only the empty way counts.
  Listed listed;
  SearchBudget budget;
  FixedLengthSearch<TurnCount> search(space, set, listed, budget);
  EXPECT_TRUE(search.Run(0, 4, any));
  EXPECT_TRUE(listed.ways.empty());
  EXPECT_TRUE(search.Run(0, 0, any));
  EXPECT_EQ(1u, listed.ways.size());
}

TEST(SolvePhaseSearch, TheFirstMoveMayFollowTheLastPhasesLast) {
  const TurnCount space;
  const PhaseMoveSet set = TurnMoves();
  bool afterU[kMaxPhaseMoves];
  const BlockMove lastU = Block(U, 1, 1, 1);
  FirstMoves(set, &lastU, afterU);
  Listed listed;
  SearchBudget budget;
  FixedLengthSearch<TurnCount> search(space, set, listed, budget);
  // From one U turn away the one-move way is a U turn, which may not follow U.
  ASSERT_TRUE(search.Run(1 * 4, 1, afterU));
  EXPECT_TRUE(listed.ways.empty());
  ASSERT_TRUE(search.Run(1 * 4 + 1, 2, afterU));
  for (const auto& way : listed.ways) EXPECT_NE(U, way.front().face);
  EXPECT_FALSE(listed.ways.empty());
}

TEST(SolvePhaseSearch, StopsWhenToldOrOutOfBudget) {
  const TurnCount space;
  const PhaseMoveSet set = TurnMoves();
  bool any[kMaxPhaseMoves];
  FirstMoves(set, nullptr, any);
  Listed listed;
  listed.stopAfter = 3;
  SearchBudget budget;
  FixedLengthSearch<TurnCount> search(space, set, listed, budget);
  EXPECT_FALSE(search.Run(5, 6, any));
  EXPECT_EQ(3u, listed.ways.size());
  Listed all;
  SearchBudget small;
  small.nodeLimit = 4096;
  FixedLengthSearch<TurnCount> limited(space, set, all, small);
  EXPECT_FALSE(limited.Run(5, 12, any));
  EXPECT_TRUE(small.stopped);
}

}  // namespace
