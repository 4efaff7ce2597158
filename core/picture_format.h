// The format of a picture file, decided by its file-name extension in upper or lower case,
// as the installer decides it for the main window's BackgroundPicture.
#pragma once
#include <string>

enum class PictureFormat { kJpeg, kBitmap, kIcon, kEnhancedMetafile, kWindowsMetafile, kUnknown };

// jpg and jpeg, bmp, ico, emf, wmf; anything else (or no extension) is unknown.
PictureFormat PictureFormatOf(const std::string& path);

// The extension in lower case, without its dot; empty when the name has none.
std::string LowerExtension(const std::string& path);
