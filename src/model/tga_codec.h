// Our own Truevision TGA 2.0 reader and writer.
#pragma once

#include <cstddef>
#include <cstdint>

#include <QByteArray>
#include <QImage>
#include <QString>

#include "model/image_files.h"

namespace orvane {

// What the writer puts into the Extension Area besides the pixels.
struct TTgaFields {
  QString AuthorName;
  QString JobName;
};

// Size of the Extension Area written and the length of its text fields (with the NUL).
inline constexpr int kTgaExtensionSize = 495;
inline constexpr int kTgaTextFieldSize = 41;

// A text field as stored: ASCII only (anything else becomes '?'), at most 40 bytes.
QByteArray TgaTextField(const QString& text);

// Run-length-encoded 32-bit true colour, 8 alpha bits, bottom-left origin, Extension
// Area and TGA 2.0 footer. The colour's red, green and blue, the alpha plane's grey
// value as alpha; a null alpha means opaque and a smaller one is padded opaque.
// Returns an empty array with the reason in *reason when the image cannot be stored.
QByteArray EncodeTga(const QImage& colour, const QImage& alpha, const TTgaFields& fields,
                     QString* reason = nullptr);

struct TTgaImage {
  QImage Image;          // Format_ARGB32, not premultiplied; opaque when the file has no alpha
  bool HasAlpha = false;  // the file declares attribute (alpha) bits
  bool HasFooter = false;  // a TGA 2.0 footer was found
  QString AuthorName;     // from the Extension Area; empty without one
  QString JobName;
};

// Decodes a whole TGA file held in memory. Everything is checked against the bytes
// present and against limits before the image is allocated; on failure returns false
// with the reason in *reason and leaves out untouched.
bool DecodeTga(const std::uint8_t* data, std::size_t size, const TImageLimits& limits, TTgaImage& out,
               QString* reason = nullptr);

}  // namespace orvane
