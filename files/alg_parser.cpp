// Parsing the standard notation: moves of any block of layers, repeated groups, commutators and conjugates.
#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "files/alg_notation.h"

namespace {

// How much of a bad token a reason shows.
const size_t kShownToken = 40;
// An amount of more digits than this is refused rather than counted.
const int kAmountDigits = 7;

struct Parser {
  const char* text;
  size_t length;
  size_t at;
  int n;
  std::vector<BlockMove>* out;
  std::vector<TextPlace>* places;  // null when the caller does not ask where the moves come from
  char* reason;
  size_t reasonSize;
};

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsStructure(char c) { return c == '(' || c == ')' || c == '[' || c == ']' || c == ',' || c == ':'; }
bool StartsComment(const Parser& p, size_t at) {
  return at + 1 < p.length && p.text[at] == '/' && p.text[at + 1] == '/';
}

// Refuses the whole text: the token text[start, end), where it begins, and why.
bool Fail(Parser& p, size_t start, size_t end, const char* why, ...) {
  int line = 1, column = 1;
  for (size_t k = 0; k < start; ++k) {
    const unsigned char c = static_cast<unsigned char>(p.text[k]);
    if (c == '\n') {
      ++line;
      column = 1;
    } else if ((c & 0xC0) != 0x80) {  // a column is a character, not a byte of one
      ++column;
    }
  }
  char token[kShownToken + 4];
  size_t shown = 0;
  for (size_t k = start; k < end && shown < kShownToken; ++k) {
    const unsigned char c = static_cast<unsigned char>(p.text[k]);
    token[shown++] = c < 0x20 || c == 0x7F ? '?' : static_cast<char>(c);  // the reason stays one line
  }
  if (end - start > kShownToken) {
    std::memcpy(token + shown, "...", 3);
    shown += 3;
  }
  token[shown] = '\0';
  char words[160];
  va_list arguments;
  va_start(arguments, why);
  std::vsnprintf(words, sizeof words, why, arguments);
  va_end(arguments);
  if (p.reasonSize > 0)
    std::snprintf(p.reason, p.reasonSize, "\"%s\" at line %d, column %d: %s", token, line, column, words);
  return false;
}

void SkipSpace(Parser& p) {
  while (p.at < p.length) {
    if (IsSpace(p.text[p.at])) {
      ++p.at;
    } else if (StartsComment(p, p.at)) {
      while (p.at < p.length && p.text[p.at] != '\n') ++p.at;
    } else {
      return;
    }
  }
}

// Digits at `at`, at most kAmountDigits of them; -1 when there are more.
long ReadNumber(const Parser& p, size_t* at, size_t end) {
  long value = 0;
  int digits = 0;
  for (; *at < end && IsDigit(p.text[*at]); ++*at, ++digits) {
    if (digits == kAmountDigits) return -1;
    value = value * 10 + (p.text[*at] - '0');
  }
  return value;
}

bool Append(Parser& p, const BlockMove& move, size_t start, size_t end) {
  if (p.out->size() >= kMaxAlgMoves)
    return Fail(p, start, end, "the moves come to more than %zu", kMaxAlgMoves);
  p.out->push_back(move);
  if (p.places != nullptr)
    p.places->push_back({static_cast<uint32_t>(start), static_cast<uint32_t>(end - start)});
  return true;
}

// One move, the whole word text[start, end) spelling it.
bool ParseMove(Parser& p, size_t start, size_t end) {
  const int n = p.n;
  size_t at = start;
  long first = 0, last = 0;
  bool range = false;
  if (IsDigit(p.text[at])) {
    first = last = ReadNumber(p, &at, end);
    if (at < end && p.text[at] == '-') {
      ++at;
      if (at == end || !IsDigit(p.text[at]))
        return Fail(p, start, end, "a range is written a-b, as in 2-3Rw");
      last = ReadNumber(p, &at, end);
      range = true;
    }
    if (first < 0 || last < 0) return Fail(p, start, end, "no cube has that many layers");
  }
  const bool prefixed = at > start;
  if (at == end) return Fail(p, start, end, "names no move");
  const char letter = p.text[at++];
  const bool wide = at < end && p.text[at] == 'w';
  if (wide) ++at;
  long amount = 1;
  if (at < end && IsDigit(p.text[at])) {
    amount = ReadNumber(p, &at, end);
    if (amount < 0) return Fail(p, start, end, "the amount is too large");
  }
  const bool inverse = at < end && p.text[at] == '\'';
  if (inverse) ++at;
  if (at != end) return Fail(p, start, end, "names no move");

  static const char kUpper[] = "ULFRBD";
  static const char kLower[] = "ulfrbd";
  const char* upper = std::strchr(kUpper, letter);
  const char* lower = std::strchr(kLower, letter);
  const char* slice = std::strchr("MES", letter);
  const char* inner = std::strchr("mes", letter);
  const char* axis = std::strchr("xyz", letter);
  if (letter == '\0' ||
      (upper == nullptr && lower == nullptr && slice == nullptr && inner == nullptr && axis == nullptr))
    return Fail(p, start, end, "names no move");
  // The slices turn like L, D and F; the rotations like R, U and F.
  static const Face kSliceFaces[] = {L, D, F};
  static const Face kAxisFaces[] = {R, U, F};
  BlockMove move;
  if (slice != nullptr || inner != nullptr || axis != nullptr) {
    if (prefixed || wide) return Fail(p, start, end, "%c takes no layer numbers and no w", letter);
    if (slice != nullptr) {
      if (n % 2 == 0)
        return Fail(p, start, end, "%c turns the middle layer, which only odd sizes have; this is %dx%dx%d",
                    letter, n, n, n);
      move = {static_cast<int8_t>(kSliceFaces[slice - "MES"]), static_cast<int8_t>((n + 1) / 2),
              static_cast<int8_t>((n + 1) / 2), 0};
    } else if (inner != nullptr) {
      if (n < 4) return Fail(p, start, end, "%c turns the inner layers of a 4x4x4 or larger", letter);
      move = {static_cast<int8_t>(kSliceFaces[inner - "mes"]), 2, static_cast<int8_t>(n - 1), 0};
    } else {
      move = {static_cast<int8_t>(kAxisFaces[axis - "xyz"]), 1, static_cast<int8_t>(n), 0};
    }
  } else {
    const Face face = static_cast<Face>(upper != nullptr ? upper - kUpper : lower - kLower);
    if (lower != nullptr && wide)
      return Fail(p, start, end, "names no move (write %cw or %c)", letter - 32, letter);
    const bool block = wide || lower != nullptr;
    if (range) {
      if (first < 1 || first >= last || last > n)
        return Fail(p, start, end, "a range a-b needs 1 <= a < b <= %d on the %dx%dx%d", n, n, n, n);
    } else if (prefixed && block) {
      if (first < 2 || first >= n)
        return Fail(p, start, end, "the layers 1 to k need 2 <= k < %d on the %dx%dx%d", n, n, n, n);
      last = first;
      first = 1;
    } else if (prefixed) {
      if (first < 1 || first > n) return Fail(p, start, end, "the %dx%dx%d has layers 1 to %d", n, n, n, n);
      last = first;
    } else if (block) {
      if (n < 3) return Fail(p, start, end, "the outer two layers are the whole 2x2x2; write a rotation");
      first = 1;
      last = 2;
    } else {
      first = last = 1;
    }
    move = {static_cast<int8_t>(face), static_cast<int8_t>(first), static_cast<int8_t>(last), 0};
  }
  int turns = static_cast<int>(amount % 4);
  if (inverse) turns = (4 - turns) % 4;
  if (turns == 0) return true;
  move.quarterTurns = static_cast<int8_t>(turns);
  return Append(p, move, start, end);
}

// A group's amount, right after its closing bracket: a number, then ' for the other way.
bool ParseAmount(Parser& p, size_t groupStart, long* count, bool* inverse) {
  *count = 1;
  if (p.at < p.length && IsDigit(p.text[p.at])) {
    *count = ReadNumber(p, &p.at, p.length);
    if (*count < 0) return Fail(p, groupStart, p.at, "the amount is too large");
  }
  *inverse = p.at < p.length && p.text[p.at] == '\'';
  if (*inverse) ++p.at;
  return true;
}

template <typename T>
void ReverseRange(std::vector<T>* items, size_t start, size_t end) {
  std::reverse(items->begin() + static_cast<std::ptrdiff_t>(start),
               items->begin() + static_cast<std::ptrdiff_t>(end));
}

void InvertRange(Parser& p, size_t start, size_t end) {
  ReverseRange(p.out, start, end);
  for (size_t k = start; k < end; ++k) (*p.out)[k] = InverseBlockMove((*p.out)[k]);
  if (p.places != nullptr) ReverseRange(p.places, start, end);
}

// Appends the inverse of moves[start, end).
bool AppendInverse(Parser& p, size_t start, size_t end, size_t groupStart) {
  if (end - start > kMaxAlgMoves - p.out->size())
    return Fail(p, groupStart, p.at, "the moves come to more than %zu", kMaxAlgMoves);
  for (size_t k = end; k > start; --k) p.out->push_back(InverseBlockMove((*p.out)[k - 1]));
  if (p.places != nullptr)
    for (size_t k = end; k > start; --k) p.places->push_back((*p.places)[k - 1]);
  return true;
}

bool ParseSequence(Parser& p, int depth);

// A group at p.at: (A), [A, B] or [A: B], then its amount.
bool ParseGroup(Parser& p, int depth) {
  const size_t open = p.at;
  const char bracket = p.text[p.at++];
  if (depth >= kMaxAlgDepth) return Fail(p, open, open + 1, "brackets nest more than %d deep", kMaxAlgDepth);
  const size_t start = p.out->size();
  if (!ParseSequence(p, depth + 1)) return false;
  if (p.at == p.length) return Fail(p, open, open + 1, "this bracket is never closed");
  if (bracket == '(') {
    if (p.text[p.at] != ')') return Fail(p, p.at, p.at + 1, "the \"(\" before it is not closed yet");
    ++p.at;
  } else {
    const char separator = p.text[p.at];
    if (separator != ',' && separator != ':')
      return Fail(p, p.at, p.at + 1, "[A, B] and [A: B] need a \",\" or a \":\" before the \"]\"");
    ++p.at;
    const size_t middle = p.out->size();
    if (!ParseSequence(p, depth + 1)) return false;
    if (p.at == p.length) return Fail(p, open, open + 1, "this bracket is never closed");
    if (p.text[p.at] != ']') return Fail(p, p.at, p.at + 1, "the \"[\" before it is not closed yet");
    ++p.at;
    const size_t end = p.out->size();
    if (!AppendInverse(p, start, middle, open)) return false;
    if (separator == ',' && !AppendInverse(p, middle, end, open)) return false;
  }
  long count = 1;
  bool inverse = false;
  if (!ParseAmount(p, open, &count, &inverse)) return false;
  const size_t end = p.out->size();
  const size_t size = end - start;
  if (inverse) InvertRange(p, start, end);
  if (count == 0 || size == 0) {
    p.out->resize(start);
    if (p.places != nullptr) p.places->resize(start);
    return true;
  }
  if (static_cast<size_t>(count - 1) > (kMaxAlgMoves - end) / size)
    return Fail(p, open, p.at, "the moves come to more than %zu", kMaxAlgMoves);
  p.out->reserve(end + size * static_cast<size_t>(count - 1));
  for (long k = 1; k < count; ++k)
    for (size_t m = start; m < end; ++m) p.out->push_back((*p.out)[m]);
  if (p.places != nullptr) {
    p.places->reserve(p.out->size());
    for (long k = 1; k < count; ++k)
      for (size_t m = start; m < end; ++m) p.places->push_back((*p.places)[m]);
  }
  return true;
}

// Moves and groups up to a closing bracket or separator (left for the caller) or the end.
bool ParseSequence(Parser& p, int depth) {
  while (true) {
    SkipSpace(p);
    if (p.at == p.length) return true;
    const char c = p.text[p.at];
    if (c == ')' || c == ']' || c == ',' || c == ':') return true;
    if (c == '(' || c == '[') {
      if (!ParseGroup(p, depth)) return false;
      continue;
    }
    const size_t start = p.at;
    while (p.at < p.length && !IsSpace(p.text[p.at]) && !IsStructure(p.text[p.at]) && !StartsComment(p, p.at))
      ++p.at;
    if (!ParseMove(p, start, p.at)) return false;
  }
}

}  // namespace

bool ParseAlgPlaces(const char* text, size_t length, int n, std::vector<BlockMove>* moves,
                    std::vector<TextPlace>* places, char* reason, size_t reasonSize) {
  moves->clear();
  if (places != nullptr) places->clear();
  if (reasonSize > 0) reason[0] = '\0';
  Parser p = {text, length, 0, n, moves, places, reason, reasonSize};
  bool parsed;
  if (n < 2 || n > kMaxSize) {
    std::snprintf(reason, reasonSize, "There is no cube of size %d.", n);
    parsed = false;
  } else if (places != nullptr && !TextPlaceable(length)) {
    std::snprintf(reason, reasonSize, "The text is too long to show where its moves come from.");
    parsed = false;
  } else {
    parsed = ParseSequence(p, 0);
    if (parsed && p.at < p.length) {
      const char c = text[p.at];
      parsed = Fail(p, p.at, p.at + 1,
                    c == ',' || c == ':' ? "it belongs inside [A, B] or [A: B]" : "it closes no bracket");
    }
  }
  if (!parsed) {
    moves->clear();
    moves->shrink_to_fit();
    if (places != nullptr) {
      places->clear();
      places->shrink_to_fit();
    }
  }
  return parsed;
}

bool ParseAlg(const char* text, size_t length, int n, std::vector<BlockMove>* moves, char* reason,
              size_t reasonSize) {
  return ParseAlgPlaces(text, length, n, moves, nullptr, reason, reasonSize);
}
