// The symmetry group of a pattern: which of the cube's 48 symmetries keep it, its name, each in words.
#pragma once

#include "study/facelet_map.h"

// A symmetry of the cube as a motion of space: a signed permutation matrix on the axes x (L to R),
// y (D to U) and z (B to F), acting on column vectors.
struct CubeSymmetry {
  int8_t m[3][3];
};

const int kSymmetryWordsSize = 96;

struct SymmetryReport {
  int symmetries;  // of the 48, those that carry the pattern onto itself, colours changed alike
  int rotations;   // those of them that are rotations
  int totalC;      // 24 / rotations and 48 / symmetries: the two totals the symmetry count shows
  int totalM;
  char group[80];  // the Schoenflies name, with its axes or planes in words where the name alone is ambiguous
  // The symmetries kept, rotations first, in the frame of the pattern as it is shown.
  CubeSymmetry kept[48];
  char words[48][kSymmetryWordsSize];
};

// For the cube's pattern, as the symmetry count would orient it with the generator where it stands;
// changes neither.
struct Random;
void FindSymmetryGroup(const Cube& cube, const Random& random, SymmetryReport* report);

// The motion a whole-cube map makes, read from where each face's cells go.
CubeSymmetry SymmetryOfMap(int n, const FaceletMap& map);

// a followed by b.
CubeSymmetry ComposeSymmetries(const CubeSymmetry& a, const CubeSymmetry& b);
bool SameSymmetry(const CubeSymmetry& a, const CubeSymmetry& b);

// "identity", "quarter turn about the U-D axis, clockwise seen from U", "mirror in the plane between L
// and R", ... (always shorter than kSymmetryWordsSize).
void DescribeSymmetry(const CubeSymmetry& symmetry, char* words, int size);

// The name of the group the elements form, read from how many elements of each kind it holds.
void NameSymmetryGroup(const CubeSymmetry* elements, int count, char* name, int size);
