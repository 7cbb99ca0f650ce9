// Fuzz target: the pattern-file reader on arbitrary bytes, from a start state the input's hash picks.
#include <cstring>
#include <string>

#include "harness.h"
#include "oracle.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static CheckingPlatform checking;
  const uint32_t hash = HashBytes(data, size);
  ResetProgram(checking, static_cast<int16_t>(2 + hash % 9));
  // A turned cube, a log and a stale erase flag that a refused file must leave exactly as they are.
  static void (*const kTurns[])(Cube&) = {QuarterTurnF, QuarterTurnR, RotateUp, TurnRowSlice};
  for (int k = 0; k < static_cast<int>(hash >> 8 & 7); ++k) kTurns[(hash >> (11 + 2 * k)) & 3](document.cube);
  std::memcpy(document.moveLog + 1, "1D3", 3);
  document.eraseOnRepaint = (hash & 0x100000) != 0;

  // A long name shows how a refusal cuts the path to keep its text within bounds.
  const std::string path = (hash & 0x200000) != 0 ? "/tmp/" + std::string(300, 'p') + ".q" : "/tmp/cube.q";

  const Snapshot before = TakeSnapshot();
  TextStream stream;
  OpenMemoryStream(&stream, data, size);
  LoadPatternFile(&stream, path.c_str());
  CheckInvariants("after a pattern file");
  CheckPatternLoad(std::string(reinterpret_cast<const char*>(data), size), path, before, TakeSnapshot(),
                   checking.boxes);
  return 0;
}
