// Rounding to map levels and pixels: through a 32-bit float, halves to even.
#pragma once

#include <cmath>

namespace orvane {

// Round(v): the value is first narrowed to float, then rounded to the nearest
// integer with ties to even (the default floating-point rounding mode).
// Returned as double so that out-of-range values never overflow an int.
inline double RoundHalfEven(double v) {
  return static_cast<double>(std::nearbyint(static_cast<float>(v)));
}

// Same rounding, as an integer clamped into [lo, hi]; non-finite input gives lo.
inline int RoundToInt(double v, int lo, int hi) {
  const double r = RoundHalfEven(v);
  if (!(r >= lo)) return lo;  // also catches NaN
  if (r > hi) return hi;
  return static_cast<int>(r);
}

// A coordinate quantised to whole map levels: Round(127 v) / 127.
inline double QuantiseToLevel(double v) {
  if (!std::isfinite(v)) return 0.0;
  return RoundHalfEven(127.0 * v) / 127.0;
}

}  // namespace orvane
