// The player's text as the edit control holds it: UTF-8 to UTF-16 with CR LF, and byte offsets to
// character positions and back through checkpoints, checked against the pieces the text is made of.
#include "frontends/win32/player_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// A piece of text that maps as a whole, and what the control shows for it.
struct Atom {
  std::string utf8;
  std::wstring wide;
};

const Atom kAtoms[] = {
    {"R", L"R"},
    {"U", L"U"},
    {"'", L"'"},
    {" ", L" "},
    {"2", L"2"},
    {"\n", L"\r\n"},
    {"\r\n", L"\r\n"},
    {"\r", L"\r\n"},
    {"\xC2\xB7", L"\x00B7"},
    {"\xE2\x86\x92", L"\x2192"},
    {"\xF0\x9F\x99\x82", L"\xD83D\xDE42"},
    {"\x80", L"\xFFFD"},
    {std::string(1, '\0'), L"\xFFFD"},
    {"\xE2", L"\xFFFD"},  // a lead byte cut short: only before a space, or it would start a character
};
const size_t kAtomCount = sizeof kAtoms / sizeof kAtoms[0];

}  // namespace

TEST(PlayerTextTest, LineEndsBecomeCrLfAndWhatIsNoCharacterBecomesOneReplacement) {
  EXPECT_EQ(WidenUtf8("R U\nF\r\nB\rD"), L"R U\r\nF\r\nB\r\nD");
  // "·" (2 bytes), "→" (3 bytes) and a character past the first plane (4 bytes, a surrogate pair).
  EXPECT_EQ(WidenUtf8("a\xC2\xB7"
                      "b\xE2\x86\x92"
                      "c\xF0\x9F\x99\x82"),
            L"a\x00B7"
            L"b\x2192"
            L"c\xD83D\xDE42");
  // A stray continuation byte, a lead byte cut short, an over-long slash, an encoded surrogate and a NUL.
  EXPECT_EQ(WidenUtf8(std::string("\x80"
                                  "R\xE2\x86"
                                  "U\xC0\xAF\xED\xA0\x80"
                                  "F\0B",
                                  13)),
            L"\xFFFDR\xFFFD\xFFFDU\xFFFD\xFFFD\xFFFD\xFFFD\xFFFD"
            L"F\xFFFD"
            L"B");
}

TEST(PlayerTextTest, OffsetsAndPositionsMapBothWaysAcrossManyCheckpoints) {
  // Long enough for many checkpoints, with pieces of every width falling across their boundaries; each
  // byte's position and each position's first byte come from the pieces, not from the map's own walk.
  std::string text;
  std::wstring wide;
  std::vector<size_t> positionOfByte, byteOfPosition;
  uint32_t state = 12345;
  while (text.size() < PlayerTextMap::kCheckpointBytes * 5) {
    state = state * 1103515245u + 12345u;
    const Atom& atom = kAtoms[(state >> 16) % kAtomCount];
    // A lone CR before an LF would be one line end with it.
    if (atom.utf8 == "\n" && !text.empty() && text.back() == '\r') continue;
    for (const Atom* piece : {&atom, atom.utf8 == "\xE2" ? &kAtoms[3] : nullptr}) {
      if (piece == nullptr) continue;
      positionOfByte.insert(positionOfByte.end(), piece->utf8.size(), wide.size());
      byteOfPosition.insert(byteOfPosition.end(), piece->wide.size(), text.size());
      text += piece->utf8;
      wide += piece->wide;
    }
  }
  PlayerTextMap map;
  map.Load(text);
  ASSERT_EQ(map.Wide(), wide);
  for (size_t byte = 0; byte < text.size(); ++byte)
    ASSERT_EQ(map.PositionOfByte(byte), positionOfByte[byte]) << "byte " << byte;
  for (size_t position = 0; position < wide.size(); ++position)
    ASSERT_EQ(map.ByteOfPosition(position), byteOfPosition[position]) << "position " << position;
  EXPECT_EQ(map.PositionOfByte(text.size()), wide.size());
  EXPECT_EQ(map.ByteOfPosition(wide.size() + 3), text.size());

  // Loaded again with less, nothing of the longer text is left to map.
  map.Load("R U");
  EXPECT_EQ(map.PositionOfByte(2), 2u);
  EXPECT_EQ(map.PositionOfByte(4000), 3u);
  EXPECT_EQ(map.ByteOfPosition(5000), 3u);
}
