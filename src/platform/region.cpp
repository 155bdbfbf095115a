#include "platform/region.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

// The rectangles are kept in one canonical form, so that two regions with the
// same pixels hold the same rectangles:
//  - they are grouped in bands: every rectangle of a band has the band's top
//    and bottom, bands are sorted from the top down and never overlap;
//  - inside a band the rectangles are sorted from the left, and neither
//    overlap nor touch (touching neighbours are one rectangle);
//  - two bands that touch vertically never hold the same run of left/right
//    pairs (they would be one band).
// Every operation sweeps both operands band by band, so its cost grows with
// the number of rectangles, not with the area.

namespace qw {
namespace {

enum class Op { kUnion, kSubtract, kIntersect };

struct Span {
  std::int32_t left;
  std::int32_t right;
  friend bool operator==(Span, Span) = default;
};

struct Band {
  std::size_t begin;  // first rectangle of the band
  std::size_t end;    // one past its last
};

std::vector<Band> BandsOf(const std::vector<Rect>& rects) {
  std::vector<Band> bands;
  std::size_t i = 0;
  while (i < rects.size()) {
    std::size_t j = i + 1;
    while (j < rects.size() && rects[j].top == rects[i].top) {
      ++j;
    }
    bands.push_back(Band{i, j});
    i = j;
  }
  return bands;
}

// Appends the spans of a band, or nothing when `band` is past the end.
void SpansOf(const std::vector<Rect>& rects, const Band& band, std::vector<Span>& out) {
  for (std::size_t i = band.begin; i < band.end; ++i) {
    out.push_back(Span{rects[i].left, rects[i].right});
  }
}

// Adds a span to a sorted run, joining it to the last one when they meet.
void PushSpan(std::vector<Span>& out, Span s) {
  if (s.right <= s.left) {
    return;
  }
  if (!out.empty() && s.left <= out.back().right) {
    out.back().right = std::max(out.back().right, s.right);
    return;
  }
  out.push_back(s);
}

void UnionSpans(const std::vector<Span>& a, const std::vector<Span>& b, std::vector<Span>& out) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() || j < b.size()) {
    if (j == b.size() || (i < a.size() && a[i].left <= b[j].left)) {
      PushSpan(out, a[i++]);
    } else {
      PushSpan(out, b[j++]);
    }
  }
}

void IntersectSpans(const std::vector<Span>& a, const std::vector<Span>& b,
                    std::vector<Span>& out) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    PushSpan(out, Span{std::max(a[i].left, b[j].left), std::min(a[i].right, b[j].right)});
    if (a[i].right < b[j].right) {
      ++i;
    } else {
      ++j;
    }
  }
}

void SubtractSpans(const std::vector<Span>& a, const std::vector<Span>& b, std::vector<Span>& out) {
  std::size_t j = 0;
  for (const Span& s : a) {
    std::int32_t left = s.left;
    while (j < b.size() && b[j].right <= left) {
      ++j;
    }
    std::size_t k = j;
    while (k < b.size() && b[k].left < s.right) {
      PushSpan(out, Span{left, b[k].left});
      left = std::max(left, b[k].right);
      ++k;
    }
    PushSpan(out, Span{left, s.right});
  }
}

// Finds the band of `bands` that holds row y, moving `index` forward only;
// the rows asked for never go up.
const Band* BandAt(const std::vector<Rect>& rects, const std::vector<Band>& bands,
                   std::size_t& index, std::int32_t y) {
  while (index < bands.size() && rects[bands[index].begin].bottom <= y) {
    ++index;
  }
  if (index < bands.size() && rects[bands[index].begin].top <= y) {
    return &bands[index];
  }
  return nullptr;
}

std::vector<Rect> Combine(const std::vector<Rect>& a, const std::vector<Rect>& b, Op op) {
  const std::vector<Band> bandsA = BandsOf(a);
  const std::vector<Band> bandsB = BandsOf(b);

  // Every row where either operand can change.
  std::vector<std::int32_t> edges;
  edges.reserve(2 * (bandsA.size() + bandsB.size()));
  for (const Band& band : bandsA) {
    edges.push_back(a[band.begin].top);
    edges.push_back(a[band.begin].bottom);
  }
  for (const Band& band : bandsB) {
    edges.push_back(b[band.begin].top);
    edges.push_back(b[band.begin].bottom);
  }
  std::sort(edges.begin(), edges.end());
  edges.erase(std::unique(edges.begin(), edges.end()), edges.end());

  std::vector<Rect> out;
  out.reserve(a.size() + b.size());
  std::size_t lastBand = 0;  // first rectangle of the last band written
  std::vector<Span> spansA;
  std::vector<Span> spansB;
  std::vector<Span> result;
  std::size_t ia = 0;
  std::size_t ib = 0;
  for (std::size_t e = 0; e + 1 < edges.size(); ++e) {
    const std::int32_t top = edges[e];
    const std::int32_t bottom = edges[e + 1];
    spansA.clear();
    spansB.clear();
    result.clear();
    if (const Band* band = BandAt(a, bandsA, ia, top)) {
      SpansOf(a, *band, spansA);
    }
    if (const Band* band = BandAt(b, bandsB, ib, top)) {
      SpansOf(b, *band, spansB);
    }
    switch (op) {
      case Op::kUnion: UnionSpans(spansA, spansB, result); break;
      case Op::kSubtract: SubtractSpans(spansA, spansB, result); break;
      case Op::kIntersect: IntersectSpans(spansA, spansB, result); break;
    }
    if (result.empty()) {
      continue;
    }
    // Grow the band above when it ends here with the same spans.
    if (!out.empty() && out.back().bottom == top && out.size() - lastBand == result.size() &&
        std::equal(result.begin(), result.end(),
                   out.begin() + static_cast<std::ptrdiff_t>(lastBand),
                   [](Span s, const Rect& r) { return s.left == r.left && s.right == r.right; })) {
      for (std::size_t i = lastBand; i < out.size(); ++i) {
        out[i].bottom = bottom;
      }
      continue;
    }
    lastBand = out.size();
    for (Span s : result) {
      out.push_back(Rect{s.left, top, s.right, bottom});
    }
  }
  return out;
}

// Union or subtraction of one rectangle: only the bands in its rows change,
// so only they, with one unchanged band on each side for the joining of
// equal bands, go through Combine; the rest stays where it is.
void CombineRect(std::vector<Rect>& rects, const Rect& r, Op op) {
  auto first = std::partition_point(rects.begin(), rects.end(),
                                    [&](const Rect& x) { return x.bottom <= r.top; });
  if (first != rects.begin()) {
    const std::int32_t top = std::prev(first)->top;
    while (first != rects.begin() && std::prev(first)->top == top) {
      --first;
    }
  }
  auto last =
      std::partition_point(first, rects.end(), [&](const Rect& x) { return x.top < r.bottom; });
  if (last != rects.end()) {
    const std::int32_t top = last->top;
    while (last != rects.end() && last->top == top) {
      ++last;
    }
  }
  const std::vector<Rect> combined = Combine(std::vector<Rect>(first, last), {r}, op);
  const auto at = rects.erase(first, last);
  rects.insert(at, combined.begin(), combined.end());
}

}  // namespace

Region::Region(const Rect& r) {
  if (!r.IsEmpty()) {
    rects_.push_back(r);
  }
}

Rect Region::Bounds() const {
  if (rects_.empty()) {
    return Rect{};
  }
  Rect bounds{rects_.front().left, rects_.front().top, rects_.front().right, rects_.back().bottom};
  for (const Rect& r : rects_) {
    bounds.left = std::min(bounds.left, r.left);
    bounds.right = std::max(bounds.right, r.right);
  }
  return bounds;
}

bool Region::Contains(Point p) const {
  // The first rectangle whose band ends below the row, then along that band.
  auto it = std::partition_point(rects_.begin(), rects_.end(),
                                 [&](const Rect& r) { return r.bottom <= p.y; });
  for (; it != rects_.end() && it->top <= p.y; ++it) {
    if (PtInRect(*it, p)) {
      return true;
    }
  }
  return false;
}

void Region::Union(const Rect& r) {
  if (r.IsEmpty()) {
    return;
  }
  if (rects_.empty()) {
    rects_.push_back(r);
    return;
  }
  CombineRect(rects_, r, Op::kUnion);
}

void Region::Union(const Region& other) {
  if (other.rects_.empty()) {
    return;
  }
  if (rects_.empty()) {
    rects_ = other.rects_;
    return;
  }
  rects_ = Combine(rects_, other.rects_, Op::kUnion);
}

void Region::Subtract(const Rect& r) {
  if (r.IsEmpty() || rects_.empty()) {
    return;
  }
  CombineRect(rects_, r, Op::kSubtract);
}

void Region::Intersect(const Rect& r) {
  if (rects_.empty()) {
    return;
  }
  if (r.IsEmpty()) {
    rects_.clear();
    return;
  }
  const Rect bounds = Bounds();
  if (r.left <= bounds.left && r.top <= bounds.top && bounds.right <= r.right &&
      bounds.bottom <= r.bottom) {
    return;
  }
  rects_ = Combine(rects_, {r}, Op::kIntersect);
}

void Region::Intersect(const Region& other) {
  if (rects_.empty()) {
    return;
  }
  rects_ = Combine(rects_, other.rects_, Op::kIntersect);
}

bool Region::SameArea(const Region& other) const {
  // The canonical form makes equal pixel sets equal lists.
  return rects_ == other.rects_;
}

}  // namespace qw
