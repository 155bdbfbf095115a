#include "platform/line.h"

#include <algorithm>

namespace qw {
namespace {

// A 1-pixel line in 64-bit numbers: differences of 32-bit coordinates need
// 33 bits, their products up to 64.
struct ThinLine {
  std::int64_t x0;
  std::int64_t y0;
  std::int64_t sx;  // -1, 0 or 1
  std::int64_t sy;
  std::uint64_t major;  // pixel count
  std::uint64_t minor;
  bool xMajor;

  // Steps of pixel i along the shorter axis, a half rounded toward `from`.
  std::uint64_t MinorSteps(std::uint64_t i) const {
    // Straight and 45-degree lines, the common ones, need no division.
    if (minor == 0) return 0;
    if (minor == major) return i;
    const std::uint64_t product = i * minor;  // i < major < 2^32, minor <= major
    std::uint64_t q = product / major;
    if (2 * (product % major) > major) {
      ++q;
    }
    return q;
  }
  std::int64_t X(std::uint64_t i) const {
    return x0 + sx * static_cast<std::int64_t>(xMajor ? i : MinorSteps(i));
  }
  // Rows of pixel i away from y0, in the direction sy; never falls as i grows.
  std::uint64_t RowSteps(std::uint64_t i) const { return xMajor ? MinorSteps(i) : i; }

  // The first pixel at least k rows away from y0, or `major` when none is.
  std::uint64_t FirstAtRowSteps(std::uint64_t k) const {
    if (!xMajor || minor == major) return std::min(k, major);  // one row per pixel
    std::uint64_t lo = 0;
    std::uint64_t hi = major;
    while (lo < hi) {
      const std::uint64_t mid = lo + (hi - lo) / 2;
      if (RowSteps(mid) >= k) {
        hi = mid;
      } else {
        lo = mid + 1;
      }
    }
    return lo;
  }
};

std::int64_t Sign(std::int64_t v) { return (v > 0) - (v < 0); }

// Adds the part of one row to the list, growing the last rectangle instead
// when it ends on the row above with the same columns.
void AddRow(std::vector<Rect>& rects, std::int32_t left, std::int32_t y, std::int32_t right) {
  if (!rects.empty() && rects.back().bottom == y && rects.back().left == left &&
      rects.back().right == right) {
    ++rects.back().bottom;
    return;
  }
  rects.push_back(Rect{left, y, right, y + 1});
}

}  // namespace

void LineRects(Point from, Point to, std::int32_t width, const Rect& limit,
               std::vector<Rect>& rows) {
  rows.clear();
  const std::int64_t dx = std::int64_t{to.x} - from.x;
  const std::int64_t dy = std::int64_t{to.y} - from.y;
  const auto adx = static_cast<std::uint64_t>(dx < 0 ? -dx : dx);
  const auto ady = static_cast<std::uint64_t>(dy < 0 ? -dy : dy);
  const ThinLine line{from.x,    from.y, Sign(dx), Sign(dy), std::max(adx, ady), std::min(adx, ady),
                      adx >= ady};
  if (line.major == 0 || limit.IsEmpty()) {
    return;
  }
  const std::int64_t w = std::max(width, 1);
  const std::int64_t half = w / 2;

  // Pixel p paints rows p.y - half .. p.y - half + w - 1.
  const std::int64_t yLast =
      line.y0 + line.sy * static_cast<std::int64_t>(line.RowSteps(line.major - 1));
  const std::int64_t top = std::max<std::int64_t>(std::min(line.y0, yLast) - half, limit.top);
  const std::int64_t bottom =
      std::min<std::int64_t>(std::max(line.y0, yLast) - half + w, limit.bottom);
  // A horizontal or vertical line paints the same columns on every row: one
  // rectangle, the squares of its first and last pixels joined.
  if (line.minor == 0) {
    const std::int64_t xLast = line.X(line.major - 1);
    const std::int64_t left = std::max<std::int64_t>(std::min(line.x0, xLast) - half, limit.left);
    const std::int64_t right =
        std::min<std::int64_t>(std::max(line.x0, xLast) - half + w, limit.right);
    if (top < bottom && left < right) {
      rows.push_back(Rect{static_cast<std::int32_t>(left), static_cast<std::int32_t>(top),
                          static_cast<std::int32_t>(right), static_cast<std::int32_t>(bottom)});
    }
    return;
  }
  for (std::int64_t y = top; y < bottom; ++y) {
    // Pixels whose square covers row y lie on rows lo..hi.
    const std::int64_t lo = y + half - w + 1;
    const std::int64_t hi = y + half;
    std::int64_t kLo = line.sy >= 0 ? lo - line.y0 : line.y0 - hi;
    const std::int64_t kHi = line.sy >= 0 ? hi - line.y0 : line.y0 - lo;
    if (kHi < 0) {
      continue;
    }
    kLo = std::max<std::int64_t>(kLo, 0);
    const std::uint64_t first = line.FirstAtRowSteps(static_cast<std::uint64_t>(kLo));
    const std::uint64_t end = line.FirstAtRowSteps(static_cast<std::uint64_t>(kHi) + 1);
    if (first >= end) {
      continue;
    }
    // Consecutive pixels differ by at most 1 in x, so their squares join.
    const std::int64_t xa = line.X(first);
    const std::int64_t xb = line.X(end - 1);
    const std::int64_t left = std::max<std::int64_t>(std::min(xa, xb) - half, limit.left);
    const std::int64_t right = std::min<std::int64_t>(std::max(xa, xb) - half + w, limit.right);
    if (left < right) {
      AddRow(rows, static_cast<std::int32_t>(left), static_cast<std::int32_t>(y),
             static_cast<std::int32_t>(right));
    }
  }
}

std::vector<Rect> LineRows(Point from, Point to, std::int32_t width, const Rect& limit) {
  std::vector<Rect> rects;
  LineRects(from, to, width, limit, rects);
  std::vector<Rect> rows;
  for (const Rect& r : rects) {
    for (std::int32_t y = r.top; y < r.bottom; ++y) rows.push_back(Rect{r.left, y, r.right, y + 1});
  }
  return rows;
}

}  // namespace qw
