// Where in a text a move was written: the token that produced it, as a byte offset and a length.
#pragma once

#include <cstddef>
#include <cstdint>

// A move that comes from an expansion (a repeated or inverted group, a commutator or a conjugate) has
// the place of the token it was expanded from.
struct TextPlace {
  uint32_t offset;
  uint32_t length;
};

// Whether the token at the place takes in the byte at `offset`.
inline bool PlaceHolds(const TextPlace& place, uint64_t offset) {
  return offset >= place.offset && offset - place.offset < place.length;
}

// Whether every place in a text this long can be named: below 4 GiB (two shifts, as a 32-bit size_t
// cannot be shifted by 32 at once).
inline bool TextPlaceable(size_t length) { return (length >> 31 >> 1) == 0; }
