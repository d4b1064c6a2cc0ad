// Replays the sculpt map fuzzer's seeds: each is a map our writer made and must load as named.
#include <gtest/gtest.h>

#include <memory>

#include <QDir>
#include <QFileInfo>

#include "model/sculpt_data.h"
#include "model/sculpt_map.h"

namespace orvane {
namespace {

TEST(SculptMapCorpus, SeedsLoadWithTheTypeAndAspectInTheirNames) {
  const QDir dir(QStringLiteral(ORVANE_FUZZ_CORPUS "/sculpt_map"));
  const QStringList files = dir.entryList(QDir::Files, QDir::Name);
  ASSERT_GE(files.size(), 4) << "seed corpus missing at " << dir.absolutePath().toStdString();
  for (const QString& name : files) {
    // type_aspect[_marked].ext
    const QStringList parts = QFileInfo(name).completeBaseName().split(QLatin1Char('_'));
    ASSERT_GE(parts.size(), 2) << name.toStdString();
    auto model = std::make_unique<TSculptData>();
    TGridGeometry grid;
    const TSculptMapLoad r = LoadSculptMap(dir.filePath(name), kDetectSculptType, TAppSettings{}, *model, grid);
    ASSERT_TRUE(r.Ok) << name.toStdString() << ": " << r.Reason.toStdString();
    EXPECT_EQ(QString::fromLatin1(SculptTypeName(r.SculptType).data()).toLower(), parts[0]) << name.toStdString();
    EXPECT_EQ(QString::fromLatin1(AspectName(r.Aspect).data()), parts[1]) << name.toStdString();
    EXPECT_EQ(r.Marked, parts.contains(QStringLiteral("marked"))) << name.toStdString();
  }
}

}  // namespace
}  // namespace orvane
