// The order of a move sequence: how often it must be repeated to solve the cube again, and why.
#pragma once

#include <cstddef>
#include <cstdint>

#include "study/facelet_map.h"

// A sequence held as the one permutation it makes, so that any number of turns fits in fixed storage.
struct MoveSequence {
  int16_t size;
  int64_t turns;  // layer turns appended so far
  FaceletMap map;
};

// Starts an empty sequence for a cube of size n (2 to 10).
void BeginSequence(MoveSequence* sequence, int n);

// Appends `quarterTurns` (1, 2 or 3; taken modulo 4) clockwise quarter turns of one layer: operation
// is kMapU to kMapD or kMapColumnSlice / kMapRowSlice, each turned as the model turns it. Any other
// operation is ignored.
void AppendLayerTurn(MoveSequence* sequence, int operation, int quarterTurns);

// The facelet cycles of a map: cycle[cell] numbers the cycle through each used cell; length and
// colourPeriod are indexed by that number. colourPeriod is the fewest repetitions after which the
// home colours along the cycle line up again; it divides the length.
struct FaceletCycles {
  int16_t count;
  int16_t cycle[kCellCount];
  int16_t length[kCellCount];
  int16_t colourPeriod[kCellCount];
};

void FindFaceletCycles(int n, const FaceletMap& map, FaceletCycles* cycles);

const int kOrderTextSize = 64;
const int kOrderExplanationSize = 8192;
// Lines of the explanation stay this short, for message boxes and terminals.
const int kOrderLineWidth = 70;

struct OrderReport {
  // Repetitions from the solved cube until every cell shows its home colour again, in decimal.
  char order[kOrderTextSize];
  // Repetitions until every facelet is back in its own place; more than `order` only where centres of
  // one colour trade places.
  char faceletOrder[kOrderTextSize];
  // The same numbers, where they fit in 64 bits; the texts are exact either way.
  bool orderFits, faceletOrderFits;
  uint64_t orderValue, faceletOrderValue;
  // Plain lines, one per kind and orbit of piece that moves, then the order they make.
  char explanation[kOrderExplanationSize];
};

// Never changes the cube states, the size, the generator or the move log.
void ComputeOrder(const MoveSequence& sequence, OrderReport* report);

// The explanation alone, from the cycles of the sequence's map; `order` is the order as text.
void ExplainOrder(int n, const FaceletMap& map, const FaceletCycles& cycles, const char* order,
                  const char* faceletOrder, char* text, int textSize);

// Appends any move of the standard notation (a block of layers, or a rotation) as the model turns it.
struct BlockMove;
void AppendBlockMove(MoveSequence* sequence, const BlockMove& move);
// The same for a list of moves, in order; the permutation is taken once for the whole list.
void AppendBlockMoves(MoveSequence* sequence, const BlockMove* moves, size_t count);
