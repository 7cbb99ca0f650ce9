// The animated GIF writer: frames, delays, palette, loop and pixels read back through giflib, and files
// left as they were by a refusal or a failure.
#ifdef PLEXARO_HAVE_GIF
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "files/gif_file.h"
#include "support/cube_helpers.h"

namespace fs = std::filesystem;

namespace {

const uint8_t kColours[7][3] = {{255, 255, 255}, {255, 0, 0}, {255, 255, 0}, {255, 144, 0},
                                {0, 255, 0},     {0, 0, 255}, {0, 0, 0}};

// Frames whose pixels depend on the frame, the row and the column, and the calls the writer made.
struct Frames {
  Frames(int width, int height, int paletteSize) : width(width), height(height), paletteSize(paletteSize) {}
  int width, height;
  int paletteSize;
  int frame = -1;
  std::vector<int> framesAsked;
  int badPixelFrame = -1;  // this frame has a pixel past the palette

  uint8_t Pixel(int f, int y, int x) const {
    return static_cast<uint8_t>((f * 7 + y * 3 + x * x) % paletteSize);
  }
  static int Delay(int f) { return f == 0 ? 150 : 3 + f % 5; }
};

int StartFrame(void* context, int frame) {
  Frames* frames = static_cast<Frames*>(context);
  frames->framesAsked.push_back(frame);
  frames->frame = frame;
  return Frames::Delay(frame);
}

void Row(void* context, int y, uint8_t* row) {
  const Frames* frames = static_cast<const Frames*>(context);
  for (int x = 0; x < frames->width; ++x) row[x] = frames->Pixel(frames->frame, y, x);
  if (frames->frame == frames->badPixelFrame && y == 1) row[0] = static_cast<uint8_t>(frames->paletteSize);
}

GifAnimation Animation(Frames* frames, int count) {
  return {frames->width, frames->height, count, kColours, frames->paletteSize, StartFrame, Row, frames};
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Folder(const std::string& name) {
  const std::string path = TempPath("gif_" + name);
  fs::remove_all(path);
  fs::create_directories(path);
  return path;
}

size_t Entries(const std::string& folder) { return std::distance(fs::directory_iterator(folder), {}); }

TEST(GifFile, ReadsBackWithItsFramesDelaysPixelsPaletteAndEndlessLoop) {
  const std::string folder = Folder("read_back");
  for (const int paletteSize : {7, 2, 1}) {
    Frames frames(37, 11, paletteSize);
    const int count = 5;
    const std::string path = folder + "/moves.gif";
    char reason[256] = "";
    ASSERT_TRUE(WriteGifFile(path.c_str(), Animation(&frames, count), reason, sizeof reason)) << reason;
    EXPECT_EQ(frames.framesAsked, (std::vector<int>{0, 1, 2, 3, 4}));

    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    ASSERT_NE(gif, nullptr) << GifErrorString(error);
    ASSERT_EQ(DGifSlurp(gif), GIF_OK) << GifErrorString(gif->Error);
    EXPECT_EQ(gif->SWidth, 37);
    EXPECT_EQ(gif->SHeight, 11);
    ASSERT_NE(gif->SColorMap, nullptr);
    ASSERT_GE(gif->SColorMap->ColorCount, paletteSize);
    for (int k = 0; k < paletteSize; ++k) {
      const GifColorType& colour = gif->SColorMap->Colors[k];
      EXPECT_EQ(colour.Red, kColours[k][0]);
      EXPECT_EQ(colour.Green, kColours[k][1]);
      EXPECT_EQ(colour.Blue, kColours[k][2]);
    }
    ASSERT_EQ(gif->ImageCount, count);
    for (int f = 0; f < count; ++f) {
      const SavedImage& image = gif->SavedImages[f];
      ASSERT_EQ(image.ImageDesc.Width, 37);
      ASSERT_EQ(image.ImageDesc.Height, 11);
      EXPECT_FALSE(image.ImageDesc.Interlace);
      GraphicsControlBlock control;
      ASSERT_EQ(DGifSavedExtensionToGCB(gif, f, &control), GIF_OK);
      EXPECT_EQ(control.DelayTime, Frames::Delay(f)) << f;
      EXPECT_EQ(control.TransparentColor, NO_TRANSPARENT_COLOR);
      int mismatches = 0;
      for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 37; ++x) mismatches += image.RasterBits[y * 37 + x] != frames.Pixel(f, y, x);
      EXPECT_EQ(mismatches, 0) << "frame " << f;
    }
    // The loop: NETSCAPE2.0's sub-block 1 with a count of 0, before the first frame.
    bool loops = false;
    const SavedImage& first = gif->SavedImages[0];
    for (int k = 0; k + 1 < first.ExtensionBlockCount; ++k) {
      const ExtensionBlock& name = first.ExtensionBlocks[k];
      const ExtensionBlock& data = first.ExtensionBlocks[k + 1];
      loops =
          loops || (name.Function == APPLICATION_EXT_FUNC_CODE && name.ByteCount == 11 &&
                    std::string(reinterpret_cast<char*>(name.Bytes), 11) == "NETSCAPE2.0" &&
                    data.ByteCount == 3 && data.Bytes[0] == 1 && data.Bytes[1] == 0 && data.Bytes[2] == 0);
    }
    EXPECT_TRUE(loops);
    DGifCloseFile(gif, &error);
    EXPECT_EQ(ReadAll(path).substr(0, 6), "GIF89a");
  }
  EXPECT_EQ(Entries(folder), 1u);
  fs::remove_all(folder);
}

TEST(GifFile, RefusesBeforeWritingAnythingAndAFailureOnTheWayKeepsTheOldFile) {
  const std::string folder = Folder("refused");
  const std::string path = WriteTemp("gif_refused/old.gif", "old");
  Frames frames(10, 10, 7);
  const struct {
    GifAnimation animation;
    const char* words;
  } cases[] = {
      {{10, 10, kGifMaxFrames + 1, kColours, 7, StartFrame, Row, &frames}, "at most 10,000 frames"},
      {{16384, 1221, 100, kColours, 7, StartFrame, Row, &frames}, "at most 2,000,000,000 pixels"},
      {{10, 10, 0, kColours, 7, StartFrame, Row, &frames}, "needs a frame"},
      {{16385, 1, 1, kColours, 7, StartFrame, Row, &frames}, "size cannot be written"},
      {{10, 10, 1, kColours, 257, StartFrame, Row, &frames}, "palette cannot be written"},
  };
  char reason[256] = "";
  for (const auto& c : cases)
    for (const std::string& target : {path, folder + "/new.gif"}) {
      EXPECT_FALSE(WriteGifFile(target.c_str(), c.animation, reason, sizeof reason)) << c.words;
      EXPECT_EQ(std::string(reason).find("Cannot write " + target + ": "), 0u) << reason;
      EXPECT_NE(std::string(reason).find(c.words), std::string::npos) << reason;
    }
  EXPECT_TRUE(frames.framesAsked.empty()) << "no frame was drawn";

  // A pixel past the palette in the third frame; a delay no GIF file holds.
  frames.badPixelFrame = 2;
  EXPECT_FALSE(WriteGifFile(path.c_str(), Animation(&frames, 4), reason, sizeof reason));
  EXPECT_STREQ(reason, ("Cannot write " + path + ": a pixel names no colour of the palette.").c_str());
  GifAnimation late = Animation(&frames, 2);
  late.frames = [](void*, int) { return 65536; };
  EXPECT_FALSE(WriteGifFile(path.c_str(), late, reason, sizeof reason));
  EXPECT_NE(std::string(reason).find("delay"), std::string::npos) << reason;
  // Files may grow to 1000 bytes only: the writes fail part of the way through.
  Frames big(200, 100, 7);
  rlimit previous;
  getrlimit(RLIMIT_FSIZE, &previous);
  rlimit limit = previous;
  limit.rlim_cur = 1000;
  const auto handler = signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &limit);
  const bool written = WriteGifFile(path.c_str(), Animation(&big, 3), reason, sizeof reason);
  setrlimit(RLIMIT_FSIZE, &previous);
  signal(SIGXFSZ, handler);
  EXPECT_FALSE(written);
  EXPECT_NE(std::string(reason).find("File too large"), std::string::npos) << reason;
  EXPECT_EQ(ReadAll(path), "old");
  EXPECT_EQ(Entries(folder), 1u) << "no temporary file is left";

  Frames dot(1, 1, 2);
  EXPECT_TRUE(WriteGifFile(path.c_str(), Animation(&dot, kGifMaxFrames), reason, sizeof reason)) << reason;
  EXPECT_EQ(dot.framesAsked.size(), static_cast<size_t>(kGifMaxFrames)) << "the most frames are taken";
  fs::remove_all(folder);
}

}  // namespace
#endif
