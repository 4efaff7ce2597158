#include "ui/picture.h"

#include "core/failure.h"
#include "core/jpeg.h"
#include "core/picture_format.h"
#include "core/texts.h"
#include "win/files.h"
#include "win/text.h"

namespace ui {

LoadedPicture::LoadedPicture(ScopedBitmap bitmap, int width, int height)
    : bitmap_(std::move(bitmap)), width_(width), height_(height) {}
LoadedPicture::LoadedPicture(ScopedIcon icon, int width, int height)
    : icon_(std::move(icon)), width_(width), height_(height) {}
LoadedPicture::LoadedPicture(ScopedMetafile metafile, int width, int height)
    : metafile_(std::move(metafile)), width_(width), height_(height) {}

void LoadedPicture::Draw(HDC dc, int left, int top) const {
  if (bitmap_.held()) {
    ScopedMemoryDC source(CreateCompatibleDC(dc));
    SelectedObject selected(source.get(), bitmap_.get());
    BitBlt(dc, left, top, width_, height_, source.get(), 0, 0, SRCCOPY);
  } else if (icon_.held()) {
    DrawIconEx(dc, left, top, icon_.get(), width_, height_, 0, nullptr, DI_NORMAL);
  } else if (metafile_.held()) {
    RECT frame = {left, top, left + width_, top + height_};
    PlayEnhMetaFile(dc, metafile_.get(), &frame);
  }
}

namespace {

// The rows of a top-down 24-bit DIB section made once the picture's size is known.
class BitmapRows : public JpegRows {
 public:
  bool Start(int width, int height) override {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
    stride_ = (size_t(width) * 3 + 3) & ~size_t(3);
    return bitmap_.held();
  }
  unsigned char* Row(int y) override { return static_cast<unsigned char*>(bits_) + stride_ * y; }
  // The bitmap, now the caller's.
  ScopedBitmap& bitmap() { return bitmap_; }

 private:
  ScopedBitmap bitmap_;
  void* bits_ = nullptr;
  size_t stride_ = 0;
};

std::unique_ptr<LoadedPicture> DecodeJpegData(const unsigned char* data, size_t size) {
  BitmapRows rows;
  JpegResult result = ::DecodeJpeg(data, size, rows);
  if (!result.decodes) throw Failure(texts::kJpegError + std::to_string(result.errorCode));
  return std::make_unique<LoadedPicture>(std::move(rows.bitmap()), result.width, result.height);
}

std::unique_ptr<LoadedPicture> LoadBitmapFile(const std::string& path) {
  ReadWholeFile(path);  // raises the open failure for a file that cannot be read
  ScopedBitmap bitmap((HBITMAP)LoadImageW(nullptr, ToWide(path).c_str(), IMAGE_BITMAP, 0, 0,
                                          LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  if (!bitmap.held()) throw Failure(texts::kInvalidBitmap);
  BITMAP info;
  GetObjectA(bitmap.get(), sizeof info, &info);
  return std::make_unique<LoadedPicture>(std::move(bitmap), info.bmWidth, std::abs(info.bmHeight));
}

std::unique_ptr<LoadedPicture> LoadIconFile(const std::string& path) {
  ReadWholeFile(path);
  ScopedIcon icon(
      (HICON)LoadImageW(nullptr, ToWide(path).c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE));
  if (!icon.held()) throw Failure(texts::kInvalidIcon);
  ICONINFO info = {};
  int width = 32, height = 32;
  if (GetIconInfo(icon.get(), &info)) {
    ScopedBitmap color(info.hbmColor), mask(info.hbmMask);
    BITMAP maskInfo;
    if (GetObjectA(mask.get(), sizeof maskInfo, &maskInfo)) {
      width = maskInfo.bmWidth;
      height = color.held() ? maskInfo.bmHeight : maskInfo.bmHeight / 2;
    }
  }
  return std::make_unique<LoadedPicture>(std::move(icon), width, height);
}

// Pixels at the 96 dots per inch of a DPI-unaware program; a size beyond any window's is
// refused as a metafile that is not valid.
int Pixels(int64_t extent, int64_t unitsPerInch) {
  std::optional<int> pixels = MetafilePixels(extent, unitsPerInch);
  if (!pixels) throw Failure(texts::kInvalidMetafile);
  return *pixels;
}

std::unique_ptr<LoadedPicture> LoadEnhancedMetafile(const std::string& path) {
  const std::string bytes = ReadWholeFile(path);
  ScopedMetafile metafile(
      SetEnhMetaFileBits((UINT)bytes.size(), reinterpret_cast<const BYTE*>(bytes.data())));
  if (!metafile.held()) throw Failure(texts::kInvalidMetafile);
  ENHMETAHEADER header = {};
  GetEnhMetaFileHeader(metafile.get(), sizeof header, &header);
  // The frame is in hundredths of a millimetre.
  const int width = Pixels(int64_t(header.rclFrame.right) - header.rclFrame.left, 2540);
  const int height = Pixels(int64_t(header.rclFrame.bottom) - header.rclFrame.top, 2540);
  return std::make_unique<LoadedPicture>(std::move(metafile), width, height);
}

// A Windows metafile with its placeable header (key, bounding box in units, units per inch),
// turned into an enhanced metafile of the header's size.
std::unique_ptr<LoadedPicture> LoadWindowsMetafile(const std::string& path) {
  const std::string bytes = ReadWholeFile(path);
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
  ScopedMetafile metafile(SetWinMetaFileBits(
      (UINT)(bytes.size() - kHeaderSize), reinterpret_cast<const BYTE*>(bytes.data() + kHeaderSize),
      nullptr, &picture));
  if (!metafile.held()) throw Failure(texts::kInvalidMetafile);
  return std::make_unique<LoadedPicture>(std::move(metafile), width, height);
}

}  // namespace

std::unique_ptr<LoadedPicture> DecodeJpeg(const std::string& bytes) {
  return DecodeJpegData(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

std::unique_ptr<LoadedPicture> LoadPictureFile(const std::string& path) {
  switch (PictureFormatOf(path)) {
    case PictureFormat::kJpeg:
      return DecodeJpeg(ReadWholeFile(path));
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
