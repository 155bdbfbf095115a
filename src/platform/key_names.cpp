#include "platform/key_names.h"

#include <algorithm>
#include <utility>

namespace qw {

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return Lower(x) == Lower(y); });
}

}  // namespace

Key KeyFromName(std::string_view name, char& letter) {
  if (name.size() == 1) {
    const char c = name[0];
    if (c >= '0' && c <= '9') {
      letter = c;
      return Key::Letter;
    }
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
      letter = static_cast<char>(c & ~0x20);
      return Key::Letter;
    }
  }
  static constexpr std::pair<std::string_view, Key> kNames[] = {{"Left", Key::Left},
                                                                {"ArrowLeft", Key::Left},
                                                                {"Right", Key::Right},
                                                                {"ArrowRight", Key::Right},
                                                                {"Up", Key::Up},
                                                                {"ArrowUp", Key::Up},
                                                                {"Down", Key::Down},
                                                                {"ArrowDown", Key::Down},
                                                                {"Space", Key::Space},
                                                                {" ", Key::Space},
                                                                {"Return", Key::Enter},
                                                                {"Enter", Key::Enter},
                                                                {"Keypad Enter", Key::Enter},
                                                                {"Escape", Key::Escape},
                                                                {"Backspace", Key::Backspace},
                                                                {"Delete", Key::Delete},
                                                                {"F11", Key::F11}};
  for (const auto& [n, key] : kNames) {
    if (SameName(name, n)) return key;
  }
  return Key::Unknown;
}

}  // namespace qw
