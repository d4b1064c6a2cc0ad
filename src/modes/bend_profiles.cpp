#include "modes/bend_profiles.h"

#include <cmath>
#include <numbers>
#include <variant>
#include <vector>

namespace orvane {

namespace {

constexpr int kSectionColumns[kAspectCount] = {33, 65, 129, 257, 17, 9, 5};

struct TLine {
  TDPoint From, To;
};
struct TArc {
  double From, To;  // radians
};
using TPiece = std::variant<TLine, TArc>;

constexpr double kPi = std::numbers::pi;

// The outline of each type from rail A up, across to rail B, down and back.
std::vector<TPiece> Pieces(int type) {
  auto lines = [](std::initializer_list<TDPoint> points) {
    std::vector<TPiece> out;
    for (auto p = points.begin(); p + 1 != points.end(); ++p) out.push_back(TLine{*p, *(p + 1)});
    return out;
  };
  switch (type) {
    case 2: return lines({{0, 0}, {0, 1}, {0.5, 1}, {1, 1}, {1, 0}, {1, -1}, {0.5, -1}, {0, -1}, {0, 0}});
    case 3: return {TArc{0, kPi / 2}, TArc{kPi / 2, kPi}, TArc{kPi, 3 * kPi / 2}, TArc{3 * kPi / 2, 2 * kPi}};
    case 4: {
      std::vector<TPiece> out{TArc{0, kPi / 2}, TArc{kPi / 2, kPi}};
      for (const TPiece& p : lines({{1, 0}, {1, -1}, {0.5, -1}, {0, -1}, {0, 0}})) out.push_back(p);
      return out;
    }
    case 5: {
      std::vector<TPiece> out{TArc{0, kPi / 2}};
      for (const TPiece& p : lines({{0.5, 1}, {1, 1}, {1, 0}, {1, -1}, {0.5, -1}})) out.push_back(p);
      out.push_back(TArc{3 * kPi / 2, 2 * kPi});
      return out;
    }
    default:
      return lines({{0, 0}, {0, 1}, {0.5, 1}, {0.75, 0.5}, {1, 0}, {0.75, -0.5}, {0.5, -1}, {0, -1}, {0, 0}});
  }
}

TDPoints BuildProfile(int type, int columns) {
  if (columns == 5) return {{0, 0}, {0.5, 1}, {1, 0}, {0.5, -1}, {0, 0}};
  const int n = int(std::nearbyint(float((columns - 1) / 8.0)));
  TDPoints out{{0, 0}};
  for (const TPiece& piece : Pieces(type)) {
    if (const auto* line = std::get_if<TLine>(&piece)) {
      for (int j = 1; j <= n; ++j) {
        const double s = double(j) / n;
        out.push_back({(1 - s) * line->From.X + s * line->To.X, (1 - s) * line->From.Y + s * line->To.Y});
      }
    } else {
      const TArc& arc = std::get<TArc>(piece);
      for (int j = 1; j <= 2 * n; ++j) {
        const double s = double(j) / (2 * n);
        const double phi = (1 - s) * arc.From + s * arc.To;
        out.push_back({0.5 - 0.5 * std::cos(phi), std::sin(phi)});
      }
    }
  }
  return out;
}

}  // namespace

TBendProfiles BuildBendProfiles() {
  TBendProfiles p;
  for (int type = 2; type < kBendSectionCount; ++type)
    for (int aspect = 0; aspect < kAspectCount; ++aspect)
      p.Profiles[type - 2][aspect] = BuildProfile(type, kSectionColumns[aspect]);
  return p;
}

}  // namespace orvane
