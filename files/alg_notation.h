// The standard move notation of every layer at every size: parsing it into moves, spelling and writing them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "cube/block_move.h"
#include "files/text_place.h"

// Brackets nest at most this deep, and a text expands to at most this many moves: a repeated group
// is refused before it would grow past it, so memory stays bounded whatever the text says.
const int kMaxAlgDepth = 16;
const size_t kMaxAlgMoves = 2000000;

// Parses `text` for a cube of size n (2 to 10) into the moves it stands for, groups, commutators and
// conjugates expanded, in order. On a refusal, false with one line in `reason` naming the token, its
// line and column and why; `moves` is then left empty. A move of no turn (R4) adds nothing.
bool ParseAlg(const char* text, size_t length, int n, std::vector<BlockMove>* moves, char* reason,
              size_t reasonSize);
// As ParseAlg, and `places` gets, for each move, the place of the token it comes from (the token a group,
// commutator or conjugate expanded it from). A text of 4 GiB or more is refused, as no place can name it.
bool ParseAlgPlaces(const char* text, size_t length, int n, std::vector<BlockMove>* moves,
                    std::vector<TextPlace>* places, char* reason, size_t reasonSize);

// Block turns (every move but a whole-cube rotation counts one) and quarter block turns (a half turn
// counts two) of a list of moves.
struct AlgCounts {
  int64_t blockTurns;
  int64_t quarterBlockTurns;
};
AlgCounts CountAlg(const BlockMove* moves, size_t count, int n);

// The moves spelled in the notation, separated by spaces, into `text` (zero-terminated). When they do
// not all fit in `capacity`, the text ends after the last whole move that leaves room for "...".
size_t FormatAlg(const BlockMove* moves, size_t count, int n, char* text, size_t capacity);

// Reads an .alg file whole from the stream, within the stream's bounds, then ParseAlg. A byte-order mark
// at the start is skipped.
struct TextStream;
bool ReadAlgFile(TextStream* stream, int n, std::vector<BlockMove>* moves, char* reason, size_t reasonSize);

// Writes the moves as an .alg file, whole or not at all, lines of at most 72 characters; false with
// the reason in words, also for a move that is no block of layers of size n.
bool WriteAlgFile(const char* path, const BlockMove* moves, size_t count, int n, char* reason,
                  size_t reasonSize);
