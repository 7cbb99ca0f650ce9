// The whole-cube half turns that keep the first phase's goal: the coordinates as seen after each, and
// the classes of coordinates they make alike, by which the first phase's tables are kept small.
#include <cstddef>
#include <vector>

#include "solve/solve_coordinates.h"

namespace {

SearchTables& T = searchTables;

// Each face (U L F R B D) as seen after the identity and a half turn about U-D, L-R and F-B. A proper
// rotation keeps a turn's direction, so a move keeps its amount.
const int kSymmetryFace[kSymmetries][6] = {
    {0, 1, 2, 3, 4, 5}, {0, 3, 4, 1, 2, 5}, {5, 1, 4, 3, 2, 0}, {5, 3, 2, 1, 4, 0}};

// conj[c] for every c of a coordinate, from conj[solved] = solved and conj[c·m] = conj[c]·S(m), S(m)
// being m seen after the symmetry: a walk over the coordinate's moves, which reach every value.
template <typename Move>
std::vector<int> Conjugates(int size, int solved, int symmetry, Move move) {
  std::vector<int> conj(static_cast<size_t>(size), -1), queue(1, solved);
  conj[static_cast<size_t>(solved)] = solved;
  for (size_t at = 0; at < queue.size(); ++at) {
    const int c = queue[at];
    for (int m = 0; m < kMoves; ++m) {
      const int next = move(c, m);
      if (conj[static_cast<size_t>(next)] >= 0) continue;
      conj[static_cast<size_t>(next)] =
          move(conj[static_cast<size_t>(c)], kSymmetryFace[symmetry][m / 3] * 3 + m % 3);
      queue.push_back(next);
    }
  }
  return conj;
}

// Each value's class * kSymmetries + the symmetry that takes it to its class's smallest member, and
// those members in order.
template <typename Move>
void Classify(int size, int solved, Move move, uint16_t* classOf, std::vector<int>* members,
              uint16_t (*conjOut)[kFlips] = nullptr) {
  std::vector<int> conj[kSymmetries];
  for (int s = 0; s < kSymmetries; ++s) conj[s] = Conjugates(size, solved, s, move);
  std::vector<int> classOfMember(static_cast<size_t>(size), -1);
  members->clear();
  for (int c = 0; c < size; ++c) {
    int least = c, by = 0;
    for (int s = 1; s < kSymmetries; ++s)
      if (conj[s][static_cast<size_t>(c)] < least) least = conj[s][static_cast<size_t>(c)], by = s;
    if (least == c)
      classOfMember[static_cast<size_t>(c)] = static_cast<int>(members->size()), members->push_back(c);
    classOf[c] = static_cast<uint16_t>(classOfMember[static_cast<size_t>(least)] * kSymmetries + by);
  }
  if (conjOut != nullptr)
    for (int s = 0; s < kSymmetries; ++s)
      for (int c = 0; c < size; ++c) conjOut[s][c] = static_cast<uint16_t>(conj[s][static_cast<size_t>(c)]);
}

}  // namespace

int SymmetryMove(int symmetry, int m) { return kSymmetryFace[symmetry][m / 3] * 3 + m % 3; }

void BuildSymmetryTables(std::vector<int>* twistMembers, std::vector<int>* flipMembers) {
  for (int s = 0; s < kSymmetries; ++s) {
    const std::vector<int> slice =
        Conjugates(kSlices, T.solvedSlice, s, [](int c, int m) { return T.sliceMove[c][m]; });
    for (int c = 0; c < kSlices; ++c) T.sliceConj[s][c] = static_cast<int16_t>(slice[static_cast<size_t>(c)]);
  }
  Classify(
      kTwists, 0, [](int c, int m) { return T.twistMove[c][m]; }, T.twistClass, twistMembers);
  Classify(
      kFlips, 0, [](int c, int m) { return T.flipMove[c][m]; }, T.flipClass, flipMembers, T.flipConj);
}
