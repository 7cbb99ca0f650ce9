// The centres by a beam over the greedy's steps: positions grouped by the turns spent reaching them,
// each group keeping the few with most centres home, each of those going on by its best few steps.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <thread>
#include <unordered_set>
#include <vector>

#include "solve/big/big_cube.h"
#include "solve/big/centre_steps.h"

using namespace big_centre;

namespace {

struct Node {
  BigState state;
  int parent;  // -1 at the start
  int count;
  BlockMove moves[kMaxStepMoves];
  int home;
  unsigned odd;  // its wing orbits in an odd permutation, a bit each
  uint64_t hash;
};

// The wing orbits in an odd permutation, a bit each.
unsigned OddOrbits(const BigState& state, bool inner) {
  unsigned odd = 0;
  for (int orbit = inner ? 1 : 0; orbit < (state.n - 2) / 2; ++orbit)
    if (OddWingOrbit(state, orbit)) odd |= 1u << orbit;
  return odd;
}

// The moves from the start to the node.
std::vector<BlockMove> PathTo(const std::vector<Node>& nodes, int at) {
  std::vector<int> path;
  for (int k = at; nodes[static_cast<size_t>(k)].parent >= 0; k = nodes[static_cast<size_t>(k)].parent)
    path.push_back(k);
  std::vector<BlockMove> moves;
  for (auto k = path.rbegin(); k != path.rend(); ++k) {
    const Node& node = nodes[static_cast<size_t>(*k)];
    moves.insert(moves.end(), node.moves, node.moves + node.count);
  }
  return moves;
}

}  // namespace

std::vector<std::vector<BlockMove>> CentreBeamEnds(const BigState& start, const BlockMove* before,
                                                   const CentreBeam& beam) {
  std::vector<std::vector<BlockMove>> ends;
  const int n = start.n;
  const int target = CentreCells(n, beam.inner);
  Costing costing;
  costing.inner = beam.inner;
  costing.outer = true;
  costing.scattered = beam.scattered;
  const int width = std::max(1, beam.width);
  const int branch = std::max(1, std::min(beam.branch, kMaxChoices));

  std::vector<Node> nodes(1);
  nodes[0].state = start;
  nodes[0].parent = -1;
  nodes[0].count = 0;
  nodes[0].home = CentresHome(start, beam.inner);
  nodes[0].hash = BigStateHash(start);
  nodes[0].odd = OddOrbits(start, beam.inner);
  if (nodes[0].home == target) return {std::vector<BlockMove>()};
  // Children wait in the group of the turns spent reaching them.
  std::vector<std::vector<int>> groups(1, std::vector<int>{0});
  std::unordered_set<uint64_t> seen;
  int best = 0;  // the most centres home so far, where the greedy takes over if the beam runs dry
  const size_t threads = static_cast<size_t>(std::max(1, beam.threads));
  int oddEnds = 0, evenEnds = 0;
  // Positions with every wing orbit even kept beyond the width, a few a group, so that the ends that
  // need no parity fix are still there at the end.
  const int reserve = std::max(1, width / 4);
  std::vector<int> found;
  std::vector<Step> steps;
  size_t stop = kMaxSolveMoves / 2;
  for (size_t depth = 0; depth < groups.size() && depth <= stop; ++depth) {
    if (beam.limit != nullptr && SolveCancelled(*beam.limit)) return {};
    std::vector<int> group = std::move(groups[depth]);
    std::sort(group.begin(), group.end(), [&](int a, int b) {
      const Node &x = nodes[static_cast<size_t>(a)], &y = nodes[static_cast<size_t>(b)];
      return x.home != y.home ? x.home > y.home : x.hash < y.hash;
    });
    std::vector<int> expand;
    int even = 0;
    for (int id : group) {
      const bool full = static_cast<int>(expand.size()) >= width;
      if (full && even >= reserve) break;
      if (full && nodes[static_cast<size_t>(id)].odd != 0) continue;
      if (!seen.insert(nodes[static_cast<size_t>(id)].hash).second) continue;
      even += nodes[static_cast<size_t>(id)].odd == 0;
      if (nodes[static_cast<size_t>(id)].home == target) {
        // Ends a few turns longer than the first are kept too: the stages after may find them shorter.
        if (ends.empty()) stop = depth + static_cast<size_t>(beam.slack);
        // An odd wing orbit costs a fix of a dozen turns or more after: the search goes on within the
        // slack for ends with every orbit even, up to half as many again.
        const bool odd = nodes[static_cast<size_t>(id)].odd != 0;
        int& found = odd ? oddEnds : evenEnds;
        if (found >= (odd ? beam.ends : std::max(1, beam.ends / 2))) continue;
        ++found;
        ends.push_back(PathTo(nodes, id));
        if (oddEnds >= beam.ends && evenEnds >= std::max(1, beam.ends / 2)) return ends;
        continue;
      }
      if (nodes[static_cast<size_t>(id)].home > nodes[static_cast<size_t>(best)].home) best = id;
      expand.push_back(id);
    }
    // The steps of each kept position, which is most of the time, shared out between threads; the
    // children are made in one order whatever the threads, so the answer is the same.
    found.assign(expand.size(), 0);
    steps.resize(expand.size() * kMaxChoices);
    auto search = [&](size_t from, size_t stride) {
      for (size_t k = from; k < expand.size(); k += stride) {
        const Node& node = nodes[static_cast<size_t>(expand[k])];
        const BlockMove* last = node.count > 0 ? &node.moves[node.count - 1] : before;
        found[k] = BestCentreSteps(node.state, costing, last, branch, &steps[k * kMaxChoices]);
      }
    };
    if (threads > 1 && expand.size() > 1) {
      std::vector<std::thread> helpers;
      for (size_t t = 1; t < static_cast<size_t>(threads); ++t) helpers.emplace_back(search, t, threads);
      search(0, static_cast<size_t>(threads));
      for (std::thread& helper : helpers) helper.join();
    } else {
      search(0, 1);
    }
    for (size_t k = 0; k < expand.size(); ++k) {
      const int id = expand[k];
      for (int s = 0; s < found[k]; ++s) {
        const Step& step = steps[k * kMaxChoices + static_cast<size_t>(s)];
        Node child;
        child.state = nodes[static_cast<size_t>(id)].state;
        for (int m = 0; m < step.count; ++m) BigApply(&child.state, step.moves[m]);
        child.parent = id;
        child.count = step.count;
        std::copy(step.moves, step.moves + step.count, child.moves);
        child.home = CentresHome(child.state, beam.inner);
        child.hash = BigStateHash(child.state);
        child.odd = OddOrbits(child.state, beam.inner);
        const size_t at = depth + static_cast<size_t>(std::max(1, step.cost));
        if (groups.size() <= at) groups.resize(at + 1);
        groups[at].push_back(static_cast<int>(nodes.size()));
        nodes.push_back(child);
      }
    }
  }
  if (!ends.empty()) return ends;
  // No step gains anywhere in the beam: the greedy goes on from its best, with its random steps.
  std::unique_ptr<BigState> state(new BigState(start));
  std::unique_ptr<BigMoveList> list(new BigMoveList);
  list->count = 0;
  for (const BlockMove& move : PathTo(nodes, best))
    if (!BigPush(state.get(), list.get(), move)) return ends;
  if (SolveBigCentresOuter(state.get(), list.get(), 0, beam.scattered))
    ends.emplace_back(list->moves, list->moves + list->count);
  return ends;
}
