// The wording of reachability problems: colour and face names, counts, and the report's lines.
#include <cstdarg>
#include <cstdio>

#include "study/reachability_steps.h"

void AddProblem(ReachContext* context, const char* format, ...) {
  ReachabilityReport* report = context->report;
  ++context->found;
  if (report->problemCount == kMaxReachProblems) return;
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(report->problems[report->problemCount++], kReachProblemLength, format, arguments);
  va_end(arguments);
}

const char* ColourName(int colour) {
  static const char* const kNames[6] = {"white", "red", "yellow", "orange", "green", "blue"};
  return colour >= 0 && colour < 6 ? kNames[colour] : "no colour";
}

const char* CountWord(int count) {
  static const char* const kWords[9] = {"no", "one", "two", "three", "four", "five", "six", "seven", "eight"};
  thread_local char digits[12];  // checks may run on several threads at once
  if (count >= 0 && count <= 8) return kWords[count];
  std::snprintf(digits, sizeof digits, "%d", count);
  return digits;
}

namespace {

void JoinList(const char* const* words, int count, char* out, size_t size) {
  size_t used = 0;
  out[0] = '\0';
  for (int k = 0; k < count && used < size; ++k) {
    const char* separator = k == 0 ? "" : k == count - 1 ? " and " : ", ";
    const int written = std::snprintf(out + used, size - used, "%s%s", separator, words[k]);
    if (written < 0) return;
    used += static_cast<size_t>(written);
  }
}

}  // namespace

void PlaceName(const ReachContext& context, const Piece& piece, char* out, size_t size) {
  static const char* const kLetters[6] = {"U", "L", "F", "R", "B", "D"};
  static const int kRank[6] = {0, 4, 2, 5, 3, 1};  // U, D, F, B, L, R
  int faces[3];
  for (int k = 0; k < piece.count; ++k) faces[k] = context.shown->from[piece.cells[k]] / kFaceStride;
  for (int a = 0; a < piece.count; ++a)
    for (int b = a + 1; b < piece.count; ++b)
      if (kRank[faces[b]] < kRank[faces[a]]) {
        const int t = faces[a];
        faces[a] = faces[b];
        faces[b] = t;
      }
  const char* words[3];
  for (int k = 0; k < piece.count; ++k) words[k] = kLetters[faces[k]];
  JoinList(words, piece.count, out, size);
}

int ShownColour(const ReachContext& context, int colour) {
  for (int shown = 0; shown < 6; ++shown)
    if (context.shown->colour[shown] == colour) return shown;
  return colour;
}

void ColourList(const ReachContext& context, const int* colours, int count, char* out, size_t size) {
  const char* words[3];
  if (count > 3) count = 3;
  for (int k = 0; k < count; ++k) words[k] = ColourName(ShownColour(context, colours[k]));
  JoinList(words, count, out, size);
}

void CountsText(const int counts[6], int expected, char* out, size_t size, int* first) {
  char parts[6][32];
  const char* words[6];
  int wrong = 0;
  *first = -1;
  for (int colour = 0; colour < 6; ++colour) {
    if (counts[colour] == expected) continue;
    const int count = counts[colour];
    if (*first < 0) *first = count;
    // "10 white squares and 8 red ones": the noun once, at the first.
    const char* noun = wrong == 0 ? (count == 1 ? " square" : " squares") : (count == 1 ? " one" : " ones");
    if (count == 0)
      std::snprintf(parts[wrong], sizeof parts[wrong], "no %s%s", ColourName(colour), noun);
    else
      std::snprintf(parts[wrong], sizeof parts[wrong], "%d %s%s", count, ColourName(colour), noun);
    words[wrong] = parts[wrong];
    ++wrong;
  }
  JoinList(words, wrong, out, size);
}
