#include "core/jpeg_check.h"

#include <csetjmp>
#include <cstdio>
// jpeglib.h needs <cstdio> first.
#include <jpeglib.h>

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return: it jumps back
// to CheckJpeg. Warnings come through emit_message with level -1; the first one is kept.
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
bool Decode(const std::string& bytes, Errors* errors, int* width, int* height) {
  jpeg_decompress_struct decoder;
  decoder.err = jpeg_std_error(&errors->manager);
  errors->manager.error_exit = Fatal;
  errors->manager.emit_message = Message;
  if (setjmp(errors->back)) {
    jpeg_destroy_decompress(&decoder);
    return false;
  }
  jpeg_create_decompress(&decoder);
  jpeg_mem_src(&decoder, reinterpret_cast<const unsigned char*>(bytes.data()),
               (unsigned long)bytes.size());
  jpeg_read_header(&decoder, TRUE);
  jpeg_start_decompress(&decoder);
  // One row in libjpeg's own pool, released with the decoder.
  JSAMPARRAY row =
      (*decoder.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&decoder), JPOOL_IMAGE,
                                   decoder.output_width * decoder.output_components, 1);
  while (decoder.output_scanline < decoder.output_height) jpeg_read_scanlines(&decoder, row, 1);
  jpeg_finish_decompress(&decoder);
  *width = (int)decoder.output_width;
  *height = (int)decoder.output_height;
  jpeg_destroy_decompress(&decoder);
  return true;
}

}  // namespace

JpegCheck CheckJpeg(const std::string& bytes) {
  JpegCheck check;
  Errors errors;
  errors.fatal[0] = errors.warning[0] = 0;
  check.decodes = Decode(bytes, &errors, &check.width, &check.height);
  check.message = check.decodes ? errors.warning : errors.fatal;
  return check;
}
