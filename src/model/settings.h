// The program's settings: every value with its default, and the clamps applied after loading.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace orvane {

// Colours are stored as the platform numbers: red in the low byte, blue in the third.
inline constexpr int kColourBlack = 0;
inline constexpr int kColourRed = 255;
inline constexpr int kColourBlue = 16711680;
inline constexpr int kColourWhite = 16777215;

struct TAppSettings {
  // "Setup"
  int ViewLevel = 1;
  int Zoom = 2;
  int ZoomBitmap = 2;
  int PointerSize = 3;
  int Margin = 10;
  int Grid = 0;
  int RotateDegree = 30;
  int TwistDegree = 60;
  bool MaximizedWindow = false;
  bool FileOverWrite = true;
  bool FixedToAxis = true;
  double PreViewZoom = 1.02;
  int TgaSize = 128;
  bool OutlineAdjustment = false;
  double GaussRadius = 1.5;
  int ClayMode = 0;
  bool SculptTransparent = false;
  int RearrangeType = 1;
  bool SecondLifeCoordinateSystem = true;
  // "TxDraw"
  int PenWidth = 3;
  int EraseWidth = 10;
  int PenColor = kColourBlack;
  std::array<int, 4> PenColors{kColourBlack, kColourRed, kColourBlue, kColourWhite};
  // "Sp3D"
  int FocalLength = 1;
  int AroundTargetX = 3;
  int AroundTargetY = 4;
  // "OldFile"
  std::string SclpFile;
  std::string TxtrFile;
  std::string BkgdFile;
};

// One stored value: its section, its name in the store and the field it fills.
using TIntRef = int& (*)(TAppSettings&);
using TBoolRef = bool& (*)(TAppSettings&);
using TDoubleRef = double& (*)(TAppSettings&);
using TStringRef = std::string& (*)(TAppSettings&);
struct TSettingEntry {
  std::string_view Section;
  std::string_view Name;
  std::variant<TIntRef, TBoolRef, TDoubleRef, TStringRef> Field;
};

// Every stored value in load order.
std::span<const TSettingEntry> SettingsLoadOrder();
// Every stored value in save order. "Maximized Window" is written from the
// window's state at exit, not from the loaded value.
std::span<const TSettingEntry> SettingsSaveOrder();

// The clamps applied after loading, in their fixed order; also switches
// Outline Adjustment off, takes the pen colour from the first pen and forgets a
// last texture file that no longer exists.
void ClampSettings(TAppSettings& s);

// The clamp of "View Level" alone (1, 2 and 4 stay; 3 reads as 2).
int ClampViewLevel(int level);
// A stored colour: negative gives black, otherwise the low 24 bits.
int ClampColour(int colour);

}  // namespace orvane
