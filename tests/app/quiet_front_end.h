// A front end that shows nothing: for tests that drive the game loop and
// look only at its frame.
#pragma once

#include <string>

#include "app/front_end.h"

namespace qw::testing {

class QuietFrontEnd final : public FrontEnd {
 public:
  void Present(const Surface&, const Rect&) override {}
  void ToggleFullscreen() override {}
  void ShowMessage(const std::wstring&) override {}
  void CapturePointer(bool) override {}
};

}  // namespace qw::testing
