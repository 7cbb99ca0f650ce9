// An answer's fields, decided in one place for every size and spelled for every output: the CLI's text
// and JSON, the batch's columns and the window's box all show what is here.
#pragma once

#include "solve/solve.h"

enum AnswerFieldKind { kAnswerText, kAnswerNumber, kAnswerFlag, kAnswerStages, kAnswerSeconds };

struct AnswerField {
  const char* key;  // as JSON names it
  AnswerFieldKind kind;
  const char* text;  // kAnswerText
  int number;        // kAnswerNumber
  bool flag;         // kAnswerFlag
};

const int kMaxAnswerFields = 12;
const int kAnswerTextLength = 256;
const int kAnswerAlgLength = kMaxSolveMoves * kMaxMoveText;

struct SpelledAnswer {
  int fieldCount;
  AnswerField fields[kMaxAnswerFields];
  // An answer of face turns and a rotation the arrow keys make (2×2×2 and 3×3×3) is spelled in the
  // move-file notation too: "moves" and "rotation" (arrow keys), and the rotation as layer turns.
  char moves[kAnswerTextLength];
  char rotation[kAnswerTextLength];
  char rotationTurns[kAnswerTextLength];
  char alg[kAnswerAlgLength];
};

// The fields of the answer, or with inverse of the way back to solved (the rotation undone first), in
// the order shown: moves, rotation, length_f, length_q and optimal for a face-turn answer; then alg,
// length_btm and length_obtm for every answer; stages where the solver made them; seconds.
void SpellAnswer(const SolveResult& result, bool inverse, SpelledAnswer* spelled);
// The field of that key, or null when the answer has none.
const AnswerField* FindAnswerField(const SpelledAnswer& spelled, const char* key);
