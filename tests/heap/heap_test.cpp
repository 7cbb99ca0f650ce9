// Counts heap allocations while every key command and a paint run: the core must make none.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "analysis/analysis.h"
#include "files/input_files.h"
#include "tests/support/fresh_start.h"
#include "ui/solid/cube_picture.h"
#include "ui/ui.h"

extern "C" void* __libc_malloc(size_t size);
extern "C" void* __libc_calloc(size_t count, size_t size);
extern "C" void* __libc_realloc(void* pointer, size_t size);

namespace {
bool counting = false;
long allocations = 0;
}  // namespace

// Replacing these in the program replaces them for every library too, operator new included.
extern "C" void* malloc(size_t size) {
  if (counting) ++allocations;
  return __libc_malloc(size);
}
extern "C" void* calloc(size_t count, size_t size) {
  if (counting) ++allocations;
  return __libc_calloc(count, size);
}
extern "C" void* realloc(void* pointer, size_t size) {
  if (counting) ++allocations;
  return __libc_realloc(pointer, size);
}

namespace {

// A seam that keeps what it is told in fixed buffers, so that it allocates nothing itself.
struct CountingPlatform : Platform {
  const char* paths[4] = {};
  int pathCount = 0;
  int boxes = 0;
  char lastTitle[32] = "";
  int repaints = 0;
  int paintsNow = 0;

  void ShowMessage(const char*, const char* title) override {
    ++boxes;
    std::snprintf(lastTitle, sizeof lastTitle, "%s", title);
  }
  const char* ChooseOpenFile(FileKind, const FileFilter&) override {
    return pathCount > 0 ? paths[--pathCount] : nullptr;
  }
  void WriteDiagnostic(const char*) override {}
  void RequestRepaint(bool) override { ++repaints; }
  void PaintNow() override { ++paintsNow; }
};

struct QuietSurface : DrawingSurface {
  long calls = 0;
  void SelectOutlinePen() override { ++calls; }
  void RestorePen() override { ++calls; }
  int SetAlignment(int) override { return static_cast<int>(++calls); }
  void MoveTo(int, int) override { ++calls; }
  void LineTo(int, int) override { ++calls; }
  void FillRectangle(int, int, int, int, int) override { ++calls; }
  void WriteText(int, int, const char*, int) override { ++calls; }
};

CountingPlatform quiet;
int failures = 0;

void Check(const char* what, void (*command)(int), int code, const char* path = nullptr) {
  quiet.pathCount = 0;
  if (path != nullptr) quiet.paths[quiet.pathCount++] = path;
  const int boxesBefore = quiet.boxes;
  allocations = 0;
  counting = true;
  command(code);
  counting = false;
  std::printf("%-34s allocations %ld, boxes %d, last box \"%s\"\n", what, allocations,
              quiet.boxes - boxesBefore, quiet.boxes > boxesBefore ? quiet.lastTitle : "");
  if (allocations != 0) ++failures;
}

void Character(int code) { HandleCharacter(code); }
void KeyDown(int code) { HandleKeyDown(code); }
void Paint(int) {
  QuietSurface surface;
  PaintNet(surface);
}

// The solid cube's paint path: a still frame, a turning one, a click on it and a row of its picture.
void PaintSolid(int) {
  static CubeFrame frame;
  static CubeRaster raster;
  static uint8_t row[800];
  const FitBox box = {0, 0, 800, 600};
  BuildCubeFrame(&frame, document.cube.size, document.cube.live, kDefaultCubeCamera, kLayoutFrontAndBack,
                 box);
  BuildTurnFrame(&frame, document.cube.size, document.cube.live, BlockMove{R, 2, 3, 1}, 0.4,
                 kDefaultCubeCamera, kLayoutCube, box);
  Face face;
  int r, c;
  HitTestCubeFrame(frame, 400, 300, &face, &r, &c);
  PrepareCubeRaster(&raster, frame, 800, 600, 1);
  CubeRasterRow(raster, 300, row);
}

char paths[8][512];

const char* WriteFile(int slot, const char* name, const char* bytes, size_t size) {
  const char* folder = std::getenv("TMPDIR");
  std::snprintf(paths[slot], sizeof paths[slot], "%s/plexaro_heap_%d_%s", folder ? folder : "/tmp",
                static_cast<int>(getpid()), name);
  FILE* file = std::fopen(paths[slot], "wb");
  if (file == nullptr) return paths[slot];
  std::fwrite(bytes, 1, size, file);
  std::fclose(file);
  return paths[slot];
}

const char* WritePattern(int slot, const char* name, int size) {
  static unsigned char bytes[1 + 6 * kMaxSize * kMaxSize];
  bytes[0] = static_cast<unsigned char>(size);
  for (int k = 0; k < 6 * size * size; ++k) bytes[1 + k] = static_cast<unsigned char>((k * 7 + k / 5) % 6);
  return WriteFile(slot, name, reinterpret_cast<const char*>(bytes), 1 + 6 * size * size);
}

const char* WriteText(int slot, const char* name, const char* text) {
  return WriteFile(slot, name, text, std::strlen(text));
}

}  // namespace

int main() {
  // The counter must see an allocation, or a pass would prove nothing.
  counting = true;
  void* volatile probe = std::malloc(64);
  counting = false;
  std::free(probe);
  if (allocations != 1) {
    std::printf("the allocation counter does not work (%ld)\n", allocations);
    return 1;
  }

  static char longList[6000];
  for (int k = 0; k < 2000; ++k) std::memcpy(longList + 3 * k, k % 2 ? "R2 " : "F' ", 3);
  static char longToken[3000];
  std::memset(longToken, 'Z', sizeof longToken - 1);
  const char* four = WritePattern(0, "four.q", 4);
  const char* two = WritePattern(1, "two.q", 2);
  const char* ten = WritePattern(2, "ten.q", 10);
  const char* bad = WriteFile(3, "bad.q", "\x03\x01\x02", 3);
  const char* periodic = WriteText(4, "ru.mov", "R U\r\n");
  const char* many = WriteText(5, "many.mov", "U U U U U U U U U U U U U U U U U U U U U U U U U U U D");
  const char* invalid = WriteText(6, "invalid.mov", longToken);
  const char* listed = WriteText(7, "long.mov", longList);
  const char* missing = "/nonexistent/plexaro/heap.mov";

  StartFresh(quiet);
  document.replaySwitch = 1;

  for (const char* key = "udfblr-=*?\\|,m%(&'U5 "; *key; ++key) {
    char what[16];
    std::snprintf(what, sizeof what, "character '%c'", *key);
    Check(what, Character, *key);
  }
  for (int code : {kKeyLeft, kKeyUp, kKeyRight, kKeyDown, 0x10}) {
    char what[24];
    std::snprintf(what, sizeof what, "key-down 0x%02X", code);
    Check(what, KeyDown, code);
  }
  Check("paint at size 3", Paint, 0);
  Check("[ pattern of size 4", Character, '[', four);
  Check("% at size 4 (random search)", Character, '%');
  Check(", at size 4 (slice steps)", Character, ',');
  Check("m at size 4", Character, 'm');
  Check("[ pattern of size 2", Character, '[', two);
  Check("% at size 2", Character, '%');
  Check("[ pattern of size 10", Character, '[', ten);
  Check("% at size 10", Character, '%');
  Check(", at size 10", Character, ',');
  Check("paint at size 10", Paint, 0);
  Check("solid cube at size 10", PaintSolid, 0);
  Check("[ refused pattern", Character, '[', bad);
  Check("[ cancelled", Character, '[');
  Check("[ missing file", Character, '[', missing);
  Check("* at size 10", Character, '*');
  Check("{ R U with replay", Character, '{', periodic);
  Check("{ 28 moves, replay skipped", Character, '{', many);
  Check("{ over-long token", Character, '{', invalid);
  Check("{ 2000 tokens", Character, '{', listed);
  Check("{ cancelled", Character, '{');
  Check("{ missing file", Character, '{', missing);

  for (const char* path : paths) std::remove(path);
  std::printf("%s\n", failures == 0 ? "no command allocated" : "some commands allocated");
  return failures == 0 ? 0 : 1;
}
