// The move file: face-letter tokens read one at a time, counted, logged and listed.
#include "files/move_file.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "cube/cube.h"

namespace {

// The notation: a letter names a layer; the codes are the MoveCodes of its quarter, half and inverse
// turn, null for a slice, which is never logged.
struct Layer {
  char letter;
  int16_t layer;
  const char* codes;
  bool reversed;  // the slice turns against its letter's sense
};

const Layer kLayers[] = {
    {'U', U, "123", false},
    {'T', U, "123", false},
    {'D', D, "456", false},
    {'L', L, "789", false},
    {'F', F, "ABC", false},
    {'R', R, "DEF", false},
    {'B', B, "GHI", false},
    {'u', kRowSliceLayer, nullptr, true},
    {'d', kRowSliceLayer, nullptr, false},
    {'l', kColumnSliceLayer, nullptr, false},
    {'r', kColumnSliceLayer, nullptr, true},
};

enum Amount { kQuarter, kHalf, kInverse, kNoAmount };

Amount AmountOf(char suffix) {
  switch (suffix) {
    case '\0':
    case '1':
    case '+': return kQuarter;
    case '2': return kHalf;
    case '3':
    case '\'':
    case '-': return kInverse;
    default: return kNoAmount;
  }
}

const Layer* LayerOf(char letter) {
  for (const Layer& layer : kLayers)
    if (layer.letter == letter) return &layer;
  return nullptr;
}

bool ReadToken(TextStream* stream, char* text, size_t* length, uint64_t* offset) {
  int byte;
  do byte = ReadByte(stream);
  while (byte >= 0 && std::isspace(byte));
  if (byte < 0) return false;
  // A token's first byte is never half of a CR LF, which reads as space.
  *offset = StreamOffset(*stream) - 1;
  *length = 0;
  for (;;) {
    text[(*length)++] = static_cast<char>(byte);
    if (*length > kShownToken) break;
    byte = ReadByte(stream);
    if (byte < 0 || std::isspace(byte)) break;
  }
  text[*length] = '\0';
  return true;
}

// Appends as a C string, so a NUL byte ends what is listed of the token.
void List(MoveFileRead* read, const char* token) {
  const size_t length = std::strlen(token);
  if (!read->listedAll || read->listedLength + length + 1 > sizeof read->listed - 1) {
    read->listedAll = false;
    return;
  }
  std::memcpy(read->listed + read->listedLength, token, length);
  read->listedLength += length;
  read->listed[read->listedLength++] = ' ';
  read->listed[read->listedLength] = '\0';
}

}  // namespace

bool ParseMoveToken(const char* token, MoveToken* move) {
  const Layer* layer = LayerOf(token[0]);
  const Amount amount = token[0] != '\0' ? AmountOf(token[1]) : kNoAmount;
  if (layer == nullptr || amount == kNoAmount || (token[1] != '\0' && token[2] != '\0')) return false;
  move->layer = layer->layer;
  move->quarterTurns = static_cast<int16_t>(layer->reversed ? 3 - amount : amount + 1);
  move->half = amount == kHalf;
  move->code = layer->codes != nullptr ? static_cast<MoveCode>(layer->codes[amount]) : 0;
  return true;
}

bool DecodeMoveCode(MoveCode code, int16_t* layer, int16_t* quarterTurns) {
  static const char kCodes[] = "123456789ABCDEFGHI";
  static const int16_t kCodeLayers[6] = {U, D, L, F, R, B};
  const char* found = code != 0 ? std::strchr(kCodes, code) : nullptr;
  if (found == nullptr) return false;
  const int index = static_cast<int>(found - kCodes);
  *layer = kCodeLayers[index / 3];
  *quarterTurns = static_cast<int16_t>(index % 3 + 1);
  return true;
}

void ReadMoveFile(TextStream* stream, MoveFileSink& sink, MoveFileRead* read) {
  read->moves = read->halfTurns = 0;
  std::memset(read->log, 0, sizeof read->log);
  read->listed[0] = '\0';
  read->listedLength = 0;
  read->listedAll = true;
  read->stop = MoveFileRead::kWhole;
  read->tokenLength = 0;
  read->tokenOffset = 0;
  read->token[0] = read->problem[0] = '\0';
  char token[kShownToken + 2];
  size_t length;
  uint64_t offset;
  while (ReadToken(stream, token, &length, &offset)) {
    if (length > 2) {
      read->stop = MoveFileRead::kLongToken;
      std::memcpy(read->token, token, length + 1);
      read->tokenLength = length;
      read->tokenOffset = offset;
      return;
    }
    List(read, token);
    sink.Token(token, offset, length);
    MoveToken move;
    if (!ParseMoveToken(token, &move)) continue;
    sink.Move(move);
    ++read->moves;
    if (move.half) ++read->halfTurns;
    if (move.code != 0 && read->moves <= kMoveLogCapacity) read->log[read->moves] = move.code;
  }
  if (stream->problem[0] != '\0') {
    read->stop = MoveFileRead::kCutShort;
    std::snprintf(read->problem, sizeof read->problem, "%s", stream->problem);
  }
}

void FitMoveList(MoveFileRead* read, size_t room) {
  if (read->listedAll && read->listedLength <= room) return;
  size_t cut = room < 3 ? 0 : room - 3;
  if (cut > read->listedLength) cut = read->listedLength;
  while (cut > 0 && read->listed[cut - 1] != ' ') --cut;
  std::memcpy(read->listed + cut, "...", 4);
  read->listedLength = cut + 3;
}

void DescribeMoveFileStop(const MoveFileRead& read, const char* where, char* text, size_t capacity) {
  if (read.stop == MoveFileRead::kLongToken) {
    const size_t shown = read.tokenLength < 40 ? read.tokenLength : 40;
    std::snprintf(text, capacity, "%s: INVALID token \"%.*s%s\" (a move is one or two characters)", where,
                  static_cast<int>(shown), read.token, read.tokenLength > 40 ? "..." : "");
  } else {
    std::snprintf(text, capacity, "%s: not read whole: %s", where, read.problem);
  }
}
