// The window's view: its list against PaintNet's calls, the fit to a window pixel by pixel, the hit test at
// the squares' edges, the menu's entries and the command line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/analysis.h"
#include "support/recording_platform.h"

namespace {

NetView view;
NetRaster net, client;  // too big for the stack

class View : public ::testing::Test {
 protected:
  void SetUp() override { document.view.letters = kLettersNone, document.view.fitToWindow = false; }
  void TearDown() override { document.view.letters = kLettersNone, document.view.fitToWindow = false; }
  void StartScrambled(int16_t size) {
    StartFresh(recording, size);
    Scramble(document.cube, document.random, 1);
  }
  RecordingPlatform recording;
};

// Parses "verb a b c d e" into its numbers.
std::vector<int> Numbers(const std::string& call) {
  std::vector<int> numbers;
  size_t at = call.find(' ');
  while (at != std::string::npos) {
    numbers.push_back(std::stoi(call.substr(at + 1)));
    at = call.find(' ', at + 1);
  }
  return numbers;
}

TEST_F(View, ListHoldsPaintNetsSquaresAndCaption) {
  for (int16_t n : {2, 3, 10}) {
    SCOPED_TRACE(n);
    StartScrambled(n);
    RecordingSurface painted;
    PaintNet(painted);
    BuildNetView(&view, kLettersNone, true, false);
    ASSERT_EQ(view.squareCount, 6 * n * n);
    ASSERT_EQ(painted.calls.size(), 2u + 6u * view.squareCount + 3u);
    for (int k = 0; k < view.squareCount; ++k) {
      const ViewSquare& s = view.squares[k];
      // Each square is a move to its corner, four lines round it and the fill of its inside.
      const std::vector<int> move = Numbers(painted.calls[2 + 6 * k]);
      const std::vector<int> across = Numbers(painted.calls[3 + 6 * k]);
      const std::vector<int> down = Numbers(painted.calls[4 + 6 * k]);
      const std::vector<int> fill = Numbers(painted.calls[7 + 6 * k]);
      EXPECT_EQ(move, (std::vector<int>{s.left, s.top}));
      EXPECT_EQ(across, (std::vector<int>{s.right, s.top}));
      EXPECT_EQ(down, (std::vector<int>{s.right, s.bottom}));
      EXPECT_EQ(fill, (std::vector<int>{s.left + 1, s.top + 1, s.right, s.bottom, s.brush}));
      EXPECT_EQ(s.brush, document.cube.live[CellIndex(s.face, s.row, s.column)]);
    }
    EXPECT_TRUE(view.captionShown);
    EXPECT_EQ("text " + std::to_string(view.caption.x) + " " + std::to_string(view.caption.y) + " " +
                  view.caption.text,
              painted.calls[painted.calls.size() - 3]);
    // Drawn one to one, the list makes exactly PaintNet's calls.
    RecordingSurface drawn;
    DrawView(drawn, view, WindowTransform(view, 600, 400), 600, 400);
    EXPECT_EQ(drawn.calls, painted.calls);
  }
}

TEST_F(View, LettersComeBeforeTheCaptionAndTheOptionsOffLeaveThePaintingAlone) {
  StartScrambled(3);
  RecordingSurface plain, lettered;
  PaintWindowView(plain, 600, 400);
  RecordingSurface painted;
  PaintNet(painted);
  EXPECT_EQ(plain.calls, painted.calls);
  document.view.letters = kLettersColours;
  PaintWindowView(lettered, 600, 400);
  ASSERT_EQ(lettered.calls.size(), plain.calls.size() + 54);
  EXPECT_EQ(lettered.calls.back(), "restore pen");
  EXPECT_EQ(lettered.calls[lettered.calls.size() - 3], "text 60 170 ? for help");
  // The centre square of F has its outline's corner at (66, 78); the letter is centred on its inside.
  const std::string centre = lettered.calls[2 + 6 * 54 + 2 * 9 + 4];
  EXPECT_EQ(centre, std::string("text 72 82 ") + "WRYOGB"[document.cube.live[CellIndex(F, 1, 1)]]);
}

TEST_F(View, FittedViewKeepsTheCaptionOnlyClearOfTheSquares) {
  struct Case {
    int16_t n;
    bool caption;
    int width, height;
  } cases[] = {{2, true, 133, 192}, {3, true, 193, 192}, {4, false, 253, 215}, {10, false, 613, 503}};
  for (const Case& c : cases) {
    StartFresh(recording, c.n);
    BuildNetView(&view, kLettersNone, true, true);
    EXPECT_EQ(view.captionShown, c.caption) << c.n;
    EXPECT_EQ(view.width, c.width) << c.n;
    EXPECT_EQ(view.height, c.height) << c.n;
  }
  // Unfitted, the window's caption is always written.
  BuildNetView(&view, kLettersNone, true, false);
  EXPECT_TRUE(view.captionShown);
}

TEST_F(View, TransformIsTheTighterWayAndItsTwoMapsAgree) {
  StartFresh(recording, 3);
  BuildNetView(&view, kLettersNone, true, true);
  EXPECT_FALSE(WindowTransform(view, 600, 400).fitted);
  document.view.fitToWindow = true;
  const ViewTransform wide = WindowTransform(view, 600, 384);  // 193 x 192 twice over, by its height
  EXPECT_EQ(wide.numerator * 192, 384 * wide.denominator);
  const ViewTransform tall = WindowTransform(view, 386, 900);
  EXPECT_EQ(tall.numerator * 193, 386 * tall.denominator);
  EXPECT_EQ(ClientFromNet(wide, 193), 386);
  for (const ViewTransform& t : {wide, tall, ViewTransform{599, 613, true}, ViewTransform{1, 1, false}})
    for (int p = 0; p < 700; ++p) {
      // Every client pixel shows the net pixel whose mapped rectangle holds it.
      const int x = NetFromClient(t, p);
      ASSERT_LE(ClientFromNet(t, x), p) << p;
      ASSERT_GT(ClientFromNet(t, x + 1), p) << p;
    }
}

// The fitted drawing, read back from a raster, against the net drawn one to one and sampled through
// NetFromClient.
int FittedMismatches(int width, int height) {
  RenderNetRaster(&net, kLettersNone);
  client.width = width;
  client.height = height;
  RasterSurface surface(client);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) client.pixels[y][x] = 99;
  PaintWindowView(surface, width, height);
  BuildNetView(&view, kLettersNone, true, true);
  const ViewTransform t = WindowTransform(view, width, height);
  int wrong = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const int nx = NetFromClient(t, x), ny = NetFromClient(t, y);
      const int expected = nx < net.width && ny < net.height ? net.pixels[ny][nx] : 0;
      wrong += client.pixels[y][x] != expected;
    }
  return wrong;
}

TEST_F(View, FittedPaintingShowsTheNetPixelTheTransformNames) {
  for (int16_t n : {2, 3, 10}) {
    StartScrambled(n);
    document.view.fitToWindow = true;
    // Enlarged, shrunk, and squeezed one way.
    EXPECT_EQ(FittedMismatches(600, 380), 0) << n;
    EXPECT_EQ(FittedMismatches(150, 300), 0) << n;
  }
}

TEST_F(View, HitTestTakesASquaresLastPixelAndNotTheGapAfterIt) {
  Face face;
  int row, column;
  for (int16_t n : {2, 3, 10}) {
    SCOPED_TRACE(n);
    StartFresh(recording, n);
    for (bool fitted : {false, true}) {
      document.view.fitToWindow = fitted;
      // Enlarged three times when fitted, so that every gap has pixels of its own.
      BuildNetView(&view, kLettersNone, true, fitted);
      const int w = 3 * view.width, h = 3 * view.height;
      const ViewTransform t = WindowTransform(view, w, h);
      for (int k = 0; k < view.squareCount; ++k) {
        const ViewSquare& s = view.squares[k];
        const int lastX = ClientFromNet(t, s.right + 1) - 1, lastY = ClientFromNet(t, s.bottom + 1) - 1;
        const int firstX = ClientFromNet(t, s.left), firstY = ClientFromNet(t, s.top);
        ASSERT_TRUE(HitTestWindow(lastX, lastY, w, h, &face, &row, &column)) << k;
        EXPECT_EQ(face * 100 + row * 10 + column, s.face * 100 + s.row * 10 + s.column);
        ASSERT_TRUE(HitTestWindow(firstX, firstY, w, h, &face, &row, &column)) << k;
        EXPECT_EQ(face * 100 + row * 10 + column, s.face * 100 + s.row * 10 + s.column);
        EXPECT_FALSE(HitTestWindow(lastX + 1, lastY, w, h, &face, &row, &column)) << k;
        EXPECT_FALSE(HitTestWindow(lastX, lastY + 1, w, h, &face, &row, &column)) << k;
        EXPECT_FALSE(HitTestWindow(firstX - 1, firstY, w, h, &face, &row, &column)) << k;
      }
    }
  }
}

TEST_F(View, AClickThroughTheFittedViewCyclesTheSquareItShows) {
  StartFresh(recording, 10);
  document.view.fitToWindow = true;
  BuildNetView(&view, kLettersNone, true, true);
  const ViewTransform t = WindowTransform(view, 600, 380);  // shrunk
  int left, top, right, bottom;
  SquareBox(document.layout, B, 9, 9, &left, &top, &right, &bottom);
  const int x = ClientFromNet(t, left + 6), y = ClientFromNet(t, top + 7);
  ASSERT_TRUE(ClickSquare(x, y, 600, 380, false));
  EXPECT_EQ(document.cube.live[CellIndex(B, 9, 9)], 5);  // green, then blue
  ASSERT_TRUE(ClickSquare(x, y, 600, 380, true));
  EXPECT_EQ(document.cube.live[CellIndex(B, 9, 9)], 4);
  EXPECT_FALSE(ClickSquare(599, 379, 600, 380, false));
}

TEST_F(View, MenuEntriesHoldTheTableInOrderWithTheSubmenuMarked) {
  StartFresh(recording);
  MenuEntry entries[kMenuEntryCapacity];
  const int count = ListMenuEntries(entries, kMenuEntryCapacity);
  std::string shape;
  int next = 0, depth = 0;
  for (int k = 0; k < count; ++k) {
    switch (entries[k].kind) {
      case kMenuEntrySeparator: shape += '-'; break;
      case kMenuEntrySubmenu:
        EXPECT_STREQ(entries[k].text, kMenuItems[next].submenu);
        shape += '(', ++depth;
        break;
      case kMenuEntrySubmenuEnd: shape += ')', --depth; break;
      case kMenuEntryItem:
        shape += 'i';
        // Every item once, in the table's order, with the state the menu asks for.
        EXPECT_EQ(entries[k].id, next);
        EXPECT_STREQ(entries[k].text, kMenuItems[next].text);
        EXPECT_EQ(entries[k].enabled, MenuItemEnabled(entries[k].id));
        EXPECT_EQ(entries[k].checked, MenuItemChecked(entries[k].id));
        EXPECT_EQ(depth, kMenuItems[next].submenu != nullptr ? 1 : 0) << kMenuItems[next].text;
        ++next;
        break;
    }
  }
  EXPECT_EQ(next, kMenuItemCount);
  EXPECT_EQ(shape, "ii-iiii-ii-iii-(iii)i-(iii)(iiiiiiiii)");
  EXPECT_STREQ(kMenuItems[kMenuNewCube2].text,
               "2\xC3\x97"
               "2\xC3\x97"
               "2");
  EXPECT_STREQ(kMenuItems[kMenuNewCube10].text,
               "10\xC3\x97"
               "10\xC3\x97"
               "10");
  EXPECT_FALSE(entries[0].enabled);  // nothing to undo
  // A short list is cut, never overrun.
  EXPECT_EQ(ListMenuEntries(entries, 3), 3);
}

TEST_F(View, CommandLineTakesTheReplaySwitchAndOneFile) {
  // The words outlive the call, as argv does.
  static std::vector<std::string> kept;
  const auto read = [](std::vector<std::string> words, ProgramArguments* arguments) {
    kept = words;
    kept.insert(kept.begin(), "plexaro");
    std::vector<char*> pointers;
    for (std::string& word : kept) pointers.push_back(&word[0]);
    *arguments = ProgramArguments();
    return ReadProgramArguments(static_cast<int>(pointers.size()), pointers.data(), arguments);
  };
  ProgramArguments arguments;
  ASSERT_TRUE(read({"--replay", "a.alg"}, &arguments));
  EXPECT_TRUE(arguments.replay);
  EXPECT_STREQ(arguments.file, "a.alg");
  ASSERT_TRUE(read({"--", "-odd.q"}, &arguments));
  EXPECT_STREQ(arguments.file, "-odd.q");
  ASSERT_TRUE(read({"--version"}, &arguments));
  EXPECT_TRUE(arguments.version);
  for (const auto& bad : std::vector<std::vector<std::string>>{
           {"a.q", "b.q"}, {"a.q", "--replay"}, {"--replay", "--replay"}, {"-h"}, {"--version", "a.q"}, {""}})
    EXPECT_FALSE(read(bad, &arguments)) << bad[0];
}

}  // namespace
