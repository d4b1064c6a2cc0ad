// Mode identifiers of the tab strip and which tabs each sculpt type offers.
#pragma once

#include <array>
#include <span>
#include <string_view>

namespace orvane {

enum TEditMode : int {
  emNone = -1,
  emLathe = 0,
  emExtrude = 1,
  emBitmap = 2,
  emBend = 3,
  emHoop = 4,
  emClay = 5,
  emTexture = 6,
  emBendTorus = 7,
};

inline constexpr std::array<std::string_view, 8> TabCaptions{
    "LATHE", "EXTRUDE", "Bitmap", "BEND", "HOOP", "CLAY", "Texture", "BEND"};

// The tabs of a sculpt type, in tab order.
std::span<const TEditMode> TabsForSculptType(int type);

}  // namespace orvane
