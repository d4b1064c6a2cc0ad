// The command rules as tables of cases: mode x sculpt type x aspect x selection.
#include <gtest/gtest.h>

#include <string>

#include "app/command_rules.h"
#include "model/types.h"

namespace orvane {
namespace {

struct TRuleCase {
  const char* Action;
  TEditMode Mode;
  int Type;
  int Aspect;
  int Selected;
  bool Visible;
  bool Enabled;
};

std::string Describe(const TRuleCase& c) {
  return std::string(c.Action) + " mode " + std::to_string(c.Mode) + " type " + std::to_string(c.Type) + " aspect " +
         std::to_string(c.Aspect) + " selected " + std::to_string(c.Selected);
}

void Check(const TRuleCase& c, bool clayEqual = false) {
  const TCommandState s = CommandState(c.Action, {c.Mode, c.Type, c.Aspect, c.Selected, clayEqual});
  EXPECT_EQ(s.Visible, c.Visible) << Describe(c);
  EXPECT_EQ(s.Enabled, c.Enabled) << Describe(c);
}

TEST(CommandRules, EditCommandsFollowModeAndSelection) {
  const TRuleCase cases[] = {
      // Rotate and Align: shown in the drawing modes, offered with a selection.
      {"EditRotate0", emLathe, stSphere, ar32x32, 1, true, true},
      {"EditRotate1", emLathe, stSphere, ar32x32, 0, true, false},
      {"EditRotate0", emBitmap, stSphere, ar32x32, 5, false, true},
      {"EditHorizontal", emClay, stPlane, ar32x32, 2, true, true},
      {"EditVertical", emBendTorus, stTorus, ar32x32, 2, true, true},
      // Equal Intervals needs three points in the curve modes.
      {"EditEqual", emLathe, stSphere, ar32x32, 2, true, false},
      {"EditEqual", emLathe, stSphere, ar32x32, 3, true, true},
      {"EditEqual", emBitmap, stSphere, ar32x32, 40, true, false},  // no straight run
      {"EditEQCurves", emExtrude, stCylinder, ar32x32, 3, true, true},
      {"EditEQCurves", emLathe, stCylinder, ar32x32, 3, false, true},
      // TWist by sculpt type and mode.
      {"EditTWist0", emLathe, stSphere, ar32x32, 0, true, false},
      {"EditTWist0", emLathe, stSphere, ar32x32, 1, true, true},
      {"EditTwist1", emExtrude, stSphere, ar32x32, 0, true, true},
      {"EditTWist0", emBend, stSphere, ar32x32, 1, true, true},
      {"EditTWist0", emExtrude, stCylinder, ar32x32, 1, false, false},
      {"EditTwist1", emLathe, stTorus, ar32x32, 0, true, true},
      {"EditTwist1", emLathe, stCylinder, ar32x32, 0, true, true},
      {"EditTWist0", emClay, stPlane, ar32x32, 9, false, false},
      {"EditSameWidth", emBend, stSphere, ar32x32, 0, true, false},
      {"EditSameWidth", emBendTorus, stTorus, ar32x32, 1, true, true},
      {"EditSameWidth", emLathe, stSphere, ar32x32, 1, false, true},
      {"EditOptimize", emExtrude, stSphere, ar32x32, 0, true, true},
      {"EditOptimize", emHoop, stSphere, ar32x32, 0, false, true},
      {"EditMagnet", emBitmap, stPlane, ar32x32, 0, true, true},
      {"EditMagnet", emExtrude, stSphere, ar32x32, 0, false, true},
      {"EditMagnet", emHoop, stTorus, ar32x32, 0, false, true},
      {"EditOffset", emHoop, stTorus, ar32x32, 0, true, true},
      {"EditSmooth", emBitmap, stPlane, ar32x32, 0, true, true},
  };
  for (const TRuleCase& c : cases) Check(c);
  // The Bitmap and CLAY Equal Intervals go by the straight run, not the count.
  Check({"EditEqual", emClay, stPlane, ar32x32, 3, true, true}, true);
  Check({"EditEqual", emBitmap, stPlane, ar32x32, 0, true, true}, true);
}

// In the Texture tab nothing may reshape the grid; history, locks and selection stay.
TEST(CommandRules, TextureTabHidesOrDisablesEveryGridCommand) {
  for (int type : {stSphere, stTorus, stPlane, stCylinder}) {
    const TCommandContext texture{emTexture, type, ar32x32, 100, true};
    for (const char* hidden :
         {"EditRotate0", "EditRotate1", "EditHorizontal", "EditVertical", "EditEqual", "EditSmooth",
          "EditFlipHorizontal", "EditFlipVertical", "EditMaximize", "EditHorizontalMirror", "EditVerticalMirror",
          "EditInsideOut", "EditOffset", "EditMagnet", "EditTWist0", "EditSameWidth", "ShapeBall", "ShapeCap",
          "ShapeCone", "ShapeBevel", "ShapeFillPillar", "ShapeCushion", "ViewDispBkground", "ViewLoadBkground"})
      EXPECT_FALSE(CommandState(hidden, texture).Visible) << hidden << " type " << type;
    for (const char* disabled : {"ShapeCylinder", "ShapePrism", "ShapeOctagon", "Zoom02", "Zoom08", "MenuSides",
                                 "Bend_Type"})
      EXPECT_FALSE(CommandState(disabled, texture).Enabled) << disabled << " type " << type;
    for (const char* available : {"EditUndo", "EditRedo", "EditLock", "EditUnlockAll", "ActSelectAll",
                                  "ActSelectReverse", "FileSTSave"}) {
      const TCommandState s = CommandState(available, texture);
      EXPECT_TRUE(s.Visible && s.Enabled) << available;
    }
  }
}

TEST(CommandRules, ShapeCommandsFollowTypeAspectAndMode) {
  const TRuleCase cases[] = {
      // The LATHE pillar presets need a body that closes round the axis.
      {"ShapePillar", emLathe, stCylinder, ar32x32, 0, true, false},
      {"ShapePillar", emLathe, stPlane, ar32x32, 0, true, false},
      {"ShapePillar", emLathe, stSphere, ar32x32, 0, true, true},
      {"ShapeHexagon", emLathe, stTorus, ar64x16, 0, true, true},
      {"ShapeCylinder", emClay, stPlane, ar32x32, 0, true, true},
      {"ShapeOctagon", emBendTorus, stTorus, ar32x32, 0, true, true},
      {"ShapeBall", emBitmap, stPlane, ar32x32, 0, true, true},
      {"ShapeCone", emBend, stSphere, ar32x32, 0, false, true},
      {"ShapeBevel", emExtrude, stCylinder, ar32x32, 0, true, true},
      {"ShapeFillPillar", emClay, stSphere, ar32x32, 0, true, true},
      {"ShapeFillPillar", emLathe, stCylinder, ar32x32, 0, false, true},
      {"ShapeCushion", emLathe, stSphere, ar32x32, 0, true, true},
      {"ShapeCushion", emLathe, stSphere, ar64x16, 0, false, true},
      {"ShapeCushion", emExtrude, stSphere, ar32x32, 0, false, true},
  };
  for (const TRuleCase& c : cases) Check(c);
}

TEST(CommandRules, ViewSidesAndSectionMenusFollowTheMode) {
  const TRuleCase cases[] = {
      {"ViewSymmetry", emExtrude, stCylinder, ar32x32, 0, true, true},
      {"ViewSymmetry", emHoop, stTorus, ar32x32, 0, true, true},
      {"ViewSymmetry", emLathe, stSphere, ar32x32, 0, false, true},
      {"ViewEditLine", emClay, stPlane, ar32x32, 0, true, true},
      {"ViewEditLine", emBitmap, stPlane, ar32x32, 0, false, true},
      {"ViewDispBkground", emClay, stPlane, ar32x32, 0, true, true},
      {"ViewLoadBkground", emBitmap, stPlane, ar32x32, 0, false, true},
      {"ViewLoadBkground", emBendTorus, stTorus, ar32x32, 0, true, true},
      {"Zoom05", emBitmap, stPlane, ar32x32, 0, true, true},
      {"MenuSides", emHoop, stTorus, ar32x32, 0, true, true},
      {"MenuSides", emBend, stSphere, ar32x32, 0, true, false},
      {"Bend_Type", emBend, stCylinder, ar32x32, 0, true, true},
      {"Bend_Type", emBendTorus, stTorus, ar32x32, 0, true, false},
      {"BendSection6", emLathe, stSphere, ar32x32, 0, true, false},
      {"BendSection3", emBend, stSphere, ar32x32, 0, true, true},
  };
  for (const TRuleCase& c : cases) Check(c);
}

TEST(CommandRules, EveryRuledNameIsKnownOnce) {
  const auto names = RuledCommands();
  for (std::size_t a = 0; a < names.size(); ++a)
    for (std::size_t b = a + 1; b < names.size(); ++b) EXPECT_NE(names[a], names[b]);
}

}  // namespace
}  // namespace orvane
