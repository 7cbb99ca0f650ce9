// The pattern as the 3×3×3 search sees it, and where a first phase starts.
#include "solve/solve_directions.h"

#include <algorithm>
#include <cstring>

#include "solve/solve_coordinates.h"
#include "study/facelet_map.h"

namespace {

SearchTables& T = searchTables;

void Invert(const CubieState& a, CubieState* result) {
  for (int i = 0; i < 8; ++i) {
    result->cornerPerm[a.cornerPerm[i]] = static_cast<int8_t>(i);
    result->cornerTwist[a.cornerPerm[i]] = static_cast<int8_t>((3 - a.cornerTwist[i]) % 3);
  }
  for (int i = 0; i < 12; ++i) {
    result->edgePerm[a.edgePerm[i]] = static_cast<int8_t>(i);
    result->edgeFlip[a.edgePerm[i]] = a.edgeFlip[i];
  }
}

// Reads the pattern seen after `map`, its colours renamed so the centres are home; faceOf gets the
// pattern's face for each face of that frame.
bool ReadFrame(const int32_t* pattern, const FaceletMap& map, CubieState* state, int* faceOf) {
  CubeState rotated;
  ApplyMap(3, map, pattern, rotated);
  int rename[6];
  for (int face = 0; face < 6; ++face) {
    faceOf[face] = rotated[CellIndex(face, 1, 1)];
    rename[faceOf[face]] = face;
  }
  ForEachUsedCell(3, [&](int cell) { rotated[cell] = rename[rotated[cell]]; });
  return ReadCubies(3, rotated, state);
}

}  // namespace

const CubieState& MoveCubie(int m) {
  struct Moves {
    CubieState of[kMoves];
    Moves() {
      for (int k = 0; k < kMoves; ++k) {
        CubieState& c = of[k];
        for (int i = 0; i < 8; ++i) c.cornerPerm[i] = static_cast<int8_t>(i), c.cornerTwist[i] = 0;
        for (int i = 0; i < 12; ++i) c.edgePerm[i] = static_cast<int8_t>(i), c.edgeFlip[i] = 0;
        MoveCubies(k, &c);
      }
    }
  };
  static const Moves moves;
  return moves.of[m];
}

// Fills start from the state (and the same seen turned); false when a distance is past `within`.
// The turned state is `turnedMove` (when not -1) followed by turnedBefore, worked out only when the
// other bounds leave the start within reach.
bool StartOf(const CubieState& state, const CubieState& turnedBefore, int turnedMove, int within,
             Phase1Position* start) {
  Phase1Position& p = *start;
  p.twist = TwistOf(state);
  p.flip = FlipOf(state);
  p.slice = SliceOf(state);
  p.distance[0] = Distance(T.twistSlicePrune, TwistSliceIndex(p.twist, p.slice));
  p.distance[1] = Distance(T.flipSlicePrune, FlipSliceIndex(p.flip, p.slice));
  p.distance[2] = Distance(T.twistFlipPrune, TwistFlipIndex(p.twist, p.flip));
  if (*std::max_element(p.distance, p.distance + 3) > within) return false;
  CubieState turned = turnedBefore;
  if (turnedMove >= 0) MultiplyCubies(MoveCubie(turnedMove), turnedBefore, &turned);
  p.turnedTwist = TwistOf(turned);
  p.turnedFlip = FlipOf(turned);
  p.distance[3] = Distance(T.twistFlipPrune, TwistFlipIndex(p.turnedTwist, p.turnedFlip));
  if (p.distance[3] > within) return false;
  return true;
}

bool RepeatsEarlier(const Direction* directions, int direction) {
  for (int k = 0; k < direction; ++k)
    if (std::memcmp(&directions[k].start, &directions[direction].start, sizeof(CubieState)) == 0) return true;
  return false;
}

namespace {

// The frames of the three axes: a rotation that brings the axis to U-D, the same turned a quarter about
// it, and the rotations about it (and half turns that swap its ends) that could leave a pattern as it
// is. With the centres home none depends on the pattern, so they are composed once.
struct AxisFrames {
  FaceletMap map, turned, rotation[8];
};

void ComposeFrames(AxisFrames* frames) {
  CubeState solved, rotated;
  ForEachUsedCell(3, [&solved](int cell) { solved[cell] = cell / kFaceStride; });
  bool axisDone[3] = {};
  for (int code = 0; code < 16; ++code) {
    FaceletMap map;
    IdentityMap(3, &map);
    for (int k = 0, c = code; k < 2; ++k, c /= 4)
      ComposeMaps(3, map, OperationMap(kMapRotateLeft + c % 4, 3), &map);
    ApplyMap(3, map, solved, rotated);
    const int axis = kAxis[rotated[CellIndex(0, 1, 1)]];
    if (axisDone[axis]) continue;
    axisDone[axis] = true;
    AxisFrames& f = frames[axis];
    f.map = map;
    ComposeMaps(3, map, OperationMap(kMapRotateLeft, 3), &f.turned);
    for (int r = 1; r < 8; ++r) {
      // A quarter turn r % 4 times about U-D, after a half turn about L-R for r >= 4.
      f.rotation[r] = map;
      for (int k = 0; k < (r >= 4 ? 2 : 0); ++k)
        ComposeMaps(3, f.rotation[r], OperationMap(kMapRotateUp, 3), &f.rotation[r]);
      for (int k = 0; k < r % 4; ++k)
        ComposeMaps(3, f.rotation[r], OperationMap(kMapRotateLeft, 3), &f.rotation[r]);
    }
  }
}

const AxisFrames* FramesOfAxes() {
  struct Frames {
    AxisFrames of[3];
    Frames() { ComposeFrames(of); }
  };
  static const Frames frames;
  return frames.of;
}

}  // namespace

// Seen after a whole-cube rotation with its colours renamed so the centres are home, a pattern is made
// by the same turns with their faces renamed.
bool SetUpDirections(const int32_t* pattern, Direction* directions) {
  const AxisFrames* frames = FramesOfAxes();
  for (int axis = 0; axis < 3; ++axis) {
    const AxisFrames& f = frames[axis];
    Direction d;
    CubieState start, turnedStart;
    if (!ReadFrame(pattern, f.map, &start, d.faceOf)) return false;
    // The same frame turned a quarter about its U-D axis has the same first-phase goal, but its edge
    // flips read differently: its twist-flip distance is a second bound.
    int turnedFaceOf[6];
    if (!ReadFrame(pattern, f.turned, &turnedStart, turnedFaceOf)) return false;
    const auto moveMap = [&d](const int* faceOf, int* moveOf) {
      for (int face = 0; face < 6; ++face)
        for (int other = 0; other < 6; ++other)
          if (faceOf[other] == d.faceOf[face])
            for (int power = 0; power < 3; ++power) moveOf[face * 3 + power] = other * 3 + power;
    };
    moveMap(turnedFaceOf, d.turnedMove);
    d.symmetries = 0;
    for (int r = 1; r < 8; ++r) {
      CubieState seen;
      int seenFaceOf[6];
      if (!ReadFrame(pattern, f.rotation[r], &seen, seenFaceOf)) return false;
      if (std::memcmp(&seen, &start, sizeof seen) != 0) continue;
      d.symmetries |= 1u << r;
      moveMap(seenFaceOf, d.symmetryMove[r]);
    }
    for (int inverted = 0; inverted < 2; ++inverted) {
      d.inverted = inverted;
      d.start = start;
      d.turnedStart = turnedStart;
      if (inverted) Invert(start, &d.start), Invert(turnedStart, &d.turnedStart);
      if (!StartOf(d.start, d.turnedStart, -1, kMaxDepth, &d.begin)) return false;
      directions[3 * inverted + axis] = d;
    }
  }
  return true;
}
