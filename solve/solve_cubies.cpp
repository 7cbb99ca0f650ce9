// Cubie states read from cells, their product, the 24 rotations as arrow keys and move tokens.
#include <cstring>

#include "cube/size_tables.h"
#include "solve/solve_steps.h"
#include "study/pieces.h"

namespace {

// A solved cell shows its face's colour.
int HomeColour(int cell) { return cell / kFaceStride; }

// The cells of the corners and edges, in the order of the pieces; and which cubie, turned how, shows
// each reading of a corner's colours (colours 0 to 5, first * 36 + second * 6 + third) or an edge's
// (first * 6 + second): cubie * 3 + turn + 1, 0 for none.
struct Places {
  int corners, edges;
  int16_t corner[8][3], edge[12][2];
  int8_t cornerOf[216], edgeOf[36];
};

void FindPlaces(int n, Places* places) {
  Places& p = *places;
  const PieceSet& set = PiecesOf(n);
  p.corners = p.edges = 0;
  for (int k = 0; k < set.count; ++k) {
    const Piece& piece = set.pieces[k];
    if (piece.kind == kCornerPiece)
      std::memcpy(p.corner[p.corners++], piece.cells, sizeof p.corner[0]);
    else if (piece.kind == kMiddleEdgePiece)
      std::memcpy(p.edge[p.edges++], piece.cells, sizeof p.edge[0]);
  }
  std::memset(p.cornerOf, 0, sizeof p.cornerOf);
  std::memset(p.edgeOf, 0, sizeof p.edgeOf);
  // Cubie j turned t shows its k-th home colour at its place's cell (t + k) % 3.
  for (int j = 0; j < p.corners; ++j)
    for (int t = 0; t < 3; ++t) {
      int seen[3];
      for (int k = 0; k < 3; ++k) seen[(t + k) % 3] = HomeColour(p.corner[j][k]);
      p.cornerOf[seen[0] * 36 + seen[1] * 6 + seen[2]] = static_cast<int8_t>(j * 3 + t + 1);
    }
  for (int j = 0; j < p.edges; ++j)
    for (int t = 0; t < 2; ++t) {
      int seen[2];
      seen[t] = HomeColour(p.edge[j][0]), seen[1 - t] = HomeColour(p.edge[j][1]);
      p.edgeOf[seen[0] * 6 + seen[1]] = static_cast<int8_t>(j * 3 + t + 1);
    }
}

const Places& PlacesOf(int n) { return TableOfSize<Places, FindPlaces>(n); }

struct FaceTurns {
  CubieState of[6];
};

void FindFaceTurns(int n, FaceTurns* turns) {
  CubeState solved, turned;
  ForEachUsedCell(n, [&solved](int cell) { solved[cell] = HomeColour(cell); });
  for (int f = 0; f < 6; ++f) {
    ApplyMap(n, OperationMap(kMapU + f, n), solved, turned);
    ReadCubies(n, turned, &turns->of[f]);
    // Only 2×2×2 has no edges; keep its edge part the identity so products stay defined.
    if (PlacesOf(n).edges == 0)
      for (int i = 0; i < 12; ++i)
        turns->of[f].edgePerm[i] = static_cast<int8_t>(i), turns->of[f].edgeFlip[i] = 0;
  }
}

}  // namespace

bool ReadCubies(int n, const int32_t* pattern, CubieState* state) {
  const Places& p = PlacesOf(n);
  std::memset(state, 0, sizeof *state);
  const auto colour = [pattern](int cell) {
    const int32_t c = pattern[cell];
    return c >= 0 && c < 6 ? static_cast<int>(c) : -1;
  };
  for (int i = 0; i < p.corners; ++i) {
    const int a = colour(p.corner[i][0]), b = colour(p.corner[i][1]), c = colour(p.corner[i][2]);
    const int found = a < 0 || b < 0 || c < 0 ? 0 : p.cornerOf[a * 36 + b * 6 + c];
    if (found == 0) return false;
    state->cornerPerm[i] = static_cast<int8_t>((found - 1) / 3),
    state->cornerTwist[i] = static_cast<int8_t>((found - 1) % 3);
  }
  for (int i = 0; i < p.edges; ++i) {
    const int a = colour(p.edge[i][0]), b = colour(p.edge[i][1]);
    const int found = a < 0 || b < 0 ? 0 : p.edgeOf[a * 6 + b];
    if (found == 0) return false;
    state->edgePerm[i] = static_cast<int8_t>((found - 1) / 3),
    state->edgeFlip[i] = static_cast<int8_t>((found - 1) % 3);
  }
  return true;
}

void MultiplyCubies(const CubieState& a, const CubieState& b, CubieState* result) {
  CubieState r;
  for (int i = 0; i < 8; ++i) {
    r.cornerPerm[i] = a.cornerPerm[b.cornerPerm[i]];
    r.cornerTwist[i] = static_cast<int8_t>((a.cornerTwist[b.cornerPerm[i]] + b.cornerTwist[i]) % 3);
  }
  for (int i = 0; i < 12; ++i) {
    r.edgePerm[i] = a.edgePerm[b.edgePerm[i]];
    r.edgeFlip[i] = static_cast<int8_t>((a.edgeFlip[b.edgePerm[i]] + b.edgeFlip[i]) % 2);
  }
  *result = r;
}

const CubieState& FaceTurnCubies(int n, int face) {
  return TableOfSize<FaceTurns, FindFaceTurns>(n).of[face];
}

namespace {

// Arrow-key sequences of up to four keys (every rotation is at most a half turn about the third axis),
// shortest first, each with the map it makes: the first that `take` takes is spelled out.
template <typename Take>
bool FirstArrows(int n, Take take, char* arrows, char* undoArrows, char* turns) {
  static const char* const kArrowNames[4] = {"<Left>", "<Up>", "<Right>", "<Down>"};
  for (int length = 0; length <= 4; ++length) {
    int count = 1;
    for (int k = 0; k < length; ++k) count *= 4;
    for (int code = 0; code < count; ++code) {
      int keys[4], c = code;
      FaceletMap map;
      IdentityMap(n, &map);
      for (int k = 0; k < length; ++k, c /= 4) {
        keys[k] = c % 4;
        ComposeMaps(n, map, OperationMap(kMapRotateLeft + keys[k], n), &map);
      }
      if (!take(map)) continue;
      arrows[0] = undoArrows[0] = turns[0] = '\0';
      for (int k = 0; k < length; ++k) {
        std::strcat(arrows, kArrowNames[keys[k]]);
        AppendRotationTurns(n, keys[k], turns);
        std::strcat(undoArrows, kArrowNames[(keys[length - 1 - k] + 2) % 4]);
      }
      return true;
    }
  }
  return false;
}

}  // namespace

bool FindRotation(int n, const int32_t* pattern, bool (*home)(int n, const int32_t*), CubeState unrotated,
                  char* arrows, char* undoArrows, char* turns) {
  const auto undone = [&](const FaceletMap& map) {
    FaceletMap inverse;
    ForEachUsedCell(n, [&](int cell) { inverse.from[map.from[cell]] = static_cast<int16_t>(cell); });
    for (int colour = 0; colour < 6; ++colour)
      inverse.colour[map.colour[colour]] = static_cast<int8_t>(colour);
    ApplyMap(n, inverse, pattern, unrotated);
    return home(n, unrotated);
  };
  return FirstArrows(n, undone, arrows, undoArrows, turns);
}

bool SpellRotation(int n, const FaceletMap& rotation, char* arrows, char* undoArrows, char* turns) {
  const auto same = [&](const FaceletMap& map) {
    bool equal = true;
    ForEachUsedCell(n, [&](int cell) { equal = equal && map.from[cell] == rotation.from[cell]; });
    return equal;
  };
  return FirstArrows(n, same, arrows, undoArrows, turns);
}

namespace {

// Whether `turns` quarter turns of each of the layers, in order, make the same cell permutation as target.
bool SameAs(int n, const FaceletMap& target, const int* layers, const int* turns) {
  FaceletMap map;
  IdentityMap(n, &map);
  for (int k = 0; k < 3; ++k)
    for (int q = 0; q < turns[k]; ++q) ComposeMaps(n, map, OperationMap(layers[k], n), &map);
  bool same = true;
  ForEachUsedCell(n, [&](int cell) { same = same && map.from[cell] == target.from[cell]; });
  return same;
}

}  // namespace

void AppendRotationTurns(int n, int arrowKey, char* text) {
  // Left and Right turn about the U-D axis, Up and Down about the L-R axis: each is its axis's two
  // faces and the slice between them (which does nothing on 2×2×2) turned together.
  const bool upright = arrowKey % 2 == 0;
  const int layers[3] = {upright ? U : L, upright ? kMapRowSlice : kMapColumnSlice, upright ? D : R};
  const FaceletMap& target = OperationMap(kMapRotateLeft + arrowKey, n);
  int turns[3];
  for (turns[1] = 0; turns[1] < 4; ++turns[1])
    for (turns[0] = 1; turns[0] < 4; ++turns[0])
      for (turns[2] = 1; turns[2] < 4; ++turns[2]) {
        if (!SameAs(n, target, layers, turns)) continue;
        AppendToken(text, layers[0], turns[0]);
        if (turns[1] != 0) {
          // One turn of the "l" or "d" slice per quarter, in the suffix's usual meaning.
          AppendToken(text, 0, turns[1]);
          text[std::strlen(text) - (turns[1] == 1 ? 1 : 2)] = upright ? 'd' : 'l';
        }
        AppendToken(text, layers[2], turns[2]);
        return;
      }
}

void AppendToken(char* text, int face, int quarterTurns) {
  static const char kLetters[] = "ULFRBD";
  static const char* const kAmounts[] = {"", "", "2", "'"};
  char* end = text + std::strlen(text);
  if (end != text) *end++ = ' ';
  *end++ = kLetters[face];
  std::strcpy(end, kAmounts[quarterTurns]);
}
