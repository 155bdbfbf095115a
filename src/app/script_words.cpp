#include "app/script_words.h"

#include <algorithm>
#include <charconv>
#include <iterator>

#include "model/cell.h"
#include "platform/utf8.h"

namespace qw {

namespace {

std::nullopt_t Refuse(Fault& fault, std::string why) {
  fault = std::move(why);
  return std::nullopt;
}

}  // namespace

bool ParseInt(const std::string& word, std::int32_t& value, Fault& fault) {
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size()) {
    fault = "'" + word + "' is not a whole number";
    return false;
  }
  return true;
}

std::optional<Edit> ParseEdit(const std::vector<std::string>& words, Fault& fault) {
  const std::string& verb = words[0];
  std::optional<Edit> edit;
  auto cell = [&](std::size_t at, std::int32_t& number) {
    std::int32_t x = 0, y = 0;
    if (!ParseInt(words[at], x, fault) || !ParseInt(words[at + 1], y, fault)) return false;
    if (x < 0 || x > 9 || y < 0 || y > 9) {
      fault = "a cell's column and row are 0 to 9";
      return false;
    }
    number = y * kBoardSize + x;  // cell numbers run along the rows
    return true;
  };
  std::int32_t number = 0, amount = 0;
  if (verb == "place") {
    static const std::pair<const char*, Item> kItems[] = {{"nozzle", Item::kNozzle},
                                                          {"fire", Item::kFire},
                                                          {"lightning", Item::kLightning},
                                                          {"wall", Item::kWall}};
    const auto item = std::find_if(std::begin(kItems), std::end(kItems), [&](const auto& k) {
      return words.size() > 1 && words[1] == k.first;
    });
    if (item == std::end(kItems) || words.size() != (item->second == Item::kNozzle ? 5u : 4u))
      return Refuse(fault, "'place' takes fire, lightning or wall X Y, or nozzle X Y DIRECTION");
    if (!cell(2, number)) return std::nullopt;
    if (words.size() == 5 && !ParseInt(words[4], amount, fault)) return std::nullopt;
    edit = Edit::Place(item->second, number, amount);
  } else if (verb == "remove") {
    if (words.size() != 3) return Refuse(fault, "'remove' takes X Y");
    if (!cell(1, number)) return std::nullopt;
    edit = Edit::Remove(number);
  } else if (verb == "turn") {
    if (words.size() != 2) return Refuse(fault, "'turn' takes a number of steps");
    if (!ParseInt(words[1], amount, fault)) return std::nullopt;
    edit = Edit::TurnNozzle(amount);
  } else if (verb == "count") {
    static const std::pair<const char*, PieceKind> kPieces[] = {
        {"elbows", KIND_ELBOW}, {"bends", KIND_BEND}, {"splitters", KIND_SPLITTER}};
    const auto piece = std::find_if(std::begin(kPieces), std::end(kPieces), [&](const auto& k) {
      return words.size() == 3 && words[1] == k.first;
    });
    if (piece == std::end(kPieces))
      return Refuse(fault, "'count' takes elbows, bends or splitters and a number");
    if (!ParseInt(words[2], amount, fault)) return std::nullopt;
    edit = Edit::SetCount(piece->second, amount);
  } else {
    std::string title;
    for (std::size_t i = 1; i < words.size(); ++i) title += (i > 1 ? " " : "") + words[i];
    edit = Edit::SetTitle(FromUtf8(title));
  }
  return edit;
}

}  // namespace qw
