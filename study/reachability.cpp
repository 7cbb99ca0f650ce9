// The reachability check: colour counts, the colour scheme and its frame, then every kind of piece.
#include "study/reachability.h"

#include <cstdio>

#include "study/reachability_steps.h"

namespace {

void CheckColourCounts(const Cube& cube, ReachContext* context) {
  const int n = context->n;
  int counts[6] = {}, others = 0;
  ForEachUsedCell(n, [&](int cell) {
    const int32_t colour = cube.live[cell];
    if (colour >= 0 && colour < 6)
      ++counts[colour];
    else
      ++others;
  });
  if (others > 0)
    AddProblem(context, "%d square%s no colour of the six", others, others == 1 ? " shows" : "s show");
  char text[160];
  int first;
  CountsText(counts, n * n, text, sizeof text, &first);
  if (first >= 0)
    AddProblem(context, "there %s %s; each colour needs %d", first == 1 ? "is" : "are", text, n * n);
}

const int kOpposite[6] = {5, 3, 4, 1, 2, 0};  // of a face, and so of its home colour

// Why the fixed centres fit no rotation of the colour scheme; true if they fit a mirror image of it.
bool ExplainCentres(ReachContext* context, const int32_t* pattern) {
  static const char* const kLetters[6] = {"U", "L", "F", "R", "B", "D"};
  const int middle = context->n / 2;
  int shown[6];
  for (int face = 0; face < 6; ++face) shown[face] = pattern[CellIndex(face, middle, middle)];
  bool distinct = true;
  for (int colour = 0; colour < 6; ++colour) {
    const char* faces[6];
    int count = 0;
    for (int face = 0; face < 6; ++face)
      if (shown[face] == colour) faces[count++] = kLetters[face];
    if (count == 1) continue;
    distinct = false;
    if (count == 0) {
      AddProblem(context, "no centre shows %s", ColourName(colour));
    } else {
      char list[32] = "";
      for (int k = 0, used = 0; k < count; ++k)
        used += std::snprintf(list + used, sizeof list - used, "%s%s",
                              k == 0           ? ""
                              : k == count - 1 ? " and "
                                               : ", ",
                              faces[k]);
      AddProblem(context, "the centres of %s %s show %s", list, count == 2 ? "both" : "all",
                 ColourName(colour));
    }
  }
  if (!distinct) return false;
  char pairs[96] = "";
  int bad = 0, used = 0;
  const Face axes[3] = {U, L, F};
  for (Face face : axes) {
    if (shown[kOpposite[face]] == kOpposite[shown[face]]) continue;
    used += std::snprintf(pairs + used, sizeof pairs - used, "%s%s opposite %s", bad == 0 ? "" : " and ",
                          ColourName(shown[face]), ColourName(shown[kOpposite[face]]));
    ++bad;
  }
  if (bad > 0) {
    AddProblem(context,
               "the centres put %s; a real cube pairs white with blue, red with orange and yellow with green",
               pairs);
    return false;
  }
  AddProblem(context, "the centres show a mirror image of the colour scheme");
  return true;
}

// Odd sizes: the rotation that brings each fixed centre's colour to its own face.
const FaceletMap* FrameByCentres(int n, const int32_t* pattern, const FaceletMap* turns) {
  const int middle = n / 2;
  for (int k = 0; k < 24; ++k) {
    bool home = true;
    for (int face = 0; face < 6 && home; ++face)
      home = pattern[turns[k].from[CellIndex(face, middle, middle)]] == face;
    if (home) return &turns[k];
  }
  return nullptr;
}

// Even sizes: the rotation that brings a corner shown once, unmirrored, to its own place untwisted. The
// corner step says what is wrong when there is none.
const FaceletMap* FrameByCorners(int n, const int32_t* pattern, const FaceletMap* turns) {
  const PieceLists& lists = ListsOf(n);
  const PieceSet& set = PiecesOf(n);
  for (int corner = 0; corner < 8; ++corner) {
    const Piece& piece = set.pieces[lists.corners[corner]];
    int matches = 0, match = 0;
    for (int k = 0; k < 24; ++k) {
      bool home = true;
      for (int c = 0; c < 3 && home; ++c)
        home = pattern[turns[k].from[piece.cells[c]]] == piece.cells[c] / kFaceStride;
      if (home) ++matches, match = k;
    }
    if (matches == 1) return &turns[match];
  }
  return nullptr;
}

const FaceletMap* FindFrame(int n, const int32_t* pattern, const FaceletMap* turns) {
  return n % 2 ? FrameByCentres(n, pattern, turns) : FrameByCorners(n, pattern, turns);
}

// Whether the shown pattern carries the mirror image of the colour scheme; says so if it does.
bool ShowsMirrorScheme(ReachContext* context) {
  if (context->n % 2) return ExplainCentres(context, context->pattern);
  if (context->n < 2) return false;
  int sound, mirrored;
  CountCornerHands(*context, &sound, &mirrored);
  if (mirrored <= sound) return false;
  AddProblem(context, "the corners show a mirror image of the colour scheme");
  return true;
}

}  // namespace

void CheckReachable(const Cube& cube, ReachabilityReport* report) {
  report->reachable = false;
  report->problemCount = 0;
  ReachContext context;
  context.n = cube.size;
  context.report = report;
  context.found = 0;
  context.cornerParity = context.edgeParity = -1;
  context.cornerSwap[0] = context.cornerSwap[1] = context.edgeSwap[0] = context.edgeSwap[1] = -1;
  if (context.n < 1 || context.n > kMaxSize) {
    AddProblem(&context, "a cube of size %d cannot be checked; sizes run from 1 to %d", context.n, kMaxSize);
    return;
  }
  const int n = context.n;
  CheckColourCounts(cube, &context);
  const FaceletMap* turns = RotationsOf(n);
  context.shown = &turns[0];
  ApplyMap(n, turns[0], cube.live, context.pattern);
  const FaceletMap* frame = FindFrame(n, context.pattern, turns);
  context.framed = frame != nullptr;
  if (frame) {
    context.shown = frame;
  } else if (ShowsMirrorScheme(&context)) {
    // Orange and red traded turn the mirror image of the scheme into the scheme, and turn the mirror
    // image of any reachable pattern into a reachable one: the model's reflections do just that.
    FaceletMap traded;
    IdentityMap(n, &traded);
    traded.colour[1] = 3;
    traded.colour[3] = 1;
    CubeState recoloured;
    ApplyMap(n, traded, cube.live, recoloured);
    frame = FindFrame(n, recoloured, turns);
    context.framed = frame != nullptr;
    ComposeMaps(n, traded, frame ? *frame : turns[0], &context.recolouredFrame);
    context.shown = &context.recolouredFrame;
  }
  ApplyMap(n, *context.shown, cube.live, context.pattern);
  if (n >= 2) {
    CheckCorners(&context);
    CheckMiddleEdges(&context);
    CheckParity(&context);
    CheckWings(&context);
    CheckCentres(&context);
  }
  report->reachable = context.found == 0;
  // The last line gives way to a count of all it could not hold.
  if (context.found > kMaxReachProblems)
    std::snprintf(report->problems[kMaxReachProblems - 1], kReachProblemLength, "and %d more problems",
                  context.found - (kMaxReachProblems - 1));
}
