// Corners and middle edges: every one there once and sound, and only twists, flips and orders that
// layer turns can make.
#include "study/reachability_steps.h"

namespace {

enum ReadingState : int8_t { kSound, kMirrored, kForeign };

struct Reading {
  int8_t state;
  int8_t home;  // the corner or edge place whose faces the colours are
  int8_t turn;  // corners: where the U or D colour sits, 0 to 2 clockwise; edges: 1 if flipped
  int colours[3];
};

int ColourMask(const int* colours, int count) {
  int mask = 0;
  for (int k = 0; k < count; ++k) {
    if (colours[k] < 0 || colours[k] > 5) return 0;
    mask |= 1 << colours[k];
  }
  return mask;
}

int Bits(int mask) {
  int bits = 0;
  for (; mask; mask &= mask - 1) ++bits;
  return bits;
}

Reading ReadPlace(const ReachContext& context, const Piece& place) {
  Reading reading = {kForeign, -1, 0, {-1, -1, -1}};
  for (int k = 0; k < place.count; ++k) reading.colours[k] = context.pattern[place.cells[k]];
  const PieceLists& lists = ListsOf(context.n);
  const int mask = ColourMask(reading.colours, place.count);
  const int home = Bits(mask) != place.count ? -1
                   : place.count == 3        ? lists.cornerOfMask[mask]
                                             : lists.edgeOfMask[mask];
  if (home < 0) return reading;
  reading.home = static_cast<int8_t>(home);
  reading.state = kSound;
  if (place.count == 2) {
    reading.turn = reading.colours[0] != lists.edgeFaces[home][0];
    return reading;
  }
  // Colour c belongs on face c.
  const Piece& piece = PiecesOf(context.n).pieces[lists.corners[home]];
  int turn = 0;
  while (reading.colours[turn] != piece.cells[0] / kFaceStride) ++turn;
  reading.turn = static_cast<int8_t>(turn);
  if (reading.colours[(turn + 1) % 3] != piece.cells[1] / kFaceStride) reading.state = kMirrored;
  return reading;
}

// The home colours of a corner or edge, in its facelets' order.
void HomeColours(const ReachContext& context, int count, int home, char* out, size_t size) {
  const int n = context.n;
  const PieceLists& lists = ListsOf(n);
  int colours[3];
  for (int k = 0; k < count; ++k)
    colours[k] = count == 3 ? PiecesOf(n).pieces[lists.corners[home]].cells[k] / kFaceStride
                            : lists.edgeFaces[home][k];
  ColourList(context, colours, count, out, size);
}

// Each missing piece beside a doubled one: "no corner shows A; two show B".
void ReportMissingAndDoubled(ReachContext* context, int count, const int* seen, int homes) {
  const char* kind = count == 3 ? "corner" : "edge";
  int missing[12], doubled[12], missingCount = 0, doubledCount = 0;
  for (int home = 0; home < homes; ++home) {
    if (seen[home] == 0) missing[missingCount++] = home;
    if (seen[home] > 1) doubled[doubledCount++] = home;
  }
  char absent[64], twice[64];
  for (int k = 0; k < missingCount || k < doubledCount; ++k) {
    if (!Listing(*context)) {
      CountProblem(context);
      continue;
    }
    if (k < missingCount) HomeColours(*context, count, missing[k], absent, sizeof absent);
    if (k < doubledCount) HomeColours(*context, count, doubled[k], twice, sizeof twice);
    if (k < missingCount && k < doubledCount)
      AddProblem(context, "no %s shows %s; %s show %s", kind, absent, CountWord(seen[doubled[k]]), twice);
    else if (k < missingCount)
      AddProblem(context, "no %s shows %s", kind, absent);
    else
      AddProblem(context, "%s %ss show %s", CountWord(seen[doubled[k]]), kind, twice);
  }
}

// Parity of place -> home, and the two places if it is a single swap.
int Parity(const int* home, int count, int swap[2]) {
  bool visited[12] = {};
  int cycles = 0, misplaced = 0;
  swap[0] = swap[1] = -1;
  for (int start = 0; start < count; ++start) {
    if (home[start] != start) {
      if (misplaced < 2) swap[misplaced] = start;
      ++misplaced;
    }
    if (visited[start]) continue;
    ++cycles;
    for (int at = start; !visited[at]; at = home[at]) visited[at] = true;
  }
  if (misplaced != 2) swap[0] = swap[1] = -1;
  return (count - cycles) % 2;
}

// Reads every place of one kind and reports foreign and mirrored pieces; true if each home piece is
// there once, soundly.
bool ReadAll(ReachContext* context, const int* places, int count, int cells, Reading* readings) {
  const PieceSet& set = PiecesOf(context->n);
  const char* kind = cells == 3 ? "corner" : "edge";
  int seen[12] = {}, mirrored = 0, foreign = 0;
  char place[32], colours[64];
  for (int k = 0; k < count; ++k) {
    readings[k] = ReadPlace(*context, set.pieces[places[k]]);
    if (readings[k].state == kForeign) {
      ++foreign;
      if (!Listing(*context)) {
        CountProblem(context);
        continue;
      }
      PlaceName(*context, set.pieces[places[k]], place, sizeof place);
      ColourList(*context, readings[k].colours, cells, colours, sizeof colours);
      AddProblem(context, "%s %s shows %s, which no %s of a cube shows (the %s of %s)",
                 cells == 3 ? "a" : "an", kind, colours, kind, kind, place);
      continue;
    }
    ++seen[readings[k].home];
    if (readings[k].state == kMirrored) ++mirrored;
  }
  if (mirrored >= 2 && mirrored == count - foreign) {
    AddProblem(context, "every corner shows its colours in mirror order");
  } else if (mirrored > 0) {
    for (int k = 0; k < count; ++k) {
      if (readings[k].state != kMirrored) continue;
      if (!Listing(*context)) {
        CountProblem(context);
        continue;
      }
      PlaceName(*context, set.pieces[places[k]], place, sizeof place);
      ColourList(*context, readings[k].colours, cells, colours, sizeof colours);
      AddProblem(context, "a corner shows %s clockwise, the mirror image of a real corner (the corner of %s)",
                 colours, place);
    }
  }
  ReportMissingAndDoubled(context, cells, seen, count);
  bool whole = foreign == 0 && mirrored == 0;
  for (int home = 0; home < count; ++home) whole = whole && seen[home] == 1;
  return whole;
}

}  // namespace

void CountCornerHands(const ReachContext& context, int* sound, int* mirrored) {
  const PieceLists& lists = ListsOf(context.n);
  *sound = *mirrored = 0;
  for (int k = 0; k < 8; ++k) {
    const int state = ReadPlace(context, PiecesOf(context.n).pieces[lists.corners[k]]).state;
    if (state == kSound) ++*sound;
    if (state == kMirrored) ++*mirrored;
  }
}

void CheckCorners(ReachContext* context) {
  const PieceLists& lists = ListsOf(context->n);
  const PieceSet& set = PiecesOf(context->n);
  Reading readings[8];
  if (!ReadAll(context, lists.corners, 8, 3, readings)) return;
  // A layer turn twists its corners by a sum of whole turns, so the twists must add up to none.
  int sum = 0, twisted = 0, last = 0;
  int home[8];
  for (int k = 0; k < 8; ++k) {
    sum += readings[k].turn;
    if (readings[k].turn) ++twisted, last = k;
    home[k] = readings[k].home;
  }
  char place[32];
  if (sum % 3 != 0 && twisted == 1) {
    PlaceName(*context, set.pieces[lists.corners[last]], place, sizeof place);
    AddProblem(context, "one corner is twisted %s (the corner of %s)",
               readings[last].turn == 1 ? "clockwise" : "anticlockwise", place);
  } else if (sum % 3 != 0) {
    AddProblem(context, "the corners' twists add up to a third of a turn %s",
               sum % 3 == 1 ? "clockwise" : "anticlockwise");
  }
  context->cornerParity = Parity(home, 8, context->cornerSwap);
}

void CheckMiddleEdges(ReachContext* context) {
  const PieceLists& lists = ListsOf(context->n);
  if (lists.edgeCount == 0) return;
  const PieceSet& set = PiecesOf(context->n);
  Reading readings[12];
  if (!ReadAll(context, lists.edges, 12, 2, readings)) return;
  int flipped = 0, last = 0;
  int home[12];
  for (int k = 0; k < 12; ++k) {
    if (readings[k].turn) ++flipped, last = k;
    home[lists.edgePlace[lists.edges[k]]] = readings[k].home;
  }
  char place[32];
  if (flipped == 1) {
    PlaceName(*context, set.pieces[lists.edges[last]], place, sizeof place);
    AddProblem(context, "an edge is flipped (the edge of %s)", place);
  } else if (flipped % 2) {
    AddProblem(context, "%s edges are flipped, and edges flip only in pairs", CountWord(flipped));
  }
  int swap[2];
  context->edgeParity = Parity(home, 12, swap);
  // Name the swapped places by piece, not by edge place number.
  for (int side = 0; side < 2; ++side) {
    context->edgeSwap[side] = -1;
    for (int k = 0; k < 12 && swap[side] >= 0; ++k)
      if (lists.edgePlace[lists.edges[k]] == swap[side]) context->edgeSwap[side] = lists.edges[k];
  }
}

void CheckParity(ReachContext* context) {
  // Only odd sizes bind the two orders, and only in the frame the fixed centres give.
  if (context->n % 2 == 0 || !context->framed || context->cornerParity < 0 || context->edgeParity < 0) return;
  if (context->cornerParity == context->edgeParity) return;
  const PieceLists& lists = ListsOf(context->n);
  const PieceSet& set = PiecesOf(context->n);
  const bool corners = context->cornerParity == 1;
  const char* kind = corners ? "corner" : "edge";
  int swapped[2];
  for (int side = 0; side < 2; ++side)
    swapped[side] = corners ? (context->cornerSwap[side] < 0 ? -1 : lists.corners[context->cornerSwap[side]])
                            : context->edgeSwap[side];
  if (swapped[0] < 0 || swapped[1] < 0) {
    AddProblem(context, "two %ss would have to swap alone", kind);
    return;
  }
  char first[32], second[32];
  PlaceName(*context, set.pieces[swapped[0]], first, sizeof first);
  PlaceName(*context, set.pieces[swapped[1]], second, sizeof second);
  AddProblem(context, "two %ss would have to swap alone (the %ss of %s and of %s)", kind, kind, first,
             second);
}
