// The settings table, its load and save orders, and the clamps.
#include "model/settings.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <cmath>
#include <filesystem>
#include <system_error>

namespace orvane {

namespace {

// Field accessors; captureless lambdas convert to the plain function pointers of the table.
#define ORVANE_FIELD(T, member) +[](TAppSettings& s) -> T& { return s.member; }

const TSettingEntry kLoadOrder[] = {
    {"Setup", "View Level", ORVANE_FIELD(int, ViewLevel)},
    {"Setup", "Zoom", ORVANE_FIELD(int, Zoom)},
    {"Setup", "ZoomBitmap", ORVANE_FIELD(int, ZoomBitmap)},
    {"Setup", "Pointer Size", ORVANE_FIELD(int, PointerSize)},
    {"Setup", "Margin", ORVANE_FIELD(int, Margin)},
    {"Setup", "Grid", ORVANE_FIELD(int, Grid)},
    {"Setup", "RotateDegree", ORVANE_FIELD(int, RotateDegree)},
    {"Setup", "TwistDegree", ORVANE_FIELD(int, TwistDegree)},
    {"Setup", "Maximized Window", ORVANE_FIELD(bool, MaximizedWindow)},
    {"Setup", "File OverWrite", ORVANE_FIELD(bool, FileOverWrite)},
    {"Setup", "Fixed To axis", ORVANE_FIELD(bool, FixedToAxis)},
    {"Setup", "PreViewZoom", ORVANE_FIELD(double, PreViewZoom)},
    {"Setup", "TgaSize", ORVANE_FIELD(int, TgaSize)},
    {"Setup", "Outline Adjustment", ORVANE_FIELD(bool, OutlineAdjustment)},
    {"Setup", "GaussRadius", ORVANE_FIELD(double, GaussRadius)},
    {"Setup", "ClayMode", ORVANE_FIELD(int, ClayMode)},
    {"Setup", "SculptTransparent", ORVANE_FIELD(bool, SculptTransparent)},
    {"Setup", "RearrangeType", ORVANE_FIELD(int, RearrangeType)},
    {"Setup", "Second Life Coordinate System", ORVANE_FIELD(bool, SecondLifeCoordinateSystem)},
    {"TxDraw", "PenWdith", ORVANE_FIELD(int, PenWidth)},
    {"TxDraw", "EraseWidth", ORVANE_FIELD(int, EraseWidth)},
    {"TxDraw", "PenColor", ORVANE_FIELD(int, PenColor)},
    {"TxDraw", "PenColors0", ORVANE_FIELD(int, PenColors[0])},
    {"TxDraw", "PenColors1", ORVANE_FIELD(int, PenColors[1])},
    {"TxDraw", "PenColors2", ORVANE_FIELD(int, PenColors[2])},
    {"TxDraw", "PenColors3", ORVANE_FIELD(int, PenColors[3])},
    {"Sp3D", "FocalLength", ORVANE_FIELD(int, FocalLength)},
    {"Sp3D", "AroundTargetX", ORVANE_FIELD(int, AroundTargetX)},
    {"Sp3D", "AroundTargetY", ORVANE_FIELD(int, AroundTargetY)},
    {"OldFile", "SclpFile", ORVANE_FIELD(std::string, SclpFile)},
    {"OldFile", "TxtrFile", ORVANE_FIELD(std::string, TxtrFile)},
    {"OldFile", "BkgdFile", ORVANE_FIELD(std::string, BkgdFile)},
};

// Save order, by name; every name is unique across the sections.
constexpr std::string_view kSaveNames[] = {
    "View Level",
    "Zoom",
    "ZoomBitmap",
    "Pointer Size",
    "Margin",
    "Grid",
    "Maximized Window",
    "File OverWrite",
    "PreViewZoom",
    "RotateDegree",
    "TwistDegree",
    "TgaSize",
    "Outline Adjustment",
    "ClayMode",
    "SculptTransparent",
    "Fixed To axis",
    "GaussRadius",
    "RearrangeType",
    "Second Life Coordinate System",
    "PenWdith",
    "EraseWidth",
    "PenColor",
    "PenColors0",
    "PenColors1",
    "PenColors2",
    "PenColors3",
    "FocalLength",
    "AroundTargetX",
    "AroundTargetY",
    "SclpFile",
    "TxtrFile",
    "BkgdFile",
};

#undef ORVANE_FIELD

bool FileExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

}  // namespace

std::span<const TSettingEntry> SettingsLoadOrder() { return kLoadOrder; }
std::span<const TSettingEntry> SettingsSaveOrder() {
  static const auto order = [] {
    std::array<TSettingEntry, std::size(kSaveNames)> entries{};
    for (std::size_t k = 0; k < entries.size(); ++k)
      entries[k] = *std::find_if(std::begin(kLoadOrder), std::end(kLoadOrder),
                                 [&](const TSettingEntry& e) { return e.Name == kSaveNames[k]; });
    return entries;
  }();
  return order;
}

int ClampViewLevel(int level) {
  if (level < 1) return 1;
  if (level == 3) return 2;
  if (level > 4) return 4;
  return level;
}

int ClampColour(int colour) { return colour < 0 ? 0 : (colour & 0xFFFFFF); }

void ClampSettings(TAppSettings& s) {
  s.ViewLevel = ClampViewLevel(s.ViewLevel);
  s.Zoom = std::clamp(s.Zoom, 2, 8);
  s.ZoomBitmap = std::clamp(s.ZoomBitmap, 2, 8);
  s.PointerSize = std::clamp(s.PointerSize, 1, 20);
  s.Grid = std::clamp(s.Grid, 0, 8);
  s.RotateDegree = std::clamp(s.RotateDegree, 1, 180);
  s.TwistDegree = std::clamp(s.TwistDegree, 1, 180);
  if (s.TgaSize != 64 && s.TgaSize != 128 && s.TgaSize != 256 && s.TgaSize != 512) s.TgaSize = 128;
  if (!(s.GaussRadius >= 0.0)) s.GaussRadius = 0.0;  // also NaN
  if (s.GaussRadius > 2.5) s.GaussRadius = 2.5;
  s.ClayMode = std::clamp(s.ClayMode, 0, 2);
  s.RearrangeType = std::clamp(s.RearrangeType, 0, 1);
  s.PenWidth = std::clamp(s.PenWidth, 1, 100);
  s.EraseWidth = std::clamp(s.EraseWidth, 1, 100);
  for (int& c : s.PenColors) c = ClampColour(c);
  s.PenColor = s.PenColors[0];
  s.OutlineAdjustment = false;
  if (!FileExists(s.TxtrFile)) s.TxtrFile.clear();
  s.FocalLength = std::clamp(s.FocalLength, 0, 5);
  s.AroundTargetX = std::clamp(s.AroundTargetX, 0, 5);
  s.AroundTargetY = std::clamp(s.AroundTargetY, 0, 5);
  // A negative or huge margin breaks the drawing images; a zoom base outside
  // (1, 2] or not finite gives a useless or NaN focal length.
  s.Margin = std::clamp(s.Margin, 0, 100);
  if (!(std::isfinite(s.PreViewZoom) && s.PreViewZoom > 1.0 && s.PreViewZoom <= 2.0)) s.PreViewZoom = 1.02;
}

}  // namespace orvane
