// The skin: any bytes through LoadBmpMemory and LoadBmpFile, and a skin that
// loads drawn on every screen with the shipped layout.
#include <cstdint>
#include <string>

#include "platform/bitmap.h"
#include "support.h"

namespace {

using qw::fuzz::Check;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const std::optional<qw::Surface> skin = qw::LoadBmpMemory(bytes);
  const std::optional<qw::Surface> fromFile =
      qw::LoadBmpFile(qw::fuzz::WriteScratchFile("skin.bmp", bytes));
  Check(skin.has_value() == fromFile.has_value(), "the file and the bytes load differently");
  if (!skin) return 0;
  Check(skin->width() > 0 && skin->height() > 0, "a skin without pixels loaded");
  Check(skin->pixels().size() ==
            static_cast<std::size_t>(skin->width()) * static_cast<std::size_t>(skin->height()),
        "the pixels do not fill the skin");
  Check(skin->pixels() == fromFile->pixels(), "the file and the bytes give different pixels");
  for (std::uint32_t p : skin->pixels()) Check(p <= 0xFFFFFFu, "a pixel with more than 24 bits");

  qw::fuzz::Game game(*skin, qw::fuzz::ShippedLayout(), qw::fuzz::ShippedLevels());
  game.controller.StartLevel(0);
  game.PaintEveryScreen();
  game.PaintPassword(L"ALERTS?");
  return 0;
}
