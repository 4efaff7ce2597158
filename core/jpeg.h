// Decoding JPEG pictures with libjpeg, for the windows' pictures and the medium checker's
// picture check: one decoder that hands each row to its caller.
#pragma once
#include <cstddef>
#include <string>

struct JpegResult {
  bool decodes = false;  // false: libjpeg stopped with a fatal error
  int width = 0, height = 0;
  int errorCode = 0;  // libjpeg's message code of the fatal error
  // libjpeg's message for the fatal error, or for its first warning (damaged or cut-off
  // data that still decodes, with grey where data is missing); empty when there is none.
  std::string message;
};

// Where the decoded rows go, 3 bytes a pixel in the order blue, green, red.
class JpegRows {
 public:
  virtual ~JpegRows() = default;
  // Told the size once the header is read; false stops the decoding (no room for it).
  virtual bool Start(int width, int height) = 0;
  // Where row y (0 at the top) is to be written.
  virtual unsigned char* Row(int y) = 0;
};

// A picture wider or higher than kLargestPictureSide is refused before any row is decoded
// (libjpeg's "image too big" error).
JpegResult DecodeJpeg(const unsigned char* data, size_t size, JpegRows& rows);

// Decodes the whole picture and throws its pixels away, keeping its size and the report.
JpegResult CheckJpeg(const std::string& bytes);
