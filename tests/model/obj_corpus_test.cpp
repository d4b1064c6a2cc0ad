// Replays the OBJ fuzzer's seeds: each is an export of ours and must import as named and export the same again.
#include <gtest/gtest.h>

#include <memory>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "model/obj_export.h"
#include "model/obj_import.h"
#include "model/sculpt_data.h"

namespace orvane {
namespace {

TEST(ObjCorpus, SeedsImportAsNamedAndExportByteForByte) {
  const QDir dir(QStringLiteral(ORVANE_FUZZ_CORPUS "/obj"));
  const QStringList files = dir.entryList({QStringLiteral("*.obj")}, QDir::Files, QDir::Name);
  ASSERT_GE(files.size(), 8) << "seed corpus missing at " << dir.absolutePath().toStdString();
  for (const QString& name : files) {
    SCOPED_TRACE(name.toStdString());
    // type_aspect_faces.obj, faces being tri, quad or none (vertex lines only)
    const QStringList parts = QFileInfo(name).completeBaseName().split(QLatin1Char('_'));
    ASSERT_EQ(parts.size(), 3);
    QFile file(dir.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    auto model = std::make_unique<TSculptData>();
    TGridGeometry grid;
    const TObjImport r = ImportObjText(*model, grid, bytes);
    ASSERT_TRUE(r.Ok) << r.Reason.toStdString();
    EXPECT_EQ(QString::fromLatin1(SculptTypeName(r.SculptType).data()).toLower(), parts[0]);
    EXPECT_EQ(QString::fromLatin1(AspectName(r.Aspect).data()), parts[1]);
    EXPECT_EQ(r.FromTexCoords, parts[2] != QStringLiteral("none"));
    if (parts[2] != QStringLiteral("none")) {
      const QString material = QFileInfo(name).completeBaseName() + QStringLiteral(".mtl");
      EXPECT_EQ(ObjMeshText(*model, grid, parts[2] == QStringLiteral("tri"), material), bytes);
    }
  }
}

}  // namespace
}  // namespace orvane
