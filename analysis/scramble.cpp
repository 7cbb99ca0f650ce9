// The program's one pseudo-random generator and the random scramble drawn from it.
#include "analysis/analysis.h"

int32_t NextRandom(Random& random) {
  random.state = random.state * 214013u + 2531011u;
  return static_cast<int32_t>((random.state >> 16) & 0x7FFF);
}

namespace {

// Divides into r0 for the first pass's length: 10 steps, down to 5 for the largest draws.
const int32_t kFirstPassDivisor = -6048;

// A pattern that no turn can unsolve (one colour everywhere, say) would need passes for ever.
const int kMaxPasses = 64;

// The draw's face for choices 1 to 6.
const int16_t kFaceOfChoice[6] = {U, D, F, B, L, R};

}  // namespace

void Scramble(Cube& cube, Random& random, int16_t repeatCount) {
  const int16_t n = cube.size;
  if (n < 2) return;  // every pattern of one facelet a side counts as solved
  int32_t divisor = kFirstPassDivisor;
  for (int pass = 0; pass < kMaxPasses; ++pass) {
    const int32_t length = 10 + NextRandom(random) / divisor;
    for (int32_t step = 1; step <= length; ++step) {
      divisor = 32767 / (n + 4);
      const int32_t choice = NextRandom(random) / divisor + 1;
      if (choice <= 6) {
        TurnLayer(cube, kFaceOfChoice[choice - 1], repeatCount);
      } else if (n >= 4) {
        const int32_t slice = NextRandom(random) / 16383 + 1;
        divisor = 32767 / (n - 2);
        NextRandom(random);  // drawn, though each slice key always turns the same layer
        TurnLayer(cube, slice == 1 ? kColumnSliceLayer : kRowSliceLayer, repeatCount);
      }
    }
    if (static_cast<int16_t>(CheckSolved(n, cube.live)) != 0) return;
  }
}
