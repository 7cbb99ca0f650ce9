// The pairing phase's edge coordinate: the partners of the four edges along L-R picked out up to
// symmetry, then the other eight in order; its table built breadth first over the classes.
#include "solve/phase/four/four_pair_edges.h"

#include <cstring>
#include <mutex>
#include <new>

#include "solve/phase/four/four_phases.h"
#include "solve/phase/phase_geometry.h"
#include "solve/phase/phase_pieces.h"

namespace {

const int kN = 4;
const uint64_t kRest = 20160;  // the other eight partners: 8! / 2, the parity being known

PairEdgeData* data = nullptr;
std::once_flag dataOnce;
// Sized for the classes found (checked when the data are built).
const uint64_t kClasses = 1538;
DistanceTable table("4x4x4-pair-edges", 1, kClasses* kRest);

bool SameMove(const BlockMove& a, const BlockMove& b) {
  return a.face == b.face && a.first == b.first && a.last == b.last && a.quarterTurns == b.quarterTurns;
}

void Conjugate(const PairEdgeData& d, int s, const int8_t* partner, int8_t* out) {
  for (int e = 0; e < 12; ++e) out[d.symmetryEdge[s][e]] = d.symmetryEdge[s][partner[e]];
}

int RawOf(const PairEdgeData& d, const int8_t* partner) {
  const int8_t* f = d.firstEdges;
  return d.rawOfValues[((partner[f[0]] * 12 + partner[f[1]]) * 12 + partner[f[2]]) * 12 + partner[f[3]]];
}

const struct BitCounts {
  int8_t bits[4096];
  BitCounts() {
    for (int v = 0; v < 4096; ++v) bits[v] = static_cast<int8_t>(v == 0 ? 0 : (v & 1) + bits[v >> 1]);
  }
} kBitCounts;
const uint32_t kFactorial[8] = {1, 1, 2, 6, 24, 120, 720, 5040};

// The other eight partners, renumbered among the values the first four leave, ranked and halved.
uint32_t RestIndex(const PairEdgeData& d, const int8_t* partner) {
  unsigned used = 0;
  for (int k = 0; k < 4; ++k) used |= 1u << partner[d.firstEdges[k]];
  // Lehmer digits: each value less the smaller values already placed.
  unsigned placed = 0;
  uint32_t rank = 0;
  for (int k = 0; k < 8; ++k) {
    const int value = partner[d.otherEdges[k]];
    const unsigned below = (1u << value) - 1;
    const int renumbered = value - kBitCounts.bits[used & below];
    rank += static_cast<uint32_t>(renumbered - kBitCounts.bits[placed & below]) * kFactorial[7 - k];
    placed |= 1u << value;
  }
  return rank >> 1;
}

void Build(PairEdgeData* d) {
  BlockMove moves[kMaxPhaseMoves];
  const int count = FourPairMoves(moves);
  const WingHalves& halves = FourWingHalves();
  const OrbitPlaces& wings = OrbitOf(kN, kWingOrbit);
  d->moveCount = count;
  auto carry = [&](const int8_t* from, int8_t* lowTo, int8_t* highTo) {
    int8_t to[24];
    for (int q = 0; q < 24; ++q) to[from[q]] = static_cast<int8_t>(q);
    for (int e = 0; e < 12; ++e) {
      lowTo[e] = halves.edgeOf[to[halves.lowPlace[e]]];
      highTo[e] = halves.edgeOf[to[halves.highPlace[e]]];
    }
    return (halves.low & (1u << to[halves.lowPlace[0]])) != 0;
  };
  for (int m = 0; m < count; ++m) {
    int8_t from[24], twist[24];
    MovePlaces(wings, moves[m], from, twist);
    carry(from, d->lowTo[m], d->highTo[m]);
  }
  d->symmetryCount = 0;
  for (int s = 0; s < kSymmetries && d->symmetryCount < 16; ++s) {
    bool keeps = true;
    for (int m = 0; m < count && keeps; ++m) {
      BlockMove image;
      keeps = ConjugateMove(kN, s, moves[m], &image);
      bool listed = false;
      for (int k = 0; k < count; ++k) listed = listed || SameMove(image, moves[k]);
      keeps = keeps && listed;
    }
    int8_t from[24], to[24];
    SymmetryPlaces(wings, s, from);
    for (int q = 0; q < 24; ++q) to[from[q]] = static_cast<int8_t>(q);
    for (int q = 0; q < 24 && keeps; ++q) keeps = ((halves.low >> q & 1) == (halves.low >> to[q] & 1));
    if (!keeps) continue;
    int8_t high[12];
    carry(from, d->symmetryEdge[d->symmetryCount], high);
    d->symmetryCount++;
  }
  for (int s = 0; s < d->symmetryCount; ++s)
    for (int t = 0; t < d->symmetryCount; ++t) {
      bool inverse = true;
      for (int e = 0; e < 12; ++e) inverse = inverse && d->symmetryEdge[t][d->symmetryEdge[s][e]] == e;
      if (inverse) d->inverseSymmetry[s] = static_cast<int8_t>(t);
    }
  int first = 0, other = 0;
  for (int e = 0; e < 12; ++e) {
    const int place = halves.lowPlace[e];
    const int a = wings.cells[place][0] / kFaceStride, b = wings.cells[place][1] / kFaceStride;
    const bool alongLeftRight = a != L && a != R && b != L && b != R;
    if (alongLeftRight && first < 4)
      d->firstEdges[first++] = static_cast<int8_t>(e);
    else
      d->otherEdges[other++] = static_cast<int8_t>(e);
  }
  std::memset(d->rawOfValues, -1, sizeof d->rawOfValues);
  int raw = 0;
  for (int a = 0; a < 12; ++a)
    for (int b = 0; b < 12; ++b)
      for (int c = 0; c < 12; ++c)
        for (int e = 0; e < 12; ++e) {
          if (a == b || a == c || a == e || b == c || b == e || c == e) continue;
          d->rawOfValues[((a * 12 + b) * 12 + c) * 12 + e] = static_cast<int16_t>(raw);
          const int8_t values[4] = {static_cast<int8_t>(a), static_cast<int8_t>(b), static_cast<int8_t>(c),
                                    static_cast<int8_t>(e)};
          std::memcpy(d->valuesOfRaw[raw++], values, 4);
        }
  for (int r = 0; r < 11880; ++r) {
    int8_t partner[12];
    unsigned used = 0;
    for (int k = 0; k < 4; ++k)
      partner[d->firstEdges[k]] = d->valuesOfRaw[r][k], used |= 1u << d->valuesOfRaw[r][k];
    for (int k = 0, v = 0; k < 8; ++k, ++v) {
      while (used >> v & 1) ++v;
      partner[d->otherEdges[k]] = static_cast<int8_t>(v);
    }
    d->restParity[r] = OddPermutation(partner, 12);
  }
  // Classes: the first raw value met of each, in order.
  std::memset(d->classOfRaw, 0xFF, sizeof d->classOfRaw);
  d->classCount = 0;
  for (int r = 0; r < 11880; ++r) {
    if (d->classOfRaw[r] != 0xFFFF) continue;
    const int cls = d->classCount++;
    d->rawOfClass[cls] = static_cast<uint16_t>(r);
    d->stabiliser[cls] = 0;
    int8_t partner[12] = {}, image[12];
    for (int k = 0; k < 4; ++k) partner[d->firstEdges[k]] = d->valuesOfRaw[r][k];
    for (int s = 0; s < d->symmetryCount; ++s) {
      Conjugate(*d, s, partner, image);
      // The first edges go to the first edges, so their partners alone decide the image's raw value.
      const int imageRaw = RawOf(*d, image);
      if (imageRaw == r) d->stabiliser[cls] |= static_cast<uint16_t>(1u << s);
      if (d->classOfRaw[imageRaw] != 0xFFFF) continue;
      d->classOfRaw[imageRaw] = static_cast<uint16_t>(cls);
      d->symmetryOfRaw[imageRaw] = d->inverseSymmetry[s];
    }
  }
}

}  // namespace

const PairEdgeData* PairEdgeTables() {
  std::call_once(dataOnce, [] {
    PairEdgeData* d = new (std::nothrow) PairEdgeData;
    if (d != nullptr) Build(d);
    data = d;
  });
  return data;
}

DistanceTable& PairEdgeDistances() { return table; }

void MovePartners(const PairEdgeData& d, const int8_t* partner, int move, int8_t* out) {
  for (int e = 0; e < 12; ++e) out[d.lowTo[move][e]] = d.highTo[move][partner[e]];
}

uint64_t PartnerIndex(const PairEdgeData& d, const int8_t* partner) {
  const int raw = RawOf(d, partner);
  int8_t seen[12];
  Conjugate(d, d.symmetryOfRaw[raw], partner, seen);
  return d.classOfRaw[raw] * kRest + RestIndex(d, seen);
}

namespace {

const struct BitSelect {
  int8_t nth[256][8];  // the place of the k-th set bit of a byte
  BitSelect() {
    for (int v = 0; v < 256; ++v)
      for (int k = 0, seen = 0; k < 8; ++k)
        if (v >> k & 1) nth[v][seen++] = static_cast<int8_t>(k);
  }
} kBitSelect;

// The arrangement at a table index: the class's own first partners, the rest of the even one.
void Decode(const PairEdgeData& d, uint64_t index, int8_t* partner) {
  const int raw = d.rawOfClass[index / kRest];
  const uint32_t rest = static_cast<uint32_t>(index % kRest);
  unsigned used = 0;
  for (int k = 0; k < 4; ++k) {
    partner[d.firstEdges[k]] = d.valuesOfRaw[raw][k];
    used |= 1u << d.valuesOfRaw[raw][k];
  }
  int8_t free[8];
  int count = 0;
  for (int v = 0; v < 12; ++v)
    if (!(used >> v & 1)) free[count++] = static_cast<int8_t>(v);
  // Lehmer digits of rest * 2 + low; the permutation's parity is their sum's. The low digit is chosen
  // to make the whole arrangement even.
  int digits[8], sum = 0;
  uint32_t r = rest * 2;
  for (int k = 7; k >= 0; --k) {
    digits[k] = static_cast<int>(r % static_cast<uint32_t>(8 - k));
    r /= static_cast<uint32_t>(8 - k);
    sum += digits[k];
  }
  if (((sum + d.restParity[raw]) & 1) != 0) digits[6] = 1;
  unsigned left = 0xFF;
  for (int k = 0; k < 8; ++k) {
    const int pick = kBitSelect.nth[left][digits[k]];
    left &= ~(1u << pick);
    partner[d.otherEdges[k]] = free[pick];
  }
}

struct PartnerGraph {
  struct Position {
    int8_t partner[12];
  };
  const PairEdgeData& d;
  int Moves() const { return d.moveCount; }
  void Decode(uint64_t index, Position* position) const { ::Decode(d, index, position->partner); }
  int Next(const Position& position, int move, uint64_t* out) const {
    int8_t moved[12], seen[12], again[12];
    MovePartners(d, position.partner, move, moved);
    const int raw = RawOf(d, moved);
    const int cls = d.classOfRaw[raw];
    Conjugate(d, d.symmetryOfRaw[raw], moved, seen);
    int count = 0;
    out[count++] = cls * kRest + RestIndex(d, seen);
    // A class its own symmetries keep has the same arrangement under several rest indices: all of them.
    for (unsigned rest = d.stabiliser[cls] & ~1u; rest != 0; rest &= rest - 1) {
      Conjugate(d, __builtin_ctz(rest), seen, again);
      out[count++] = cls * kRest + RestIndex(d, again);
    }
    return count;
  }
};

}  // namespace

TableResult PreparePairEdges() {
  if (PairEdgeTables() == nullptr) return TableResult::kNoMemory;
  const PairEdgeData& d = *PairEdgeTables();
  if (static_cast<uint64_t>(d.classCount) != kClasses) return TableResult::kNoMemory;
  int8_t solved[12];
  for (int e = 0; e < 12; ++e) solved[e] = static_cast<int8_t>(e);
  const uint64_t goal = PartnerIndex(d, solved);
  const PartnerGraph graph{d};
  return table.Ensure([&](DistanceTable& t) { return FillDistances(t, &goal, 1, graph); },
                      [&](const DistanceTable& t) { return DistancesConsistent(t, &goal, 1, graph, 2000); });
}
