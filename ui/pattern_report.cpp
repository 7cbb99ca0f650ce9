// The texts of the menu's study boxes: symmetries and reachability, the order, the solver's answer.
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>

#include "files/input_files.h"
#include "solve/answer.h"
#include "ui/document.h"
#include "ui/menu.h"
#include "ui/ui.h"

namespace {

// Appends to a text of fixed capacity; what does not fit is dropped, and `full` says so.
struct Writer {
  char* text;
  int capacity;
  int length;
  bool full;
};

void Put(Writer* writer, const char* format, ...) {
  if (writer->full) return;
  va_list arguments;
  va_start(arguments, format);
  const int room = writer->capacity - writer->length;
  const int wanted =
      std::vsnprintf(writer->text + writer->length, static_cast<size_t>(room), format, arguments);
  va_end(arguments);
  if (wanted < 0 || wanted >= room) {
    writer->text[writer->length] = '\0';  // never half a line
    writer->full = true;
    return;
  }
  writer->length += wanted;
}

// The room a closing line needs, kept free while the lists are written.
const int kClosingRoom = 40;

// The box shows this many moves of a long answer and says how many more there are.
const int kShownMoves = 60;

}  // namespace

void ComposePatternReport(char* text, int capacity) {
  text[0] = '\0';
  SymmetryReport symmetry;
  ReachabilityReport reach;
  FindSymmetryGroup(document.cube, document.random, &symmetry);
  CheckReachable(document.cube, &reach);
  Writer writer = {text, capacity, 0, false};
  Put(&writer, "Symmetry group: %s, %d %s\n", symmetry.group, symmetry.symmetries,
      symmetry.symmetries == 1 ? "symmetry" : "symmetries");
  Put(&writer, "Total C: %d   Total M: %d\n", symmetry.totalC, symmetry.totalM);
  // The end of the report matters more than the last symmetries in a long list, so it is kept room.
  const int listRoom = capacity - kClosingRoom - kReachProblemLength * 2;
  Writer list = {text, listRoom, writer.length, listRoom <= writer.length};
  int listed = 0;
  while (listed < symmetry.symmetries) {
    Put(&list, "  %s\n", symmetry.words[listed]);
    if (list.full) break;
    ++listed;
  }
  writer.length = list.length;
  if (listed < symmetry.symmetries) Put(&writer, "  and %d more\n", symmetry.symmetries - listed);
  if (reach.reachable) {
    Put(&writer, "A real cube can show this pattern.\n");
    return;
  }
  Put(&writer, "A real cube cannot show this pattern:\n");
  for (int k = 0; k < reach.problemCount; ++k) Put(&writer, "  %s\n", reach.problems[k]);
}

void ComposeOrderReport(char* text, int capacity) {
  text[0] = '\0';
  if (!document.last.read) return;
  const MoveSequence& lastMoves = document.last.sequence;
  OrderReport order;
  ComputeOrder(lastMoves, &order);
  Writer writer = {text, capacity, 0, false};
  Put(&writer, "%lld moves on the %dx%dx%d cube\nOrder: %s\nFacelet order: %s\n\n",
      static_cast<long long>(lastMoves.turns), lastMoves.size, lastMoves.size, lastMoves.size, order.order,
      order.faceletOrder);
  // The explanation goes line by line, so a long one stops at a whole line.
  const char* line = order.explanation;
  while (*line != '\0' && !writer.full) {
    const char* end = std::strchr(line, '\n');
    const int length = end != nullptr ? static_cast<int>(end - line) : static_cast<int>(std::strlen(line));
    Put(&writer, "%.*s\n", length, line);
    line += length + (end != nullptr ? 1 : 0);
  }
  if (writer.full) {
    // Room for the mark: drop whole lines from the end.
    while (writer.length > 0 && writer.capacity - writer.length < 5) {
      do --writer.length;
      while (writer.length > 0 && text[writer.length - 1] != '\n');
    }
    text[writer.length] = '\0';
    std::strcat(text, "...\n");
  }
}

void ComposeSolutionReport(const SolveResult& result, char* text, int capacity) {
  text[0] = '\0';
  Writer writer = {text, capacity, 0, false};
  if (!result.solved) {
    if (result.unreachable) Put(&writer, "No moves make this pattern: a real cube cannot show it.\n");
    for (int k = 0; k < result.problemCount; ++k)
      Put(&writer, result.unreachable ? "  %s\n" : "%s\n", result.problems[k]);
    return;
  }
  const std::unique_ptr<SpelledAnswer> forward(new SpelledAnswer), back(new SpelledAnswer);
  SpellAnswer(result, false, forward.get());
  SpellAnswer(result, true, back.get());
  if (FindAnswerField(*forward, "moves") != nullptr) {
    // Face turns in the keys' own notation, the rotation as arrow keys.
    const bool turned = result.lengthBtm > 0;
    Put(&writer, "From the solved cube: %s\n", turned ? forward->moves : "no moves");
    if (forward->rotation[0] != '\0') Put(&writer, "Then turn the whole cube: %s\n", forward->rotation);
    Put(&writer, "%d f, %d q, %d obtm, %s\n", result.lengthBtm, result.lengthQbtm, result.lengthObtm,
        result.optimal ? "the fewest face turns" : "the shortest found");
    Put(&writer, "Back to solved: %s%s%s\n", back->rotation,
        back->rotation[0] != '\0' && turned ? " then " : "", turned ? back->moves : "");
  } else {
    char moves[kShownMoves * kMaxMoveText];
    FormatSolveAlgStart(result, kShownMoves, moves, sizeof moves);
    Put(&writer, "From the solved cube, the rotation last:\n%s\n", moves);
    if (result.algCount > kShownMoves) Put(&writer, "and %d more moves\n", result.algCount - kShownMoves);
    Put(&writer, "%d block turns, %d outer block turns: ", result.lengthBtm, result.lengthObtm);
    for (int stage = 0; stage < result.stageCount; ++stage)
      Put(&writer, "%s %d%s", result.stages[stage].name, result.stages[stage].turns,
          stage + 1 < result.stageCount ? ", " : "\n");
  }
  Put(&writer, "Found in %.2f s.\n", result.seconds);
  if (result.withoutTables) Put(&writer, "%s\n", kSolveWithoutTables);
}
