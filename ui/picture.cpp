// The picture of the net: its size, and saving it as SVG, BMP or PNG.
#include "ui/picture.h"

#include <cstdio>
#include <cstring>

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

bool NetIsDrawable() { return document.cube.size >= 1 && document.cube.size <= kMaxSize; }

bool ToAtomicFile(void* context, const char* data, size_t size) {
  return WriteAtomicFile(static_cast<AtomicFile*>(context), data, size);
}

bool SaveSvg(const char* path, int scale, int letters, char* reason, size_t reasonSize) {
  AtomicFile file;
  bool written = BeginAtomicFile(&file, path);
  if (written) {
    if (RenderNetSvg(scale, letters, ToAtomicFile, &file)) {
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
NetRaster savedRaster;
uint8_t savedPalette[kRasterColourCount][3];

struct ScaledRows {
  const NetRaster* raster;
  int scale;
};

void ScaledRow(void* context, int y, uint8_t* row) {
  const ScaledRows* rows = static_cast<const ScaledRows*>(context);
  NetRasterRow(*rows->raster, rows->scale, y, row);
}

ScaledRows RenderSaved(int scale, int letters) {
  for (int k = 0; k < kRasterColourCount; ++k) {
    savedPalette[k][0] = kRasterColours[k].red;
    savedPalette[k][1] = kRasterColours[k].green;
    savedPalette[k][2] = kRasterColours[k].blue;
  }
  RenderNetRaster(&savedRaster, letters);
  return {&savedRaster, scale};
}

bool SaveRaster(ImageWriter write, const char* path, int scale, int letters, char* reason,
                size_t reasonSize) {
  ScaledRows rows = RenderSaved(scale, letters);
  const IndexedImage image = {savedRaster.width * scale,
                              savedRaster.height * scale,
                              savedPalette,
                              kRasterColourCount,
                              ScaledRow,
                              &rows};
  return write(path, image, reason, reasonSize);
}

const FileFilter kPngFilter = {{"PNG pictures (*.png)", "SVG pictures (*.svg)"}, {"*.png", "*.svg"}, "png"};
const FileFilter kBmpFilter = {{"BMP pictures (*.bmp)", "SVG pictures (*.svg)"}, {"*.bmp", "*.svg"}, "bmp"};

}  // namespace

void DrawNetPicture(DrawingSurface& surface, int letters) { DrawNetOneToOne(surface, letters, false); }

// Kept apart from the window's own view, which a paint may be reading.
NetView pictureView;

int PictureWidth() {
  BuildNetView(&pictureView, kLettersNone, false, false);
  return pictureView.width < kRasterWidthCapacity ? pictureView.width : kRasterWidthCapacity;
}

int PictureHeight() {
  BuildNetView(&pictureView, kLettersNone, false, false);
  return pictureView.height < kRasterHeightCapacity ? pictureView.height : kRasterHeightCapacity;
}

bool PicturePngAvailable() {
#ifdef PLEXARO_HAVE_PNG
  return true;
#else
  return false;
#endif
}

const FileFilter& PictureFilter() { return PicturePngAvailable() ? kPngFilter : kBmpFilter; }

bool SaveNetPicture(const char* path, int scale, int letters, char* reason, size_t reasonSize) {
  char spare[1];
  if (reason == nullptr || reasonSize == 0) {
    reason = spare;
    reasonSize = sizeof spare;
  }
  if (path == nullptr || path[0] == '\0') {
    std::snprintf(reason, reasonSize, "No file name was given for the picture.");
    return false;
  }
  const bool svg = PathHasExtension(path, ".svg");
  const bool bmp = PathHasExtension(path, ".bmp");
  if (!svg && !bmp && !PathHasExtension(path, ".png")) {
    std::snprintf(reason, reasonSize,
                  "Cannot save the picture as %s: the name must end in .svg, .bmp or .png.", path);
    return false;
  }
  if (scale < 1 || scale > kPictureMaxScale) {
    std::snprintf(reason, reasonSize, "The picture's scale must be 1 to %d, not %d.", kPictureMaxScale,
                  scale);
    return false;
  }
  if (letters != kLettersNone && letters != kLettersFaces && letters != kLettersColours) {
    std::snprintf(reason, reasonSize, "There is no choice of letters numbered %d.", letters);
    return false;
  }
  if (!NetIsDrawable()) {
    std::snprintf(reason, reasonSize, "There is no net of size %d to draw.", document.cube.size);
    return false;
  }
  if (svg) return SaveSvg(path, scale, letters, reason, reasonSize);
  if (bmp) return SaveRaster(WriteBmpFile, path, scale, letters, reason, reasonSize);
#ifdef PLEXARO_HAVE_PNG
  return SaveRaster(WritePngFile, path, scale, letters, reason, reasonSize);
#else
  std::snprintf(reason, reasonSize,
                "Cannot save %s: PNG is not available in this build; save it as .svg instead.", path);
  return false;
#endif
}
