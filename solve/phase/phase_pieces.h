// Reading which piece stands at each place of an orbit from a pattern's colours, and the permutation
// algebra the phases' coordinates share.
#pragma once

#include <cstdint>

#include "solve/phase/phase_geometry.h"

// For edge and corner orbits: piece p (named by its home place) standing at place q with the twist t
// (which of its facelets shows on q's first cell) shows colours that identify it. Built on first use.
struct PieceReader {
  // (place, first colour, second colour[, third]) -> piece * 4 + twist, or -1 when no piece shows so.
  int8_t pieceOf[kMaxOrbitPlaces][6][6][6];
};
const PieceReader& PieceReaderOf(int n, OrbitKind kind);

// The piece (home place) and twist at every place of the orbit; false when some place shows colours
// no piece of the orbit can show there.
bool ReadPieces(const OrbitPlaces& orbit, const BigState& state, int8_t* piece, int8_t* twist);

// Whether a permutation of count places (place -> what it holds) is odd.
bool OddPermutation(const int8_t* perm, int count);

// Lexicographic rank of a permutation of count distinct values 0..count-1, and back.
uint32_t RankPermutation(const int8_t* perm, int count);
void UnrankPermutation(uint32_t rank, int count, int8_t* perm);

// The number of ways to choose k of n (n up to 32).
uint32_t Choose(int n, int k);
// Rank of a bit mask of `n` bits with k set among all such masks (combinatorial number system), and back.
uint32_t RankMask(uint32_t mask, int n, int k);
uint32_t UnrankMask(uint32_t rank, int n, int k);
