// What the model asks of the window: repaint requests and the toolbar. The
// window implements it; tests record the calls.
#pragma once

#include "platform/geometry.h"

namespace qw {

class ModelEffects {
 public:
  virtual ~ModelEffects() = default;
  // Both invalidations leave the background as it is.
  virtual void InvalidateRect(const Rect& rect) = 0;
  virtual void InvalidateAll() = 0;
  virtual void ShowToolbar(bool visible) = 0;
};

}  // namespace qw
