// Fuzz target: the key dispatcher on arbitrary key sequences, the file keys answered from a small set
// of good and bad files, keys pressed while a box is up, and the replay switched on and off.
//
// Input bytes: 0x00-0x7F and 0x87-0xFF type that character; 0x80-0x83 press an arrow; 0x84 flips the
// replay switch; 0x85 presses the virtual key of the next byte; 0x86 arms the next byte as a key typed
// while the next command's box is up. A file key's chooser takes the next byte to pick its answer.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "harness.h"
#include "oracle.h"

namespace {

struct Answer {
  std::string path;   // empty: the chooser is cancelled
  std::string bytes;  // what the file holds
  bool opens;         // a readable regular file
};

std::string folder;
std::vector<Answer> answers;

std::string Solved(int size, bool reversed) {
  std::string cells;
  for (int face = 0; face < 6; ++face) cells += std::string(size * size, static_cast<char>(face));
  if (reversed) std::reverse(cells.begin(), cells.end());
  return std::string(1, static_cast<char>(size)) + cells;
}

void AddFile(const std::string& name, const std::string& bytes) {
  const std::string path = folder + "/" + name;
  FILE* file = std::fopen(path.c_str(), "wb");
  EXPECT_THAT(file != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() &&
                  std::fclose(file) == 0,
              "cannot write %s", path.c_str());
  answers.push_back({path, bytes, true});
}

void RemoveFolder() {
  for (const Answer& answer : answers)
    if (answer.opens) std::remove(answer.path.c_str());
  rmdir(folder.c_str());
}

void WriteAnswers() {
  const char* temporary = std::getenv("TMPDIR");
  std::string pattern = std::string(temporary != nullptr ? temporary : "/tmp") + "/plexaro-keys-XXXXXX";
  EXPECT_THAT(mkdtemp(&pattern[0]) != nullptr, "cannot make a folder from %s", pattern.c_str());
  folder = pattern;
  answers.push_back({"", "", false});
  AddFile("good2.q", Solved(2, true));
  AddFile("good10.q", Solved(10, true));
  AddFile("good3-trailing.q", Solved(3, true) + "trailing bytes");
  AddFile("good5.q", Solved(5, false));
  AddFile("truncated.q", Solved(4, true).substr(0, 41));
  std::string badColour = Solved(3, false);
  badColour[20] = 6;
  AddFile("bad-colour.q", badColour);
  AddFile("size11.q", std::string(1, 11) + std::string(726, '\1'));
  AddFile("empty", "");
  std::string lineEnd = Solved(3, false);
  lineEnd.replace(30, 2, "\r\n");
  AddFile("crlf.q", lineEnd);
  std::string ctrlZ = Solved(2, false);
  ctrlZ[9] = 26;
  AddFile("ctrl-z.q", ctrlZ);
  AddFile("sexy.mov", "R U R' U'\r\n");
  std::string thirty;
  for (int k = 0; k < 30; ++k)
    thirty += "F2 B- L' D+ R3 U1 "[3 * (k % 6)] + std::string(k % 3 == 0 ? "2 " : " ");
  AddFile("thirty.mov", thirty);
  AddFile("bad-token.mov", "U R2D F\n");
  AddFile("slices.mov", "R u F d2\tl' r\n");
  AddFile("r-u.mov", "R U");
  AddFile("ctrl-z.mov",
          "F2\x1a"
          "B2\n");
  AddFile("long-token.mov", "U " + std::string(1000, 'Q'));
  std::string many;
  for (int k = 0; k < 120; ++k) many += "T2 ";
  AddFile("many.mov", many);
  AddFile("nul.mov", std::string("U\0 R\0\0 F x Y2", 14));
  answers.push_back({folder + "/missing.q", "", false});
  answers.push_back({folder, "", false});
  answers.push_back({folder + "/" + std::string(300, 'n') + ".mov", "", false});
  answers.push_back({folder + "/" + std::string(5000, 'o'), "", false});
  std::atexit(RemoveFolder);
}

bool InCharacterTable(int code) { return code > 0 && code < 128 && std::strchr("udfblr-=*?\\|,m%[{", code); }
bool InKeyDownTable(int code) { return code >= kKeyLeft && code <= kKeyDown; }

struct Input {
  const uint8_t* data;
  size_t size, next;
  bool More() const { return next < size; }
  uint8_t Take() { return data[next++]; }
};

std::vector<int> SortedCounts() {
  std::vector<int> counts = ColourCounts(document.cube.live, document.cube.size);
  std::sort(counts.begin(), counts.end());
  return counts;
}

void CheckFileKey(int code, const Answer& answer, const Snapshot& before, const CheckingPlatform& checking) {
  // The dispatcher hands the erase flag to its repaint request and clears it.
  EXPECT_THAT(!document.eraseOnRepaint, "the erase flag outlived its repaint request");
  Snapshot after = TakeSnapshot();
  after.erase = checking.erasingRepaint;
  if (!answer.opens) {
    EXPECT_THAT(checking.boxes.size() == 1 && checking.boxes[0].title == "Error",
                "no error box for \"%.60s\"", answer.path.c_str());
    CheckCutText(checking.boxes[0].text, " No input file ", answer.path, "\n", "a file that did not open");
    const char* changed = FirstDifference(before, after);
    EXPECT_THAT(changed == nullptr, "a file that did not open changed %s", changed);
    return;
  }
  if (code == '[') {
    CheckPatternLoad(answer.bytes, answer.path, before, after, checking.boxes);
    return;
  }
  const MoveOutcome outcome =
      CheckMoveLoad(answer.bytes, before.size, checking.boxes, 0, checking.diagnostics);
  if (document.replaySwitch == 1) {
    CheckReplay(outcome, checking.boxes);
  } else {
    EXPECT_THAT(checking.boxes.size() == outcome.nextBox, "a box after \"Moves\" with the replay off");
    EXPECT_THAT(std::memcmp(document.cube.live, outcome.afterReading, sizeof document.cube.live) == 0,
                "the cube turned after reading");
  }
}

void CheckCommand(int code, const Snapshot& before, const std::vector<int>& countsBefore,
                  const CheckingPlatform& checking) {
  const Snapshot after = TakeSnapshot();
  const size_t boxes = checking.boxes.size();
  EXPECT_THAT(!checking.erasingRepaint, "key %d asked to erase", code);
  if (code == '?' || code == '%') {
    EXPECT_THAT(boxes == 1 && checking.boxes[0].title == (code == '?' ? "Help" : "Symmetry"),
                "key %c: %zu boxes", code, boxes);
  } else {
    EXPECT_THAT(boxes == 0, "key %d showed \"%s\"", code, checking.boxes[0].text.c_str());
  }
  if (code == '%') {
    int c = 0, m = 0;
    EXPECT_THAT(std::sscanf(checking.boxes[0].text.c_str(), "Total C: %d Total M: %d", &c, &m) == 2 &&
                    c >= 1 && c <= 24 && 24 % c == 0 && m >= 1 && m <= 48 && 48 % m == 0,
                "symmetry box \"%s\"", checking.boxes[0].text.c_str());
  }
  if (code == '?') {
    const char* changed = FirstDifference(before, after);
    EXPECT_THAT(changed == nullptr, "help changed %s", changed);
  }
  if (code == '*')
    EXPECT_THAT(IsSolved(document.cube.live, document.cube.size), "reset left an unsolved cube");
  EXPECT_THAT(after.size == before.size, "key %d changed the size", code);
  EXPECT_THAT(std::memcmp(after.log, before.log, sizeof after.log) == 0, "key %d changed document.moveLog",
              code);
  // Turns move colours around and reflections rename them; neither adds or drops any.
  EXPECT_THAT(SortedCounts() == countsBefore, "key %d changed how many cells hold each colour", code);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static CheckingPlatform checking;
  if (answers.empty()) WriteAnswers();
  if (size == 0) return 0;
  ResetProgram(checking, 3);
  Input input{data, size, 1};
  document.replaySwitch = data[0] & 1;

  int chosen = -1;
  checking.chooseOpenFile = [&](FileKind) -> const char* {
    chosen = input.More() ? input.Take() % answers.size() : 0;
    return chosen == 0 ? nullptr : answers[chosen].path.c_str();
  };
  int armedKey = -1;
  checking.onMessage = [&] {
    if (armedKey < 0) return;
    const Snapshot inside = TakeSnapshot();
    const size_t boxes = checking.boxes.size();
    const int repaints = checking.repaints, paints = checking.paintsNow;
    HandleCharacter(armedKey);
    const char* changed = FirstDifference(inside, TakeSnapshot());
    EXPECT_THAT(changed == nullptr && boxes == checking.boxes.size() && repaints == checking.repaints &&
                    paints == checking.paintsNow,
                "key %d typed while a box was up ran (%s changed)", armedKey, changed ? changed : "nothing");
  };

  while (input.More()) {
    const uint8_t byte = input.Take();
    if (byte == 0x84) {
      document.replaySwitch = static_cast<int16_t>(1 - document.replaySwitch);
      continue;
    }
    if (byte == 0x86) {
      if (input.More()) armedKey = input.Take();
      continue;
    }
    const bool keyDown = (byte >= 0x80 && byte <= 0x83) || byte == 0x85;
    int code = byte;
    if (byte >= 0x80 && byte <= 0x83) code = kKeyLeft + (byte - 0x80);
    if (byte == 0x85) {
      if (!input.More()) break;
      code = input.Take();
    }
    // The command a code reaches: a character first goes through the character table.
    const bool character = !keyDown && InCharacterTable(code);
    const bool bound = character || InKeyDownTable(code);

    const Snapshot before = TakeSnapshot();
    const std::vector<int> countsBefore = SortedCounts();
    checking.boxes.clear();
    checking.diagnostics.clear();
    checking.repaints = checking.paintsNow = 0;
    chosen = -1;
    if (keyDown)
      HandleKeyDown(code);
    else
      HandleCharacter(code);
    armedKey = -1;

    CheckInvariants("after a key");
    EXPECT_THAT(checking.repaints == (bound ? 1 : 0) && checking.paintsNow == (bound ? 0 : 1),
                "key %d: %d repaint requests and %d immediate paints", code, checking.repaints,
                checking.paintsNow);
    if (!bound) {
      const char* changed = FirstDifference(before, TakeSnapshot());
      EXPECT_THAT(changed == nullptr && checking.boxes.empty(), "unbound key %d changed %s", code, changed);
    } else if (character && (code == '[' || code == '{')) {
      EXPECT_THAT(chosen >= 0, "file key %c never asked for a file", code);
      CheckFileKey(code, answers[chosen], before, checking);
    } else {
      CheckCommand(character ? code : -code, before, countsBefore, checking);
    }
  }
  return 0;
}
