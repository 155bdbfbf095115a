// Words of a script line read as numbers and as the editor's edits.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "editor/level_draft.h"

namespace qw {

// Why a script line cannot be run; empty when it can.
using Fault = std::string;

bool ParseInt(const std::string& word, std::int32_t& value, Fault& fault);

// The edit of an editor command: place, remove, turn, count or title (the
// first word), or nullopt with the fault. Cells are column then row, 0 to 9.
std::optional<Edit> ParseEdit(const std::vector<std::string>& words, Fault& fault);

}  // namespace qw
