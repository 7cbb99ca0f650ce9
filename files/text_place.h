// Where in a text a move was written: the token that produced it, as a byte offset and a length.
#pragma once

#include <cstdint>

// A move that comes from an expansion (a repeated or inverted group, a commutator or a conjugate) has
// the place of the token it was expanded from.
struct TextPlace {
  uint32_t offset;
  uint32_t length;
};

inline bool PlaceHolds(const TextPlace& place, uint64_t offset) {
  return offset >= place.offset && offset - place.offset < place.length;
}
