// The steps of the reachability check and what they share: the pattern in its frame, the piece lists
// and the wording of problems.
#pragma once

#include <cstddef>

#include "study/facelet_map.h"
#include "study/pieces.h"
#include "study/reachability.h"

const int kMaxWingOrbits = (kMaxSize - 2) / 2;
const int kMaxCentreOrbits = (kMaxSize - 2) * (kMaxSize - 2) / 4;
const int kOrbitPlaces = 24;  // wings and centres alike: four per face, two per edge

// Piece indices of PiecesOf(n), by kind and orbit, with what identifies each home piece by its colours.
struct PieceLists {
  int corners[8];
  int edgeCount;  // middle edges: 12 on odd sizes, else 0
  int edges[12];
  int8_t cornerOfMask[64];  // colours as bits -> the corner (0 to 7) whose home faces they are, or -1
  int8_t edgeOfMask[64];    // the same for an edge: which of the twelve edge places, or -1
  int8_t edgeFaces[12][2];  // each edge place's faces, the U or D one first, else the F or B one
  int wingOrbitCount;       // orbit k is held at k - 1
  int wings[kMaxWingOrbits][kOrbitPlaces];
  int8_t edgePlace[kMaxPieces];  // which of the twelve edge places an edge or wing lies on
  int8_t wingSign[kMaxPieces];   // handedness of (first facelet, second facelet, way to the nearer end)
  int centreOrbitCount;
  int centreOrbit[kMaxCentreOrbits];  // pieces.h's orbit number
  int centres[kMaxCentreOrbits][kOrbitPlaces];
};

// Built on first use for each size 2 to 10.
const PieceLists& ListsOf(int n);

struct ReachContext {
  int n;
  // Measured in the home frame when one was found (U shows the colour of U and so on), else as shown.
  CubeState pattern;
  const FaceletMap* shown;  // shown->from[cell]: where the shown pattern holds the measured cell
  bool framed;
  FaceletMap recolouredFrame;  // shown points here when the scheme is a mirror image
  ReachabilityReport* report;
  int found;  // problems found, listed or not
  // Set by the corner and edge steps when every piece is there exactly once and sound: -1 otherwise.
  int cornerParity;
  int edgeParity;
  int cornerSwap[2], edgeSwap[2];  // the two places of a permutation that is one swap, else -1
};

// The 24 whole-cube rotations of size n; the first is the identity.
const FaceletMap* RotationsOf(int n);

// Corners that show a real corner's colours, in its clockwise order or in the mirror order.
void CountCornerHands(const ReachContext& context, int* sound, int* mirrored);
void CheckCorners(ReachContext* context);
void CheckMiddleEdges(ReachContext* context);
void CheckParity(ReachContext* context);
void CheckWings(ReachContext* context);
void CheckCentres(ReachContext* context);

// Words. A problem found once the report is full is only counted, so its words need not be made.
inline bool Listing(const ReachContext& context) { return context.report->problemCount < kMaxReachProblems; }
inline void CountProblem(ReachContext* context) { ++context->found; }
#ifdef __GNUC__
#define PLEXARO_PRINTF_LIKE __attribute__((format(printf, 2, 3)))
#else
#define PLEXARO_PRINTF_LIKE
#endif
void AddProblem(ReachContext* context, const char* format, ...) PLEXARO_PRINTF_LIKE;
const char* ColourName(int colour);  // "white" ... "blue"; "no colour" for other values
const char* CountWord(int count);    // "no", "one" ... "eight", then digits
// The faces that show a measured piece, as "U, F and R" (U, D, F, B, L, R first to last).
void PlaceName(const ReachContext& context, const Piece& piece, char* out, size_t size);
// The colours whose counts are not `expected`, as "10 white squares and 8 red ones"; first is the
// first such count, or -1 if every count is right.
void CountsText(const int counts[6], int expected, char* out, size_t size, int* first);
// A measured colour as the shown pattern has it.
int ShownColour(const ReachContext& context, int colour);
// Measured colours as shown, "white, yellow and orange".
void ColourList(const ReachContext& context, const int* colours, int count, char* out, size_t size);
