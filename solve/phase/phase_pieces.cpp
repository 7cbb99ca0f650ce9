// Pieces read from colours (every place and twist a piece can reach, found by turning it there), and
// ranks of permutations and of bit masks.
#include "solve/phase/phase_pieces.h"

#include <cstring>
#include <mutex>

namespace {

PieceReader readers[kMaxSize + 1][5];
std::once_flag readerOnce[kMaxSize + 1][5];

void BuildReader(int n, OrbitKind kind, PieceReader* reader) {
  const OrbitPlaces& orbit = OrbitOf(n, kind);
  std::memset(reader->pieceOf, -1, sizeof reader->pieceOf);
  const int facelets = kind == kCornerOrbit ? 3 : kind == kWingOrbit || kind == kMiddleEdgeOrbit ? 2 : 1;
  // Where each single layer's quarter turn sends a place, and with what twist: the call's own, as
  // readers of other sizes and orbits may be built on other threads at the same time.
  int8_t to[6 * kMaxSize][kMaxOrbitPlaces], turn[6 * kMaxSize][kMaxOrbitPlaces];
  int moves = 0;
  for (int face = 0; face < 6; ++face)
    for (int layer = 1; layer <= n; ++layer, ++moves) {
      int8_t from[kMaxOrbitPlaces], twist[kMaxOrbitPlaces];
      MovePlaces(orbit, Block(face, layer, layer, 1), from, twist);
      for (int q = 0; q < orbit.count; ++q)
        to[moves][from[q]] = static_cast<int8_t>(q), turn[moves][from[q]] = twist[q];
    }
  for (int piece = 0; piece < orbit.count; ++piece) {
    int colour[3] = {0, 0, 0};
    for (int k = 0; k < facelets; ++k) colour[k] = orbit.cells[piece][k] / kFaceStride;
    bool seen[kMaxOrbitPlaces][3] = {};
    int queue[kMaxOrbitPlaces * 3][2], head = 0, tail = 0;
    queue[tail][0] = piece, queue[tail++][1] = 0;
    seen[piece][0] = true;
    while (head < tail) {
      const int place = queue[head][0], twist = queue[head++][1];
      int shown[3] = {0, 0, 0};
      for (int j = 0; j < facelets; ++j) shown[j] = colour[(j + twist) % facelets];
      reader->pieceOf[place][shown[0]][shown[1]][shown[2]] = static_cast<int8_t>(piece * 4 + twist);
      for (int m = 0; m < moves; ++m) {
        const int next = to[m][place], nextTwist = (twist + turn[m][next]) % facelets;
        if (seen[next][nextTwist]) continue;
        seen[next][nextTwist] = true;
        queue[tail][0] = next, queue[tail++][1] = nextTwist;
      }
    }
  }
}

struct Binomials {
  uint32_t c[33][33];
  Binomials() {
    for (int n = 0; n <= 32; ++n)
      for (int k = 0; k <= 32; ++k) c[n][k] = k == 0 ? 1 : n == 0 ? 0 : c[n - 1][k - 1] + c[n - 1][k];
  }
};
const Binomials kBinomials;

}  // namespace

const PieceReader& PieceReaderOf(int n, OrbitKind kind) {
  std::call_once(readerOnce[n][kind], [&] { BuildReader(n, kind, &readers[n][kind]); });
  return readers[n][kind];
}

bool ReadPieces(const OrbitPlaces& orbit, const BigState& state, int8_t* piece, int8_t* twist) {
  const PieceReader& reader = PieceReaderOf(orbit.n, static_cast<OrbitKind>(orbit.kind));
  const int facelets = orbit.kind == kCornerOrbit ? 3 : 2;
  for (int q = 0; q < orbit.count; ++q) {
    int shown[3] = {0, 0, 0};
    for (int j = 0; j < facelets; ++j) {
      shown[j] = state.cells[orbit.cells[q][j]];
      if (shown[j] < 0 || shown[j] > 5) return false;
    }
    const int found = reader.pieceOf[q][shown[0]][shown[1]][shown[2]];
    if (found < 0) return false;
    piece[q] = static_cast<int8_t>(found / 4);
    twist[q] = static_cast<int8_t>(found % 4);
  }
  return true;
}

bool OddPermutation(const int8_t* perm, int count) {
  bool seen[32] = {};
  int cycles = 0;
  for (int k = 0; k < count; ++k) {
    if (seen[k]) continue;
    ++cycles;
    for (int j = k; !seen[j]; j = perm[j]) seen[j] = true;
  }
  return (count - cycles) % 2 == 1;
}

uint32_t RankPermutation(const int8_t* perm, int count) {
  uint32_t rank = 0;
  for (int k = 0; k < count; ++k) {
    int smaller = 0;
    for (int j = k + 1; j < count; ++j) smaller += perm[j] < perm[k];
    rank = rank * static_cast<uint32_t>(count - k) + static_cast<uint32_t>(smaller);
  }
  return rank;
}

void UnrankPermutation(uint32_t rank, int count, int8_t* perm) {
  int digits[32];
  for (int k = count - 1; k >= 0; --k) {
    digits[k] = static_cast<int>(rank % static_cast<uint32_t>(count - k));
    rank /= static_cast<uint32_t>(count - k);
  }
  bool used[32] = {};
  for (int k = 0; k < count; ++k) {
    int skip = digits[k];
    for (int v = 0; v < count; ++v) {
      if (used[v]) continue;
      if (skip-- == 0) {
        perm[k] = static_cast<int8_t>(v);
        used[v] = true;
        break;
      }
    }
  }
}

uint32_t Choose(int n, int k) { return n < 0 || k < 0 || k > n ? 0 : kBinomials.c[n][k]; }

uint32_t RankMask(uint32_t mask, int n, int k) {
  uint32_t rank = 0;
  for (int place = n - 1; place >= 0 && k > 0; --place)
    if (mask >> place & 1) rank += Choose(place, k--);
  return rank;
}

uint32_t UnrankMask(uint32_t rank, int n, int k) {
  uint32_t mask = 0;
  for (int place = n - 1; place >= 0 && k > 0; --place) {
    const uint32_t below = Choose(place, k);
    if (rank >= below) {
      rank -= below;
      mask |= 1u << place;
      --k;
    }
  }
  return mask;
}
