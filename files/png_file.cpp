// The PNG writer: libpng's output routed through the atomic file, one row buffer, no allocation of ours.
#include "files/png_file.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <new>

#include "files/atomic_file.h"

namespace {

// On the heap and reached through libpng's own pointers, so that what its long jump leaves behind is
// still what was last stored, and a write on one thread touches nothing of another's.
struct PngWriting {
  AtomicFile file;
  char message[128];
  uint8_t row[kPngRowCapacity];
};

void OnError(png_structp png, png_const_charp message) {
  PngWriting* writing = static_cast<PngWriting*>(png_get_error_ptr(png));
  std::snprintf(writing->message, sizeof writing->message, "%s", message);
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void OnWrite(png_structp png, png_bytep data, size_t size) {
  PngWriting* writing = static_cast<PngWriting*>(png_get_io_ptr(png));
  if (!WriteAtomicFile(&writing->file, data, size)) png_error(png, AtomicFileReason(&writing->file));
}

void OnFlush(png_structp) {}

int BitDepth(int paletteSize) {
  if (paletteSize <= 2) return 1;
  if (paletteSize <= 4) return 2;
  if (paletteSize <= 16) return 4;
  return 8;
}

bool Refuse(char* reason, size_t reasonSize, const char* path, const char* why) {
  if (reason != nullptr && reasonSize > 0)
    std::snprintf(reason, reasonSize, "Cannot write %s: %s.", path, why);
  return false;
}

}  // namespace

bool WritePngFile(const char* path, const PngImage& image, char* reason, size_t reasonSize) {
  if (image.width < 1 || image.height < 1 || image.width > kPngRowCapacity)
    return Refuse(reason, reasonSize, path, "the picture's size cannot be written");
  if (image.paletteSize < 1 || image.paletteSize > 256)
    return Refuse(reason, reasonSize, path, "the picture's palette cannot be written");
  const std::unique_ptr<PngWriting> held(new (std::nothrow) PngWriting);
  PngWriting* const writing = held.get();
  if (writing == nullptr) return Refuse(reason, reasonSize, path, "there is no memory for it");
  if (!BeginAtomicFile(&writing->file, path))
    return Refuse(reason, reasonSize, path, AtomicFileReason(&writing->file));
  writing->message[0] = '\0';
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, writing, OnError, OnWarning);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    AbandonAtomicFile(&writing->file);
    return Refuse(reason, reasonSize, path, "the PNG library could not start");
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    AbandonAtomicFile(&writing->file);
    return Refuse(reason, reasonSize, path, writing->message);
  }
  png_set_write_fn(png, writing, OnWrite, OnFlush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height),
               BitDepth(image.paletteSize), PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_color palette[256];
  for (int k = 0; k < image.paletteSize; ++k) {
    palette[k].red = image.palette[k][0];
    palette[k].green = image.palette[k][1];
    palette[k].blue = image.palette[k][2];
  }
  png_set_PLTE(png, info, palette, image.paletteSize);
  // Filters only slow an indexed picture down without making it smaller.
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_write_info(png, info);
  png_set_packing(png);  // one index a byte in, as few bits as the palette needs out
  for (int y = 0; y < image.height; ++y) {
    image.rows(image.context, y, writing->row);
    png_write_row(png, writing->row);
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  if (!CommitAtomicFile(&writing->file))
    return Refuse(reason, reasonSize, path, AtomicFileReason(&writing->file));
  return true;
}
