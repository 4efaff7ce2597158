#include "core/jpeg.h"

#include "core/picture_format.h"

#include <csetjmp>
#include <cstdio>
#include <vector>
// jpeglib.h needs <cstdio> first; jerror.h gives the message codes.
#include <jpeglib.h>
#include <jerror.h>

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return: it jumps back
// to the decoder. Warnings come through emit_message with level -1; the first one is kept.
struct Errors {
  jpeg_error_mgr manager;
  jmp_buf back;
  char fatal[JMSG_LENGTH_MAX];
  char warning[JMSG_LENGTH_MAX];
};

void Fatal(j_common_ptr decoder) {
  Errors* errors = reinterpret_cast<Errors*>(decoder->err);
  decoder->err->format_message(decoder, errors->fatal);
  longjmp(errors->back, 1);
}

void Message(j_common_ptr decoder, int level) {
  Errors* errors = reinterpret_cast<Errors*>(decoder->err);
  if (level < 0 && errors->warning[0] == 0) decoder->err->format_message(decoder, errors->warning);
}

// Only plain C objects live in this frame, so the long jump skips no destructor.
bool Decode(const unsigned char* data, size_t size, JpegRows& rows, Errors* errors, int* width,
            int* height) {
  jpeg_decompress_struct decoder;
  decoder.err = jpeg_std_error(&errors->manager);
  errors->manager.error_exit = Fatal;
  errors->manager.emit_message = Message;
  if (setjmp(errors->back)) {
    jpeg_destroy_decompress(&decoder);
    return false;
  }
  jpeg_create_decompress(&decoder);
  jpeg_mem_src(&decoder, data, (unsigned long)size);
  jpeg_read_header(&decoder, TRUE);
  if (decoder.image_width > kLargestPictureSide || decoder.image_height > kLargestPictureSide) {
    ERREXIT1(&decoder, JERR_IMAGE_TOO_BIG, kLargestPictureSide);
  }
  decoder.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&decoder);
  if (!rows.Start((int)decoder.output_width, (int)decoder.output_height)) {
    errors->manager.msg_code = JERR_OUT_OF_MEMORY;
    errors->manager.format_message(reinterpret_cast<j_common_ptr>(&decoder), errors->fatal);
    jpeg_destroy_decompress(&decoder);
    return false;
  }
  while (decoder.output_scanline < decoder.output_height) {
    JSAMPROW row = rows.Row((int)decoder.output_scanline);
    jpeg_read_scanlines(&decoder, &row, 1);
  }
  jpeg_finish_decompress(&decoder);
  *width = (int)decoder.output_width;
  *height = (int)decoder.output_height;
  jpeg_destroy_decompress(&decoder);
  return true;
}

// Rows written into one line's room and forgotten.
class DiscardedRows : public JpegRows {
 public:
  bool Start(int width, int) override {
    line_.resize(size_t(width) * 3);
    return true;
  }
  unsigned char* Row(int) override { return line_.data(); }

 private:
  std::vector<unsigned char> line_;
};

}  // namespace

JpegResult DecodeJpeg(const unsigned char* data, size_t size, JpegRows& rows) {
  JpegResult result;
  Errors errors;
  errors.fatal[0] = errors.warning[0] = 0;
  result.decodes = Decode(data, size, rows, &errors, &result.width, &result.height);
  if (!result.decodes) result.errorCode = errors.manager.msg_code;
  result.message = result.decodes ? errors.warning : errors.fatal;
  return result;
}

JpegResult CheckJpeg(const std::string& bytes) {
  DiscardedRows rows;
  return DecodeJpeg(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), rows);
}
