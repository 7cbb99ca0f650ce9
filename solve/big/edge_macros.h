// The edge stage's macros: each step that keeps the centres with its effect on the edges, built once a
// size, and the scoring of a position and of what a macro would gain there.
#pragma once

#include <cstdint>

#include "solve/big/big_cube.h"

namespace big_edge {

// Each of the twelve edge places: the cells of its wings (first facelet, second), and of the middle
// edge on odd sizes.
struct EdgePlaces {
  int wings;  // per place
  int16_t wing[12][kMaxSize][2];
  int16_t middle[12][2];
  int8_t placeOfCell[kCellCount];  // -1 for a cell on no edge
  int8_t sideOfCell[kCellCount];   // which of its piece's two facelets the cell is
  int8_t slotOfCell[kCellCount];   // the cell's wing in its place, `wings` for the middle edge
};

// Each edge place's wings (then its middle edge) as colour pairs, first facelet's colour times six
// plus the second's: a wing agrees with another, or with the middle, when their pairs are equal.
struct PairCodes {
  uint8_t of[12][kMaxSize + 1];
  // What bounds a place's score after some of its wings change: the wings that count now (those agreeing
  // with the middle, or showing the most common pair), and on even sizes the count of the next pair.
  uint16_t counted[12];
  int8_t next[12];
};

// A wing (or middle) of a place a macro fills partly: which of the macro's places, which slot, and where
// its colours come from, turned round or not.
struct SlotMove {
  int8_t place, slot, sourcePlace, sourceSlot;
  bool flipped;
};

// A step that keeps the centres: a block of slices, a short sequence of face turns, the block back.
// Its effect on the edge cells as a sparse permutation.
struct Macro {
  int8_t count;
  BlockMove moves[10];
  int first, size;  // into the shared to/from arrays
  int8_t places[12];
  int8_t placeCount;
  // For each place touched: the place it is filled from whole (every wing, and the middle, from there,
  // all the same way round, so that its score becomes that place's), or -1; and a bit for each of its
  // wings that changes (all of them where a middle edge comes in), which bounds what its score can
  // gain. The cells of the places not filled whole come first in the lists, `partial` of them.
  int8_t source[12];
  uint16_t changed[12];
  int partial;
  int firstSlotMove, slotMoves;  // into the shared slot moves: how the partly filled places fill
  bool endgame;  // a wing 3-cycle or one slice's flip: searched behind longer set-ups on a plateau
  bool wide;     // its block turned with the face next to it: only for steps costed in outer block turns
  int8_t outerCost;
};

// The counts at 10×10×10, the most of any size.
const int kMaxMacros = 30000;
const int kMaxMacroCells = 2000000;

struct EdgeTables {
  int n = 0;
  bool inner = false;  // the wings next to the corners left out
  EdgePlaces places;
  FixedList<Macro, kMaxMacros> macros;
  FixedList<int16_t, kMaxMacroCells> to, from;
  FixedList<SlotMove, kMaxMacroCells / 2> slotMoves;
};

// Inner: the tables that leave out the wings next to the corners (their places hold the others), for
// pairing the wings inside them alone.
const EdgeTables& EdgeTablesOf(int n, bool inner = false);

// Wings in the place that agree: with its middle edge on odd sizes, else the most showing one edge's
// colours the same way round; and the sum over the places.
int PlaceScore(const BigState& state, const EdgePlaces& p, int place);
int Score(const BigState& state, const EdgePlaces& p);
void ReadCodes(const BigState& state, const EdgePlaces& p, PairCodes* codes);
// What the macro gains: fully, its cells moved on the cube (`saved` scratch, the cube restored after);
// bounded, the most it could; and exactly as the first, from the pair codes, without touching the cube.
int PlainGain(BigState* state, const EdgeTables& tables, const Macro& macro, int8_t* saved,
              const int* placeScores);
int GainBound(const EdgeTables& tables, const Macro& macro, const PairCodes& codes, const int* placeScores);
int MacroGain(const EdgeTables& tables, const Macro& macro, const PairCodes& codes, const int* placeScores);

}  // namespace big_edge
