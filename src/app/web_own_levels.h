// The player's own levels in the browser: the desktop's level-file text,
// kept in the page's storage under one key (each byte of the file one
// character), with the desktop's rules for reading, saving and keeping a
// text that does not read aside (under a key of its own, never written
// over). When the browser refuses its storage, Save fails and the editor
// says so on the command bar; the game goes on.
#pragma once

#include <optional>
#include <string>

#include "editor/own_levels.h"

namespace qw {

inline constexpr const char* kWebOwnLevelsKey = "quenchway.levels";

class WebOwnLevelStore final : public OwnLevelStore {
 public:
  std::string Name() const override { return kWebOwnLevelsKey; }
  Read ReadAll() override;
  std::string KeepAside(std::string* error) override;
  bool WriteAll(const std::string& bytes, std::string* error) override;

 private:
  // The stored text as the last read found it; none when that read was
  // refused, and then nothing is moved.
  std::optional<std::string> lastRead_;
};

// The page's own levels: one store for every game the page starts.
OwnLevels& WebOwnLevels();

}  // namespace qw
