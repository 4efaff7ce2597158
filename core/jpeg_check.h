// Whether libjpeg decodes a JPEG picture, as the installer's picture loading needs it to:
// the whole picture is decoded and thrown away, keeping only its size and libjpeg's report.
#pragma once
#include <string>

struct JpegCheck {
  bool decodes = false;  // false: libjpeg stopped with a fatal error
  int width = 0, height = 0;
  // libjpeg's message for the fatal error, or for its first warning (damaged or cut-off
  // data that still decodes, with grey where data is missing); empty when there is none.
  std::string message;
};

JpegCheck CheckJpeg(const std::string& bytes);
