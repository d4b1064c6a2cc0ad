// LATHE text data: the written form, the round trip, refused files leaving the grid alone, and the spread.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "lathe_world.h"

namespace orvane {
namespace {

std::vector<std::string> Lines(const QByteArray& text) {
  std::vector<std::string> lines;
  std::string all = text.toStdString(), line;
  for (size_t i = 0; i < all.size(); ++i) {
    if (all[i] == '\r' && i + 1 < all.size() && all[i + 1] == '\n') {
      lines.push_back(line);
      line.clear();
      ++i;
    } else {
      line += all[i];
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

QByteArray Join(const std::vector<std::string>& lines, const char* end = "\r\n") {
  QByteArray out;
  for (const std::string& l : lines) out.append(l.c_str()).append(end);
  return out;
}

// A profile in column 0 that is neither the default nor on whole map levels; like every
// upright body its top row lies above its bottom row.
void ShapeColumnZero(TVertexGrid& v, const TGridGeometry& g) {
  for (int k = 0; k < g.RowCount; ++k) v[0][k] = TDbl3D{0.05 + 0.0213 * k, 0.0, -0.9 + 0.05 * k + 0.03 * std::sin(k)};
}

bool SameGrid(const TVertexGrid& a, const TVertexGrid& b, const TGridGeometry& g) {
  for (int i = 0; i < g.ColumnCount; ++i)
    for (int k = 0; k < g.RowCount; ++k)
      if (!(a[i][k] == b[i][k])) return false;
  return true;
}

TEST(LatheTextWrite, ThirtyFiveCrLfLinesOfLevels) {
  // The decimal point stays "." whatever the locale says.
  const char* old = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  TTestWorld w;
  const QByteArray text = LatheText(w.m().Vertices, w.grid);
  if (old) std::setlocale(LC_NUMERIC, "C");
  EXPECT_EQ(text.count("\r\n"), 35);
  EXPECT_EQ(text.count('\n'), 35);
  const auto lines = Lines(text);
  ASSERT_EQ(lines.size(), 35u);
  EXPECT_EQ(lines[0], "--LATHE DATA V3");
  EXPECT_EQ(lines[34], "--END OF LATHE DATA V3");
  EXPECT_EQ(lines[1], "0\t32");     // row 32: the top pole, z = 96/127
  EXPECT_EQ(lines[17], "96\t128");  // row 16: radius 96/127 at height 0
  EXPECT_EQ(lines[33], "0\t224");   // row 0: the bottom pole
  EXPECT_EQ(text.indexOf(','), -1);
}

TEST(LatheTextRoundTrip, WrittenAndReadBackGivesTheSameProfile) {
  TTestWorld source;
  ShapeColumnZero(source.m().Vertices, source.grid);
  source.m().Vertices[0][7] = TDbl3D{0.3, 0.4, (41.0 - 127) / 127};  // radius 0.5 off the X axis, a whole level
  const QByteArray text = LatheText(source.m().Vertices, source.grid);
  TTestWorld target;
  QString reason;
  ASSERT_EQ(ReadLatheText(text, target.m().Vertices, target.grid, &reason), kLatheTextOk) << reason.toStdString();
  for (int k = 0; k < 33; ++k) {
    const TDbl3D& a = source.m().Vertices[0][k];
    const TDbl3D& b = target.m().Vertices[0][k];
    EXPECT_NEAR(b.Z, a.Z, 1e-13) << k;
    EXPECT_NEAR(b.X, std::hypot(a.X, a.Y), 1e-13) << k;
    EXPECT_EQ(b.Y, 0.0) << k;
  }
  EXPECT_EQ(target.m().Vertices[0][7].Z, (41.0 - 127) / 127);  // a whole level comes back exactly
  // Only column 0 is read.
  TTestWorld fresh;
  EXPECT_EQ(target.m().Vertices[5][7], fresh.m().Vertices[5][7]);
}

// The reader takes the end with the higher point as the top row, so that files listing the
// profile from the bottom up read the same; an upside-down profile therefore comes back
// with its rows in reverse order: the same body, facing inwards.
TEST(LatheTextRoundTrip, UpsideDownProfileComesBackWithItsRowsReversed) {
  TTestWorld source;
  for (int k = 0; k < 33; ++k) source.m().Vertices[0][k] = TDbl3D{0.01 * k, 0.0, 0.5 - 0.03 * k};
  TTestWorld target;
  ASSERT_EQ(ReadLatheText(LatheText(source.m().Vertices, source.grid), target.m().Vertices, target.grid), kLatheTextOk);
  for (int k = 0; k < 33; ++k) {
    EXPECT_NEAR(target.m().Vertices[0][k].Z, source.m().Vertices[0][32 - k].Z, 1e-13) << k;
    EXPECT_NEAR(target.m().Vertices[0][k].X, source.m().Vertices[0][32 - k].X, 1e-13) << k;
  }
}

TEST(LatheTextRoundTrip, LineEndsDirectionAndSurroundingTextDoNotMatter) {
  TTestWorld source;
  ShapeColumnZero(source.m().Vertices, source.grid);
  const QByteArray text = LatheText(source.m().Vertices, source.grid);
  TTestWorld expected;
  ASSERT_EQ(ReadLatheText(text, expected.m().Vertices, expected.grid), kLatheTextOk);

  auto lines = Lines(text);
  std::vector<std::string> ascending{lines.front()};
  for (int n = 33; n >= 1; --n) ascending.push_back(lines[n]);  // row 0 first
  ascending.push_back(lines.back());
  std::vector<std::string> framed{"--BEND DATA V1", "some words"};
  framed.insert(framed.end(), lines.begin(), lines.end());
  framed.push_back("trailing text");
  std::vector<std::string> spaced = lines;
  spaced[10] = "  \"" + spaced[10].substr(0, spaced[10].find('\t')) + "\" \t " + spaced[10].substr(spaced[10].find('\t') + 1);

  const QByteArray variants[] = {Join(lines, "\n"), Join(lines, "\r"), Join(ascending), Join(framed), Join(spaced),
                                 text.chopped(2)};
  for (const QByteArray& variant : variants) {
    TTestWorld target;
    QString reason;
    ASSERT_EQ(ReadLatheText(variant, target.m().Vertices, target.grid, &reason), kLatheTextOk)
        << reason.toStdString() << "\n" << variant.toStdString();
    EXPECT_TRUE(SameGrid(target.m().Vertices, expected.m().Vertices, target.grid)) << variant.toStdString();
  }
}

TEST(LatheTextRead, FieldsThatAreNotNumbersReadAsLevel127) {
  TTestWorld source;
  auto lines = Lines(LatheText(source.m().Vertices, source.grid));
  const std::string odd[] = {"abc\tnan", "inf\t-inf", "1e999\t0x10", "1,5\t12;", "+\t-"};
  for (const std::string& line : odd) {
    lines[10] = line;  // data line 9: row 23 (the file runs from the top row)
    TTestWorld target;
    ASSERT_EQ(ReadLatheText(Join(lines), target.m().Vertices, target.grid), kLatheTextOk) << line;
    EXPECT_EQ(target.m().Vertices[0][23], (TDbl3D{1.0, 0.0, 1.0 / 127})) << line;
  }
  lines[10] = "+12.5\t1E2";
  TTestWorld target;
  ASSERT_EQ(ReadLatheText(Join(lines), target.m().Vertices, target.grid), kLatheTextOk);
  EXPECT_EQ(target.m().Vertices[0][23], (TDbl3D{12.5 / 127, 0.0, 28.0 / 127}));
}

TEST(LatheTextRead, BrokenFilesAreRefusedWithTheGridUntouched) {
  TTestWorld source;
  ShapeColumnZero(source.m().Vertices, source.grid);
  const auto good = Lines(LatheText(source.m().Vertices, source.grid));
  auto edit = [&](auto change) {
    auto lines = good;
    change(lines);
    return Join(lines);
  };
  struct Case {
    const char* name;
    QByteArray text;
    int status;
  };
  const Case cases[] = {
      {"32 data lines", edit([](auto& l) { l.erase(l.begin() + 5); }), kLatheTextBadFrame},
      {"34 data lines", edit([](auto& l) { l.insert(l.begin() + 5, "1\t2"); }), kLatheTextBadFrame},
      {"no start marker", edit([](auto& l) { l.erase(l.begin()); }), kLatheTextBadFrame},
      {"start marker in small letters", edit([](auto& l) { l[0] = "--lathe data v3"; }), kLatheTextBadFrame},
      {"start marker with a trailing space", edit([](auto& l) { l[0] += " "; }), kLatheTextBadFrame},
      {"no end marker", edit([](auto& l) { l.pop_back(); }), kLatheTextNoEnd},
      {"short middle line", edit([](auto& l) { l[6] = "42"; }), 6},
      {"empty middle line", edit([](auto& l) { l[20] = ""; }), 20},
      {"short first line", edit([](auto& l) { l[1] = "5"; }), 1},
      {"short last line", edit([](auto& l) { l[33] = "\t"; }), 33},
      {"marker lower down", edit([](auto& l) { l.insert(l.begin(), {"x", "y"}); l[8] = "7"; }), 8},
      {"empty file", QByteArray(), kLatheTextBadFrame},
      {"binary", QByteArray("\x00\xff\r\r\n\x01--LATHE DATA V3\x00", 22), kLatheTextBadFrame},
  };
  for (const Case& c : cases) {
    TTestWorld target;
    const auto before = target.Copy();
    QString reason;
    EXPECT_EQ(ReadLatheText(c.text, target.m().Vertices, target.grid, &reason), c.status) << c.name;
    EXPECT_FALSE(reason.isEmpty()) << c.name;
    EXPECT_TRUE(SameGrid(target.m().Vertices, before->Vertices, target.grid)) << c.name;
  }
}

TEST(LatheTextRead, MangledTextNeverCrashesNorHalfReads) {
  TTestWorld source;
  ShapeColumnZero(source.m().Vertices, source.grid);
  const QByteArray good = LatheText(source.m().Vertices, source.grid);
  std::mt19937 random(20240611);
  const char alphabet[] = "0123456789.-+eE\t \"\r\nabcinf";
  TTestWorld target;
  const TVertexGrid start = target.m().Vertices;
  int accepted = 0;
  for (int round = 0; round < 3000; ++round) {
    QByteArray text = good;
    const int edits = 1 + int(random() % 6);
    for (int e = 0; e < edits; ++e) {
      const int at = int(random() % text.size());
      switch (random() % 4) {
        case 0: text[at] = alphabet[random() % (sizeof alphabet - 1)]; break;
        case 1: text.remove(at, 1 + int(random() % 8)); break;
        case 2: text.insert(at, alphabet[random() % (sizeof alphabet - 1)]); break;
        default: text.truncate(at); break;
      }
      if (text.isEmpty()) break;
    }
    TVertexGrid& vertices = target.m().Vertices;
    const int status = ReadLatheText(text, vertices, target.grid);
    if (status == kLatheTextOk) {
      ++accepted;
      for (int k = 0; k < 33; ++k)
        for (int a = 0; a < 3; ++a) ASSERT_TRUE(std::isfinite(vertices[0][k][a]));
      vertices = start;
    } else {
      ASSERT_TRUE(SameGrid(vertices, start, target.grid)) << text.toStdString();
    }
  }
  EXPECT_GT(accepted, 0);  // some edits only change a number
}

TEST(LatheTextFile, SavedAtomicallyUnderTheAutoRenameRule) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  TTestWorld w;
  TAppSettings settings;
  std::vector<QString> warnings;
  const TWarnFunction warn = [&](const QString& text) { warnings.push_back(text); };

  QString name = dir.filePath("profile.txt");
  QString reason;
  ASSERT_TRUE(SaveLatheText(w.m().Vertices, w.grid, name, settings, warn, &reason)) << reason.toStdString();
  EXPECT_EQ(name, dir.filePath("profile.txt"));
  QFile file(name);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), LatheText(w.m().Vertices, w.grid));
  file.close();

  settings.FileOverWrite = false;
  ShapeColumnZero(w.m().Vertices, w.grid);
  ASSERT_TRUE(SaveLatheText(w.m().Vertices, w.grid, name, settings, warn, &reason));
  EXPECT_EQ(name, dir.filePath("profile_001.txt"));
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_TRUE(warnings[0].contains("profile_001.txt"));

  // Read back from disk: the same heights.
  TTestWorld back;
  ASSERT_EQ(LoadLatheText(name, back.m().Vertices, back.grid, &reason), kLatheTextOk) << reason.toStdString();
  for (int k = 0; k < 33; ++k) EXPECT_NEAR(back.m().Vertices[0][k].Z, w.m().Vertices[0][k].Z, 1e-13) << k;
}

TEST(LatheTextFile, RefusedWritesAndReadsLeaveEverythingAlone) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  TAppSettings settings;
  QString reason;

  TTestWorld wide(stSphere, ar64x16);
  QString name = dir.filePath("wide.txt");
  EXPECT_FALSE(SaveLatheText(wide.m().Vertices, wide.grid, name, settings, nullptr, &reason));
  EXPECT_EQ(reason, "You can export only 32x32.");
  EXPECT_FALSE(QFile::exists(name));

  TTestWorld w;
  name = dir.filePath("no/such/folder/p.txt");
  EXPECT_FALSE(SaveLatheText(w.m().Vertices, w.grid, name, settings, nullptr, &reason));
  EXPECT_EQ(name, dir.filePath("no/such/folder/p.txt"));

  const auto before = w.Copy();
  for (const QString& path : {dir.filePath("missing.txt"), dir.path()}) {
    reason.clear();
    EXPECT_EQ(LoadLatheText(path, w.m().Vertices, w.grid, &reason), kLatheTextUnreadable) << path.toStdString();
    EXPECT_FALSE(reason.isEmpty());
  }
  EXPECT_TRUE(SameGrid(w.m().Vertices, before->Vertices, w.grid));
}

TEST(LatheSpreadColumnZero, EveryColumnTakesTheRadiusAndHeightInItsOwnDirection) {
  TTestWorld w;
  ShapeColumnZero(w.m().Vertices, w.grid);
  const auto before = w.Copy();
  SpreadColumnZero(w.m().Vertices, w.grid);
  for (int k = 0; k < 33; ++k) {
    const TDbl3D& p0 = w.m().Vertices[0][k];
    EXPECT_EQ(p0, before->Vertices[0][k]);
    for (int j = 1; j < 33; ++j) {
      const TDbl3D& v = w.m().Vertices[j][k];
      const TDbl3D& old = before->Vertices[j][k];
      EXPECT_EQ(v.Z, p0.Z);
      if (std::hypot(old.X, old.Y) == 0) {  // the poles of the default sphere stay on the axis
        EXPECT_EQ(v.X, 0.0);
        EXPECT_EQ(v.Y, 0.0);
      } else {
        EXPECT_NEAR(std::hypot(v.X, v.Y), p0.X, 1e-12) << j << "," << k;
        EXPECT_NEAR(std::atan2(v.Y, v.X), std::atan2(old.Y, old.X), 1e-12) << j << "," << k;
      }
    }
  }
}

}  // namespace
}  // namespace orvane
