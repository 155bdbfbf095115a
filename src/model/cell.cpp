#include "model/cell.h"

#include <array>
#include <cstddef>

namespace qw {

void StepPoint(Point& p, std::int32_t d, std::int32_t amount) {
  static constexpr std::array<std::int32_t, 8> dx{0, 1, 1, 1, 0, -1, -1, -1};
  static constexpr std::array<std::int32_t, 8> dy{-1, -1, 0, 1, 1, 1, 0, -1};
  if (d < 0 || d > 7) return;
  const auto i = static_cast<std::size_t>(d);
  p.x = SaturateToInt32(p.x + std::int64_t{dx[i]} * amount);
  p.y = SaturateToInt32(p.y + std::int64_t{dy[i]} * amount);
}

void StepPoint(Position& p, std::int32_t d, std::int32_t amount) {
  Point q{p.x, p.y};
  StepPoint(q, d, amount);
  p = Position{q.x, q.y};
}

}  // namespace qw
