// The depth-first search every phase runs at a fixed length over its own coordinates, and the rule
// that keeps only one order of moves that commute.
#pragma once

#include <cstdint>

#include "solve/phase/phase.h"

// Moves about one axis commute, so a run of them is searched in one order only: by the layers they
// turn counted from the axis's U, L or F face, each set of layers at most once (the same layers twice
// merge into one move).
bool MayFollow(int n, const BlockMove& last, const BlockMove& next);

// A phase's moves and which may follow which.
struct PhaseMoveSet {
  int n = 0;
  int count = 0;
  BlockMove moves[kMaxPhaseMoves];
  // follows[last][m] for last in 0..count-1; follows[count][m] is every move (no last move).
  bool follows[kMaxPhaseMoves + 1][kMaxPhaseMoves];
};
void BuildMoveSet(int n, const BlockMove* moves, int count, PhaseMoveSet* set);
// Which of the set's moves may come first after `last` (null: all), as follows[] does.
void FirstMoves(const PhaseMoveSet& set, const BlockMove* last, bool* allowed);

// A phase's coordinates for the search. Space supplies:
//   typename Node;
//   void Next(const Node& from, int move, Node* to) const;   // the move's effect
//   int Bound(const Node& node) const;                       // a lower bound on moves left
//   bool Within(const Node& node, int moves) const;          // Bound(node) <= moves, maybe sooner
//   bool Ready(Node& node, int moves) const;                 // false if a cheap bound already
//       exceeds moves; else may work out (and ask memory for) what Within reads, for every move
//       at once
//   bool Goal(const Node& node) const;                       // the phase's goal
//   void Enter(const Node& from, int move, Node* to) const;  // what only the positions the search
//       goes on from (or ends at) need, after Next
//   bool Accept(const Node& start, const Node& end, const int* path, int length) const;  // a last
//                                                            check at the goal, given the way there
template <class Space>
class FixedLengthSearch {
 public:
  typedef typename Space::Node Node;
  FixedLengthSearch(const Space& space, const PhaseMoveSet& moves, PhaseFinds& finds, SearchBudget& budget)
      : space_(space), moves_(moves), finds_(finds), budget_(budget) {}

  // False when stopped (by finds or the budget).
  bool Run(const Node& start, int length, const bool* firstAllowed) {
    length_ = length;
    start_ = start;
    if (space_.Bound(start) > length) return true;
    // From the goal itself only the empty way counts.
    if (space_.Goal(start)) return length > 0 || Report(start);
    return Step(start, 0, length, moves_.count, firstAllowed);
  }

 private:
  bool Report(const Node& node) {
    if (!space_.Accept(start_, node, path_, length_)) return true;
    BlockMove found[kMaxPhaseDepth];
    for (int k = 0; k < length_; ++k) found[k] = moves_.moves[path_[k]];
    return finds_.Found(found, length_);
  }

  bool Step(const Node& node, int depth, int left, int last, const bool* firstAllowed) {
    if (budget_.Spend()) return false;
    // A way that meets the goal sooner and leaves it again is left to the phases after it.
    if (depth > 0 && space_.Goal(node)) return true;
    const bool* allowed = depth == 0 ? firstAllowed : moves_.follows[last];
    if (left == 1) {
      Node next;
      for (int m = 0; m < moves_.count; ++m) {
        if (!allowed[m]) continue;
        space_.Next(node, m, &next);
        if (!space_.Goal(next)) continue;
        space_.Enter(node, m, &next);
        path_[depth] = m;
        if (!Report(next)) return false;
      }
      return true;
    }
    // Every move's position first, so that the tables' reads for all of them are on their way
    // together; then each is bounded and followed.
    Node next[kMaxPhaseMoves];
    bool ready[kMaxPhaseMoves];
    for (int m = 0; m < moves_.count; ++m) {
      ready[m] = allowed[m];
      if (!ready[m]) continue;
      space_.Next(node, m, &next[m]);
      ready[m] = space_.Ready(next[m], left - 1);
    }
    for (int m = 0; m < moves_.count; ++m) {
      if (!ready[m] || !space_.Within(next[m], left - 1)) continue;
      space_.Enter(node, m, &next[m]);
      path_[depth] = m;
      if (!Step(next[m], depth + 1, left - 1, m, firstAllowed)) return false;
    }
    return true;
  }

  const Space& space_;
  const PhaseMoveSet& moves_;
  PhaseFinds& finds_;
  SearchBudget& budget_;
  Node start_;
  int length_ = 0;
  int path_[kMaxPhaseDepth] = {};
};
