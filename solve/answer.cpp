// Spelling an answer: which fields it has, and each in the notation it is shown in.
#include "solve/answer.h"

#include <cstring>

#include "solve/solve_steps.h"
#include "study/facelet_map.h"

namespace {

void Add(SpelledAnswer* spelled, const char* key, AnswerFieldKind kind, const char* text, int number,
         bool flag) {
  spelled->fields[spelled->fieldCount++] = AnswerField{key, kind, text, number, flag};
}

bool IsFaceTurn(const BlockMove& move) { return move.first == 1 && move.last == 1; }

// Sizes 2 and 3 answer in face turns and a rotation the arrow keys make, which the move-file notation
// spells; the move tokens in the order asked, the rotation as arrows on the side it is made.
bool SpellFaceTurns(const SolveResult& result, bool inverse, SpelledAnswer* spelled) {
  const int n = result.size;
  const int turns = result.algCount - result.rotationCount;
  if (n > 3) return false;
  for (int k = 0; k < turns; ++k)
    if (!IsFaceTurn(result.alg[k])) return false;
  FaceletMap rotation;
  IdentityMap(n, &rotation);
  Cube cube;
  cube.size = static_cast<int16_t>(n);
  ForEachUsedCell(n, [&cube](int cell) { cube.live[cell] = cube.shadow[cell] = cell; });
  ApplyBlockMoves(cube, result.alg + turns, static_cast<size_t>(result.rotationCount));
  ForEachUsedCell(n, [&](int cell) { rotation.from[cell] = static_cast<int16_t>(cube.live[cell]); });
  char arrows[kMaxRotationText], undoArrows[kMaxRotationText];
  if (!SpellRotation(n, rotation, arrows, undoArrows, spelled->rotationTurns)) return false;
  std::strcpy(spelled->rotation, inverse ? undoArrows : arrows);
  spelled->moves[0] = '\0';
  for (int k = 0; k < turns; ++k) {
    const BlockMove& move = result.alg[inverse ? turns - 1 - k : k];
    AppendToken(spelled->moves, move.face, inverse ? 4 - move.quarterTurns : move.quarterTurns);
  }
  return true;
}

}  // namespace

void SpellAnswer(const SolveResult& result, bool inverse, SpelledAnswer* spelled) {
  spelled->fieldCount = 0;
  spelled->moves[0] = spelled->rotation[0] = spelled->rotationTurns[0] = '\0';
  if (SpellFaceTurns(result, inverse, spelled)) {
    Add(spelled, "moves", kAnswerText, spelled->moves, 0, false);
    Add(spelled, "rotation", kAnswerText, spelled->rotation, 0, false);
    Add(spelled, "length_f", kAnswerNumber, nullptr, result.lengthBtm, false);
    Add(spelled, "length_q", kAnswerNumber, nullptr, result.lengthQbtm, false);
    Add(spelled, "optimal", kAnswerFlag, nullptr, 0, result.optimal);
  }
  FormatSolveAlg(result, inverse, spelled->alg, sizeof spelled->alg);
  Add(spelled, "alg", kAnswerText, spelled->alg, 0, false);
  Add(spelled, "length_btm", kAnswerNumber, nullptr, result.lengthBtm, false);
  Add(spelled, "length_obtm", kAnswerNumber, nullptr, result.lengthObtm, false);
  if (result.stageCount > 0) Add(spelled, "stages", kAnswerStages, nullptr, 0, false);
  Add(spelled, "seconds", kAnswerSeconds, nullptr, 0, false);
}

const AnswerField* FindAnswerField(const SpelledAnswer& spelled, const char* key) {
  for (int k = 0; k < spelled.fieldCount; ++k)
    if (std::strcmp(spelled.fields[k].key, key) == 0) return &spelled.fields[k];
  return nullptr;
}
