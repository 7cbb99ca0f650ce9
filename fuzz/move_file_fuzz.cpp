// Fuzz target: the move-file reader on arbitrary bytes read through the text-mode stream, and the
// replay that may follow it; long inputs are read from a real file as well and must match.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "harness.h"
#include "oracle.h"

namespace {

// Inputs past one buffer of the file stream also go through a file, to cross its refills.
const size_t kFileReadThreshold = sizeof(TextStream::buffer) - 16;

std::string TemporaryPath() {
  static std::string path;
  if (path.empty()) {
    const char* folder = std::getenv("TMPDIR");
    char name[512];
    std::snprintf(name, sizeof name, "%s/plexaro-move-fuzz-%d.mov", folder != nullptr ? folder : "/tmp",
                  static_cast<int>(getpid()));
    path = name;
    std::atexit([] { std::remove(path.c_str()); });
  }
  return path;
}

struct Result {
  long long count;
  std::vector<Box> boxes;
  std::string diagnostics;
  Snapshot state;
};

Result ReadAndCheck(CheckingPlatform& checking, const std::string& raw, int16_t size, uint32_t hash,
                    TextStream* stream) {
  ResetProgram(checking, size);
  // Whatever the cube held before, the reader starts from solved.
  for (int k = 0; k < static_cast<int>(hash >> 8 & 3); ++k) Scramble(document.cube, document.random, 1);
  std::memcpy(document.moveLog + 1, "999999999999999999999999", kMoveLogCapacity);

  Result result;
  result.count = LoadMoveFile(stream);
  CheckInvariants("after a move file");
  const MoveOutcome outcome = CheckMoveLoad(raw, size, checking.boxes, 0, checking.diagnostics);
  EXPECT_THAT(result.count == outcome.count, "the reader returned %lld, the file holds %lld moves",
              result.count, outcome.count);
  if ((hash & 0x400) != 0) {
    ReplayMoveLog(result.count);
    CheckInvariants("after the replay");
    CheckReplay(outcome, checking.boxes);
  }
  result.boxes = checking.boxes;
  result.diagnostics = checking.diagnostics;
  result.state = TakeSnapshot();
  return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static CheckingPlatform checking;
  const uint32_t hash = HashBytes(data, size);
  const int16_t cubeSizeToUse = static_cast<int16_t>(2 + hash % 9);
  const std::string raw(reinterpret_cast<const char*>(data), size);

  TextStream memory;
  OpenMemoryStream(&memory, data, size);
  const Result fromMemory = ReadAndCheck(checking, raw, cubeSizeToUse, hash, &memory);
  if (size < kFileReadThreshold) return 0;

  const std::string path = TemporaryPath();
  FILE* file = std::fopen(path.c_str(), "wb");
  EXPECT_THAT(file != nullptr && std::fwrite(data, 1, size, file) == size && std::fclose(file) == 0,
              "cannot write %s", path.c_str());
  TextStream onDisk;
  EXPECT_THAT(OpenTextStream(&onDisk, path.c_str()), "cannot open %s", path.c_str());
  const Result fromFile = ReadAndCheck(checking, raw, cubeSizeToUse, hash, &onDisk);
  CloseTextStream(&onDisk);
  EXPECT_THAT(fromFile.count == fromMemory.count && fromFile.diagnostics == fromMemory.diagnostics &&
                  fromFile.boxes.size() == fromMemory.boxes.size() &&
                  FirstDifference(fromFile.state, fromMemory.state) == nullptr,
              "a file and the same bytes in memory read differently");
  for (size_t k = 0; k < fromFile.boxes.size(); ++k)
    EXPECT_THAT(fromFile.boxes[k].text == fromMemory.boxes[k].text, "box %zu differs between file and memory",
                k);
  return 0;
}
