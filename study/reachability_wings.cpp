// Wings and centres: each wing orbit holds each of its wings once and never flipped, each centre orbit
// four centres of every colour.
#include "study/reachability_steps.h"

namespace {

// How the problems name an orbit when a size has more than one: "next to a corner", "third from a corner".
const char* WingOrbitName(int orbit, int orbits) {
  static const char* const kNames[kMaxWingOrbits] = {"next to a corner", "second from a corner",
                                                     "third from a corner", "fourth from a corner"};
  return orbits > 1 ? kNames[orbit] : "";
}

// Wings are told apart by their colours and their handedness: key = edge * 2 + (handedness > 0).
int WingKey(const PieceLists& lists, int piece, int first, int second) {
  const int mask = (1 << first) | (1 << second);
  const int edge = lists.edgeOfMask[mask];
  if (edge < 0) return -1;
  const int sign = first < second ? lists.wingSign[piece] : -lists.wingSign[piece];
  return edge * 2 + (sign > 0);
}

int ReadWing(const ReachContext& context, const Piece& place, int piece, int colours[2]) {
  colours[0] = context.pattern[place.cells[0]];
  colours[1] = context.pattern[place.cells[1]];
  const bool plain = colours[0] >= 0 && colours[0] < 6 && colours[1] >= 0 && colours[1] < 6;
  return plain && colours[0] != colours[1] ? WingKey(ListsOf(context.n), piece, colours[0], colours[1]) : -1;
}

void CheckWingOrbit(ReachContext* context, int orbit) {
  const PieceLists& lists = ListsOf(context->n);
  const PieceSet& set = PiecesOf(context->n);
  const int* places = lists.wings[orbit];
  const char* name = WingOrbitName(orbit, lists.wingOrbitCount);
  const char* comma = *name ? ", " : "";
  const char* space = *name ? " " : "";
  int keys[kOrbitPlaces], seen[kOrbitPlaces] = {};
  char place[32], colours[64];
  for (int k = 0; k < kOrbitPlaces; ++k) {
    const Piece& piece = set.pieces[places[k]];
    int shows[2];
    keys[k] = ReadWing(*context, piece, places[k], shows);
    if (keys[k] >= 0) {
      ++seen[keys[k]];
      continue;
    }
    if (!Listing(*context)) {
      CountProblem(context);
      continue;
    }
    PlaceName(*context, piece, place, sizeof place);
    ColourList(*context, shows, 2, colours, sizeof colours);
    AddProblem(context, "a wing shows %s, which no edge of a cube shows (a wing of %s%s%s)", colours, place,
               comma, name);
  }
  for (int edge = 0; edge < 12; ++edge) {
    const int left = seen[2 * edge], right = seen[2 * edge + 1];
    if (left == 1 && right == 1) continue;
    if (!Listing(*context)) {
      CountProblem(context);
      continue;
    }
    const int edgeColours[2] = {lists.edgeFaces[edge][0], lists.edgeFaces[edge][1]};
    ColourList(*context, edgeColours, 2, colours, sizeof colours);
    const int total = left + right;
    if (total == 0) {
      AddProblem(context, "no wing%s%s shows %s", space, name, colours);
    } else if (total == 1) {
      AddProblem(context, "only one wing%s%s shows %s, where a cube has two", space, name, colours);
    } else if (total > 2) {
      AddProblem(context, "%d wings%s%s show %s, where a cube has two", total, space, name, colours);
    } else {
      // Two wings of one handedness: one of them shows its colours the wrong way round. Name the one
      // away from its own place, which a flip in place leaves.
      const int key = left == 2 ? 2 * edge : 2 * edge + 1;
      int flipped = -1;
      for (int k = 0; k < kOrbitPlaces; ++k) {
        if (keys[k] != key) continue;
        const Piece& piece = set.pieces[places[k]];
        const int own = WingKey(lists, places[k], piece.cells[0] / kFaceStride, piece.cells[1] / kFaceStride);
        if (flipped < 0 || own != key) flipped = k;
      }
      PlaceName(*context, set.pieces[places[flipped]], place, sizeof place);
      AddProblem(context, "a wing is flipped (a wing of %s%s%s)", place, comma, name);
    }
  }
}

void CheckCentreOrbit(ReachContext* context, int orbit) {
  const PieceLists& lists = ListsOf(context->n);
  const PieceSet& set = PiecesOf(context->n);
  int counts[6] = {};
  for (int k = 0; k < kOrbitPlaces; ++k) {
    const int colour = context->pattern[set.pieces[lists.centres[orbit][k]].cells[0]];
    if (colour >= 0 && colour < 6) ++counts[ShownColour(*context, colour)];
  }
  char text[160];
  int first;
  CountsText(counts, 4, text, sizeof text, &first);
  if (first < 0) return;
  if (!Listing(*context)) return CountProblem(context);
  if (lists.centreOrbitCount == 1) {
    AddProblem(context, "the centres show %s; each colour needs four", text);
  } else {
    const int at = lists.centreOrbit[orbit];
    AddProblem(context,
               "the centres that can reach row %d, column %d of a face show %s; each colour needs four",
               at / kMaxSize + 1, at % kMaxSize + 1, text);
  }
}

}  // namespace

void CheckWings(ReachContext* context) {
  for (int orbit = 0; orbit < ListsOf(context->n).wingOrbitCount; ++orbit) CheckWingOrbit(context, orbit);
}

void CheckCentres(ReachContext* context) {
  for (int orbit = 0; orbit < ListsOf(context->n).centreOrbitCount; ++orbit) CheckCentreOrbit(context, orbit);
}
