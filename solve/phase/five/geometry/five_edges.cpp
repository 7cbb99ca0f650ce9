// Edge slots and their low and high wing places, found from the last phases' moves, and the pieces read.
#include "solve/phase/five/geometry/five_edges.h"

#include <mutex>

#include "solve/phase/phase_geometry.h"
#include "solve/phase/phase_pieces.h"

namespace {

void Build(FiveEdges* edges) {
  const OrbitPlaces& middles = OrbitOf(kFive, kMiddleEdgeOrbit);
  const OrbitPlaces& wings = OrbitOf(kFive, kWingOrbit);
  for (int s = 0; s < 12; ++s)
    for (int k = 0; k < 2; ++k) edges->faces[s][k] = static_cast<int8_t>(middles.cells[s][k] / kFaceStride);
  for (int q = 0; q < 24; ++q) {
    const int a = wings.cells[q][0] / kFaceStride, b = wings.cells[q][1] / kFaceStride;
    for (int s = 0; s < 12; ++s)
      if ((edges->faces[s][0] == a && edges->faces[s][1] == b) ||
          (edges->faces[s][0] == b && edges->faces[s][1] == a))
        edges->slotOfWing[q] = static_cast<int8_t>(s);
  }
  // The low places: those the last two phases' moves reach from place 0.
  BlockMove list[2 * kMaxPhaseMoves];
  int count = FirstEdgesMoves(list);
  count += LastEdgesMoves(list + count);
  int8_t from[2 * kMaxPhaseMoves][24];
  for (int m = 0; m < count; ++m) {
    int8_t twist[24];
    MovePlaces(wings, list[m], from[m], twist);
  }
  edges->low = 1;
  for (bool grew = true; grew;) {
    grew = false;
    for (int m = 0; m < count; ++m)
      for (int q = 0; q < 24; ++q)
        if ((edges->low >> from[m][q] & 1) && !(edges->low >> q & 1)) edges->low |= 1u << q, grew = true;
  }
  for (int q = 0; q < 24; ++q)
    (edges->low >> q & 1 ? edges->lowPlace : edges->highPlace)[edges->slotOfWing[q]] = static_cast<int8_t>(q);
}

}  // namespace

const FiveEdges& FiveEdgeGeometry() {
  static FiveEdges edges;
  static std::once_flag once;
  std::call_once(once, [] { Build(&edges); });
  return edges;
}

uint32_t SliceSlots(int axis) {
  const FiveEdges& edges = FiveEdgeGeometry();
  uint32_t mask = 0;
  for (int s = 0; s < 12; ++s)
    if (AxisOfFace(edges.faces[s][0]) != axis && AxisOfFace(edges.faces[s][1]) != axis) mask |= 1u << s;
  return mask;
}

int FirstEdgesMoves(BlockMove* moves) {
  int count = 0;
  for (int face : {U, D})
    for (int q = 1; q <= 3; ++q) moves[count++] = Block(face, 1, 1, q);
  for (int face : {R, L, F, B}) moves[count++] = Block(face, 1, 1, 2);
  for (int face = 0; face < 6; ++face) moves[count++] = Block(face, 1, 2, 2);
  return count;
}

int LastEdgesMoves(BlockMove* moves) {
  int count = 0;
  for (int face : {R, L})
    for (int q = 1; q <= 3; ++q) moves[count++] = Block(face, 1, 1, q);
  for (int face : {U, D, F, B}) moves[count++] = Block(face, 1, 1, 2);
  for (int face : {U, D, F, B}) moves[count++] = Block(face, 1, 2, 2);
  return count;
}

bool ReadFiveEdges(const BigState& fixedColours, FiveEdgePieces* out) {
  const FiveEdges& edges = FiveEdgeGeometry();
  if (!ReadPieces(OrbitOf(kFive, kMiddleEdgeOrbit), fixedColours, out->middle, out->twist)) return false;
  int8_t wing[24], twist[24];
  if (!ReadPieces(OrbitOf(kFive, kWingOrbit), fixedColours, wing, twist)) return false;
  for (int q = 0; q < 24; ++q) {
    out->wingEdge[q] = edges.slotOfWing[wing[q]];
    out->wingLow[q] = static_cast<int8_t>(edges.low >> wing[q] & 1);
  }
  return true;
}
