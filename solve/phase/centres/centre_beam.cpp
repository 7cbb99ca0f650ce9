// Centre stages as beam searches: every orbit's masks turned through its model's tables, positions kept
// by the sum of their orbits' distances, each position once; whole-cube rotations tried at the start.
#include "solve/phase/centres/centre_beam.h"

#include <algorithm>
#include <cstring>

#include "solve/phase/centres/centre_tables.h"
#include "solve/phase/centres/centre_view.h"
#include "study/facelet_map.h"

namespace {

struct Node {
  uint32_t masks[kMaxMasks];
  int parentLayer, parent;  // for the first layer, the start's index
  int action;               // what led here; for the first layer, the rotation's
  int distance;
  int lastMove;  // -1 at the first layer
  uint64_t hash;
};

struct Child {
  uint64_t hash;
  int distance;
  int parentLayer, parent;
  int action;
};

// U-D, L-R or F-B.
int AxisOf(int face) {
  static const int8_t kAxis[6] = {0, 1, 2, 1, 2, 0};
  return kAxis[face];
}

// The single turns the stage allows, then its conjugates and commutators of a block of layers (a wide
// turn, or an inner block as two) and a face turn across it.
void BuildActions(const StageView& view, std::vector<Action>* singles, std::vector<Action>* macros) {
  const CentreLayout& layout = *view.layout;
  for (int m = 0; m < layout.moveCount; ++m)
    if (view.allowed[m]) singles->push_back(Action{1, {static_cast<int8_t>(m)}});
  const int n = layout.n;
  for (int face = 0; face < 6; ++face)
    for (int first = 1; first <= n / 2; ++first)
      for (int last = std::max(first, 2); last <= n / 2; ++last)
        for (int q = 1; q <= 3; ++q) {
          int8_t in[2], out[2];
          int count = 0;
          in[count] = static_cast<int8_t>(MoveIndex(layout, Block(face, 1, last, q)));
          out[count++] = static_cast<int8_t>(MoveIndex(layout, Block(face, 1, last, 4 - q)));
          if (first > 1) {
            in[count] = static_cast<int8_t>(MoveIndex(layout, Block(face, 1, first - 1, 4 - q)));
            out[count++] = static_cast<int8_t>(MoveIndex(layout, Block(face, 1, first - 1, q)));
          }
          bool allowed = true;
          for (int k = 0; k < count; ++k) allowed = allowed && view.allowed[in[k]] && view.allowed[out[k]];
          if (!allowed) continue;
          for (int x = 0; x < layout.moveCount; ++x) {
            const BlockMove& across = layout.moves[x];
            if (across.last != 1 || AxisOf(across.face) == AxisOf(face)) continue;
            const int8_t undo = static_cast<int8_t>(MoveIndex(layout, InverseBlockMove(across)));
            Action action{0, {}};
            for (int k = 0; k < count; ++k) action.moves[action.count++] = in[k];
            action.moves[action.count++] = static_cast<int8_t>(x);
            for (int k = 0; k < count; ++k) action.moves[action.count++] = out[k];
            macros->push_back(action);
            action.moves[action.count++] = undo;
            macros->push_back(action);
          }
        }
}

// Turns after `last` that add something: not the same face's block again (it merges), and about one
// axis only in one order of faces (turns of opposite faces' blocks commute).
bool MayFollow(const CentreLayout& layout, int last, int next) {
  if (last < 0) return true;
  const BlockMove& a = layout.moves[last];
  const BlockMove& b = layout.moves[next];
  if (a.face == b.face) return a.last < b.last;
  const bool sameAxis = AxisOf(a.face) == AxisOf(b.face);
  return !sameAxis || a.face < b.face;
}

// Rotations the stage may start with: fixed centres stay home on odd sizes, and the axes the stages
// before placed stay on their axes.
bool RotationAllowed(int stage, const BigState& rotated, const BigRotation& rotation) {
  const int n = rotated.n;
  if (n % 2 == 1)
    for (int face = 0; face < 6; ++face)
      if (rotated.cells[CellIndex(face, n / 2, n / 2)] != face) return false;
  BigState solved;
  BigSolved(n, &solved);
  for (int k = 0; k < rotation.count; ++k) BigApply(&solved, rotation.moves[k]);
  const int up = solved.cells[CellIndex(U, 0, 0)], left = solved.cells[CellIndex(L, 0, 0)];
  if (stage >= 1 && up != U && up != D) return false;
  return stage < 2 || left == L || left == R;
}

void KeepBest(std::vector<Child>* children, size_t width) {
  std::vector<Child>& list = *children;
  const size_t pool = std::min(list.size(), width * 3);
  if (pool < list.size())
    std::nth_element(list.begin(), list.begin() + static_cast<long>(pool), list.end(),
                     [](const Child& a, const Child& b) { return a.distance < b.distance; });
  list.resize(pool);
  std::sort(list.begin(), list.end(), [](const Child& a, const Child& b) {
    return a.hash != b.hash ? a.hash < b.hash : a.distance < b.distance;
  });
  list.erase(
      std::unique(list.begin(), list.end(), [](const Child& a, const Child& b) { return a.hash == b.hash; }),
      list.end());
  std::sort(list.begin(), list.end(), [](const Child& a, const Child& b) {
    return a.distance != b.distance ? a.distance < b.distance : a.hash < b.hash;
  });
  if (list.size() > width) list.resize(width);
}

}  // namespace

int CentreStageDistance(int stage, const BigState& state) {
  const StageView view = ViewOf(stage, state.n);
  uint32_t masks[kMaxMasks];
  Read(view, state, masks);
  return Distance(view, masks);
}

bool CentreStageDone(int stage, const BigState& state) {
  const StageView view = ViewOf(stage, state.n);
  uint32_t masks[kMaxMasks];
  Read(view, state, masks);
  for (int o = 0; o < view.layout->orbitCount; ++o)
    if (!StageGoal(stage, masks + o * view.maskCount)) return false;
  return true;
}

std::vector<CentreWay> RunCentreStage(int stage, const std::vector<BigState>& starts,
                                      const CentreEffort& effort, const SolveLimit* limit) {
  std::vector<CentreWay> ways;
  if (starts.empty()) return ways;
  const int n = starts.front().n;
  const StageView view = ViewOf(stage, n);
  const BigRotation* rotations = BigRotations(n);
  const size_t width = static_cast<size_t>(std::max(1, effort.width));
  std::vector<Action> singles, macros;
  BuildActions(view, &singles, &macros);
  std::vector<Action> actions = singles;
  actions.insert(actions.end(), macros.begin(), macros.end());
  const int singleCount = static_cast<int>(singles.size());

  // The first layer: every start under every rotation it may take.
  std::vector<std::vector<Node>> layers(1);
  for (size_t s = 0; s < starts.size(); ++s)
    for (int r = 0; r < 24; ++r) {
      BigState rotated = starts[s];
      for (int k = 0; k < rotations[r].count; ++k) BigApply(&rotated, rotations[r].moves[k]);
      if (!RotationAllowed(stage, rotated, rotations[r])) continue;
      Node node;
      Read(view, rotated, node.masks);
      node.parentLayer = -1;
      node.parent = static_cast<int>(s);
      node.action = r;
      node.lastMove = -1;
      node.distance = Distance(view, node.masks);
      node.hash = static_cast<uint64_t>(layers[0].size());
      layers[0].push_back(node);
    }
  std::sort(layers[0].begin(), layers[0].end(),
            [](const Node& a, const Node& b) { return a.distance < b.distance; });
  if (layers[0].size() > width) layers[0].resize(width);

  // Children wait in the layer of their length (every turn counts one) until it is searched.
  const int kAhead = kMaxActionMoves + 1;
  std::vector<std::vector<Child>> pending(kAhead);
  std::vector<uint64_t> seen;
  std::vector<std::pair<int, int>> goals;  // layer, index
  int bestDistance = 0, bestLayer = 0;
  uint32_t turned[kMaxMasks];
  // Steps of several turns only from the best few of a layer: they are for the positions every single
  // turn makes worse.
  const size_t macroFrom = std::max<size_t>(1, width / 16);
  for (int depth = 0;; ++depth) {
    if (depth > 0) {
      std::vector<Child>& children = pending[static_cast<size_t>(depth % kAhead)];
      children.erase(std::remove_if(children.begin(), children.end(),
                                    [&](const Child& c) {
                                      return std::binary_search(seen.begin(), seen.end(), c.hash);
                                    }),
                     children.end());
      KeepBest(&children, width);
      std::vector<Node> next(children.size());
      for (size_t c = 0; c < children.size(); ++c) {
        const Child& child = children[c];
        Node& node = next[c];
        const Node& parent =
            layers[static_cast<size_t>(child.parentLayer)][static_cast<size_t>(child.parent)];
        const Action& action = actions[static_cast<size_t>(child.action)];
        node.hash = Turn(view, parent.masks, action, node.masks);
        node.parentLayer = child.parentLayer;
        node.parent = child.parent;
        node.action = child.action;
        node.lastMove = action.moves[action.count - 1];
        node.distance = child.distance;
      }
      children.clear();
      layers.push_back(std::move(next));
      for (const Node& node : layers.back()) seen.push_back(node.hash);
      std::sort(seen.begin(), seen.end());
    }
    const std::vector<Node>& layer = layers.back();
    for (size_t i = 0; i < layer.size() && goals.size() < static_cast<size_t>(effort.ways); ++i)
      if (layer[i].distance == 0) goals.emplace_back(depth, static_cast<int>(i));
    // The best so far, and how long since it improved: a search that stalls hands on its best.
    if (!layer.empty() && (depth == 0 || layer[0].distance < bestDistance))
      bestDistance = layer[0].distance, bestLayer = depth;
    if (layer.empty() || depth - bestLayer > effort.patience) {
      if (goals.empty()) goals.emplace_back(bestLayer, 0);
      break;
    }

    if (!goals.empty() || depth > 300) break;
    if (limit != nullptr && SolveCancelled(*limit)) return ways;
    for (size_t i = 0; i < layer.size(); ++i) {
      const Node& node = layer[i];
      const int count = i < macroFrom ? static_cast<int>(actions.size()) : singleCount;
      for (int a = 0; a < count; ++a) {
        const Action& action = actions[static_cast<size_t>(a)];
        if (!MayFollow(*view.layout, node.lastMove, action.moves[0])) continue;
        const uint64_t hash = Turn(view, node.masks, action, turned);
        const int d = Distance(view, turned);
        pending[static_cast<size_t>((depth + action.count) % kAhead)].push_back(
            Child{hash, d, depth, static_cast<int>(i), a});
      }
    }
  }

  // Each goal's way read back through its parents, then played on its start.
  for (const auto& goal : goals) {
    std::vector<int> steps;
    int layerIndex = goal.first, index = goal.second;
    while (layerIndex > 0) {
      const Node& node = layers[static_cast<size_t>(layerIndex)][static_cast<size_t>(index)];
      steps.push_back(node.action);
      layerIndex = node.parentLayer;
      index = node.parent;
    }
    const Node& root = layers[0][static_cast<size_t>(index)];
    CentreWay way;
    way.from = root.parent;
    way.state = starts[static_cast<size_t>(root.parent)];
    const BigRotation& rotation = rotations[root.action];
    for (int k = 0; k < rotation.count; ++k) way.moves.push_back(rotation.moves[k]);
    for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
      const Action& action = actions[static_cast<size_t>(*step)];
      for (int k = 0; k < action.count; ++k) way.moves.push_back(view.layout->moves[action.moves[k]]);
    }

    for (const BlockMove& move : way.moves) BigApply(&way.state, move);
    ways.push_back(std::move(way));
  }
  return ways;
}
