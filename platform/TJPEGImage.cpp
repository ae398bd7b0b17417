#include "platform/TJPEGImage.h"

#include "platform/Exception.h"

#include <QIODevice>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace {

// libjpeg reports errors by calling error_exit, which by default ends the
// process. Ours records the text and jumps back to the setjmp of the
// function that made the libjpeg call. Those functions hold no C++ objects
// with destructors (longjmp would skip them): only plain structs and
// pointers, with the results written through pointers the caller owns.
struct ErrorManager {
  jpeg_error_mgr Pub;
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX];
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->Message);
  std::longjmp(err->Jump, 1);
}

// Warnings (corrupt data that libjpeg would paper over) count as errors.
void EmitMessage(j_common_ptr cinfo, int level) {
  if (level < 0) ErrorExit(cinfo);
}

// A flood of progressive scans is a way to make decoding take forever.
void LimitScans(j_common_ptr cinfo) {
  auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (d->input_scan_number > 300) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::snprintf(err->Message, sizeof err->Message, "Too many scans in JPEG image");
    std::longjmp(err->Jump, 1);
  }
}

void InitErrors(ErrorManager& err) {
  jpeg_std_error(&err.Pub);
  err.Pub.error_exit = &ErrorExit;
  err.Pub.emit_message = &EmitMessage;
  err.Message[0] = '\0';
}

struct HeaderInfo {
  int Width;
  int Height;
  int Components;  // output components: 1 grey, 3 RGB, 4 CMYK
  bool AdobeInverted;
};

// Phase 1: header, colour model and output set-up.
bool ReadHeader(jpeg_decompress_struct* cinfo, ErrorManager* err, const unsigned char* data,
                unsigned long size, HeaderInfo* info) {
  if (setjmp(err->Jump) != 0) return false;
  jpeg_mem_src(cinfo, data, size);
  jpeg_read_header(cinfo, TRUE);
  switch (cinfo->jpeg_color_space) {
    case JCS_GRAYSCALE: cinfo->out_color_space = JCS_GRAYSCALE; break;
    case JCS_YCbCr:
    case JCS_RGB: cinfo->out_color_space = JCS_RGB; break;
    case JCS_CMYK:
    case JCS_YCCK: cinfo->out_color_space = JCS_CMYK; break;
    default:
      std::snprintf(err->Message, sizeof err->Message, "Unsupported JPEG colour model");
      return false;
  }
  jpeg_calc_output_dimensions(cinfo);
  info->Width = static_cast<int>(cinfo->output_width);
  info->Height = static_cast<int>(cinfo->output_height);
  info->Components = cinfo->output_components;
  info->AdobeInverted = cinfo->saw_Adobe_marker;
  return true;
}

// Phase 2: every row into Row (one row of Width x Components bytes), each
// converted into the 32-bit pixel row of Target.
bool DecodeRows(jpeg_decompress_struct* cinfo, ErrorManager* err, unsigned char* row,
                const HeaderInfo* info, unsigned char* target, long long bytesPerLine) {
  if (setjmp(err->Jump) != 0) return false;
  jpeg_start_decompress(cinfo);
  while (cinfo->output_scanline < cinfo->output_height) {
    const long long y = cinfo->output_scanline;
    JSAMPROW rows[1] = {row};
    if (jpeg_read_scanlines(cinfo, rows, 1) != 1) {
      std::snprintf(err->Message, sizeof err->Message, "JPEG data ends early");
      return false;
    }
    auto* out = reinterpret_cast<unsigned int*>(target + y * bytesPerLine);
    for (int x = 0; x < info->Width; ++x) {
      const unsigned char* p = row + static_cast<long long>(x) * info->Components;
      unsigned int r, g, b;
      if (info->Components == 1) {
        r = g = b = p[0];
      } else if (info->Components == 3) {
        r = p[0], g = p[1], b = p[2];
      } else {
        // CMYK as Adobe writes it (inverted) or plain.
        const unsigned c = info->AdobeInverted ? p[0] : 255u - p[0];
        const unsigned m = info->AdobeInverted ? p[1] : 255u - p[1];
        const unsigned yy = info->AdobeInverted ? p[2] : 255u - p[2];
        const unsigned k = info->AdobeInverted ? p[3] : 255u - p[3];
        r = c * k / 255, g = m * k / 255, b = yy * k / 255;
      }
      out[x] = 0xFF000000u | (r << 16) | (g << 8) | b;
    }
  }
  jpeg_finish_decompress(cinfo);
  return true;
}

bool Compress(jpeg_compress_struct* cinfo, ErrorManager* err, const unsigned char* pixels,
              long long bytesPerLine, int width, int height, int quality, unsigned char* row,
              unsigned char** out, unsigned long* outSize) {
  if (setjmp(err->Jump) != 0) return false;
  jpeg_mem_dest(cinfo, out, outSize);
  cinfo->image_width = static_cast<JDIMENSION>(width);
  cinfo->image_height = static_cast<JDIMENSION>(height);
  cinfo->input_components = 3;
  cinfo->in_color_space = JCS_RGB;
  jpeg_set_defaults(cinfo);
  jpeg_set_quality(cinfo, quality, TRUE);
  jpeg_start_compress(cinfo, TRUE);
  while (cinfo->next_scanline < cinfo->image_height) {
    const auto* in =
        reinterpret_cast<const unsigned int*>(pixels + cinfo->next_scanline * bytesPerLine);
    for (int x = 0; x < width; ++x) {
      row[3 * x] = static_cast<unsigned char>(in[x] >> 16);
      row[3 * x + 1] = static_cast<unsigned char>(in[x] >> 8);
      row[3 * x + 2] = static_cast<unsigned char>(in[x]);
    }
    JSAMPROW rows[1] = {row};
    jpeg_write_scanlines(cinfo, rows, 1);
  }
  jpeg_finish_compress(cinfo);
  return true;
}

[[noreturn]] void Fail(const char* message) {
  throw EInvalidGraphic(
      QStringLiteral("JPEG image is not valid: %1").arg(QString::fromLocal8Bit(message)));
}

QImage Decode(const QByteArray& data) {
  if (data.isEmpty()) Fail("no data");
  jpeg_decompress_struct cinfo{};
  ErrorManager err;
  InitErrors(err);
  cinfo.err = &err.Pub;
  jpeg_create_decompress(&cinfo);
  jpeg_progress_mgr progress{};
  progress.progress_monitor = &LimitScans;
  cinfo.progress = &progress;
  cinfo.mem->max_memory_to_use = 512L << 20;
  // From here on every exit destroys cinfo.
  struct Destroy {
    jpeg_decompress_struct* c;
    ~Destroy() { jpeg_destroy_decompress(c); }
  } destroy{&cinfo};

  HeaderInfo info{};
  if (!ReadHeader(&cinfo, &err, reinterpret_cast<const unsigned char*>(data.constData()),
                  static_cast<unsigned long>(data.size()), &info))
    Fail(err.Message);
  if (info.Width <= 0 || info.Height <= 0 ||
      static_cast<long long>(info.Width) * info.Height > TJPEGImage::MaxPixels)
    Fail("the image is empty or too large");
  QImage image(info.Width, info.Height, QImage::Format_ARGB32);
  if (image.isNull()) Fail("out of memory");
  std::vector<unsigned char> row(static_cast<size_t>(info.Width) *
                                 static_cast<size_t>(info.Components));
  if (!DecodeRows(&cinfo, &err, row.data(), &info, image.bits(), image.bytesPerLine()))
    Fail(err.Message);
  return image;
}

QByteArray Encode(const QImage& source, int quality) {
  const QImage image = source.convertToFormat(QImage::Format_ARGB32);
  jpeg_compress_struct cinfo{};
  ErrorManager err;
  InitErrors(err);
  cinfo.err = &err.Pub;
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  std::vector<unsigned char> row(static_cast<size_t>(image.width()) * 3);
  const bool ok = Compress(&cinfo, &err, image.constBits(), image.bytesPerLine(), image.width(),
                           image.height(), quality, row.data(), &buffer, &size);
  jpeg_destroy_compress(&cinfo);
  QByteArray bytes;
  if (ok) bytes = QByteArray(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
  std::free(buffer);  // jpeg_mem_dest allocates with malloc
  if (!ok) throw EFileError(QStringLiteral("Cannot compress the JPEG image: %1").arg(err.Message));
  return bytes;
}

}  // namespace

void TJPEGImage::LoadFromBytes(const QByteArray& Data) {
  QImage image = Decode(Data);
  FImage = std::move(image);
  FData = Data;
  Changed();
}

void TJPEGImage::LoadFromStream(QIODevice& Stream) {
  const QByteArray data = Stream.read(MaxFileSize + 1);
  if (data.size() > MaxFileSize) Fail("the file is too large");
  LoadFromBytes(data);
}

void TJPEGImage::SaveToStream(QIODevice& Stream) const {
  if (FImage.isNull()) throw EInvalidGraphic(QStringLiteral("Cannot save an empty JPEG image"));
  const QByteArray data = FData.isEmpty() ? Encode(FImage, FQuality) : FData;
  if (Stream.write(data) != data.size())
    throw EFileError(QStringLiteral("Cannot write the JPEG image: %1").arg(Stream.errorString()));
}

void TJPEGImage::Assign(const TPersistent& Source) {
  if (const auto* jpeg = dynamic_cast<const TJPEGImage*>(&Source)) {
    FImage = jpeg->FImage;
    FData = jpeg->FData;
    FQuality = jpeg->FQuality;
    Changed();
  } else if (const auto* graphic = dynamic_cast<const TGraphic*>(&Source)) {
    const QImage image = graphic->ToImage();
    FData = image.isNull() ? QByteArray() : Encode(image, FQuality);
    FImage = image.isNull() ? QImage() : image.convertToFormat(QImage::Format_ARGB32);
    Changed();
  } else {
    TGraphic::Assign(Source);
  }
}

void TJPEGImage::SetCompressionQuality(int Value) {
  FQuality = std::clamp(Value, 1, 100);
}

std::unique_ptr<TGraphic> TJPEGImage::Clone() const {
  auto copy = std::make_unique<TJPEGImage>();
  copy->Assign(*this);
  return copy;
}
