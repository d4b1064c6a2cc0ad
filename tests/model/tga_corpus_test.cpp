// Replays the fuzzer's seed corpus through the TGA reader and back through the writer.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <cstdint>

#include "model/tga_codec.h"

namespace orvane {
namespace {

TEST(TgaCorpus, SeedsDecodeAndReencodeByteForByte) {
  const QDir dir(QStringLiteral(ORVANE_FUZZ_CORPUS "/tga"));
  const QStringList files = dir.entryList({QStringLiteral("*.tga")}, QDir::Files, QDir::Name);
  ASSERT_GE(files.size(), 5) << "seed corpus missing at " << dir.absolutePath().toStdString();
  for (const QString& name : files) {
    QFile f(dir.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
    const QByteArray bytes = f.readAll();
    TTgaImage image;
    QString reason;
    ASSERT_TRUE(DecodeTga(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()),
                          kSculptMapLimits, image, &reason))
        << name.toStdString() << ": " << reason.toStdString();
    EXPECT_TRUE(image.HasFooter);
    EXPECT_FALSE(image.AuthorName.isEmpty()) << name.toStdString();

    // The seeds were written by our encoder: the same pixels and fields give the same bytes.
    QImage alpha(image.Image.size(), QImage::Format_Grayscale8);
    for (int y = 0; y < alpha.height(); ++y)
      for (int x = 0; x < alpha.width(); ++x) alpha.scanLine(y)[x] = static_cast<uchar>(qAlpha(image.Image.pixel(x, y)));
    EXPECT_EQ(EncodeTga(image.Image, alpha, {image.AuthorName, image.JobName}), bytes) << name.toStdString();
  }
}

}  // namespace
}  // namespace orvane
