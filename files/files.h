// Files: the text-mode byte stream, the pattern and move files with the notation.
#pragma once

#include <cstddef>
#include <cstdint>

#include "cube/cube.h"
#include "seam/platform.h"
#include "study/order.h"

// A file or a block of memory, read as a text stream: CR LF reads as LF and byte 26 ends the input,
// the same on every platform. No input can make a reader wait or grow without bound: a stream ends,
// with a problem to tell, after kMaxInputBytes, and a pipe, FIFO or device also after
// inputWaitMilliseconds in all.
struct TextStream {
  int descriptor;  // -1 for memory
  bool owned;      // closed with the stream
  const unsigned char* data;
  size_t size;
  size_t position;
  bool ended;
  bool waits;        // not a regular file: reads are bounded in time too
  int64_t deadline;  // milliseconds on the stream clock, for a stream that waits
  uint64_t taken;    // bytes read from the descriptor so far
  char problem[48];  // why the input ended before its end, or empty
  unsigned char buffer[4096];
};

const uint64_t kMaxInputBytes = 1u << 20;  // a third of a million moves: more than any real file
extern int inputWaitMilliseconds;          // 2000; tests shorten it

bool OpenTextStream(TextStream* stream, const char* path);
// Reads an open descriptor (standard input), which the stream does not close.
void OpenDescriptorStream(TextStream* stream, int descriptor);
void OpenMemoryStream(TextStream* stream, const void* data, size_t size);
void CloseTextStream(TextStream* stream);
int ReadByte(TextStream* stream);  // 0 to 255, or -1 at the end of the input

// One recorded face move: '1' to '9' and 'A' to 'I'; 0 where nothing is recorded.
typedef uint8_t MoveCode;
const int kMoveLogCapacity = 24;  // entry 0 is never used
extern MoveCode moveLog[kMoveLogCapacity + 1];

// Every message text fits in this, terminator included.
const int kTextCapacity = 256;

// A pattern file's contents, checked: a size from 2 to 10 and a colour from 0 to 5 for every used cell.
struct PatternData {
  int16_t size;
  uint8_t colours[kCellCount];  // face by face, row by row
};
// Reads a whole pattern file; false with the problem in words (starting with a line feed) when it is
// refused. Changes nothing else.
bool ReadPatternFile(TextStream* stream, PatternData* pattern, char* problem, size_t problemSize);

// Writes the cube's pattern as a pattern file, whole or not at all; false with the reason in words.
bool WritePatternFile(const Cube& cube, const char* path, char* reason, size_t reasonSize);
// Writes space-separated move tokens as a move file of one line, whole or not at all; false with the
// reason in words, also for a token the reader would not take as a move.
bool WriteMoveFile(const char* path, const char* tokens, char* reason, size_t reasonSize);

// One token of the notation: the layer, its clockwise quarter turns (1 to 3), whether it is a half
// turn, and its MoveCode (0 for a slice).
struct MoveToken {
  int16_t layer;
  int16_t quarterTurns;
  bool half;
  MoveCode code;
};
// False for a token that names no move; tokens of three or more characters never do.
bool ParseMoveToken(const char* token, MoveToken* move);
bool DecodeMoveCode(MoveCode code, int16_t* layer, int16_t* quarterTurns);

// Reads a move file onto the solved cube of the cube's size; the number of moves, 0 after a token error.
int64_t LoadMoveFile(Cube& cube, TextStream* stream);
// As LoadMoveFile, but the moves turn the pattern the cube shows instead of a solved cube.
int64_t ApplyMoveFile(Cube& cube, TextStream* stream);

// The moves of the last move file read, as one sequence at the size it was read for; lastMovesRead is
// false before the first file and after a file refused for a bad token.
extern MoveSequence lastMoves;
extern bool lastMovesRead;

// Inputs by name and the standard notation.
#include "files/alg_notation.h"
#include "files/input_files.h"
