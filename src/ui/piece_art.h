// The pictures the game is drawn from: the piece strip's squares and the
// colour every strip and mark leaves out so that what lies below shows.
#pragma once

#include <cstdint>

#include "platform/geometry.h"

namespace qw {

// A piece's picture is kPieceSize pixels square; its centre lies half that
// from its corner.
inline constexpr std::int32_t kPieceSize = 20;
inline constexpr std::int32_t kHalfPiece = kPieceSize / 2;
inline constexpr Color kTransparentKey{255, 0, 255};

}  // namespace qw
