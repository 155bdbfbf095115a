// A level built in code, for tests that need a board of their own: the
// tray's counts, the source's cell and rotation, and the three cell lists as
// a level file writes them.
#pragma once

#include <string>

#include "data/levels.h"

namespace qw::testing {

inline LevelRecord MakeLevel(std::int32_t elbows, std::int32_t bends, std::int32_t splitters,
                             std::int32_t source, std::int32_t rotation, std::wstring fires,
                             std::wstring hazards = L"", std::wstring walls = L"") {
  LevelRecord r;
  r.title = L"test";
  r.password = L"TEST";
  r.elbowCount = elbows;
  r.bendCount = bends;
  r.splitterCount = splitters;
  r.sourceCell = source;
  r.sourceRotation = rotation;
  r.fireCells = std::move(fires);
  r.hazardCells = std::move(hazards);
  r.wallCells = std::move(walls);
  return r;
}

}  // namespace qw::testing
