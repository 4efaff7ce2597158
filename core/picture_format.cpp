#include "core/picture_format.h"

std::string LowerExtension(const std::string& path) {
  size_t dot = path.find_last_of(".\\/:");
  if (dot == std::string::npos || path[dot] != '.') return "";
  std::string extension = path.substr(dot + 1);
  for (char& c : extension)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return extension;
}

PictureFormat PictureFormatOf(const std::string& path) {
  const std::string extension = LowerExtension(path);
  if (extension == "jpg" || extension == "jpeg") return PictureFormat::kJpeg;
  if (extension == "bmp") return PictureFormat::kBitmap;
  if (extension == "ico") return PictureFormat::kIcon;
  if (extension == "emf") return PictureFormat::kEnhancedMetafile;
  if (extension == "wmf") return PictureFormat::kWindowsMetafile;
  return PictureFormat::kUnknown;
}

std::optional<int> MetafilePixels(int64_t extent, int64_t unitsPerInch) {
  if (unitsPerInch <= 0) return std::nullopt;
  const int64_t pixels = extent * 96 / unitsPerInch;  // |extent| < 2^33: no overflow
  if (pixels > kLargestPictureSide || pixels < -kLargestPictureSide) return std::nullopt;
  return int(pixels);
}
