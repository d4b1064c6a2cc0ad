// libpng encoder into memory; the file itself is written atomically by the caller.
#include "model/png_writer.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

namespace orvane {

namespace {

// Everything libpng's callbacks touch; plain data so that a longjmp skips no destructor.
struct TPngSink {
  QByteArray* Out = nullptr;
  char Message[200] = {};
};

void WriteData(png_structp png, png_bytep data, png_size_t length) {
  auto* sink = static_cast<TPngSink*>(png_get_io_ptr(png));
  try {
    sink->Out->append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(length));
  } catch (const std::bad_alloc&) {
    png_error(png, "out of memory");
  }
}

void FlushData(png_structp) {}

[[noreturn]] void OnError(png_structp png, png_const_charp message) {
  auto* sink = static_cast<TPngSink*>(png_get_error_ptr(png));
  std::strncpy(sink->Message, message ? message : "libpng error", sizeof sink->Message - 1);
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

// The libpng calls alone: no C++ object lives in this frame across setjmp.
bool WriteRgba(TPngSink* sink, png_uint_32 w, png_uint_32 h, png_bytepp rows, png_textp text, int textCount) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, sink, OnError, OnWarning);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, sink, WriteData, FlushData);
  png_set_compression_level(png, 9);
  png_set_IHDR(png, info, w, h, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_set_text(png, info, text, textCount);  // written before the image data, in this order
  png_write_info(png, info);
  png_write_image(png, rows);
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}

QByteArray Latin1Text(const QString& text) {
  QByteArray out;
  for (const QChar c : text) out.append((c.unicode() >= 1 && c.unicode() <= 255) ? static_cast<char>(c.unicode()) : '?');
  return out;
}

}  // namespace

QByteArray EncodePng(const QImage& colour, const QImage& alpha, const QString& imageName, QString* reason) {
  auto fail = [reason](const QString& text) {
    if (reason) *reason = text;
    return QByteArray();
  };
  if (colour.isNull() || colour.width() < 1 || colour.height() < 1) return fail(QStringLiteral("the image is empty"));
  const QImage rgb = colour.convertToFormat(QImage::Format_RGB32);
  const QImage grey = alpha.isNull() ? QImage() : alpha.convertToFormat(QImage::Format_Grayscale8);
  if (rgb.isNull() || (!alpha.isNull() && grey.isNull())) return fail(QStringLiteral("not enough memory to convert the image"));
  const int w = rgb.width(), h = rgb.height();

  std::vector<png_byte> pixels;
  std::vector<png_bytep> rows;
  try {
    pixels.resize(std::size_t(w) * std::size_t(h) * 4);
    rows.resize(std::size_t(h));
  } catch (const std::bad_alloc&) {
    return fail(QStringLiteral("not enough memory for a %1 x %2 PNG").arg(w).arg(h));
  }
  for (int y = 0; y < h; ++y) {
    png_bytep out = pixels.data() + std::size_t(y) * std::size_t(w) * 4;
    rows[std::size_t(y)] = out;
    const auto* src = reinterpret_cast<const std::uint32_t*>(rgb.constScanLine(y));
    const uchar* a = (!grey.isNull() && y < grey.height()) ? grey.constScanLine(y) : nullptr;
    const int aw = a ? std::min(w, grey.width()) : 0;
    for (int x = 0; x < w; ++x, out += 4) {
      out[0] = static_cast<png_byte>(src[x] >> 16);
      out[1] = static_cast<png_byte>(src[x] >> 8);
      out[2] = static_cast<png_byte>(src[x]);
      out[3] = x < aw ? a[x] : 255;
    }
  }

  QByteArray author("Author"), authorText("PELORIN WORKS"), nameKey("ImageName"), nameText = Latin1Text(imageName);
  png_text text[2] = {};
  text[0].compression = PNG_TEXT_COMPRESSION_NONE;
  text[0].key = author.data();
  text[0].text = authorText.data();
  text[0].text_length = static_cast<std::size_t>(authorText.size());
  text[1].compression = PNG_TEXT_COMPRESSION_NONE;
  text[1].key = nameKey.data();
  text[1].text = nameText.data();
  text[1].text_length = static_cast<std::size_t>(nameText.size());

  QByteArray out;
  TPngSink sink;
  sink.Out = &out;
  if (!WriteRgba(&sink, png_uint_32(w), png_uint_32(h), rows.data(), text, 2))
    return fail(QStringLiteral("cannot encode the PNG: %1").arg(QString::fromLatin1(sink.Message[0] ? sink.Message : "libpng failed")));
  return out;
}

}  // namespace orvane
