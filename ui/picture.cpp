#include "ui/picture.h"

#include "core/failure.h"
#include "core/jpeg.h"
#include "core/picture_format.h"
#include "core/texts.h"
#include "win/files.h"
#include "win/text.h"

namespace ui {
namespace {

// A 24-bit device-independent bitmap, as JPEG and BMP files decode to.
class BitmapPicture : public LoadedPicture {
 public:
  BitmapPicture(HBITMAP bitmap, int width, int height) : bitmap_(bitmap) {
    width_ = width;
    height_ = height;
  }
  ~BitmapPicture() override { DeleteObject(bitmap_); }
  void Draw(HDC dc, int left, int top) const override {
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, bitmap_);
    BitBlt(dc, left, top, width_, height_, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
  }

 private:
  HBITMAP bitmap_;
};

class IconPicture : public LoadedPicture {
 public:
  IconPicture(HICON icon, int width, int height) : icon_(icon) {
    width_ = width;
    height_ = height;
  }
  ~IconPicture() override { DestroyIcon(icon_); }
  void Draw(HDC dc, int left, int top) const override {
    DrawIconEx(dc, left, top, icon_, width_, height_, 0, nullptr, DI_NORMAL);
  }

 private:
  HICON icon_;
};

class MetafilePicture : public LoadedPicture {
 public:
  MetafilePicture(HENHMETAFILE metafile, int width, int height) : metafile_(metafile) {
    width_ = width;
    height_ = height;
  }
  ~MetafilePicture() override { DeleteEnhMetaFile(metafile_); }
  void Draw(HDC dc, int left, int top) const override {
    RECT frame = {left, top, left + width_, top + height_};
    PlayEnhMetaFile(dc, metafile_, &frame);
  }

 private:
  HENHMETAFILE metafile_;
};

// The whole file, or the failure of its open.
std::string ReadPictureFile(const std::string& path) {
  std::string bytes;
  unsigned long error = 0;
  if (!ReadWholeFile(path, &bytes, &error))
    RaiseSystemFailure(texts::kCannotOpenFile, path, error);
  return bytes;
}

// The rows of a top-down 24-bit DIB section made once the picture's size is known.
class BitmapRows : public JpegRows {
 public:
  ~BitmapRows() override {
    if (bitmap_) DeleteObject(bitmap_);
  }
  bool Start(int width, int height) override {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    stride_ = (size_t(width) * 3 + 3) & ~size_t(3);
    return bitmap_ != nullptr;
  }
  unsigned char* Row(int y) override { return static_cast<unsigned char*>(bits_) + stride_ * y; }
  // The bitmap, now the caller's.
  HBITMAP Take() {
    HBITMAP bitmap = bitmap_;
    bitmap_ = nullptr;
    return bitmap;
  }

 private:
  HBITMAP bitmap_ = nullptr;
  void* bits_ = nullptr;
  size_t stride_ = 0;
};

std::unique_ptr<LoadedPicture> DecodeJpegData(const unsigned char* data, size_t size) {
  BitmapRows rows;
  JpegResult result = ::DecodeJpeg(data, size, rows);
  if (!result.decodes) throw Failure(texts::kJpegError + std::to_string(result.errorCode));
  return std::make_unique<BitmapPicture>(rows.Take(), result.width, result.height);
}

std::unique_ptr<LoadedPicture> LoadBitmapFile(const std::string& path) {
  ReadPictureFile(path);  // raises the open failure for a file that cannot be read
  HBITMAP bitmap = (HBITMAP)LoadImageW(nullptr, ToWide(path).c_str(), IMAGE_BITMAP, 0, 0,
                                       LR_LOADFROMFILE | LR_CREATEDIBSECTION);
  if (!bitmap) throw Failure(texts::kInvalidBitmap);
  BITMAP info;
  GetObjectA(bitmap, sizeof info, &info);
  return std::make_unique<BitmapPicture>(bitmap, info.bmWidth, std::abs(info.bmHeight));
}

std::unique_ptr<LoadedPicture> LoadIconFile(const std::string& path) {
  ReadPictureFile(path);
  HICON icon = (HICON)LoadImageW(nullptr, ToWide(path).c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE);
  if (!icon) throw Failure(texts::kInvalidIcon);
  ICONINFO info = {};
  int width = 32, height = 32;
  if (GetIconInfo(icon, &info)) {
    BITMAP mask;
    if (GetObjectA(info.hbmMask, sizeof mask, &mask)) {
      width = mask.bmWidth;
      height = info.hbmColor ? mask.bmHeight : mask.bmHeight / 2;
    }
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
  }
  return std::make_unique<IconPicture>(icon, width, height);
}

// Pixels at the 96 dots per inch of a DPI-unaware program; a size beyond any window's is
// refused as a metafile that is not valid.
int Pixels(int64_t extent, int64_t unitsPerInch) {
  std::optional<int> pixels = MetafilePixels(extent, unitsPerInch);
  if (!pixels) throw Failure(texts::kInvalidMetafile);
  return *pixels;
}

std::unique_ptr<LoadedPicture> LoadEnhancedMetafile(const std::string& path) {
  std::string bytes = ReadPictureFile(path);
  HENHMETAFILE metafile =
      SetEnhMetaFileBits((UINT)bytes.size(), reinterpret_cast<const BYTE*>(bytes.data()));
  if (!metafile) throw Failure(texts::kInvalidMetafile);
  ENHMETAHEADER header = {};
  GetEnhMetaFileHeader(metafile, sizeof header, &header);
  // The frame is in hundredths of a millimetre.
  int width, height;
  try {
    width = Pixels(int64_t(header.rclFrame.right) - header.rclFrame.left, 2540);
    height = Pixels(int64_t(header.rclFrame.bottom) - header.rclFrame.top, 2540);
  } catch (...) {
    DeleteEnhMetaFile(metafile);
    throw;
  }
  return std::make_unique<MetafilePicture>(metafile, width, height);
}

// A Windows metafile with its placeable header (key, bounding box in units, units per inch),
// turned into an enhanced metafile of the header's size.
std::unique_ptr<LoadedPicture> LoadWindowsMetafile(const std::string& path) {
  std::string bytes = ReadPictureFile(path);
  const size_t kHeaderSize = 22;
  auto word = [&](size_t at) {
    return (long)(short)((unsigned char)bytes[at] | (unsigned char)bytes[at + 1] << 8);
  };
  if (bytes.size() <= kHeaderSize || bytes.compare(0, 4, "\xD7\xCD\xC6\x9A", 4) != 0)
    throw Failure(texts::kInvalidMetafile);
  long left = word(6), top = word(8), right = word(10), bottom = word(12);
  long unitsPerInch = word(14) & 0xFFFF;
  int width = Pixels(right - left, unitsPerInch), height = Pixels(bottom - top, unitsPerInch);
  METAFILEPICT picture = {MM_ANISOTROPIC, width * 2540 / 96, height * 2540 / 96, nullptr};
  HENHMETAFILE metafile =
      SetWinMetaFileBits((UINT)(bytes.size() - kHeaderSize),
                         reinterpret_cast<const BYTE*>(bytes.data() + kHeaderSize), nullptr,
                         &picture);
  if (!metafile) throw Failure(texts::kInvalidMetafile);
  return std::make_unique<MetafilePicture>(metafile, width, height);
}

}  // namespace

std::unique_ptr<LoadedPicture> DecodeJpeg(const std::string& bytes) {
  return DecodeJpegData(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

std::unique_ptr<LoadedPicture> LoadPictureFile(const std::string& path) {
  switch (PictureFormatOf(path)) {
    case PictureFormat::kJpeg:
      return DecodeJpeg(ReadPictureFile(path));
    case PictureFormat::kBitmap:
      return LoadBitmapFile(path);
    case PictureFormat::kIcon:
      return LoadIconFile(path);
    case PictureFormat::kEnhancedMetafile:
      return LoadEnhancedMetafile(path);
    case PictureFormat::kWindowsMetafile:
      return LoadWindowsMetafile(path);
    case PictureFormat::kUnknown:
      break;
  }
  throw Failure(std::string(texts::kUnknownPictureExtension) + " (." + LowerExtension(path) + ")");
}

std::unique_ptr<LoadedPicture> LoadPictureResource(const char* name) {
  HRSRC found = FindResourceA(nullptr, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
  if (!found) return nullptr;
  HGLOBAL loaded = LoadResource(nullptr, found);
  const void* data = LockResource(loaded);
  return DecodeJpegData(static_cast<const unsigned char*>(data), SizeofResource(nullptr, found));
}

}  // namespace ui
