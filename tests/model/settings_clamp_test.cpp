// The clamps applied to loaded settings, and the shape of the settings table.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <set>
#include <string>

#include "model/settings.h"

namespace orvane {
namespace {

TEST(SettingsClamp, IntegerRanges) {
  struct Case { int TAppSettings::*field; int stored, expected; const char* name; };
  const Case cases[] = {
      {&TAppSettings::ViewLevel, 3, 2, "view level 3"}, {&TAppSettings::ViewLevel, 0, 1, "view level 0"},
      {&TAppSettings::ViewLevel, 7, 4, "view level 7"}, {&TAppSettings::ViewLevel, 4, 4, "view level 4"},
      {&TAppSettings::Zoom, 1, 2, "zoom"},             {&TAppSettings::ZoomBitmap, 9, 8, "zoom bitmap"},
      {&TAppSettings::PointerSize, 0, 1, "pointer"},   {&TAppSettings::PointerSize, 21, 20, "pointer"},
      {&TAppSettings::Grid, -1, 0, "grid"},            {&TAppSettings::Grid, 9, 8, "grid"},
      {&TAppSettings::RotateDegree, 0, 1, "rotate"},   {&TAppSettings::TwistDegree, 500, 180, "twist"},
      {&TAppSettings::TgaSize, 300, 128, "tga size"},  {&TAppSettings::TgaSize, 512, 512, "tga size"},
      {&TAppSettings::ClayMode, 3, 2, "clay"},         {&TAppSettings::RearrangeType, -2, 0, "rearrange"},
      {&TAppSettings::PenWidth, 0, 1, "pen"},          {&TAppSettings::EraseWidth, 101, 100, "eraser"},
      {&TAppSettings::FocalLength, 6, 5, "axis"},      {&TAppSettings::AroundTargetY, -1, 0, "axis"},
      {&TAppSettings::Margin, -5, 0, "margin"},        {&TAppSettings::Margin, 100000, 100, "margin"},
  };
  for (const auto& c : cases) {
    TAppSettings s;
    s.*c.field = c.stored;
    ClampSettings(s);
    EXPECT_EQ(s.*c.field, c.expected) << c.name << " stored " << c.stored;
  }
}

TEST(SettingsClamp, DoublesAreBoundedAndNeverNaN) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case { double stored, gauss, zoom; };
  const Case cases[] = {{9.0, 2.5, 1.02}, {-1.0, 0.0, 1.02}, {nan, 0.0, 1.02},
                        {inf, 2.5, 1.02}, {1.5, 1.5, 1.5},   {2.0, 2.0, 2.0}};
  for (const auto& c : cases) {
    TAppSettings s;
    s.GaussRadius = c.stored;
    s.PreViewZoom = c.stored;
    ClampSettings(s);
    EXPECT_EQ(s.GaussRadius, c.gauss) << c.stored;
    EXPECT_EQ(s.PreViewZoom, c.zoom) << c.stored;
  }
  TAppSettings s;
  s.PreViewZoom = 1.0;  // the zoom base must grow: 1 gives no zoom at all
  ClampSettings(s);
  EXPECT_EQ(s.PreViewZoom, 1.02);
}

TEST(SettingsClamp, PenColoursAndFixedValues) {
  TAppSettings s;
  s.PenColor = 255;
  s.PenColors = {-5, 0x7F123456, 255, 16711680};
  s.OutlineAdjustment = true;
  ClampSettings(s);
  EXPECT_EQ(s.PenColors[0], 0);
  EXPECT_EQ(s.PenColors[1], 0x123456);
  EXPECT_EQ(s.PenColor, 0);  // always the first pen's colour
  EXPECT_FALSE(s.OutlineAdjustment);
}

TEST(SettingsClamp, MissingTextureFileIsForgotten) {
  const std::string present = testing::TempDir() + "orvane_present_texture.png";
  std::ofstream(present) << "x";
  TAppSettings s;
  s.TxtrFile = testing::TempDir() + "orvane_missing_texture.png";
  s.SclpFile = "/no/such/model.tga";
  ClampSettings(s);
  EXPECT_TRUE(s.TxtrFile.empty());
  EXPECT_EQ(s.SclpFile, "/no/such/model.tga");  // only the texture name is checked
  s.TxtrFile = present;
  ClampSettings(s);
  EXPECT_EQ(s.TxtrFile, present);
}

TEST(SettingsTable, LoadAndSaveOrdersCoverTheSameUniqueValues) {
  std::set<std::string> loaded, saved;
  for (const auto& e : SettingsLoadOrder()) loaded.insert(std::string(e.Section) + "/" + std::string(e.Name));
  for (const auto& e : SettingsSaveOrder()) saved.insert(std::string(e.Section) + "/" + std::string(e.Name));
  EXPECT_EQ(loaded.size(), SettingsLoadOrder().size());
  EXPECT_EQ(loaded, saved);
  EXPECT_EQ(loaded.size(), 32u);
  EXPECT_TRUE(loaded.count("TxDraw/PenWdith"));
  EXPECT_TRUE(loaded.count("Setup/Fixed To axis"));
  EXPECT_EQ(SettingsSaveOrder()[6].Name, "Maximized Window");
  EXPECT_EQ(SettingsLoadOrder()[8].Name, "Maximized Window");
}

}  // namespace
}  // namespace orvane
