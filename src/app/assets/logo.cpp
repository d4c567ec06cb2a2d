// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/assets/logo.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

#include "app/assets/logo_data.h"

namespace {

// libjpeg's default error handler ends the process; this one jumps back to the
// decoder, which then gives up on the picture.
struct TJpegErrorManager {
  jpeg_error_mgr Public;
  std::jmp_buf Return;
};

[[noreturn]] void JpegErrorExit(j_common_ptr Info) {
  auto* Manager = reinterpret_cast<TJpegErrorManager*>(Info->err);
  std::longjmp(Manager->Return, 1);
}

// Warnings about damaged data are not the user's concern.
void JpegQuietMessage(j_common_ptr) {}

// Decodes into Image, which the caller allocates once the size is known. Only
// plain C data lives in this frame across setjmp; the QImage is touched through
// a pointer that does not change after setjmp.
bool DecodeInto(const unsigned char* Data, std::size_t Size, QImage* const Image) {
  jpeg_decompress_struct Info{};
  TJpegErrorManager Errors{};
  Info.err = jpeg_std_error(&Errors.Public);
  Errors.Public.error_exit = JpegErrorExit;
  Errors.Public.output_message = JpegQuietMessage;
  if (setjmp(Errors.Return) != 0) {
    jpeg_destroy_decompress(&Info);
    return false;
  }
  jpeg_create_decompress(&Info);
  jpeg_mem_src(&Info, Data, static_cast<unsigned long>(Size));
  jpeg_read_header(&Info, TRUE);
  Info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&Info);
  if (Info.output_components != 3 || Info.output_width == 0 || Info.output_height == 0 ||
      Info.output_width > 16384 || Info.output_height > 16384) {
    jpeg_destroy_decompress(&Info);
    return false;
  }
  *Image = QImage(static_cast<int>(Info.output_width), static_cast<int>(Info.output_height),
                  QImage::Format_RGB888);
  if (Image->isNull()) {
    jpeg_destroy_decompress(&Info);
    return false;
  }
  while (Info.output_scanline < Info.output_height) {
    JSAMPROW Row = Image->scanLine(static_cast<int>(Info.output_scanline));
    jpeg_read_scanlines(&Info, &Row, 1);
  }
  jpeg_finish_decompress(&Info);
  jpeg_destroy_decompress(&Info);
  return true;
}

}  // namespace

QImage DecodeJpeg(const unsigned char* Data, std::size_t Size) {
  if (Data == nullptr || Size == 0) return QImage();
  QImage Image;
  if (!DecodeInto(Data, Size, &Image)) return QImage();
  return Image;
}

QImage LogoPicture() { return DecodeJpeg(LogoJpeg, LogoJpegSize); }
