// Pictures of the windows: a built-in JPEG from the program's resources, or a file whose
// extension says its format (JPEG through libjpeg; bitmap, icon and metafiles through the
// platform). Each draws itself at its own size.
#pragma once
#include "win/scoped.h"

#include <windows.h>

#include <memory>
#include <string>

namespace ui {

// One loaded picture: a bitmap (JPEG and BMP files), an icon or an enhanced metafile (EMF
// and placeable WMF files), whichever it holds.
class LoadedPicture {
 public:
  LoadedPicture(ScopedBitmap bitmap, int width, int height);
  LoadedPicture(ScopedIcon icon, int width, int height);
  LoadedPicture(ScopedMetafile metafile, int width, int height);
  void Draw(HDC dc, int left, int top) const;
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  ScopedBitmap bitmap_;
  ScopedIcon icon_;
  ScopedMetafile metafile_;
  int width_, height_;
};

// Raises Failure for an unknown extension or a file that cannot be read or decoded.
std::unique_ptr<LoadedPicture> LoadPictureFile(const std::string& path);
// A JPEG held as an RCDATA resource of the program; null when there is no such resource.
std::unique_ptr<LoadedPicture> LoadPictureResource(const char* name);
// Decodes JPEG bytes; raises Failure for damaged data.
std::unique_ptr<LoadedPicture> DecodeJpeg(const std::string& bytes);

}  // namespace ui
