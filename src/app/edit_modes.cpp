// Tabs per sculpt type.
#include "app/edit_modes.h"

namespace orvane {

namespace {
constexpr TEditMode kSphereTabs[] = {emLathe, emExtrude, emBend, emHoop, emClay, emBitmap, emTexture};
constexpr TEditMode kTorusTabs[] = {emLathe, emExtrude, emBendTorus, emClay, emBitmap, emTexture};
constexpr TEditMode kPlaneTabs[] = {emClay, emBitmap, emTexture};
}  // namespace

std::span<const TEditMode> TabsForSculptType(int type) {
  switch (type) {
    case 1: return kTorusTabs;
    case 2: return kPlaneTabs;
    case 0:
    case 3: return kSphereTabs;  // SPHERE and CYLINDER offer the same tabs
    default: return {};
  }
}

}  // namespace orvane
