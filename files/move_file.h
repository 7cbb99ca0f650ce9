// The move file: whitespace-separated face-letter tokens, and what reading one finds.
#pragma once

#include <cstddef>
#include <cstdint>

#include "files/text_stream.h"

// One recorded face move: '1' to '9' and 'A' to 'I'; 0 where nothing is recorded.
typedef uint8_t MoveCode;
const int kMoveLogCapacity = 24;  // entry 0 is never used

// One token of the notation: the layer (a face by its index, or kColumnSliceLayer / kRowSliceLayer),
// its clockwise quarter turns (1 to 3), whether it is a half turn, and its MoveCode (0 for a slice).
struct MoveToken {
  int16_t layer;
  int16_t quarterTurns;
  bool half;
  MoveCode code;
};
// False for a token that names no move; tokens of three or more characters never do.
bool ParseMoveToken(const char* token, MoveToken* move);
bool DecodeMoveCode(MoveCode code, int16_t* layer, int16_t* quarterTurns);

// A token is shown whole up to kShownToken characters, else its first kShownTokenCut and "..."; no more
// of a token than one past kShownToken is ever read, and a longer one stops the reading.
const size_t kShownToken = 227;
const size_t kShownTokenCut = 224;
// The tokens listed in the "Moves" box, each followed by a space, as far as the box holds them.
const size_t kMoveListCapacity = 256;

// What reading a move file found.
struct MoveFileRead {
  int64_t moves;  // tokens that name a move, slices included
  int64_t halfTurns;
  // The codes of the first kMoveLogCapacity moves, at the move's count; a slice leaves its entry 0.
  MoveCode log[kMoveLogCapacity + 1];
  char listed[kMoveListCapacity];  // as a C string: a NUL in a token ends what is listed of it
  size_t listedLength;
  bool listedAll;
  // Why the reading stopped before the end, if it did: a token too long to be a move (read as far as
  // kShownToken + 1 characters), or the stream's bounds.
  enum Stop { kWhole, kLongToken, kCutShort } stop;
  char token[kShownToken + 2];
  size_t tokenLength;
  uint64_t tokenOffset;  // where the long token starts in the input
  char problem[48];
};

// Hears every token as it is read, and every move a token names, so that a file of any length is read
// in fixed memory.
class MoveFileSink {
 public:
  virtual ~MoveFileSink() = default;
  // The token and where it stands in the input: its first byte's offset and its length in bytes.
  virtual void Token(const char* /*text*/, uint64_t /*offset*/, size_t /*length*/) {}
  virtual void Move(const MoveToken& move) = 0;
};

// The one reader of move files: every token to the sink, the counts, the list and the log into `read`.
void ReadMoveFile(TextStream* stream, MoveFileSink& sink, MoveFileRead* read);
// The list cut after its last whole token that leaves room for "..." within `room` characters, as the
// box shows it when not all of it fits.
void FitMoveList(MoveFileRead* read, size_t room);
// "INVALID token "…" (a move is one or two characters)" or "not read whole: WHY", after `where`: the
// reason a command line names for a stopped read.
void DescribeMoveFileStop(const MoveFileRead& read, const char* where, char* text, size_t capacity);

// Writes space-separated move tokens as a move file of one line, whole or not at all; false with the
// reason in words, also for a token the reader would not take as a move.
bool WriteMoveFile(const char* path, const char* tokens, char* reason, size_t reasonSize);
