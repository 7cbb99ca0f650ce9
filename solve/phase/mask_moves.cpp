// Bit masks over an orbit's places, turned byte by byte.
#include "solve/phase/mask_moves.h"

#include "solve/phase/phase_pieces.h"

void MaskMoves::Fill(const int8_t* to, int places, uint32_t (*bytes)[256]) {
  for (int b = 0; b < 3; ++b)
    for (int value = 0; value < 256; ++value) {
      uint32_t image = 0;
      for (int bit = 0; bit < 8; ++bit) {
        const int place = b * 8 + bit;
        if ((value >> bit & 1) && place < places) image |= 1u << to[place];
      }
      bytes[b][value] = image;
    }
}

void MaskMoves::Build(const OrbitPlaces& orbit, const BlockMove* moves, int count) {
  for (int m = 0; m < count && m < 64; ++m) {
    int8_t from[kMaxOrbitPlaces], twist[kMaxOrbitPlaces], to[kMaxOrbitPlaces];
    MovePlaces(orbit, moves[m], from, twist);
    for (int q = 0; q < orbit.count; ++q) to[from[q]] = static_cast<int8_t>(q);
    Fill(to, orbit.count, bytes_[m]);
  }
}

uint32_t ColourMask(const OrbitPlaces& orbit, const BigState& state, unsigned colourSet) {
  uint32_t mask = 0;
  for (int q = 0; q < orbit.count; ++q)
    if (colourSet >> state.cells[orbit.cells[q][0]] & 1) mask |= 1u << q;
  return mask;
}

uint32_t FaceMask(const OrbitPlaces& orbit, unsigned faceSet) {
  uint32_t mask = 0;
  for (int q = 0; q < orbit.count; ++q)
    if (faceSet >> (orbit.cells[q][0] / kFaceStride) & 1) mask |= 1u << q;
  return mask;
}

void MaskRanker::Build(uint32_t within) {
  // Each place's number among the places of `within`.
  int number[24], count = 0;
  for (int place = 0; place < 24; ++place) number[place] = within >> place & 1 ? count++ : -1;
  for (int b = 0; b < 3; ++b)
    for (int value = 0; value < 256; ++value) {
      int inside = 0;
      for (int bit = 0; bit < 8; ++bit) inside += (value >> bit & 1) && number[b * 8 + bit] >= 0;
      count_[b][value] = static_cast<uint8_t>(inside);
      for (int before = 0; before <= 24; ++before) {
        // The combinatorial number system: the j-th place set (from 0) at number p adds C(p, j + 1).
        uint32_t sum = 0;
        int j = before;
        for (int bit = 0; bit < 8; ++bit) {
          const int p = number[b * 8 + bit];
          if ((value >> bit & 1) && p >= 0) sum += Choose(p, ++j);
        }
        part_[b][value][before] = sum;
      }
    }
}
