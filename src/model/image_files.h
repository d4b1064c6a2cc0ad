// Image files: sculpt maps, textures and background pictures on disk.
#pragma once

#include <functional>

#include <QImage>
#include <QString>

#include "model/settings.h"

namespace orvane {

// Shows the "Auto Rename" warning; the application passes a message box, tests a recorder.
using TWarnFunction = std::function<void(const QString& text)>;

// Size limits checked against a file's header before any pixel is decoded.
struct TImageLimits {
  int MaxSide = 16384;
  qint64 MaxPixels = 64LL * 1024 * 1024;
};
inline constexpr TImageLimits kSculptMapLimits{4096, 4096LL * 4096};
inline constexpr TImageLimits kPictureLimits{16384, 64LL * 1024 * 1024};

// The "Auto Rename" rule: base + ext, or a numbered name when the file exists and
// "File OverWrite" is off; warn is called with the rename text when the name changed.
QString UniqueFileName(const QString& base, const QString& ext, const TAppSettings& settings,
                       const TWarnFunction& warn);

// Writes PNG when name ends in ".png" (any case), else TGA; the write is atomic.
// name comes back as written. Returns 0, or -1 with the reason in *reason; on failure
// name and any existing file are left as they were.
int SaveImage(QString& name, const QImage& colour, const QImage& alpha, const TAppSettings& settings,
              const TWarnFunction& warn, QString* reason = nullptr);

// Reads any supported picture into bitmap (32-bit, alpha dropped). Returns 1 for a TGA
// whose Author Name is exactly "PELORIN WORKS", 0 for any other readable picture, -1 on
// failure with the reason in *reason (bitmap untouched).
int LoadImage(const QString& name, QImage& bitmap, const TImageLimits& limits = kPictureLimits,
              QString* reason = nullptr);

// Fills a and b (W x 513, W = Round(513 p)) with the lightened picture and its darker
// variant, drawn at x0. Returns false with the reason in *reason when the file is unusable.
bool LoadBackground(const QString& name, QImage& a, QImage& b, double p, double q, QString* reason = nullptr);

// Every red, green and blue value v becomes min(255, Round(0.2 v + 204)).
void Lighten(QImage& image);

}  // namespace orvane
