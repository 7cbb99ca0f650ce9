// The move file: face-letter tokens applied as they are read, logged, counted and listed.
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

#include "files/files.h"

MoveCode moveLog[kMoveLogCapacity + 1];
MoveSequence lastMoves;
bool lastMovesRead = false;

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

// The error box shows a token whole up to kShownWhole characters, else its first kShownCut and "...";
// so no more of a token than one past kShownWhole is ever read, and a longer one stops the reading.
const size_t kShownWhole = 227;
const size_t kShownCut = 224;

struct Token {
  char text[kShownWhole + 2];
  size_t length;  // at most kShownWhole + 1
};

bool ReadToken(TextStream* stream, Token* token) {
  int byte;
  do byte = ReadByte(stream);
  while (byte >= 0 && std::isspace(byte));
  if (byte < 0) return false;
  token->length = 0;
  for (;;) {
    token->text[token->length++] = static_cast<char>(byte);
    if (token->length > kShownWhole) break;
    byte = ReadByte(stream);
    if (byte < 0 || std::isspace(byte)) break;
  }
  token->text[token->length] = '\0';
  return true;
}

// The tokens, each followed by a space, as far as they fit; `more` says some did not.
struct MoveList {
  char text[kTextCapacity];
  size_t length;
  bool more;
};

// Appends as a C string, so a NUL byte ends what is listed of the token.
void Append(MoveList* list, const Token& token) {
  const size_t length = std::strlen(token.text);
  if (list->more || list->length + length + 1 > sizeof list->text - 1) {
    list->more = true;
    return;
  }
  std::memcpy(list->text + list->length, token.text, length);
  list->length += length;
  list->text[list->length++] = ' ';
  list->text[list->length] = '\0';
}

// Cuts the list after its last whole token that leaves room for "..." within `room` characters.
void FitList(MoveList* list, size_t room) {
  if (!list->more && list->length <= room) return;
  size_t cut = room < 3 ? 0 : room - 3;
  if (cut > list->length) cut = list->length;
  while (cut > 0 && list->text[cut - 1] != ' ') --cut;
  std::memcpy(list->text + cut, "...", 4);
  list->length = cut + 3;
}

void ShowInvalidToken(const Token& token) {
  // The prefix leaves 227 characters of the 255 for the token.
  static_assert(sizeof "INVALID mov file containing " - 1 + kShownWhole == kTextCapacity - 1, "box fits");
  char text[kTextCapacity];
  if (token.length <= kShownWhole)
    std::snprintf(text, sizeof text, "INVALID mov file containing %s", token.text);
  else
    std::snprintf(text, sizeof text, "INVALID mov file containing %.*s...", static_cast<int>(kShownCut),
                  token.text);
  platform->ShowMessage(text, "Error");
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

namespace {

static_assert(int{kMapU} == int{U} && int{kMapD} == int{D} && kMapColumnSlice == kColumnSliceLayer &&
                  kMapRowSlice == kRowSliceLayer,
              "a layer's number is its map operation");

int64_t ReadMoveFile(Cube& cube, TextStream* stream, bool fromSolved) {
  std::memset(moveLog, 0, sizeof moveLog);
  MoveList list = {{'\0'}, 0, false};
  int64_t faceTurnCount = 0;  // wider than the 16 bits a long file would overflow
  int64_t halfTurnCount = 0;
  if (fromSolved) MakeSolved(cube, cube.size);
  BeginSequence(&lastMoves, cube.size);
  lastMovesRead = true;

  Token token;
  while (ReadToken(stream, &token)) {
    if (token.length > 2) {
      ShowInvalidToken(token);
      faceTurnCount = halfTurnCount = 0;
      lastMovesRead = false;
      break;
    }
    Append(&list, token);
    char echo[4];
    std::snprintf(echo, sizeof echo, "%s ", token.text);
    platform->WriteDiagnostic(echo);

    MoveToken move;
    if (!ParseMoveToken(token.text, &move)) continue;
    TurnLayer(cube, move.layer, move.quarterTurns);
    // The layers are numbered as the maps' first operations are: the faces, then the two slices.
    AppendLayerTurn(&lastMoves, move.layer, move.quarterTurns);
    ++faceTurnCount;
    if (move.half) ++halfTurnCount;
    if (move.code != 0 && faceTurnCount <= kMoveLogCapacity) moveLog[faceTurnCount] = move.code;
  }
  // An input cut short by its bounds is refused as a bad token is: its moves stay, uncounted.
  if (stream->problem[0] != '\0' && lastMovesRead) {
    char text[kTextCapacity];
    std::snprintf(text, sizeof text, "INVALID mov file: %s", stream->problem);
    platform->ShowMessage(text, "Error");
    faceTurnCount = halfTurnCount = 0;
    lastMovesRead = false;
  }

  char counts[64];
  const int countsLength = std::snprintf(counts, sizeof counts, " Number of moves %lld q %lld f\n",
                                         static_cast<long long>(faceTurnCount + halfTurnCount),
                                         static_cast<long long>(faceTurnCount));
  FitList(&list, kTextCapacity - 1 - static_cast<size_t>(countsLength));
  char text[kTextCapacity];
  std::memcpy(text, counts, static_cast<size_t>(countsLength));
  std::memcpy(text + countsLength, list.text, list.length + 1);
  platform->ShowMessage(text, "Moves");
  return faceTurnCount;
}

}  // namespace

// A move file always starts from the solved cube of the current size.
int64_t LoadMoveFile(Cube& cube, TextStream* stream) { return ReadMoveFile(cube, stream, true); }

int64_t ApplyMoveFile(Cube& cube, TextStream* stream) { return ReadMoveFile(cube, stream, false); }

bool ScanMoveTokens(TextStream* stream, const char* where, std::string* refusal,
                    void (*apply)(void* context, const MoveToken& move), void* context) {
  Token token;
  while (ReadToken(stream, &token)) {
    if (token.length > 2) {
      const size_t shown = token.length < 40 ? token.length : 40;
      *refusal = std::string(where) + ": INVALID token \"" + std::string(token.text, shown) +
                 (token.length > 40 ? "...\"" : "\"") + " (a move is one or two characters)";
      return false;
    }
    MoveToken move;
    if (ParseMoveToken(token.text, &move)) apply(context, move);
  }
  if (stream->problem[0] == '\0') return true;
  *refusal = std::string(where) + ": not read whole: " + stream->problem;
  return false;
}
