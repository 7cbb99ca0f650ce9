// Centre commutators over scattered layers: late in the centres, the ones still wrong lie on layers
// no rectangle of adjacent ones covers, so rows and columns are any sets of up to three runs.
#include "solve/big/centre_steps.h"

namespace big_centre {

namespace {

// Layers 2 to n - 1 as bits 0 to n - 3: how many runs of adjacent layers a set holds, and the blocks
// that turn them (each run one block). The runs counted a bit at a time: there are few, and the
// library's generic bit count (where the processor has no instruction for it) costs more.
int RunCount(unsigned layers) {
  int count = 0;
  for (unsigned starts = layers & ~(layers << 1); starts != 0; starts &= starts - 1) ++count;
  return count;
}

int RunBlocks(unsigned layers, int face, int quarterTurns, BlockMove* out) {
  int count = 0;
  for (int bit = 0; bit < 32 && layers >> bit; ++bit) {
    if (!(layers >> bit & 1) || (bit > 0 && layers >> (bit - 1) & 1)) continue;
    int end = bit;
    while (layers >> (end + 1) & 1) ++end;
    out[count++] = Block(face, bit + 2, end + 2, quarterTurns);
  }
  return count;
}

// The commutator of the template with sets of layers in place of its two single layers; the 3-cycles
// of every pair of a row and a column made at once.
int ScatteredMoves(const Template& t, unsigned rows, unsigned columns, BlockMove* out) {
  BlockMove a[kMaxRuns * 2], aBack[kMaxRuns * 2], z[kMaxRuns * 2], zBack[kMaxRuns * 2];
  const int as = RunBlocks(rows, t.face, t.qa, a), zs = RunBlocks(columns, t.face, t.qz, z);
  RunBlocks(rows, t.face, 4 - t.qa, aBack);
  RunBlocks(columns, t.face, 4 - t.qz, zBack);
  const BlockMove y = Block(t.yFace, 1, 1, t.qy), yBack = InverseBlockMove(y);
  int k = 0;
  auto put = [&](const BlockMove* moves, int count) {
    for (int m = 0; m < count; ++m) out[k++] = moves[m];
  };
  if (t.order == 0) {
    put(a, as);
    put(&y, 1), put(z, zs), put(&yBack, 1);
    put(aBack, as);
    put(&y, 1), put(zBack, zs), put(&yBack, 1);
  } else {
    put(&y, 1), put(z, zs), put(&yBack, 1);
    put(a, as);
    put(&y, 1), put(zBack, zs), put(&yBack, 1);
    put(aBack, as);
  }
  return k;
}

// What the blocks of a set of layers cost at least, each way: a run next to either face turns with it
// as one outer block, any other counts two.
int LeastRunCost(unsigned layers, int n, bool outer) {
  if (!outer) return RunCount(layers);
  BlockMove blocks[kMaxRuns * 2];
  const int count = RunBlocks(layers, U, 1, blocks);
  int cost = 0;
  for (int k = 0; k < count; ++k) cost += blocks[k].first == 2 || blocks[k].last == n - 1 ? 1 : 2;
  return cost;
}

}  // namespace

// The commutators whose rows are any set of layers (up to three runs) and whose columns are every
// layer that gains with those rows: late in the stage, the centres still wrong lie scattered over
// layers no rectangle of adjacent ones covers. The column sums follow the rows through a Gray code,
// one row added or taken away at a time.
void BestScattered(const BigState& state, const Costing& costing, int setupCost, const BlockMove* last,
                   const Template& shape, int faceSaved, const int (&gain)[kMaxSize + 1][kMaxSize + 1],
                   Choices* best) {
  const int n = state.n;
  const int layers = n - 2;
  int column[kMaxSize + 1] = {}, invalid[kMaxSize + 1] = {};
  unsigned rows = 0;
  for (unsigned code = 1; code < (1u << layers); ++code) {
    const int bit = __builtin_ctz(code);
    const int s = bit + 2;
    const bool adding = !(rows >> bit & 1);
    rows ^= 1u << bit;
    for (int u = 2; u < n; ++u) {
      if (gain[s][u] <= kNone / 2)
        invalid[u] += adding ? 1 : -1;
      else
        column[u] += adding ? gain[s][u] : -gain[s][u];
    }
    if (RunCount(rows) > kMaxRuns) continue;
    unsigned columns = 0;
    int sum = 0;
    for (int u = 2; u < n; ++u)
      if (invalid[u] == 0 && column[u] > 0) columns |= 1u << (u - 2), sum += column[u];
    // Rectangles of adjacent layers are the other search's.
    if (sum <= 0 || RunCount(columns) > kMaxRuns || (RunCount(rows) == 1 && RunCount(columns) == 1)) continue;
    const int least = 4 +
                      2 * (LeastRunCost(rows, n, costing.outer) + LeastRunCost(columns, n, costing.outer)) +
                      setupCost - 2;
    if (static_cast<double>(sum) / least <= best->ratio) continue;
    BlockMove moves[kMaxStepMoves];
    const int count = ScatteredMoves(shape, rows, columns, moves);
    const int cost = Shape(n, costing, moves, count);
    const int saved = shape.order == 1 ? faceSaved : Merged(last, moves[0]);
    Consider(best, sum, cost + setupCost - saved, moves, count);
  }
}

}  // namespace big_centre
