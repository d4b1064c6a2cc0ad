// Writes the TGA seed corpus with our own encoder: make_tga_corpus <folder>.
#include <cstdio>

#include <QDir>
#include <QFile>
#include <QImage>

#include "model/tga_codec.h"

namespace {

struct TSeed {
  const char* file;
  int w, h;
  int kind;  // 0 solid, 1 gradient, 2 blocks, 3 noise
  int alpha;  // -1 none, else a constant, 256 = varying
  const char* author;
  const char* job;
};

QImage Colour(const TSeed& s) {
  QImage img(s.w, s.h, QImage::Format_RGB32);
  unsigned noise = 2463534242u;
  for (int y = 0; y < s.h; ++y)
    for (int x = 0; x < s.w; ++x) {
      noise ^= noise << 13, noise ^= noise >> 17, noise ^= noise << 5;
      const QRgb c = s.kind == 0   ? qRgb(128, 127, 127)
                     : s.kind == 1 ? qRgb(x * 255 / s.w, y * 255 / s.h, 64)
                     : s.kind == 2 ? qRgb((x / 2) * 40 % 256, (y / 2) * 70 % 256, 200)
                                   : QRgb(noise);
      img.setPixel(x, y, c);
    }
  return img;
}

QImage Alpha(const TSeed& s) {
  if (s.alpha < 0) return {};
  QImage a(s.w, s.h, QImage::Format_Grayscale8);
  for (int y = 0; y < s.h; ++y)
    for (int x = 0; x < s.w; ++x) a.scanLine(y)[x] = static_cast<uchar>(s.alpha == 256 ? (x * 37 + y) & 0xFF : s.alpha);
  return a;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_tga_corpus <folder>\n");
    return 2;
  }
  const TSeed seeds[] = {
      {"dot.tga", 1, 1, 0, -1, "PELORIN WORKS", "dot"},
      {"solid_sl.tga", 8, 8, 0, 255, "PELORIN WORKS Ver.2.0", "solid"},
      {"long_run.tga", 130, 2, 0, -1, "PELORIN WORKS", "long run"},
      {"gradient_alpha.tga", 8, 4, 1, 256, "PELORIN WORKS", "gradient"},
      {"blocks_clear.tga", 12, 8, 2, 0, "PELORIN WORKS", "blocks"},
      {"noise.tga", 5, 3, 3, 256, "someone else", "noise"},
  };
  const QDir dir(QString::fromLocal8Bit(argv[1]));
  for (const TSeed& s : seeds) {
    QString reason;
    const QByteArray bytes = orvane::EncodeTga(Colour(s), Alpha(s), {QString::fromLatin1(s.author), QString::fromLatin1(s.job)}, &reason);
    QFile f(dir.filePath(QString::fromLatin1(s.file)));
    if (bytes.isEmpty() || !f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
      std::fprintf(stderr, "cannot write %s: %s\n", s.file, qPrintable(reason));
      return 1;
    }
  }
  return 0;
}
