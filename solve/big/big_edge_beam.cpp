// The edges by a beam over the greedy's steps: positions grouped by the turns spent reaching them, each
// group keeping the few with most wings paired, each of those going on by its best few steps; the
// greedy finishes from the beam's best when no step gains anywhere in it.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <unordered_set>
#include <vector>

#include "solve/big/big_cube.h"
#include "solve/big/edge_steps.h"

using namespace big_edge;

namespace {

// The greedy's own lookahead where it takes over, and from how many of the beam's ends.
const int kFinishLookahead = 3;
const int kFinishes = 4;
// Positions of a group that look for a step behind a face turn when none gains alone.
const int kSetupsTried = 2;

struct Node {
  BigState state;
  int parent;  // -1 at the start
  int count;
  BlockMove moves[kMaxStepMoves];
  int paired;
  int turns;  // outer block turns from the start, merges counted
  uint64_t hash;
};

// The outer block turns saved where the step's first move turns the layers the last move turned, as
// the move list merges them: the first's cost, and the last's too when the two cancel.
int Saved(int n, const Node& node, const BlockMove& first) {
  if (node.count == 0) return 0;
  const BlockMove& last = node.moves[node.count - 1];
  const int turns = MergingTurns(n, last, first);
  if (turns < 0) return 0;
  return OuterBlockTurns(first, n) + ((last.quarterTurns + turns) % 4 == 0 ? OuterBlockTurns(last, n) : 0);
}

int Turns(const BigMoveList& list, int n) {
  int turns = 0;
  for (int k = 0; k < list.count; ++k) turns += OuterBlockTurns(list.moves[k], n);
  return turns;
}

// The node's moves from the start pushed onto the list; false when it is full.
bool PushPath(const std::vector<Node>& nodes, int at, BigState* state, BigMoveList* list) {
  std::vector<int> path;
  for (int k = at; nodes[static_cast<size_t>(k)].parent >= 0; k = nodes[static_cast<size_t>(k)].parent)
    path.push_back(k);
  for (auto k = path.rbegin(); k != path.rend(); ++k) {
    const Node& node = nodes[static_cast<size_t>(*k)];
    for (int m = 0; m < node.count; ++m)
      if (!BigPush(state, list, node.moves[m])) return false;
  }
  return true;
}

// The way found, from the start, onto the caller's list.
bool Append(const BigState& start, const BigMoveList& way, BigState* state, BigMoveList* list) {
  *state = start;
  for (int k = 0; k < way.count; ++k)
    if (!BigPush(state, list, way.moves[k])) return false;
  return true;
}

}  // namespace

bool PairBigEdgesBeam(BigState* state, BigMoveList* list, const EdgeBeam& beam) {
  const int n = state->n;
  const bool inner = beam.inner;
  const int target = EveryWing(n, inner);
  const int width = std::max(1, beam.width);
  const int branch = std::max(1, std::min(beam.branch, kMaxEdgeSteps));
  auto cancelled = [&] { return beam.limit != nullptr && SolveCancelled(*beam.limit); };
  const BigState start = *state;

  std::vector<Node> nodes(1);
  nodes[0].state = start;
  nodes[0].parent = -1;
  nodes[0].count = 0;
  nodes[0].paired = PairedWings(start, inner);
  nodes[0].turns = 0;
  nodes[0].hash = BigStateHash(start);
  if (nodes[0].paired == target) return true;
  std::vector<std::vector<int>> groups(1, std::vector<int>{0});
  std::unordered_set<uint64_t> seen;
  int best = 0;  // the most wings paired, in the fewest turns, where the greedy takes over
  int done = -1;
  std::vector<int> ends;  // kept positions from which no step gains
  EdgeStep steps[kMaxEdgeSteps];
  for (size_t depth = 0; depth < groups.size() && done < 0; ++depth) {
    if (cancelled()) return false;
    std::vector<int> group = std::move(groups[depth]);
    std::sort(group.begin(), group.end(), [&](int a, int b) {
      const Node &x = nodes[static_cast<size_t>(a)], &y = nodes[static_cast<size_t>(b)];
      return x.paired != y.paired ? x.paired > y.paired : x.hash < y.hash;
    });
    int kept = 0;
    int setupsTried = 0;
    for (int id : group) {
      if (kept == width) break;
      if (!seen.insert(nodes[static_cast<size_t>(id)].hash).second) continue;
      ++kept;
      if (nodes[static_cast<size_t>(id)].paired == target) {
        done = id;
        break;
      }
      if (nodes[static_cast<size_t>(id)].paired > nodes[static_cast<size_t>(best)].paired) best = id;
      // Steps behind a face turn cost many searches: only the group's first few positions stuck
      // without them look for them.
      int found = BestEdgeSteps(nodes[static_cast<size_t>(id)].state, branch, false, steps, inner);
      if (found == 0 && setupsTried < kSetupsTried) {
        ++setupsTried;
        found = BestEdgeSteps(nodes[static_cast<size_t>(id)].state, branch, true, steps, inner);
      }
      if (found == 0) ends.push_back(id);
      for (int s = 0; s < found; ++s) {
        Node child;
        child.state = nodes[static_cast<size_t>(id)].state;
        for (int m = 0; m < steps[s].count; ++m) BigApply(&child.state, steps[s].moves[m]);
        child.parent = id;
        child.count = steps[s].count;
        std::copy(steps[s].moves, steps[s].moves + steps[s].count, child.moves);
        child.paired = PairedWings(child.state, inner);
        child.hash = BigStateHash(child.state);
        const int cost = steps[s].cost - Saved(n, nodes[static_cast<size_t>(id)], steps[s].moves[0]);
        const size_t at = depth + static_cast<size_t>(std::max(1, cost));
        child.turns = static_cast<int>(at);
        if (groups.size() <= at) groups.resize(at + 1);
        groups[at].push_back(static_cast<int>(nodes.size()));
        nodes.push_back(child);
      }
    }
  }
  if (cancelled()) return false;
  std::unique_ptr<BigState> working(new BigState(start));
  std::unique_ptr<BigMoveList> way(new BigMoveList), shortest(new BigMoveList);
  way->count = 0;
  if (done >= 0) return PushPath(nodes, done, working.get(), way.get()) && Append(start, *way, state, list);
  // Where no step gains, the greedy goes on with its plateau handling, from the few ends that pair
  // most wings in fewest turns; its cost there varies most, so the shortest whole is kept.
  ends.push_back(best);
  std::sort(ends.begin(), ends.end(), [&](int a, int b) {
    const Node &x = nodes[static_cast<size_t>(a)], &y = nodes[static_cast<size_t>(b)];
    return x.paired != y.paired ? x.paired > y.paired : x.turns != y.turns ? x.turns < y.turns : a < b;
  });
  ends.erase(std::unique(ends.begin(), ends.end()), ends.end());
  int shortestTurns = -1;
  for (size_t e = 0; e < ends.size() && e < static_cast<size_t>(kFinishes); ++e) {
    if (cancelled()) return false;
    *working = start;
    way->count = 0;
    if (!PushPath(nodes, ends[e], working.get(), way.get()) ||
        !PairEdgesGreedy(working.get(), way.get(), kFinishLookahead, true, inner))
      continue;
    const int turns = Turns(*way, n);
    if (shortestTurns >= 0 && turns >= shortestTurns) continue;
    shortestTurns = turns;
    std::swap(way, shortest);
  }
  if (shortestTurns >= 0) return Append(start, *shortest, state, list);
  // Else the greedy from the start, so the beam fails only where the greedy does.
  if (cancelled()) return false;
  *working = start;
  way->count = 0;
  return PairEdgesGreedy(working.get(), way.get(), kFinishLookahead, true, inner) &&
         Append(start, *way, state, list);
}
