#include "app/command_rules.h"

#include <algorithm>
#include <array>
#include <initializer_list>

#include "model/types.h"

namespace orvane {

namespace {

using TPredicate = bool (*)(const TCommandContext&);

struct TRule {
  std::string_view Name;
  TPredicate Visible;
  TPredicate Enabled;
};

bool In(TEditMode mode, std::initializer_list<int> modes) {
  return std::find(modes.begin(), modes.end(), int(mode)) != modes.end();
}

bool Always(const TCommandContext&) { return true; }
bool NotTexture(const TCommandContext& c) { return c.Mode != emTexture; }
bool AnySelected(const TCommandContext& c) { return c.SelectedCount > 0; }

// Rotate and the two Aligns.
bool EditVisible(const TCommandContext& c) { return In(c.Mode, {emLathe, emExtrude, emBend, emHoop, emClay, emBendTorus}); }

bool EqualEnabled(const TCommandContext& c) {
  if (In(c.Mode, {emBitmap, emClay})) return c.ClayEqualAvailable;
  return In(c.Mode, {emLathe, emExtrude, emBend, emHoop, emBendTorus}) && c.SelectedCount > 2;
}

bool TwistVisible(const TCommandContext& c) {
  if (c.SculptType == stSphere) return In(c.Mode, {emLathe, emExtrude, emBend});
  return (c.SculptType == stTorus || c.SculptType == stCylinder) && c.Mode == emLathe;
}

bool TwistEnabled(const TCommandContext& c) {
  if (c.SculptType == stSphere) {
    if (In(c.Mode, {emLathe, emBend})) return c.SelectedCount > 0;
    return c.Mode == emExtrude;
  }
  return (c.SculptType == stTorus || c.SculptType == stCylinder) && c.Mode == emLathe;
}

bool PillarEnabled(const TCommandContext& c) {
  if (c.Mode == emLathe) return c.SculptType == stSphere || c.SculptType == stTorus;
  return In(c.Mode, {emExtrude, emBitmap, emBend, emHoop, emClay, emBendTorus});
}

bool Shape2Visible(const TCommandContext& c) { return In(c.Mode, {emLathe, emExtrude, emBitmap}); }
bool BackgroundVisible(const TCommandContext& c) {
  return In(c.Mode, {emLathe, emExtrude, emBend, emHoop, emClay, emBendTorus});
}
bool BendOnly(const TCommandContext& c) { return c.Mode == emBend; }

bool SameWidthVisible(const TCommandContext& c) { return In(c.Mode, {emBend, emBendTorus}); }
bool ExtrudeOnly(const TCommandContext& c) { return c.Mode == emExtrude; }
bool EqualCurvesEnabled(const TCommandContext& c) { return c.SelectedCount > 2; }
bool MagnetVisible(const TCommandContext& c) {
  return In(c.Mode, {emLathe, emBitmap, emBend, emClay, emBendTorus});
}
// Fill Pillar reshapes the grid whatever the tab, but the Texture tab records no edits.
bool FillPillarVisible(const TCommandContext& c) {
  return c.SculptType == stSphere && c.Mode != emTexture;
}
bool CushionVisible(const TCommandContext& c) { return c.Aspect == ar32x32 && c.Mode == emLathe; }
bool SymmetryVisible(const TCommandContext& c) { return In(c.Mode, {emExtrude, emHoop}); }
bool ClayOnly(const TCommandContext& c) { return c.Mode == emClay; }
bool SidesEnabled(const TCommandContext& c) { return In(c.Mode, {emLathe, emExtrude, emHoop}); }

constexpr std::array kRules = {
    TRule{"EditRotate0", EditVisible, AnySelected},
    TRule{"EditRotate1", EditVisible, AnySelected},
    TRule{"EditHorizontal", EditVisible, AnySelected},
    TRule{"EditVertical", EditVisible, AnySelected},
    TRule{"EditEqual", NotTexture, EqualEnabled},
    TRule{"EditEQCurves", ExtrudeOnly, EqualCurvesEnabled},
    TRule{"EditTWist0", TwistVisible, TwistEnabled},
    TRule{"EditTwist1", TwistVisible, TwistEnabled},
    TRule{"EditSameWidth", SameWidthVisible, AnySelected},
    TRule{"EditOptimize", ExtrudeOnly, Always},
    TRule{"EditFlipHorizontal", NotTexture, Always},
    TRule{"EditFlipVertical", NotTexture, Always},
    TRule{"EditMaximize", NotTexture, Always},
    TRule{"EditHorizontalMirror", NotTexture, Always},
    TRule{"EditVerticalMirror", NotTexture, Always},
    TRule{"EditInsideOut", NotTexture, Always},
    TRule{"EditOffset", NotTexture, Always},
    TRule{"EditMagnet", MagnetVisible, Always},
    TRule{"EditSmooth", NotTexture, Always},
    TRule{"ShapeCylinder", Always, PillarEnabled},
    TRule{"ShapePrism", Always, PillarEnabled},
    TRule{"ShapePillar", Always, PillarEnabled},
    TRule{"ShapePentagon", Always, PillarEnabled},
    TRule{"ShapeHexagon", Always, PillarEnabled},
    TRule{"ShapeHeptagon", Always, PillarEnabled},
    TRule{"ShapeOctagon", Always, PillarEnabled},
    TRule{"ShapeBall", Shape2Visible, Always},
    TRule{"ShapeCap", Shape2Visible, Always},
    TRule{"ShapeCone", Shape2Visible, Always},
    TRule{"ShapeBevel", Shape2Visible, Always},
    TRule{"ShapeFillPillar", FillPillarVisible, Always},
    TRule{"ShapeCushion", CushionVisible, Always},
    TRule{"Zoom02", Always, NotTexture},
    TRule{"Zoom03", Always, NotTexture},
    TRule{"Zoom04", Always, NotTexture},
    TRule{"Zoom05", Always, NotTexture},
    TRule{"Zoom06", Always, NotTexture},
    TRule{"Zoom07", Always, NotTexture},
    TRule{"Zoom08", Always, NotTexture},
    TRule{"ViewSymmetry", SymmetryVisible, Always},
    TRule{"ViewEditLine", ClayOnly, Always},
    TRule{"ViewDispBkground", BackgroundVisible, Always},
    TRule{"ViewLoadBkground", BackgroundVisible, Always},
    TRule{"MenuSides", Always, SidesEnabled},
    TRule{"Bend_Type", Always, BendOnly},
    TRule{"BendSection0", Always, BendOnly},
    TRule{"BendSection1", Always, BendOnly},
    TRule{"BendSection2", Always, BendOnly},
    TRule{"BendSection3", Always, BendOnly},
    TRule{"BendSection4", Always, BendOnly},
    TRule{"BendSection5", Always, BendOnly},
    TRule{"BendSection6", Always, BendOnly},
};

constexpr auto kRuleNames = [] {
  std::array<std::string_view, kRules.size()> names{};
  for (std::size_t k = 0; k < kRules.size(); ++k) names[k] = kRules[k].Name;
  return names;
}();

}  // namespace

TCommandState CommandState(std::string_view action, const TCommandContext& context) {
  for (const TRule& rule : kRules)
    if (rule.Name == action) return {rule.Visible(context), rule.Enabled(context)};
  return {};
}

std::span<const std::string_view> RuledCommands() { return kRuleNames; }

}  // namespace orvane
