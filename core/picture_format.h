// The format of a picture file, decided by its file-name extension in upper or lower case,
// as the installer decides it for the main window's BackgroundPicture.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

// The largest width and height of a picture the programs load. Far above the 790 x 536 of the
// main window, it keeps out pictures whose header alone (a few hundred bytes) declares a size
// that would take seconds to decode and gigabytes to hold.
inline constexpr int kLargestPictureSide = 8000;

enum class PictureFormat { kJpeg, kBitmap, kIcon, kEnhancedMetafile, kWindowsMetafile, kUnknown };

// jpg and jpeg, bmp, ico, emf, wmf; anything else (or no extension) is unknown.
PictureFormat PictureFormatOf(const std::string& path);

// The extension in lower case, without its dot; empty when the name has none.
std::string LowerExtension(const std::string& path);

// A metafile's width or height in screen pixels (96 per inch) from its extent in units of
// which `unitsPerInch` make an inch, computed in 64 bits whatever the header holds. None
// when unitsPerInch is not positive or the result is beyond kLargestPictureSide either way.
std::optional<int> MetafilePixels(int64_t extent, int64_t unitsPerInch);
