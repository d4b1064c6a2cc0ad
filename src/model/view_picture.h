// The background picture of a 2D view: two pictures composited through a mask and scaled in.
#pragma once

#include <QImage>
#include <QRect>

namespace orvane {

// The pictures' composite: picture A where the mask is white, B where it is black; each
// channel is (m AND a) OR (b AND NOT m) with m the mask's blue byte. All RGB32, one size.
QImage CompositePictures(const QImage& mask, const QImage& a, const QImage& b);

// What filling the RGB32 image with white and then QPainter's non-smooth
// drawImage(target, CompositePictures(mask, a, b), source) give, only faster: the scaling
// replays QPainter's measured pixel choice, and the composite of the last call is kept and
// only redone where the mask changed, since the pictures stay while the outlines move.
void DrawCompositePicture(QImage& image, const QRect& target, const QImage& mask, const QImage& a,
                          const QImage& b, const QRect& source);

}  // namespace orvane
