// The picture of the net: its size, and saving it as SVG, BMP or PNG.
#include "ui/picture.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "files/atomic_file.h"
#include "files/bmp_file.h"
#include "files/input_files.h"
#include "ui/document.h"
#include "ui/ui.h"
#include "ui/view.h"
#ifdef PLEXARO_HAVE_PNG
#include "files/png_file.h"
#endif

namespace {

bool ToAtomicFile(void* context, const char* data, size_t size) {
  return WriteAtomicFile(static_cast<AtomicFile*>(context), data, size);
}

bool SaveSvg(const NetView& view, const char* path, int scale, char* reason, size_t reasonSize) {
  AtomicFile file;
  bool written = BeginAtomicFile(&file, path);
  if (written) {
    if (RenderNetSvg(view, scale, ToAtomicFile, &file)) {
      written = CommitAtomicFile(&file);
    } else {
      AbandonAtomicFile(&file);
      written = false;
    }
  }
  if (!written) std::snprintf(reason, reasonSize, "Cannot write %s: %s.", path, AtomicFileReason(&file));
  return written;
}

// Kept at scale 1; the rows are widened as the file asks for them.
struct ScaledRows {
  NetRaster raster;
  uint8_t palette[kRasterColourCount][3];
  int scale;
};

void ScaledRow(void* context, int y, uint8_t* row) {
  const ScaledRows* rows = static_cast<const ScaledRows*>(context);
  NetRasterRow(rows->raster, rows->scale, y, row);
}

bool SaveRaster(ImageWriter write, const NetView& view, const char* path, int scale, char* reason,
                size_t reasonSize) {
  // A third of a megabyte: on the heap, never in a frame.
  const std::unique_ptr<ScaledRows> rows(new (std::nothrow) ScaledRows);
  if (rows == nullptr) {
    std::snprintf(reason, reasonSize, "Cannot write %s: there is no memory for the picture.", path);
    return false;
  }
  for (int k = 0; k < kRasterColourCount; ++k) {
    rows->palette[k][0] = kRasterColours[k].red;
    rows->palette[k][1] = kRasterColours[k].green;
    rows->palette[k][2] = kRasterColours[k].blue;
  }
  RenderNetRaster(&rows->raster, view);
  rows->scale = scale;
  const IndexedImage image = {rows->raster.width * scale,
                              rows->raster.height * scale,
                              rows->palette,
                              kRasterColourCount,
                              ScaledRow,
                              rows.get()};
  return write(path, image, reason, reasonSize);
}

const FileFilter kPngFilter = {{"PNG pictures (*.png)", "SVG pictures (*.svg)"}, {"*.png", "*.svg"}, "png"};
const FileFilter kBmpFilter = {{"BMP pictures (*.bmp)", "SVG pictures (*.svg)"}, {"*.bmp", "*.svg"}, "bmp"};

// The window's cube as a picture shows it, in storage of its own: the window's view may be in a paint.
std::unique_ptr<NetView> DocumentPicture(int letters) {
  std::unique_ptr<NetView> view(new NetView);
  BuildNetView(view.get(), letters, false, false);
  return view;
}

}  // namespace

void DrawNetPicture(DrawingSurface& surface, const NetView& view) {
  DrawView(surface, view, ViewTransform{1, 1, false}, 0, 0);
}

void DrawNetPicture(DrawingSurface& surface, int letters) {
  DrawNetPicture(surface, *DocumentPicture(letters));
}

int PictureWidth(const NetView& view) {
  return view.width < kRasterWidthCapacity ? view.width : kRasterWidthCapacity;
}

int PictureHeight(const NetView& view) {
  return view.height < kRasterHeightCapacity ? view.height : kRasterHeightCapacity;
}

int PictureWidth() { return PictureWidth(*DocumentPicture(kLettersNone)); }

int PictureHeight() { return PictureHeight(*DocumentPicture(kLettersNone)); }

void RenderNetRaster(NetRaster* raster, int letters) { RenderNetRaster(raster, *DocumentPicture(letters)); }

bool RenderNetSvg(int scale, int letters, PictureSink sink, void* context) {
  return RenderNetSvg(*DocumentPicture(letters), scale, sink, context);
}

bool PicturePngAvailable() {
#ifdef PLEXARO_HAVE_PNG
  return true;
#else
  return false;
#endif
}

const FileFilter& PictureFilter() { return PicturePngAvailable() ? kPngFilter : kBmpFilter; }

namespace {

// Whether the request is one a picture can be made for: a name, a kind it can write, a scale.
bool Makeable(const char* path, int scale, char* reason, size_t reasonSize) {
  if (path == nullptr || path[0] == '\0') {
    std::snprintf(reason, reasonSize, "No file name was given for the picture.");
    return false;
  }
  if (!PathHasExtension(path, ".svg") && !PathHasExtension(path, ".bmp") && !PathHasExtension(path, ".png")) {
    std::snprintf(reason, reasonSize,
                  "Cannot save the picture as %s: the name must end in .svg, .bmp or .png.", path);
    return false;
  }
  if (scale < 1 || scale > kPictureMaxScale) {
    std::snprintf(reason, reasonSize, "The picture's scale must be 1 to %d, not %d.", kPictureMaxScale,
                  scale);
    return false;
  }
  return true;
}

bool Save(const NetView& view, const char* path, int scale, char* reason, size_t reasonSize) {
  if (PathHasExtension(path, ".svg")) return SaveSvg(view, path, scale, reason, reasonSize);
  if (PathHasExtension(path, ".bmp")) return SaveRaster(WriteBmpFile, view, path, scale, reason, reasonSize);
#ifdef PLEXARO_HAVE_PNG
  return SaveRaster(WritePngFile, view, path, scale, reason, reasonSize);
#else
  std::snprintf(reason, reasonSize,
                "Cannot save %s: PNG is not available in this build; save it as .svg instead.", path);
  return false;
#endif
}

}  // namespace

bool SaveNetPicture(const NetView& view, const char* path, int scale, char* reason, size_t reasonSize) {
  char spare[1];
  if (reason == nullptr || reasonSize == 0) {
    reason = spare;
    reasonSize = sizeof spare;
  }
  return Makeable(path, scale, reason, reasonSize) && Save(view, path, scale, reason, reasonSize);
}

bool SaveNetPicture(const char* path, int scale, int letters, char* reason, size_t reasonSize) {
  char spare[1];
  if (reason == nullptr || reasonSize == 0) {
    reason = spare;
    reasonSize = sizeof spare;
  }
  if (!Makeable(path, scale, reason, reasonSize)) return false;
  if (letters != kLettersNone && letters != kLettersFaces && letters != kLettersColours) {
    std::snprintf(reason, reasonSize, "There is no choice of letters numbered %d.", letters);
    return false;
  }
  if (document.cube.size < 1 || document.cube.size > kMaxSize) {
    std::snprintf(reason, reasonSize, "There is no net of size %d to draw.", document.cube.size);
    return false;
  }
  return Save(*DocumentPicture(letters), path, scale, reason, reasonSize);
}
