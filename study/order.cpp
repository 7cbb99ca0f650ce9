// Move sequences as one permutation, their facelet cycles, and the exact orders those cycles make.
#include "study/order.h"

#include "cube/size_tables.h"

namespace {

const int kLayerOperations = kMapRowSlice + 1;
// A face turn moves its own face and four strips; nothing moves more.
const int kMaxMoved = kMaxSize * kMaxSize + 4 * kMaxSize;

// What one layer turn, made 1 to 3 times, does: only the cells it moves, cycle by cycle, each cell
// followed by the one it takes from, so appending skips the rest and needs one spare value a cycle.
struct MovedCells {
  int16_t count, cycles;
  int16_t cell[kMaxMoved];
  int16_t cycleEnd[kMaxMoved];
};

struct SizeMoves {
  MovedCells of[kLayerOperations][3];
};

void TableMoves(int n, SizeMoves* moved) {
  for (int operation = 0; operation < kLayerOperations; ++operation) {
    FaceletMap power = OperationMap(operation, n);
    for (int times = 0; times < 3; ++times) {
      if (times > 0) ComposeMaps(n, power, OperationMap(operation, n), &power);
      MovedCells& list = moved->of[operation][times];
      list.count = list.cycles = 0;
      bool listed[kCellCount] = {};
      ForEachUsedCell(n, [&](int start) {
        if (power.from[start] == start || listed[start]) return;
        for (int cell = start; !listed[cell]; cell = power.from[cell]) {
          listed[cell] = true;
          list.cell[list.count++] = static_cast<int16_t>(cell);
        }
        list.cycleEnd[list.cycles++] = list.count;
      });
    }
  }
}

int HomeColour(int cell) { return cell / kFaceStride; }

// The fewest steps d (a divisor of the length) by which the colours along the cycle repeat.
int ColourPeriod(const int16_t* homes, int length) {
  for (int d = 1; d < length; ++d) {
    if (length % d != 0) continue;
    int k = 0;
    while (k < length && homes[k] == homes[k + d < length ? k + d : k + d - length]) ++k;
    if (k == length) return d;
  }
  return length;
}

// A least common multiple of numbers up to kCellCount, kept as prime exponents so it never wraps.
struct ExactLcm {
  int8_t exponent[kCellCount + 1];
};

void Include(ExactLcm* lcm, int value) {
  for (int p = 2; p * p <= value; ++p) {
    int e = 0;
    while (value % p == 0) {
      value /= p;
      ++e;
    }
    if (e > lcm->exponent[p]) lcm->exponent[p] = static_cast<int8_t>(e);
  }
  if (value > 1 && lcm->exponent[value] == 0) lcm->exponent[value] = 1;
}

// Base 10^9 digits; the lcm of cycle lengths summing to 600 stays far below 10^72.
const int kLimbs = 8;
const uint32_t kLimbBase = 1000000000u;

void Write(const ExactLcm& lcm, char* text, bool* fits, uint64_t* value) {
  uint32_t limbs[kLimbs] = {1};
  uint64_t small = 1;
  *fits = true;
  for (int p = 2; p <= kCellCount; ++p)
    for (int e = 0; e < lcm.exponent[p]; ++e) {
      uint64_t carry = 0;
      for (int k = 0; k < kLimbs; ++k) {
        const uint64_t product = static_cast<uint64_t>(limbs[k]) * static_cast<uint64_t>(p) + carry;
        limbs[k] = static_cast<uint32_t>(product % kLimbBase);
        carry = product / kLimbBase;
      }
      if (small > UINT64_MAX / static_cast<uint64_t>(p)) *fits = false;
      small *= static_cast<uint64_t>(p);
    }
  *value = *fits ? small : 0;
  int top = kLimbs - 1;
  while (top > 0 && limbs[top] == 0) --top;
  char* at = text;
  // The leading limb without padding, every later one as nine digits.
  char digits[10];
  int count = 0;
  uint32_t lead = limbs[top];
  do {
    digits[count++] = static_cast<char>('0' + lead % 10);
    lead /= 10;
  } while (lead > 0);
  while (count > 0) *at++ = digits[--count];
  for (int k = top - 1; k >= 0; --k) {
    uint32_t limb = limbs[k];
    for (int d = 8; d >= 0; --d) {
      at[d] = static_cast<char>('0' + limb % 10);
      limb /= 10;
    }
    at += 9;
  }
  *at = '\0';
}

}  // namespace

void BeginSequence(MoveSequence* sequence, int n) {
  sequence->size = static_cast<int16_t>(n);
  sequence->turns = 0;
  IdentityMap(n, &sequence->map);
}

void AppendLayerTurn(MoveSequence* sequence, int operation, int quarterTurns) {
  if (operation < 0 || operation >= kLayerOperations) return;
  ++sequence->turns;
  const int times = (quarterTurns % 4 + 4) % 4;
  if (times == 0) return;
  const MovedCells& list = TableOfSize<SizeMoves, TableMoves>(sequence->size).of[operation][times - 1];
  int16_t* from = sequence->map.from;
  for (int cycle = 0, at = 0; cycle < list.cycles; ++cycle) {
    const int end = list.cycleEnd[cycle];
    const int16_t first = from[list.cell[at]];
    for (; at < end - 1; ++at) from[list.cell[at]] = from[list.cell[at + 1]];
    from[list.cell[at++]] = first;
  }
}

void FindFaceletCycles(int n, const FaceletMap& map, FaceletCycles* cycles) {
  cycles->count = 0;
  ForEachUsedCell(n, [cycles](int cell) { cycles->cycle[cell] = -1; });
  ForEachUsedCell(n, [&](int start) {
    if (cycles->cycle[start] >= 0) return;
    const int16_t number = cycles->count++;
    int16_t homes[kCellCount];
    int length = 0;
    for (int cell = start; cycles->cycle[cell] < 0; cell = map.from[cell]) {
      cycles->cycle[cell] = number;
      homes[length++] = static_cast<int16_t>(HomeColour(cell));
    }
    cycles->length[number] = static_cast<int16_t>(length);
    cycles->colourPeriod[number] = static_cast<int16_t>(ColourPeriod(homes, length));
  });
}

void ComputeOrder(const MoveSequence& sequence, OrderReport* report) {
  const int n = sequence.size;
  FaceletCycles cycles;
  FindFaceletCycles(n, sequence.map, &cycles);
  ExactLcm order = {}, faceletOrder = {};
  for (int k = 0; k < cycles.count; ++k) {
    Include(&order, cycles.colourPeriod[k]);
    Include(&faceletOrder, cycles.length[k]);
  }
  Write(order, report->order, &report->orderFits, &report->orderValue);
  Write(faceletOrder, report->faceletOrder, &report->faceletOrderFits, &report->faceletOrderValue);
  ExplainOrder(n, sequence.map, cycles, report->order, report->faceletOrder, report->explanation,
               kOrderExplanationSize);
}
