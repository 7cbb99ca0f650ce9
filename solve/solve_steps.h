// What the solver's files share: cubie states read from cells, their product, rotations and tokens.
#pragma once

#include "cube/cube.h"
#include "study/facelet_map.h"

// Position i holds cubie perm[i], its first facelet at the position's cell twist[i].
struct CubieState {
  int8_t cornerPerm[8], cornerTwist[8];
  int8_t edgePerm[12], edgeFlip[12];
};

// Reads a pattern of size 2 or 3 as cubies; false when a piece's colours match no cubie.
bool ReadCubies(int n, const int32_t* pattern, CubieState* state);
// a followed by b.
void MultiplyCubies(const CubieState& a, const CubieState& b, CubieState* result);
// The cubie effect of the face quarter turn `face` at size n.
const CubieState& FaceTurnCubies(int n, int face);

// Room for a rotation's arrow keys, or its layer turns, with the terminating zero.
const int kMaxRotationText = 64;

// Finds the whole-cube rotation whose arrow keys, applied after the returned `unrotated` pattern,
// give `pattern`, and for which home(unrotated) holds; `turns` spells it as layer turns, which a move
// file can hold. False when none does.
bool FindRotation(int n, const int32_t* pattern, bool (*home)(int n, const int32_t*), CubeState unrotated,
                  char* arrows, char* undoArrows, char* turns);
// The arrow keys that make the rotation whose cell map is `rotation` (the first of the fewest, as
// FindRotation takes them), the keys that undo it and the same as layer turns; false when none does.
bool SpellRotation(int n, const FaceletMap& rotation, char* arrows, char* undoArrows, char* turns);
// Appends the layer turns that make the arrow key's rotation (0 to 3: Left, Up, Right, Down).
void AppendRotationTurns(int n, int arrowKey, char* text);

// Appends the token of face turned quarterTurns (1 to 3) clockwise, with a space before all but the first.
void AppendToken(char* text, int face, int quarterTurns);
