// Lanczos-3 resampling of pictures (backgrounds and textures).
#pragma once

#include <QImage>
#include <QSize>

namespace orvane {

// Resamples source to target with a separable Lanczos-3 filter (a = 3); when shrinking
// the support widens by the scale so that every source pixel contributes. Weights are
// normalised and results rounded and clamped to 0..255. Returns Format_ARGB32 when the
// source has an alpha channel, else Format_RGB32; a null image for an empty source or
// target, or when memory runs out.
QImage ResampleLanczos3(const QImage& source, QSize target);

}  // namespace orvane
