// The settings store: defaults, round trips through the INI file, garbage and failures.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "app/settings_store.h"

namespace orvane {
namespace {

class SettingsStore : public testing::Test {
 protected:
  QTemporaryDir dir;
  QString path() const { return dir.filePath("orvane.ini"); }
  void Write(const QByteArray& text) {
    QFile f(path());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
  }
};

TEST_F(SettingsStore, FirstStartUsesDefaultsAndCreatesEveryValue) {
  TAppSettings s;
  LoadSettings(s, path());
  const TAppSettings defaults;
  EXPECT_EQ(s.ViewLevel, defaults.ViewLevel);
  EXPECT_EQ(s.PreViewZoom, 1.02);
  EXPECT_EQ(s.PenColors, defaults.PenColors);
  ASSERT_TRUE(SaveSettings(s, false, path()));
  QSettings store(path(), QSettings::IniFormat);
  EXPECT_EQ(store.allKeys().size(), 32);
  EXPECT_EQ(store.value("Setup/View Level").toString(), "1");
  EXPECT_EQ(store.value("Setup/Second Life Coordinate System").toString(), "1");
  EXPECT_EQ(store.value("TxDraw/PenWdith").toString(), "3");
  EXPECT_EQ(store.value("TxDraw/PenColors2").toString(), "16711680");
  EXPECT_EQ(store.value("Setup/Maximized Window").toString(), "0");
}

TEST_F(SettingsStore, RoundTripKeepsEveryValueExactly) {
  TAppSettings s;
  s.ViewLevel = 4;
  s.Zoom = 7;
  s.Margin = 33;
  s.Grid = 8;
  s.FileOverWrite = false;
  s.FixedToAxis = false;
  s.PreViewZoom = 1.1000000000000001;  // needs all 17 digits
  s.GaussRadius = 0.1 + 0.2;
  s.TgaSize = 512;
  s.ClayMode = 2;
  s.SculptTransparent = true;
  s.SecondLifeCoordinateSystem = false;
  s.PenWidth = 25;
  s.PenColors = {255, 0x00FF00, 0x123456, 0};
  s.FocalLength = 5;
  s.SclpFile = "/tmp/a b,c/ball.tga";
  s.BkgdFile = "/tmp/picture, with comma.png";
  ASSERT_TRUE(SaveSettings(s, true, path()));

  TAppSettings r;
  LoadSettings(r, path());
  EXPECT_EQ(r.ViewLevel, 4);
  EXPECT_EQ(r.Zoom, 7);
  EXPECT_EQ(r.Margin, 33);
  EXPECT_EQ(r.Grid, 8);
  EXPECT_FALSE(r.FileOverWrite);
  EXPECT_FALSE(r.FixedToAxis);
  EXPECT_EQ(r.PreViewZoom, 1.1000000000000001);
  EXPECT_EQ(r.GaussRadius, 0.1 + 0.2);
  EXPECT_EQ(r.TgaSize, 512);
  EXPECT_EQ(r.ClayMode, 2);
  EXPECT_TRUE(r.SculptTransparent);
  EXPECT_FALSE(r.SecondLifeCoordinateSystem);
  EXPECT_EQ(r.PenWidth, 25);
  EXPECT_EQ(r.PenColors, s.PenColors);
  EXPECT_EQ(r.PenColor, 255);  // the first pen's colour
  EXPECT_EQ(r.FocalLength, 5);
  EXPECT_TRUE(r.MaximizedWindow);  // written from the window state
  EXPECT_EQ(r.SclpFile, s.SclpFile);
  EXPECT_EQ(r.BkgdFile, s.BkgdFile);
}

TEST_F(SettingsStore, StoredValuesAreClampedWhenLoaded) {
  Write("[Setup]\n"
        "View%20Level=3\nTgaSize=300\nGaussRadius=9.0\nOutline%20Adjustment=1\n"
        "[TxDraw]\nPenColor=255\nPenColors0=0\n");
  TAppSettings s;
  LoadSettings(s, path());
  EXPECT_EQ(s.ViewLevel, 2);
  EXPECT_EQ(s.TgaSize, 128);
  EXPECT_EQ(s.GaussRadius, 2.5);
  EXPECT_FALSE(s.OutlineAdjustment);
  EXPECT_EQ(s.PenColor, 0);
  ASSERT_TRUE(SaveSettings(s, false, path()));
  EXPECT_EQ(QSettings(path(), QSettings::IniFormat).value("Setup/Outline Adjustment").toString(), "0");
}

TEST_F(SettingsStore, GarbageAndWrongTypesFallBackToDefaults) {
  Write("[Setup]\n"
        "View%20Level=lots\nZoom=4x\nPointer%20Size=99999999999999\nGrid=\n"
        "PreViewZoom=nan\nGaussRadius=-inf\nFile%20OverWrite=maybe\nMargin=-7\n"
        "[TxDraw]\nPenColors1=-1\nPenColors2=abc\n"
        "[OldFile]\nTxtrFile=/no/such/texture.png\n"
        "\x01\x02\xff garbage line without equals\n");
  TAppSettings s;
  LoadSettings(s, path());
  const TAppSettings d;
  EXPECT_EQ(s.ViewLevel, d.ViewLevel);
  EXPECT_EQ(s.Zoom, d.Zoom);
  EXPECT_EQ(s.PointerSize, d.PointerSize);
  EXPECT_EQ(s.Grid, d.Grid);
  EXPECT_EQ(s.PreViewZoom, 1.02);
  EXPECT_EQ(s.GaussRadius, 0.0);
  EXPECT_EQ(s.FileOverWrite, d.FileOverWrite);
  EXPECT_EQ(s.Margin, 0);
  EXPECT_EQ(s.PenColors[1], 0);
  EXPECT_EQ(s.PenColors[2], d.PenColors[2]);
  EXPECT_TRUE(s.TxtrFile.empty());
  EXPECT_EQ(s.BkgdFile, "/no/such/texture.png");  // defaults to the stored texture name
}

TEST_F(SettingsStore, BinaryGarbageFileLoadsDefaults) {
  QByteArray junk;
  for (int k = 0; k < 4096; ++k) junk.append(char((k * 7919) & 0xFF));
  Write(junk);
  TAppSettings s;
  LoadSettings(s, path());
  EXPECT_EQ(s.Zoom, 2);
  EXPECT_EQ(s.TgaSize, 128);
}

TEST_F(SettingsStore, UnwritableLocationIsReportedNotFatal) {
  const QString blocked = dir.filePath("file-not-folder");
  QFile f(blocked);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.close();
  QString reason;
  EXPECT_FALSE(SaveSettings(TAppSettings{}, false, blocked + "/orvane.ini", &reason));
  EXPECT_FALSE(reason.isEmpty());
}

}  // namespace
}  // namespace orvane
