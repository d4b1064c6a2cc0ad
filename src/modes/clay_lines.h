// The CLAY mode's choice of grid lines it works on: one flag per column and per row.
#pragma once

#include <array>
#include <cstdint>

#include "model/types.h"

namespace orvane {

// 257 entries and one spare, 1 = the line is used.
using TLineFlags = std::array<std::uint8_t, kGridCapacity + 1>;

struct TClayLines {
  TLineFlags ClayColumnLines{};
  TLineFlags ClayRowLines{};
};

}  // namespace orvane
