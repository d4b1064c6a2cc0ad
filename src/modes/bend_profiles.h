// The fixed cross-section outlines of the BEND mode's section types, per aspect.
#pragma once

#include <array>
#include <string_view>

#include "model/types.h"

namespace orvane {

inline constexpr int kBendSectionCount = 7;
inline constexpr std::array<std::string_view, kBendSectionCount> BendSectionNames{
    "Normal", "Chamfer", "SQUARE", "ROUND", "ROUND-SQUARE1", "ROUND-SQUARE2", "BLADE"};

// One profile per section type 2 .. 6 and aspect code: (t, h) per section column, t from
// rail A (0) to rail B (1), h the height -1 .. 1. Entries 0 and C-1 are rail A, entry
// (C-1)/2 is rail B.
struct TBendProfiles {
  // [type - 2][aspect]
  std::array<std::array<TDPoints, kAspectCount>, 5> Profiles;
  const TDPoints& Profile(int type, int aspect) const { return Profiles[type - 2][aspect]; }
};

TBendProfiles BuildBendProfiles();

}  // namespace orvane
