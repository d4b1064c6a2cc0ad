// Atomic writes: a failed write leaves the old file as it was and says why.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "model/atomic_file.h"
#include "model/image_files.h"

namespace orvane {
namespace {

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteOld(const QString& path) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("old contents");
}

// Lowers the file size limit for this process while alive; writes past it fail with
// EFBIG, which works even for root (a read-only folder does not stop root).
class TFileSizeLimit {
 public:
  explicit TFileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previous_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit lower = saved_;
    lower.rlim_cur = bytes;
    ok_ = setrlimit(RLIMIT_FSIZE, &lower) == 0;
  }
  ~TFileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previous_);
  }
  bool ok() const { return ok_; }

 private:
  rlimit saved_{};
  void (*previous_)(int) = nullptr;
  bool ok_ = false;
};

TEST(AtomicFile, WritesAndReplaces) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("f.bin"));
  ASSERT_TRUE(WriteFileAtomically(path, QByteArray("first")));
  EXPECT_EQ(ReadAll(path), QByteArray("first"));
  ASSERT_TRUE(WriteFileAtomically(path, QByteArray("second, longer")));
  EXPECT_EQ(ReadAll(path), QByteArray("second, longer"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(AtomicFile, FailedWriteKeepsTheOldFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("old.tga"));
  WriteOld(path);
  QString reason;
  {
    TFileSizeLimit limit(1024);
    ASSERT_TRUE(limit.ok());
    EXPECT_FALSE(WriteFileAtomically(path, QByteArray(64 * 1024, 'n'), &reason));
  }
  EXPECT_FALSE(reason.isEmpty());
  EXPECT_EQ(ReadAll(path), QByteArray("old contents"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("old.tga")})
      << "no temporary file may be left behind";
}

TEST(AtomicFile, FolderTargetAndMissingFolderFail) {
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub.tga")));
  const QString inside = dir.filePath(QStringLiteral("sub.tga/keep.txt"));
  WriteOld(inside);
  for (const QString& target : {dir.filePath(QStringLiteral("sub.tga")), dir.filePath(QStringLiteral("no/such/x.tga")),
                                QString()}) {
    QString reason;
    EXPECT_FALSE(WriteFileAtomically(target, QByteArray("new"), &reason)) << target.toStdString();
    EXPECT_FALSE(reason.isEmpty());
  }
  EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("sub.tga"))).isDir());
  EXPECT_EQ(ReadAll(inside), QByteArray("old contents"));
}

TEST(AtomicFile, UnwritableFolderFails) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders; covered by the size-limit test";
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("old.tga"));
  WriteOld(path);
  QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  QString reason;
  EXPECT_FALSE(WriteFileAtomically(path, QByteArray("new"), &reason));
  QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  EXPECT_FALSE(reason.isEmpty());
  EXPECT_EQ(ReadAll(path), QByteArray("old contents"));
}

TEST(AtomicFile, SaveImageFailureKeepsOldFileAndName) {
  QTemporaryDir dir;
  QImage colour(200, 200, QImage::Format_RGB32);
  std::uint32_t noise = 12345;  // incompressible, so both encodings exceed the size limit
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 200; ++x) {
      noise = noise * 1664525u + 1013904223u;
      colour.setPixel(x, y, noise >> 8);
    }
  TAppSettings settings;
  settings.FileOverWrite = true;
  for (const char* n : {"old.tga", "old.png"}) {
    const QString path = dir.filePath(QString::fromLatin1(n));
    WriteOld(path);
    QString name = path;
    QString reason;
    int result = 0;
    {
      TFileSizeLimit limit(1024);
      ASSERT_TRUE(limit.ok());
      result = SaveImage(name, colour, QImage(), settings, nullptr, &reason);
    }
    EXPECT_EQ(result, -1) << n;
    EXPECT_FALSE(reason.isEmpty()) << n;
    EXPECT_EQ(name, path) << n;
    EXPECT_EQ(ReadAll(path), QByteArray("old contents")) << n;
  }
  // A folder in the way is an error as well, and the folder stays.
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("d.tga")));
  QString name = dir.filePath(QStringLiteral("d.tga"));
  QString reason;
  EXPECT_EQ(SaveImage(name, colour, QImage(), settings, nullptr, &reason), -1);
  EXPECT_NE(reason.indexOf(QStringLiteral("folder")), -1) << reason.toStdString();
  EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("d.tga"))).isDir());
}

}  // namespace
}  // namespace orvane
