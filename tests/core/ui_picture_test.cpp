// Pictures of the net: the raster against the window's own drawing calls, the SVG, the PNG and failed saves.
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "analysis/analysis.h"
#include "support/cube_helpers.h"
#include "ui/picture.h"
#ifdef PLEXARO_HAVE_PNG
#include <png.h>
#endif

namespace {

namespace fs = std::filesystem;
typedef std::vector<std::vector<int>> Canvas;  // brushes 0 to 5, -1 for the pen's black
NetRaster raster, other;                       // too big for the stack

class Picture : public ::testing::Test {
 protected:
  void StartScrambled(int16_t size) {
    StartFresh(recording, size);
    Scramble(document.cube, document.random, 1);
  }
  RecordingPlatform recording;
};

// Rasterises PaintNet's recorded lines and fills by the window's rules, leaving out the caption.
Canvas PaintedPixels(int width, int height) {
  RecordingSurface surface;
  PaintNet(surface);
  Canvas canvas(height, std::vector<int>(width, 0));
  int x = 0, y = 0;
  for (const std::string& call : surface.calls) {
    std::istringstream in(call);
    std::string verb;
    in >> verb;
    if (verb == "move") in >> x >> y;
    if (verb == "line") {
      int toX, toY;
      in >> toX >> toY;
      EXPECT_TRUE(toX == x || toY == y) << call;
      for (; x != toX || y != toY; x += (toX > x) - (toX < x), y += (toY > y) - (toY < y)) canvas[y][x] = -1;
    }
    if (verb == "fill") {
      int left, top, right, bottom, brush;
      in >> left >> top >> right >> bottom >> brush;
      for (int row = top; row < bottom; ++row)
        for (int column = left; column < right; ++column) canvas[row][column] = brush;
    }
  }
  return canvas;
}

PaletteColour ColourOf(int canvasValue) {
  return canvasValue < 0 ? PaletteColour{0, 0, 0} : kPalette[canvasValue];
}
bool Same(PaletteColour a, PaletteColour b) {
  return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

TEST_F(Picture, RasterIsThePaintedWindowPixelForPixel) {
  for (int16_t n : {2, 3, 10}) {
    StartScrambled(n);
    RenderNetRaster(&raster, kLettersNone);
    // From the origin to the net's far edges, x = 60n + 8 and y = 48n + 18, and 4 more.
    ASSERT_EQ(raster.width, 60 * n + 13);
    ASSERT_EQ(raster.height, 48 * n + 23);
    const Canvas painted = PaintedPixels(raster.width, raster.height);
    int mismatches = 0;
    for (int y = 0; y < raster.height; ++y)
      for (int x = 0; x < raster.width; ++x)
        mismatches += !Same(kRasterColours[raster.pixels[y][x]], ColourOf(painted[y][x]));
    EXPECT_EQ(mismatches, 0) << "size " << n;
  }
  StartFresh(recording, 3);
  RenderNetRaster(&raster, kLettersNone);
  // U's block is white from x 51 to 94 with black outlines; L's first square red inside.
  EXPECT_EQ(raster.pixels[8][51], kRasterBlack);
  EXPECT_EQ(raster.pixels[9][52], 0);
  EXPECT_EQ(raster.pixels[62][4], kRasterBlack);
  EXPECT_EQ(raster.pixels[63][5], 1);
  EXPECT_EQ(raster.pixels[162][94], kRasterBlack);
}

TEST_F(Picture, ScaledRowsRepeatEveryPixelAndLeaveTheCubeAlone) {
  StartScrambled(3);
  const std::vector<int32_t> cells = UsedCells();
  RenderNetRaster(&raster, kLettersColours);
  EXPECT_EQ(UsedCells(), cells);
  for (int scale : {2, 5}) {
    std::vector<uint8_t> row(raster.width * scale + 1, 99);
    for (int y = 0; y < raster.height * scale; ++y) {
      NetRasterRow(raster, scale, y, row.data());
      for (int x = 0; x < raster.width * scale; ++x) ASSERT_EQ(row[x], raster.pixels[y / scale][x / scale]);
      ASSERT_EQ(row.back(), 99) << "wrote past the row";
    }
  }
}

typedef std::set<std::pair<int, int>> Shape;

// The pixels the letters add, by cell, relative to the square's corner: black, inside the square and
// centred on its inside (1 to 12 across, 1 to 13 down) to within a pixel.
std::map<int, Shape> LetterPixels(int letters) {
  RenderNetRaster(&other, kLettersNone);
  RenderNetRaster(&raster, letters);
  std::map<int, Shape> marks;
  size_t changed = 0, inside = 0;
  for (int y = 0; y < raster.height; ++y)
    for (int x = 0; x < raster.width; ++x) changed += raster.pixels[y][x] != other.pixels[y][x];
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < document.cube.size; ++row)
      for (int column = 0; column < document.cube.size; ++column) {
        const int left = document.layout.columnX[face][column], top = document.layout.rowY[face][row] + 8;
        int minX = 99, maxX = 0, minY = 99, maxY = 0;
        for (int y = top + 1; y < top + 14; ++y)
          for (int x = left + 1; x < left + 13; ++x)
            if (raster.pixels[y][x] != other.pixels[y][x]) {
              EXPECT_EQ(raster.pixels[y][x], kRasterBlack);
              marks[CellIndex(face, row, column)].insert({x - left, y - top});
              minX = std::min(minX, x - left), maxX = std::max(maxX, x - left);
              minY = std::min(minY, y - top), maxY = std::max(maxY, y - top);
              ++inside;
            }
        if (minX > maxX) continue;
        EXPECT_LE(std::abs((minX - 1) - (12 - maxX)), 1) << "cell " << CellIndex(face, row, column);
        EXPECT_LE(std::abs((minY - 1) - (13 - maxY)), 1) << "cell " << CellIndex(face, row, column);
      }
  EXPECT_EQ(changed, inside) << "letters stay inside their squares";
  return marks;
}

TEST_F(Picture, LettersNameTheFacesMiddlesOrEverySquaresColour) {
  for (int16_t n : {3, 4}) {
    StartFresh(recording, n);
    const auto marks = LetterPixels(kLettersFaces);
    ASSERT_EQ(marks.size(), 6u) << "size " << n;
    std::set<Shape> shapes;
    for (int face = 0; face < 6; ++face) {
      // Up and left of the middle on even sizes.
      const auto found = marks.find(CellIndex(face, (n - 1) / 2, (n - 1) / 2));
      ASSERT_NE(found, marks.end()) << "face " << face;
      shapes.insert(found->second);
    }
    EXPECT_EQ(shapes.size(), 6u) << "six different letters";
  }
  StartScrambled(4);
  const auto marks = LetterPixels(kLettersColours);
  ASSERT_EQ(marks.size(), 96u);
  std::map<int, Shape> byColour;
  for (const auto& mark : marks)
    EXPECT_EQ(byColour.insert({document.cube.live[mark.first], mark.second}).first->second, mark.second)
        << mark.first;
  std::set<Shape> shapes;
  for (const auto& colour : byColour) shapes.insert(colour.second);
  EXPECT_EQ(shapes.size(), 6u) << "one letter a colour, a different one for each";
}

std::string Svg(int scale, int letters) {
  std::string text;
  EXPECT_TRUE(RenderNetSvg(
      scale, letters,
      [](void* context, const char* data, size_t size) {
        EXPECT_LE(size, 4096u);
        static_cast<std::string*>(context)->append(data, size);
        return true;
      },
      &text));
  return text;
}

char Hex(int value) { return "0123456789abcdef"[value & 15]; }
std::string HexOf(PaletteColour c) {
  return {'#', Hex(c.red >> 4), Hex(c.red), Hex(c.green >> 4), Hex(c.green), Hex(c.blue >> 4), Hex(c.blue)};
}

TEST_F(Picture, SvgHasOneOutlinedRectPerSquareInTheCellsOrderAndColours) {
  const std::regex rect(
      "<rect x=\"([0-9.]+)\" y=\"([0-9.]+)\" width=\"(\\d+)\" height=\"(\\d+)\" fill=\"(#[0-9a-f]{6})\"");
  for (int16_t n : {2, 3, 10})
    for (int scale : {1, 2}) {
      StartScrambled(n);
      const std::string svg = Svg(scale, kLettersNone);
      EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
      EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
      EXPECT_NE(svg.find("width=\"" + std::to_string(PictureWidth() * scale) + "\" height=\"" +
                         std::to_string(PictureHeight() * scale) + "\""),
                std::string::npos);
      EXPECT_NE(svg.find("stroke=\"#000000\" stroke-width=\"" + std::to_string(scale) + "\""),
                std::string::npos);
      std::vector<std::string> fills, expected;
      for (std::sregex_iterator it(svg.begin(), svg.end(), rect), end; it != end; ++it)
        fills.push_back((*it)[5]);
      for (int32_t colour : UsedCells()) expected.push_back(HexOf(kPalette[colour]));
      EXPECT_EQ(fills, expected) << "size " << n << " scale " << scale;
      std::smatch first;
      ASSERT_TRUE(std::regex_search(svg, first, rect));
      // The stroke runs along the middle of the outline pixels, half a pixel in from their outer edge.
      const double half = 0.5 * scale;
      EXPECT_EQ(std::stod(first[1]), document.layout.columnX[U][0] * scale + half);
      EXPECT_EQ(std::stod(first[2]), 8 * scale + half);
      EXPECT_EQ(first[3], std::to_string(13 * scale));
      EXPECT_EQ(first[4], std::to_string(14 * scale));
    }
  std::string letters;
  StartScrambled(3);
  const std::string svg = Svg(3, kLettersColours);
  const std::regex text("<text [^>]*>([A-Z])</text>");
  for (std::sregex_iterator it(svg.begin(), svg.end(), text), end; it != end; ++it) letters += (*it)[1];
  std::string expected;
  for (int32_t colour : UsedCells()) expected += "WRYOGB"[colour];
  EXPECT_EQ(letters, expected);
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A folder of its own per test, emptied first.
std::string Folder(const std::string& name) {
  const std::string path = TempPath("picture_" + name);
  fs::remove_all(path);
  fs::create_directories(path);
  return path;
}

size_t Entries(const std::string& folder) { return std::distance(fs::directory_iterator(folder), {}); }

#ifdef PLEXARO_HAVE_PNG
TEST_F(Picture, PngReadsBackAsTheRaster) {
  StartScrambled(5);
  const std::string folder = Folder("png");
  for (int scale : {1, 3}) {
    const std::string path = folder + "/net.PNG";
    char reason[256] = "";
    ASSERT_TRUE(SaveNetPicture(path.c_str(), scale, kLettersColours, reason, sizeof reason)) << reason;
    const std::string bytes = ReadAll(path);
    EXPECT_EQ(bytes[24], 4) << "seven colours fit four bits";
    EXPECT_EQ(bytes[25], 3) << "indexed colour";
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()));
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr));
    RenderNetRaster(&raster, kLettersColours);
    ASSERT_EQ(image.width, static_cast<uint32_t>(raster.width * scale));
    ASSERT_EQ(image.height, static_cast<uint32_t>(raster.height * scale));
    int mismatches = 0;
    for (uint32_t y = 0; y < image.height; ++y)
      for (uint32_t x = 0; x < image.width; ++x) {
        const uint8_t* p = &rgb[(y * image.width + x) * 3];
        mismatches += !Same({p[0], p[1], p[2]}, kRasterColours[raster.pixels[y / scale][x / scale]]);
      }
    EXPECT_EQ(mismatches, 0) << "scale " << scale;
  }
  EXPECT_EQ(Entries(folder), 1u);
  fs::remove_all(folder);
}
#else
TEST_F(Picture, PngIsRefusedInWords) {
  char reason[256] = "";
  EXPECT_FALSE(SaveNetPicture(TempPath("net.png").c_str(), 1, kLettersNone, reason, sizeof reason));
  EXPECT_NE(std::string(reason).find("PNG is not available"), std::string::npos);
}
#endif

TEST_F(Picture, RequestsItCannotMakeAreRefusedInWordsAndWriteNothing) {
  StartFresh(recording, 3);
  const std::string folder = Folder("refused");
  char reason[256];
  const struct {
    std::string name;
    int scale, letters;
    const char* words;
  } cases[] = {{"net.gif", 1, 0, "must end in .svg, .bmp or .png"},
               {"net", 1, 0, "must end in .svg, .bmp or .png"},
               {"net.svg.txt", 1, 0, "must end in .svg, .bmp or .png"},
               {"net.svg", 0, 0, "1 to 16, not 0"},
               {"net.png", 17, 0, "1 to 16, not 17"},
               {"net.svg", 1, 3, "letters numbered 3"},
               {"missing/net.svg", 1, 0, "No such file"},
               {"missing/net.png", 2, 1, "No such file"}};
  for (const auto& c : cases) {
    const std::string path = folder + "/" + c.name;
    EXPECT_FALSE(SaveNetPicture(path.c_str(), c.scale, c.letters, reason, sizeof reason)) << c.name;
    EXPECT_NE(std::string(reason).find(c.words), std::string::npos) << reason;
  }
  EXPECT_NE(std::string(reason).find(folder + "/missing/net.png"), std::string::npos) << "names the path";
  document.cube.size = 0;
  EXPECT_FALSE(SaveNetPicture((folder + "/net.svg").c_str(), 1, 0, reason, sizeof reason));
  EXPECT_STREQ(reason, "There is no net of size 0 to draw.");
  document.cube.size = 3;
  EXPECT_EQ(Entries(folder), 0u);
  EXPECT_TRUE(SaveNetPicture((folder + "/net.Svg").c_str(), 1, 0, nullptr, 0));
  EXPECT_EQ(ReadAll(folder + "/net.Svg"), Svg(1, 0)) << "replaces nothing but the new file";
  fs::remove_all(folder);
}

TEST_F(Picture, AWriteThatFailsHalfwayKeepsTheOldFileAndLeavesNoTemporary) {
  StartFresh(recording, 10);
  const std::string folder = Folder("halfway");
  std::vector<std::string> names = {"net.svg"};
  if (PicturePngAvailable()) names.push_back("net.png");
  for (const std::string& name : names) {
    const std::string path = WriteTemp("picture_halfway/" + name, "old");
    // Files may grow to 1000 bytes only: the picture's writes fail part of the way through.
    rlimit previous;
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit limit = previous;
    limit.rlim_cur = 1000;
    const auto handler = signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limit);
    char reason[256] = "";
    const bool saved = SaveNetPicture(path.c_str(), 1, kLettersColours, reason, sizeof reason);
    setrlimit(RLIMIT_FSIZE, &previous);
    signal(SIGXFSZ, handler);
    EXPECT_FALSE(saved) << name;
    EXPECT_NE(std::string(reason).find("File too large"), std::string::npos) << reason;
    EXPECT_EQ(ReadAll(path), "old");
  }
  EXPECT_EQ(Entries(folder), names.size());
  fs::remove_all(folder);
}

TEST_F(Picture, AReadOnlyFolderKeepsItsFile) {
  if (geteuid() == 0) GTEST_SKIP() << "the superuser writes into read-only folders";
  StartFresh(recording, 3);
  const std::string folder = Folder("read_only");
  const std::string path = WriteTemp("picture_read_only/net.svg", "old");
  fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
  char reason[256] = "";
  EXPECT_FALSE(SaveNetPicture(path.c_str(), 1, 0, reason, sizeof reason));
  EXPECT_NE(std::string(reason).find("Permission denied"), std::string::npos) << reason;
  EXPECT_EQ(ReadAll(path), "old");
  EXPECT_EQ(Entries(folder), 1u);
  fs::permissions(folder, fs::perms::owner_all);
  fs::remove_all(folder);
}

}  // namespace
