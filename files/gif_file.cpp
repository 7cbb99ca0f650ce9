// The GIF writer: giflib's encoder writing through the atomic file, one row of the frame at a time.
#include "files/gif_file.h"

#include <gif_lib.h>

#include <cstdio>
#include <vector>

#include "files/atomic_file.h"
#include "files/indexed_image.h"

namespace {

// giflib's output, into the atomic file its user data points to.
int OnWrite(GifFileType* gif, const GifByteType* data, int size) {
  AtomicFile* file = static_cast<AtomicFile*>(gif->UserData);
  if (size <= 0) return 0;
  return WriteAtomicFile(file, data, static_cast<size_t>(size)) ? size : 0;
}

bool Refuse(char* reason, size_t reasonSize, const char* path, const char* why) {
  if (reason != nullptr && reasonSize > 0)
    std::snprintf(reason, reasonSize, "Cannot write %s: %s.", path, why);
  return false;
}

// The palette's bits a pixel: giflib takes colour tables of a power of two entries only.
int PaletteBits(int paletteSize) {
  int bits = 1;
  while ((1 << bits) < paletteSize) ++bits;
  return bits;
}

const char* CheckAnimation(const GifAnimation& animation) {
  if (animation.width < 1 || animation.width > kImageRowCapacity || animation.height < 1 ||
      animation.height > 65535)
    return "the picture's size cannot be written";
  if (animation.frameCount < 1) return "an animation needs a frame";
  if (animation.frameCount > kGifMaxFrames) return "an animation takes at most 10,000 frames";
  const uint64_t pixels = static_cast<uint64_t>(animation.width) * static_cast<uint64_t>(animation.height) *
                          static_cast<uint64_t>(animation.frameCount);
  if (pixels > kGifMaxPixels) return "an animation takes at most 2,000,000,000 pixels in all its frames";
  if (animation.paletteSize < 1 || animation.paletteSize > 256 || animation.palette == nullptr)
    return "the picture's palette cannot be written";
  if (animation.frames == nullptr || animation.rows == nullptr) return "there is nothing to draw the frames";
  return nullptr;
}

// The application extension that makes viewers loop the frames for ever (a count of 0).
bool PutEndlessLoop(GifFileType* gif) {
  static const GifByteType kName[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
  static const GifByteType kLoop[] = {1, 0, 0};
  return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
         EGifPutExtensionBlock(gif, sizeof kName, kName) == GIF_OK &&
         EGifPutExtensionBlock(gif, sizeof kLoop, kLoop) == GIF_OK && EGifPutExtensionTrailer(gif) == GIF_OK;
}

bool PutDelay(GifFileType* gif, int delay) {
  GraphicsControlBlock control;
  control.DisposalMode = DISPOSE_DO_NOT;  // every frame covers the whole picture
  control.UserInputFlag = false;
  control.DelayTime = delay;
  control.TransparentColor = NO_TRANSPARENT_COLOR;
  GifByteType bytes[4];
  const size_t size = EGifGCBToExtension(&control, bytes);
  return EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(size), bytes) == GIF_OK;
}

// Writes the frames; null on success, else why not. giflib's own error stays in gif->Error.
const char* PutFrames(GifFileType* gif, const GifAnimation& animation) {
  ColorMapObject* colours = GifMakeMapObject(1 << PaletteBits(animation.paletteSize), nullptr);
  if (colours == nullptr) return "the GIF library could not start";
  for (int k = 0; k < colours->ColorCount; ++k) {
    const bool used = k < animation.paletteSize;
    colours->Colors[k].Red = used ? animation.palette[k][0] : 0;
    colours->Colors[k].Green = used ? animation.palette[k][1] : 0;
    colours->Colors[k].Blue = used ? animation.palette[k][2] : 0;
  }
  EGifSetGifVersion(gif, true);  // the delays and the loop need GIF89a
  const bool described = EGifPutScreenDesc(gif, animation.width, animation.height, 8, 0, colours) == GIF_OK &&
                         PutEndlessLoop(gif);
  GifFreeMapObject(colours);
  if (!described) return "";
  std::vector<GifPixelType> row(static_cast<size_t>(animation.width));
  for (int frame = 0; frame < animation.frameCount; ++frame) {
    const int delay = animation.frames(animation.context, frame);
    if (delay < 0 || delay > 65535) return "a frame's delay is not one a GIF file can hold";
    if (!PutDelay(gif, delay) ||
        EGifPutImageDesc(gif, 0, 0, animation.width, animation.height, false, nullptr) != GIF_OK)
      return "";
    for (int y = 0; y < animation.height; ++y) {
      animation.rows(animation.context, y, row.data());
      for (const GifPixelType pixel : row)
        if (pixel >= animation.paletteSize) return "a pixel names no colour of the palette";
      if (EGifPutLine(gif, row.data(), animation.width) != GIF_OK) return "";
    }
  }
  return nullptr;
}

}  // namespace

bool WriteGifFile(const char* path, const GifAnimation& animation, char* reason, size_t reasonSize) {
  if (const char* refused = CheckAnimation(animation)) return Refuse(reason, reasonSize, path, refused);
  AtomicFile file;
  if (!BeginAtomicFile(&file, path)) return Refuse(reason, reasonSize, path, AtomicFileReason(&file));
  int error = 0;
  GifFileType* gif = EGifOpen(&file, OnWrite, &error);
  if (gif == nullptr) {
    AbandonAtomicFile(&file);
    return Refuse(reason, reasonSize, path, "the GIF library could not start");
  }
  const char* failed = PutFrames(gif, animation);
  // An empty reason is giflib's: a failed write says what the file system said.
  if (failed != nullptr && failed[0] == '\0')
    failed = file.error != 0 ? AtomicFileReason(&file) : GifErrorString(gif->Error);
  // Closing writes the trailer, and frees the encoder whatever happened before.
  const bool closed = EGifCloseFile(gif, &error) == GIF_OK;
  if (failed == nullptr && !closed)
    failed = file.error != 0 ? AtomicFileReason(&file) : GifErrorString(error);
  if (failed != nullptr) {
    AbandonAtomicFile(&file);
    return Refuse(reason, reasonSize, path, failed);
  }
  if (!CommitAtomicFile(&file)) return Refuse(reason, reasonSize, path, AtomicFileReason(&file));
  return true;
}
