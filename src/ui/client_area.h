// The game's client area: the handheld's screen below its title bar.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/geometry.h"

namespace qw {

inline constexpr std::int32_t kClientWidth = 240;
inline constexpr std::int32_t kClientHeight = 268;
inline constexpr Rect kClientRect{0, 0, kClientWidth, kClientHeight};

// Where the play screen's caption stands, above the tray.
inline constexpr Rect kCaptionRect{15, 5, 225, 18};

// The one font of the caption and the tooltips.
inline constexpr std::int32_t kTextHeight = 12;
inline constexpr std::int32_t kTextWeight = 400;
inline constexpr const char* kTextFace = "Arial";
// Its characters beyond printable ASCII that the game's texts show: the
// verdict line's dash.
inline constexpr std::u32string_view kTextBeyondAscii = U"\u2014";

}  // namespace qw
