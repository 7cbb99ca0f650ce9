// The BMP picture, the Windows build's own format: read back pixel for pixel against the core's raster, and
// written whole or not at all.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "analysis/analysis.h"
#include "files/bmp_file.h"
#include "support/cube_helpers.h"

namespace {

NetRaster raster;  // too big for the stack

std::string ReadAll(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

uint32_t Little(const std::string& bytes, size_t at, int size) {
  uint32_t value = 0;
  for (int k = size - 1; k >= 0; --k) value = value << 8 | static_cast<uint8_t>(bytes[at + k]);
  return value;
}

class Bmp : public ::testing::Test {
 protected:
  RecordingPlatform recording;
};

TEST_F(Bmp, ReadsBackAsTheRasterPixelForPixel) {
  const std::string path = TempPath("net.bmp");
  for (int16_t n : {2, 3, 10})
    for (int scale : {1, 3}) {
      SCOPED_TRACE(std::to_string(n) + " at scale " + std::to_string(scale));
      StartFresh(recording, n);
      Scramble(document.cube, document.random, 1);
      const int letters = scale == 1 ? kLettersColours : kLettersNone;
      char reason[256] = "";
      ASSERT_TRUE(SaveNetPicture(path.c_str(), scale, letters, reason, sizeof reason)) << reason;
      RenderNetRaster(&raster, letters);
      const std::string bytes = ReadAll(path);
      const int width = raster.width * scale, height = raster.height * scale;
      const size_t rowSize = (3 * width + 3) / 4 * 4;
      ASSERT_EQ(bytes.size(), 54 + rowSize * height);
      EXPECT_EQ(bytes.substr(0, 2), "BM");
      EXPECT_EQ(Little(bytes, 2, 4), bytes.size());
      EXPECT_EQ(Little(bytes, 10, 4), 54u);
      EXPECT_EQ(Little(bytes, 18, 4), static_cast<uint32_t>(width));
      EXPECT_EQ(Little(bytes, 22, 4), static_cast<uint32_t>(height));  // bottom row first
      EXPECT_EQ(Little(bytes, 28, 2), 24u);
      EXPECT_EQ(Little(bytes, 30, 4), 0u);
      int wrong = 0;
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
          const PaletteColour& colour = kRasterColours[raster.pixels[y / scale][x / scale]];
          const size_t at = 54 + rowSize * (height - 1 - y) + 3 * x;
          wrong += Little(bytes, at, 3) !=
                   (static_cast<uint32_t>(colour.red) << 16 | colour.green << 8 | colour.blue);
        }
      EXPECT_EQ(wrong, 0);
      // The padding after each row is zero.
      for (int y = 0; y < height; ++y)
        for (size_t k = 3 * width; k < rowSize; ++k) ASSERT_EQ(bytes[54 + rowSize * y + k], '\0');
    }
  std::remove(path.c_str());
}

TEST_F(Bmp, AFileThatCannotBeWrittenLeavesTheOldOneAndSaysWhy) {
  StartFresh(recording, 3);
  const std::string path = TempPath("kept.bmp");
  {
    std::ofstream old(path, std::ios::binary);
    old << "old";
  }
  // A folder where the file should be, and a folder that does not exist.
  char reason[256] = "";
  const std::string folder = TempPath("folder.bmp");
  std::filesystem::create_directories(folder);
  EXPECT_FALSE(SaveNetPicture(folder.c_str(), 1, 0, reason, sizeof reason));
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  EXPECT_FALSE(SaveNetPicture(TempPath("no_such_folder/net.bmp").c_str(), 1, 0, reason, sizeof reason));
  EXPECT_NE(std::string(reason).find("no_such_folder"), std::string::npos) << reason;
  EXPECT_EQ(ReadAll(path), "old");
  // Every size the writer refuses is refused in words, before any file is made.
  const uint8_t palette[1][3] = {{0, 0, 0}};
  for (const BmpImage& image : {BmpImage{0, 5, palette, 1, nullptr, nullptr},
                                BmpImage{kBmpRowCapacity + 1, 5, palette, 1, nullptr, nullptr},
                                BmpImage{5, 5, palette, 0, nullptr, nullptr}})
    EXPECT_FALSE(WriteBmpFile(path.c_str(), image, reason, sizeof reason)) << image.width;
  EXPECT_EQ(ReadAll(path), "old");
  std::remove(path.c_str());
}

}  // namespace
