#include "ui/picture.h"

#include "core/failure.h"
#include "core/texts.h"
#include "win/files.h"

#include <csetjmp>
#include <cstdio>
// jpeglib.h needs <windows.h> (included above) and <cstdio> first.
#include <jpeglib.h>
#include <jerror.h>

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
    throw Failure("Cannot open file \"" + FullPath(path) + "\". " + SystemErrorText(error));
  return bytes;
}

// libjpeg reports a fatal error by calling error_exit, which must not return: it jumps back
// to the decoder, which then raises the Failure outside any libjpeg frame.
struct JpegErrors {
  jpeg_error_mgr manager;
  jmp_buf back;
};

void JpegFatal(j_common_ptr decoder) {
  longjmp(reinterpret_cast<JpegErrors*>(decoder->err)->back, 1);
}

// Decodes into a top-down 24-bit DIB section; 0 and the libjpeg message code on failure.
// Only plain C objects live in this frame, so the long jump skips no destructor.
HBITMAP DecodeJpegBits(const unsigned char* data, size_t size, int* width, int* height,
                       int* errorCode) {
  jpeg_decompress_struct decoder;
  JpegErrors errors;
  HBITMAP bitmap = nullptr;
  decoder.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = JpegFatal;
  if (setjmp(errors.back)) {
    *errorCode = errors.manager.msg_code;
    jpeg_destroy_decompress(&decoder);
    if (bitmap) DeleteObject(bitmap);
    return nullptr;
  }
  jpeg_create_decompress(&decoder);
  jpeg_mem_src(&decoder, data, (unsigned long)size);
  jpeg_read_header(&decoder, TRUE);
  decoder.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&decoder);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = (LONG)decoder.output_width;
  info.bmiHeader.biHeight = -(LONG)decoder.output_height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) {
    *errorCode = JERR_OUT_OF_MEMORY;
    jpeg_destroy_decompress(&decoder);
    return nullptr;
  }
  size_t stride = (decoder.output_width * 3 + 3) & ~size_t(3);
  while (decoder.output_scanline < decoder.output_height) {
    JSAMPROW row = static_cast<JSAMPROW>(bits) + stride * decoder.output_scanline;
    jpeg_read_scanlines(&decoder, &row, 1);
  }
  jpeg_finish_decompress(&decoder);
  *width = (int)decoder.output_width;
  *height = (int)decoder.output_height;
  jpeg_destroy_decompress(&decoder);
  return bitmap;
}

std::unique_ptr<LoadedPicture> DecodeJpegData(const unsigned char* data, size_t size) {
  int width = 0, height = 0, errorCode = 0;
  HBITMAP bitmap = DecodeJpegBits(data, size, &width, &height, &errorCode);
  if (!bitmap) throw Failure(texts::kJpegError + std::to_string(errorCode));
  return std::make_unique<BitmapPicture>(bitmap, width, height);
}

std::unique_ptr<LoadedPicture> LoadBitmapFile(const std::string& path) {
  ReadPictureFile(path);  // raises the open failure for a file that cannot be read
  HBITMAP bitmap = (HBITMAP)LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                       LR_LOADFROMFILE | LR_CREATEDIBSECTION);
  if (!bitmap) throw Failure(texts::kInvalidBitmap);
  BITMAP info;
  GetObjectA(bitmap, sizeof info, &info);
  return std::make_unique<BitmapPicture>(bitmap, info.bmWidth, std::abs(info.bmHeight));
}

std::unique_ptr<LoadedPicture> LoadIconFile(const std::string& path) {
  ReadPictureFile(path);
  HICON icon = (HICON)LoadImageA(nullptr, path.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE);
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

// Pixels at the 96 dots per inch of a DPI-unaware program.
int Pixels(long units, long unitsPerInch) { return (int)(units * 96 / unitsPerInch); }

std::unique_ptr<LoadedPicture> LoadEnhancedMetafile(const std::string& path) {
  std::string bytes = ReadPictureFile(path);
  HENHMETAFILE metafile =
      SetEnhMetaFileBits((UINT)bytes.size(), reinterpret_cast<const BYTE*>(bytes.data()));
  if (!metafile) throw Failure(texts::kInvalidMetafile);
  ENHMETAHEADER header = {};
  GetEnhMetaFileHeader(metafile, sizeof header, &header);
  // The frame is in hundredths of a millimetre.
  return std::make_unique<MetafilePicture>(
      metafile, Pixels(header.rclFrame.right - header.rclFrame.left, 2540),
      Pixels(header.rclFrame.bottom - header.rclFrame.top, 2540));
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
  if (unitsPerInch == 0) throw Failure(texts::kInvalidMetafile);
  int width = Pixels(right - left, unitsPerInch), height = Pixels(bottom - top, unitsPerInch);
  METAFILEPICT picture = {MM_ANISOTROPIC, width * 2540 / 96, height * 2540 / 96, nullptr};
  HENHMETAFILE metafile =
      SetWinMetaFileBits((UINT)(bytes.size() - kHeaderSize),
                         reinterpret_cast<const BYTE*>(bytes.data() + kHeaderSize), nullptr,
                         &picture);
  if (!metafile) throw Failure(texts::kInvalidMetafile);
  return std::make_unique<MetafilePicture>(metafile, width, height);
}

std::string LowerExtension(const std::string& path) {
  size_t dot = path.find_last_of(".\\/:");
  if (dot == std::string::npos || path[dot] != '.') return "";
  std::string extension = path.substr(dot + 1);
  for (char& c : extension)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return extension;
}

}  // namespace

std::unique_ptr<LoadedPicture> DecodeJpeg(const std::string& bytes) {
  return DecodeJpegData(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

std::unique_ptr<LoadedPicture> LoadPictureFile(const std::string& path) {
  std::string extension = LowerExtension(path);
  if (extension == "jpg" || extension == "jpeg") return DecodeJpeg(ReadPictureFile(path));
  if (extension == "bmp") return LoadBitmapFile(path);
  if (extension == "ico") return LoadIconFile(path);
  if (extension == "emf") return LoadEnhancedMetafile(path);
  if (extension == "wmf") return LoadWindowsMetafile(path);
  throw Failure(std::string(texts::kUnknownPictureExtension) + " (." + extension + ")");
}

std::unique_ptr<LoadedPicture> LoadPictureResource(const char* name) {
  HRSRC found = FindResourceA(nullptr, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
  if (!found) return nullptr;
  HGLOBAL loaded = LoadResource(nullptr, found);
  const void* data = LockResource(loaded);
  return DecodeJpegData(static_cast<const unsigned char*>(data), SizeofResource(nullptr, found));
}

}  // namespace ui
