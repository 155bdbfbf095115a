#include "model/step.h"

#include <charconv>
#include <vector>

#include "data/text.h"

namespace qw {

namespace {

std::string PositionText(Position p) { return std::to_string(p.x) + ' ' + std::to_string(p.y); }

bool IsPlace(Position p) { return IsTraySlot(p) || IsBoardCell(p); }

std::optional<std::int32_t> Number(const std::string& word) {
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size()) return std::nullopt;
  return value;
}

std::optional<Position> ReadPosition(const std::vector<std::string>& words, std::size_t at) {
  if (at + 1 >= words.size()) return std::nullopt;
  const auto x = Number(words[at]);
  const auto y = Number(words[at + 1]);
  if (!x || !y || !IsPlace(Position{*x, *y})) return std::nullopt;
  return Position{*x, *y};
}

}  // namespace

std::string StepText(const Step& step) {
  std::string text = step.hint ? "hint " : "";
  switch (step.kind) {
    case Step::Kind::Move:
      text += "move " + PositionText(step.from) + ' ' + PositionText(step.to);
      return step.rotation == -1 ? text : text + " r" + std::to_string(step.rotation);
    case Step::Kind::Turn:
      text += "turn " + PositionText(step.from) + (step.clockwise ? " cw" : " ccw");
      return step.turns == 1 ? text : text + ' ' + std::to_string(step.turns);
    case Step::Kind::Restart: return text + "restart";
  }
  return text;
}

std::optional<Step> ParseStep(const std::string& text) {
  const std::vector<std::string> words = SplitWords(text);
  std::size_t i = 0;
  Step step;
  if (i < words.size() && words[i] == "hint") {
    step.hint = true;
    ++i;
  }
  if (i >= words.size()) return std::nullopt;
  const std::string& verb = words[i++];
  if (verb == "restart") {
    if (i != words.size()) return std::nullopt;
    step.kind = Step::Kind::Restart;
    return step;
  }
  if (verb == "move") {
    const auto from = ReadPosition(words, i), to = ReadPosition(words, i + 2);
    if (!from || !to || *from == *to || words.size() < i + 4 || words.size() > i + 5)
      return std::nullopt;
    if (words.size() == i + 5) {
      const std::string& r = words[i + 4];
      const auto rotation = r.size() == 2 && r[0] == 'r' ? Number(r.substr(1)) : std::nullopt;
      if (!rotation || *rotation < 0 || *rotation > 7) return std::nullopt;
      step.rotation = *rotation;
    }
    step.kind = Step::Kind::Move;
    step.from = *from;
    step.to = *to;
    return step;
  }
  if (verb == "turn") {
    const auto at = ReadPosition(words, i);
    if (!at || words.size() < i + 3 || words.size() > i + 4 ||
        (words[i + 2] != "cw" && words[i + 2] != "ccw")) {
      return std::nullopt;
    }
    if (words.size() == i + 4) {
      const auto turns = Number(words[i + 3]);
      if (!turns || *turns < 2 || *turns > 7) return std::nullopt;
      step.turns = *turns;
    }
    step.kind = Step::Kind::Turn;
    step.from = *at;
    step.clockwise = words[i + 2] == "cw";
    return step;
  }
  return std::nullopt;
}

}  // namespace qw
