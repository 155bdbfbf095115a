// Drawing a layout item: its piece of the skin copied to its place.
#pragma once

#include <cstdint>

#include "data/layout.h"
#include "platform/canvas.h"
#include "platform/surface.h"

namespace qw {

// Plain copy of item i's source rectangle of the skin to its place. An index
// outside the table draws nothing.
void DrawItem(Canvas& canvas, const Surface& skin, const Layout& layout, std::int32_t i);
// The same picture with its top-left pixel at `at`.
void DrawItemAt(Canvas& canvas, const Surface& skin, const Layout& layout, std::int32_t i,
                Point at);

}  // namespace qw
