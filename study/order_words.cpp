// The order explained in plain words: the cycles of each kind and orbit of piece, and what each adds.
#include <algorithm>
#include <cstring>

#include "study/order.h"
#include "study/pieces.h"

namespace {

// One cycle of pieces: `length` places, coming back turned `twist` times over (3 a twisted corner, 2
// a flipped edge), needing `repeats` repetitions before its colours are home.
struct PieceCycle {
  int8_t kind, orbit;
  int16_t length, twist, repeats;
};

bool Before(const PieceCycle& a, const PieceCycle& b) {
  if (a.kind != b.kind) return a.kind < b.kind;
  if (a.orbit != b.orbit) return a.orbit < b.orbit;
  if (a.length != b.length) return a.length > b.length;
  if (a.twist != b.twist) return a.twist > b.twist;
  return a.repeats > b.repeats;
}

bool Same(const PieceCycle& a, const PieceCycle& b) {
  return a.kind == b.kind && a.orbit == b.orbit && a.length == b.length && a.twist == b.twist &&
         a.repeats == b.repeats;
}

int Gcd(int a, int b) { return b == 0 ? a : Gcd(b, a % b); }

// Text into a fixed buffer, broken into lines of at most kOrderLineWidth; whatever does not fit is
// dropped, and the text always ends.
struct Lines {
  char* text;
  int size, at, lineStart;

  void Raw(const char* chunk) {
    int length = static_cast<int>(std::strlen(chunk));
    if (length > size - 1 - at) length = size - 1 - at;
    std::memcpy(text + at, chunk, length);
    for (int k = length - 1; k >= 0; --k)
      if (chunk[k] == '\n') {
        lineStart = at + k + 1;
        break;
      }
    at += length;
    text[at] = '\0';
  }
  // sep stays on the line it ends; the item moves to an indented new line if it would run past
  // the width, with room kept for the closing stop.
  void Put(const char* sep, const char* item) {
    Raw(sep);
    const int width = at - lineStart + 1 + static_cast<int>(std::strlen(item)) + 1;
    Raw(width > kOrderLineWidth ? "\n  " : " ");
    Raw(item);
  }
};

// A short text built item by item before it goes into the lines.
struct Item {
  char text[128];
  int at = 0;
  Item& operator<<(const char* words) {
    int length = static_cast<int>(std::strlen(words));
    if (length > static_cast<int>(sizeof text) - 1 - at) length = static_cast<int>(sizeof text) - 1 - at;
    std::memcpy(text + at, words, length);
    at += length;
    text[at] = '\0';
    return *this;
  }
  Item& operator<<(int number) {
    char digits[12];
    int count = 0;
    do {
      digits[count++] = static_cast<char>('0' + number % 10);
      number /= 10;
    } while (number > 0);
    char reversed[12];
    for (int k = 0; k < count; ++k) reversed[k] = digits[count - 1 - k];
    reversed[count] = '\0';
    return *this << reversed;
  }
};

const char* const kOrdinals[] = {"", "first", "second", "third", "fourth", "fifth"};

void Heading(int n, const PieceCycle& cycle, Item* item) {
  switch (cycle.kind) {
    case kCornerPiece: *item << "Corners"; return;
    case kMiddleEdgePiece: *item << (n == 3 ? "Edges" : "Middle edges"); return;
    case kWingPiece:
      if (cycle.orbit == 1)
        *item << "Wings next to the corners";
      else
        *item << "Wings " << kOrdinals[cycle.orbit] << " from the corners";
      return;
    case kFixedCentrePiece: *item << "Face centres"; return;
  }
  const int row = cycle.orbit / kMaxSize, column = cycle.orbit % kMaxSize;
  if (row == 1 && column == 1)
    *item << "Centres nearest the corners";
  else if (row == column)
    *item << "Diagonal centres, " << kOrdinals[row] << " from the corners";
  else if (n % 2 == 1 && column == n / 2 && row == 1)
    *item << "Centres beside the middle of each edge";
  else if (n % 2 == 1 && column == n / 2)
    *item << "Middle-line centres, " << kOrdinals[row] << " from the edges";
  else
    *item << "Centres in the orbit of row " << row + 1 << ", column " << column + 1;
}

const char* Noun(int kind) {
  if (kind == kCornerPiece) return "corner";
  if (kind == kWingPiece) return "wing";
  if (kind == kMiddleEdgePiece) return "edge";
  return "centre";
}

void Describe(const PieceCycle& cycle, int count, Item* item) {
  static const char* const kCounts[] = {"",      "one",   "two",  "three", "four",   "five",  "six",
                                        "seven", "eight", "nine", "ten",   "eleven", "twelve"};
  const bool several = count > 1;
  const int c = cycle.length;
  if (several || c == 1) {
    if (count <= 12)
      *item << kCounts[count];
    else
      *item << count;
  }
  if (c == 1) {
    *item << " " << Noun(cycle.kind) << (several ? "s " : " ") << (cycle.twist == 3 ? "twisted" : "flipped")
          << " in place";
  } else {
    if (!several) *item << (c == 8 || c == 11 || c == 18 || (c >= 80 && c <= 89) ? "an" : "a");
    *item << " " << cycle.length << (several ? "-cycles" : "-cycle");
    if (cycle.twist > 1)
      *item << (several ? " that come back " : " that comes back ")
            << (cycle.twist == 3 ? "twisted" : "flipped");
    if (cycle.repeats == 1)
      *item << " of one colour";
    else if (cycle.repeats < cycle.length * cycle.twist)
      *item << " whose colours repeat every " << cycle.repeats;
  }
  *item << ": " << cycle.repeats;
}

void WriteOrderLine(const PieceCycle* cycles, int count, const char* order, const char* faceletOrder,
                    Lines* lines) {
  bool adds[kCellCount + 1] = {};
  int distinct = 0;
  for (int k = 0; k < count; ++k)
    if (cycles[k].repeats > 1 && cycles[k].repeats <= kCellCount && !adds[cycles[k].repeats]) {
      adds[cycles[k].repeats] = true;
      ++distinct;
    }
  if (count == 0) {
    lines->Raw("Nothing moves, so the order is 1.");
    return;
  }
  lines->Raw("Order: ");
  lines->Raw(order);
  if (distinct > 1) {
    lines->Put(",", "the least common multiple of");
    int written = 0;
    for (int value = 2; value <= kCellCount; ++value) {
      if (!adds[value]) continue;
      Item number;
      if (written > 0 && written == distinct - 1) number << "and ";
      number << value;
      lines->Put(written == 0 ? "" : written == distinct - 1 ? "" : ",", number.text);
      ++written;
    }
  }
  lines->Raw(".");
  if (std::strcmp(order, faceletOrder) != 0) {
    lines->Raw("\nEvery facelet back in its own place: ");
    lines->Raw(faceletOrder);
    lines->Raw(".");
  }
}

}  // namespace

void ExplainOrder(int n, const FaceletMap& map, const FaceletCycles& cycles, const char* order,
                  const char* faceletOrder, char* text, int textSize) {
  const PieceSet& set = PiecesOf(n);
  PieceCycle found[kMaxPieces];
  int count = 0;
  bool seen[kMaxPieces] = {};
  for (int start = 0; start < set.count; ++start) {
    if (seen[start]) continue;
    PieceCycle cycle{set.pieces[start].kind, set.pieces[start].orbit, 0, 0, 1};
    for (int place = start; !seen[place]; place = set.pieceOfCell[map.from[set.pieces[place].cells[0]]]) {
      seen[place] = true;
      ++cycle.length;
    }
    const Piece& first = set.pieces[start];
    cycle.twist = static_cast<int16_t>(cycles.length[cycles.cycle[first.cells[0]]] / cycle.length);
    if (cycle.length == 1 && cycle.twist == 1) continue;
    // Every facelet cycle of a piece cycle runs through all its pieces, so the first one shows them all.
    for (int c = 0; c < first.count; ++c) {
      const int period = cycles.colourPeriod[cycles.cycle[first.cells[c]]];
      if (cycle.repeats % period != 0)
        cycle.repeats = static_cast<int16_t>(cycle.repeats / Gcd(cycle.repeats, period) * period);
    }
    found[count++] = cycle;
  }
  std::sort(found, found + count, Before);

  Lines lines{text, textSize, 0, 0};
  lines.Raw("");
  for (int k = 0; k < count;) {
    Item heading;
    Heading(n, found[k], &heading);
    heading << ":";
    lines.Raw(heading.text);
    const char* sep = "";
    const int8_t kind = found[k].kind, orbit = found[k].orbit;
    while (k < count && found[k].kind == kind && found[k].orbit == orbit) {
      int same = 1;
      while (k + same < count && Same(found[k], found[k + same])) ++same;
      Item item;
      Describe(found[k], same, &item);
      lines.Put(sep, item.text);
      sep = ";";
      k += same;
    }
    lines.Raw(".\n");
  }
  WriteOrderLine(found, count, order, faceletOrder, &lines);
}
