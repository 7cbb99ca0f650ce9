// The whole-cube half turns and mirrors that keep the first phase's goal and the second phase's moves:
// the coordinates as seen after each, and the classes of coordinates they make alike, by which the
// distance tables are kept small enough to stay near the processor.
#include <cstddef>
#include <type_traits>
#include <vector>

#include "solve/solve_coordinates.h"

namespace {

SearchTables& T = searchTables;

// Each face (U L F R B D) as seen after a half turn about U-D, one about L-R, and the mirror that
// swaps L and R: symmetry k is made of those whose bit is set in k.
const int kGenerator[3][6] = {{0, 3, 4, 1, 2, 5}, {5, 1, 4, 3, 2, 0}, {0, 3, 2, 1, 4, 5}};

}  // namespace

int SymmetryMove(int symmetry, int m) {
  int face = m / 3;
  for (int bit = 0; bit < 3; ++bit)
    if (symmetry >> bit & 1) face = kGenerator[bit][face];
  // A rotation keeps a turn's direction; a mirror reverses it.
  return face * 3 + (symmetry & 4 ? 2 - m % 3 : m % 3);
}

namespace {

// conj[c] for every c of a coordinate, from conj[solved] = solved and conj[c·m] = conj[c]·S(m), S(m)
// being m seen after the symmetry: a walk over the coordinate's moves (the first phase's, or with
// `phase2` the second's by their places), which reach every value.
template <typename Move>
std::vector<int> Conjugates(int size, int solved, int symmetry, bool phase2, Move move) {
  std::vector<int> conj(static_cast<size_t>(size), -1), queue(1, solved);
  conj[static_cast<size_t>(solved)] = solved;
  for (size_t at = 0; at < queue.size(); ++at) {
    const int c = queue[at];
    for (int m = 0; m < (phase2 ? kPhase2Moves : kMoves); ++m) {
      const int next = move(c, m);
      if (conj[static_cast<size_t>(next)] >= 0) continue;
      const int seen =
          phase2 ? T.phase2Index[SymmetryMove(symmetry, T.phase2Move[m])] : SymmetryMove(symmetry, m);
      conj[static_cast<size_t>(next)] = move(conj[static_cast<size_t>(c)], seen);
      queue.push_back(next);
    }
  }
  return conj;
}

// Each value's class * kSymmetries + the symmetry that takes it to its class's smallest member, and
// those members in order, from each value's image under each symmetry.
void Classify(const std::vector<int> (&conj)[kSymmetries], uint16_t* classOf, std::vector<int>* members) {
  const size_t size = conj[0].size();
  std::vector<int> classOfMember(size, -1);
  members->clear();
  for (size_t c = 0; c < size; ++c) {
    int least = static_cast<int>(c), by = 0;
    for (int s = 1; s < kSymmetries; ++s)
      if (conj[s][c] < least) least = conj[s][c], by = s;
    if (least == static_cast<int>(c))
      classOfMember[c] = static_cast<int>(members->size()), members->push_back(least);
    classOf[c] = static_cast<uint16_t>(classOfMember[static_cast<size_t>(least)] * kSymmetries + by);
  }
}

// Every value's image under each symmetry, kept in `out` too where given.
template <typename Conj, typename Move>
void ConjugateAll(int size, int solved, bool phase2, Move move, std::vector<int> (&conj)[kSymmetries],
                  Conj* out) {
  for (int s = 0; s < kSymmetries; ++s) {
    conj[s] = Conjugates(size, solved, s, phase2, move);
    if (out != nullptr)
      for (int c = 0; c < size; ++c)
        out[s][c] =
            static_cast<std::remove_reference_t<decltype(out[s][c])>>(conj[s][static_cast<size_t>(c)]);
  }
}

}  // namespace

void BuildSymmetryTables(SymmetryClasses* classes) {
  std::vector<int> conj[kSymmetries];
  ConjugateAll(
      kSlices, T.solvedSlice, false, [](int c, int m) { return T.sliceMove[c][m]; }, conj, T.sliceConj);
  ConjugateAll(
      kPerms4, 0, true, [](int c, int k) { return T.slicePermMove[c][k]; }, conj, T.slicePermConj);
  ConjugateAll(
      kTwists, 0, false, [](int c, int m) { return T.twistMove[c][m]; }, conj,
      static_cast<int16_t(*)[kTwists]>(nullptr));
  Classify(conj, T.twistClass, &classes->twists);
  ConjugateAll(
      kFlips, 0, false, [](int c, int m) { return T.flipMove[c][m]; }, conj, T.flipConj);
  Classify(conj, T.flipClass, &classes->flips);
  ConjugateAll(
      kPerms8, 0, false, [](int c, int m) { return T.cornerMove[c][m]; }, conj,
      static_cast<int16_t(*)[kPerms8]>(nullptr));
  Classify(conj, T.cornerClass, &classes->corners);
  // The corners' combination follows from their permutation, and so does its image.
  for (int s = 0; s < kSymmetries; ++s)
    for (int c = 0; c < kPerms8; ++c) T.combConj[s][T.combOf[c]] = T.combOf[conj[s][static_cast<size_t>(c)]];
  ConjugateAll(
      kPerms8, 0, true, [](int c, int k) { return T.udMove[c][k]; }, conj,
      static_cast<int16_t(*)[kPerms8]>(nullptr));
  Classify(conj, T.udClass, &classes->uds);
}
