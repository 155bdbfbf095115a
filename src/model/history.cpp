#include "model/history.h"

#include <charconv>
#include <sstream>

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
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
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
    if (!from || !to || *from == *to || words.size() < i + 4 || words.size() > i + 5) return std::nullopt;
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
    if (!at || words.size() < i + 3 || words.size() > i + 4 || (words[i + 2] != "cw" && words[i + 2] != "ccw")) {
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

bool ApplyStep(Puzzle& puzzle, const Step& step) {
  switch (step.kind) {
    case Step::Kind::Move: {
      if (step.rotation < -1 || step.rotation > 7) return false;
      if (step.rotation != -1 && puzzle.At(step.from)) {
        const Cell* piece = puzzle.At(step.from);
        const Cell* target = puzzle.At(step.to);
        if (!IsPipePiece(*piece) || !target || target->kind != KIND_EMPTY) return false;
        puzzle.At(step.from)->variant = step.rotation;  // the water is traced by the move
      }
      return puzzle.MovePiece(step.from, step.to);
    }
    case Step::Kind::Turn: {
      const Cell* cell = puzzle.At(step.from);
      // Only pipe pieces turn: the nozzle, fires and walls stay as they are.
      if (!cell || !IsPipePiece(*cell) || step.turns < 1 || step.turns > 7) return false;
      for (std::int32_t t = 0; t < step.turns; ++t) puzzle.TurnPiece(step.from, step.clockwise);
      puzzle.Select(step.from);
      return true;
    }
    case Step::Kind::Restart: return puzzle.Restart();
  }
  return false;
}

bool History::Apply(Puzzle& puzzle, const Step& step) {
  Before before{puzzle.tray, puzzle.board, puzzle.selection};
  if (!ApplyStep(puzzle, step)) return false;
  done_.push_back(Entry{step, before});
  undone_.clear();
  return true;
}

bool History::Undo(Puzzle& puzzle) {
  if (done_.empty()) return false;
  const Entry entry = done_.back();
  done_.pop_back();
  puzzle.tray = entry.before.tray;
  puzzle.board = entry.before.board;
  puzzle.UpdateWater();
  puzzle.Select(entry.step.kind == Step::Kind::Restart ? entry.before.selection : entry.step.from);
  undone_.push_back(entry.step);
  return true;
}

bool History::Redo(Puzzle& puzzle) {
  if (undone_.empty()) return false;
  const Step step = undone_.back();
  Before before{puzzle.tray, puzzle.board, puzzle.selection};
  // Redo replays a step on the very state it was first made on, so it
  // cannot fail; should it, the redo list is left as it was.
  if (!ApplyStep(puzzle, step)) return false;
  undone_.pop_back();
  done_.push_back(Entry{step, before});
  return true;
}

void History::Clear() {
  done_.clear();
  undone_.clear();
  hintsUsed = 0;
}

std::vector<Step> History::Steps() const {
  std::vector<Step> steps;
  steps.reserve(done_.size());
  for (const Entry& e : done_) steps.push_back(e.step);
  return steps;
}

}  // namespace qw
