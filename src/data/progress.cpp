#include "data/progress.h"

#include <algorithm>
#include <limits>

#include "data/calendar.h"

namespace qw {

namespace {

constexpr std::uint64_t kFnvOffset = 14695981039346656037ull;
constexpr std::uint64_t kFnvPrime = 1099511628211ull;

class Fnv {
 public:
  void Byte(unsigned char b) { hash_ = (hash_ ^ b) * kFnvPrime; }
  void Text(std::string_view s) {
    for (const char c : s) Byte(static_cast<unsigned char>(c));
  }
  void Number(std::int64_t n) { Text(std::to_string(n) + ";"); }
  // Length first, so that no two lists of strings write the same bytes.
  // Characters above one byte (never in a file read byte by byte) are written
  // as their number, which keeps the form one-to-one.
  void String(const std::wstring& s) {
    Number(static_cast<std::int64_t>(s.size()));
    for (const wchar_t c : s) {
      if (c >= 0 && c < 256) {
        Byte(static_cast<unsigned char>(c));
      } else {
        Text("\\");
        Number(static_cast<std::int64_t>(c));
      }
    }
    Text(";");
  }
  std::uint64_t value() const { return hash_; }

 private:
  std::uint64_t hash_ = kFnvOffset;
};

std::string KeyText(LevelKey key) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string text(16, '0');
  for (int i = 15; i >= 0; --i, key >>= 4) text[static_cast<std::size_t>(i)] = kHex[key & 15];
  return text;
}

std::string CellText(const SavedCell& c) {
  if (c.kind == -1) return "-1";
  return std::to_string(c.kind) + ":" + std::to_string(c.variant);
}

std::string BestText(const std::optional<std::int32_t>& v) { return v ? std::to_string(*v) : "-"; }

// One line's fields, split at single spaces, into fields (whose memory is
// used again line after line).
void SplitFields(std::string_view line, std::vector<std::string_view>& fields) {
  fields.clear();
  std::size_t start = 0;
  for (;;) {
    const std::size_t space = line.find(' ', start);
    fields.push_back(line.substr(
        start, space == std::string_view::npos ? std::string_view::npos : space - start));
    if (space == std::string_view::npos) break;
    start = space + 1;
    if (fields.size() > 128) break;  // no line of the format has as many
  }
}

// A number 0 .. int32 max, written without sign or leading zeros.
std::optional<std::int32_t> ReadCount(std::string_view s) {
  if (s.empty() || s.size() > 10 || (s.size() > 1 && s[0] == '0')) return std::nullopt;
  std::int64_t v = 0;
  for (const char c : s) {
    if (c < '0' || c > '9') return std::nullopt;
    v = v * 10 + (c - '0');
  }
  if (v > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  return static_cast<std::int32_t>(v);
}

std::optional<LevelKey> ReadKey(std::string_view s) {
  if (s.size() != 16) return std::nullopt;
  LevelKey key = 0;
  for (const char c : s) {
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else {
      return std::nullopt;
    }
    key = (key << 4) | static_cast<LevelKey>(digit);
  }
  return key;
}

bool ValidCell(const SavedCell& c) {
  if (c.kind == -1) return c.variant == 0;
  return c.kind >= 0 && c.kind <= 35 && c.variant >= 0 && c.variant <= 7;
}

std::optional<SavedCell> ReadCell(std::string_view s) {
  if (s == "-1") return SavedCell{};
  const std::size_t colon = s.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  const std::optional<std::int32_t> kind = ReadCount(s.substr(0, colon));
  const std::optional<std::int32_t> variant = ReadCount(s.substr(colon + 1));
  if (!kind || !variant) return std::nullopt;
  const SavedCell cell{*kind, *variant};
  if (!ValidCell(cell)) return std::nullopt;
  return cell;
}

std::optional<std::int32_t> ReadBest(std::string_view s, bool& ok) {
  if (s == "-") return std::nullopt;
  const std::optional<std::int32_t> v = ReadCount(s);
  if (!v) ok = false;
  return v;
}

bool ValidStep(std::string_view text) {
  if (text.empty() || text.size() > kMaxHistoryStepLength) return false;
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c <= 0x7e; });
}

// Reads the text line by line; each step names the line it stopped on.
class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  ProgressParse Read() {
    ProgressParse result;
    Progress p;
    if (!ReadAll(p)) {
      result.error = "line " + std::to_string(lineNumber_) + ": " + error_;
      return result;
    }
    result.progress = std::move(p);
    return result;
  }

 private:
  bool Fail(const std::string& why) {
    error_ = why;
    return false;
  }

  // The next line without its "\n"; false at the end of the text or for a
  // line that does not end in "\n".
  bool Next() {
    ++lineNumber_;
    if (pos_ >= text_.size()) return Fail("the text ends before its end line");
    const std::size_t end = text_.find('\n', pos_);
    if (end == std::string_view::npos) return Fail("the last line does not end");
    line_ = text_.substr(pos_, end - pos_);
    pos_ = end + 1;
    for (const char c : line_) {
      if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7e) {
        return Fail("a character that is not printable ASCII");
      }
    }
    return true;
  }
  // The line's first field is word. Only such lines are split into fields;
  // history lines, most of a long file, never are.
  bool Is(std::string_view word) const {
    return line_.starts_with(word) && (line_.size() == word.size() || line_[word.size()] == ' ');
  }
  bool Expect(std::string_view word, std::size_t count) {
    std::string why = "'";
    why.append(word).append("' ");
    if (!Is(word)) return Fail(why.append("expected"));
    SplitFields(line_, fields_);
    if (fields_.size() != count)
      return Fail(why.append("needs ").append(std::to_string(count - 1)).append(" values"));
    return true;
  }

  bool ReadAll(Progress& p) {
    if (!Next()) return false;
    const bool first = line_ == kProgressHeaderV1;
    const bool kept = line_ == kProgressHeader;
    const bool settings = kept;  // only the third version has them
    if (!kept && !first && line_ != kProgressHeaderV2) {
      return Fail(line_.rfind("quenchway-progress ", 0) == 0 ? "a version this game does not know"
                                                             : "not a progress file");
    }
    if (!Next() || !Expect("scale", 2)) return false;
    const std::optional<std::int32_t> scale = ReadCount(fields_[1]);
    if (!scale || *scale > kMaxSavedScale) return Fail("a scale outside 0 to 16");
    p.scale = *scale;
    if (!Next() || !Expect("fullscreen", 2)) return false;
    if (fields_[1] != "0" && fields_[1] != "1") return Fail("fullscreen is neither 0 nor 1");
    p.fullscreen = fields_[1] == "1";

    if (!Next()) return false;
    // The settings, each optional: absent, it keeps its default.
    if (settings && Is("animation")) {
      if (!Expect("animation", 2)) return false;
      const auto* name = std::find(kAnimationNames.begin(), kAnimationNames.end(), fields_[1]);
      if (name == kAnimationNames.end()) return Fail("animation is none of off, normal and fast");
      p.animation = static_cast<SavedAnimation>(name - kAnimationNames.begin());
      if (!Next()) return false;
    }
    if (settings && Is("volume")) {
      if (!Expect("volume", 2)) return false;
      const std::optional<std::int32_t> volume = ReadCount(fields_[1]);
      if (!volume || *volume > 100) return Fail("a volume outside 0 to 100");
      p.volume = *volume;
      if (!Next()) return false;
    }
    if (settings && Is("mute")) {
      if (!Expect("mute", 2)) return false;
      if (fields_[1] != "0" && fields_[1] != "1") return Fail("mute is neither 0 nor 1");
      p.mute = fields_[1] == "1";
      if (!Next()) return false;
    }
    if (settings && Is("theme")) {
      if (!Expect("theme", 2)) return false;
      // A theme this game does not know (a later game's, say) is Classic.
      p.theme = ThemeByName(fields_[1]).value_or(ThemeId::kClassic);
      if (!Next()) return false;
    }
    while (Is("solved")) {
      if (!ReadSolved(p)) return false;
      if (!Next()) return false;
    }
    while (!first && Is("daily")) {
      if (!ReadDaily(p)) return false;
      if (!Next()) return false;
    }
    if (Is("play")) {
      p.play.emplace();
      if (!ReadBoard("play", *p.play)) return false;
    }
    while (kept && Is("kept")) {
      if (p.kept.size() >= kMaxKeptBoards) return Fail("too many kept boards");
      if (!ReadBoard("kept", p.kept.emplace_back())) return false;
    }
    if (line_ != "end") return Fail("'end' expected");
    if (pos_ != text_.size()) {
      ++lineNumber_;
      return Fail("text after the end line");
    }
    return true;
  }

  bool ReadSolved(Progress& p) {
    if (!Expect("solved", 6)) return false;
    const std::optional<LevelKey> key = ReadKey(fields_[1]);
    if (!key) return Fail("a level key is 16 lowercase hexadecimal digits");
    bool ok = true;
    LevelBest best;
    best.pieces = ReadBest(fields_[2], ok);
    best.steps = ReadBest(fields_[3], ok);
    best.hints = ReadBest(fields_[4], ok);
    best.timeMs = ReadBest(fields_[5], ok);
    if (!ok) return Fail("a best is a number or '-'");
    if (p.solved.size() >= kMaxSolvedLevels && !p.solved.contains(*key))
      return Fail("too many solved levels");
    RecordSolved(p, *key, best);
    return true;
  }

  bool ReadDaily(Progress& p) {
    if (!Expect("daily", 2)) return false;
    const std::optional<Date> date = ParseDate(std::string(fields_[1]));
    if (!date) return Fail("a day is YYYY-MM-DD, from 1970-01-01 to 9999-12-31");
    const std::int64_t day = DayNumber(*date);
    if (!p.dailySolved.empty() && day <= *p.dailySolved.rbegin())
      return Fail("the days are not in ascending order");
    if (p.dailySolved.size() >= kMaxSolvedDays) return Fail("too many solved days");
    p.dailySolved.insert(day);
    return true;
  }

  bool ReadCells(std::string_view word, SavedCell* cells, std::size_t count) {
    if (!Next() || !Expect(word, count + 1)) return false;
    for (std::size_t i = 0; i < count; ++i) {
      const std::optional<SavedCell> c = ReadCell(fields_[i + 1]);
      if (!c) return Fail("a cell is -1 or KIND:VARIANT, kind 0 to 35 and variant 0 to 7");
      cells[i] = *c;
    }
    return true;
  }

  // A board's block, from its first line (word KEY) to the line after its
  // history, which is left in line_.
  bool ReadBoard(std::string_view word, SavedPlay& play) {
    if (!Expect(word, 2)) return false;
    const std::optional<LevelKey> key = ReadKey(fields_[1]);
    if (!key) return Fail("a level key is 16 lowercase hexadecimal digits");
    if (!keys_.insert(*key).second) return Fail("a second board of one level");
    play.level = *key;
    if (!Next() || !Expect("counters", 4)) return false;
    const std::optional<std::int32_t> steps = ReadCount(fields_[1]), hints = ReadCount(fields_[2]),
                                      time = ReadCount(fields_[3]);
    if (!steps || !hints || !time) return Fail("a counter is a number");
    play.steps = *steps;
    play.hints = *hints;
    play.timeMs = *time;
    if (!ReadCells("tray", play.tray.data(), play.tray.size())) return false;
    for (std::size_t row = 0; row < 10; ++row) {
      if (!ReadCells("row" + std::to_string(row), play.board.data() + 10 * row, 10)) return false;
    }
    if (!Next()) return false;
    for (const std::string_view step : {std::string_view("undo "), std::string_view("redo ")}) {
      std::vector<std::string>& steps = step == "undo " ? play.undo : play.redo;
      while (line_.rfind(step, 0) == 0) {
        const std::string_view text = line_.substr(step.size());
        if (!ValidStep(text)) return Fail("a history step is 1 to 256 printable characters");
        if (historySteps_ >= kMaxHistorySteps) return Fail("too long a history");
        ++historySteps_;
        steps.emplace_back(text);
        if (!Next()) return false;
      }
    }
    return true;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  std::int32_t lineNumber_ = 0;
  std::string_view line_;
  std::vector<std::string_view> fields_;
  std::string error_;
  std::set<LevelKey> keys_;       // of the boards read so far
  std::size_t historySteps_ = 0;  // over all boards read so far
};

}  // namespace

LevelKey KeyOfLevel(const LevelRecord& level) {
  Fnv h;
  h.Text("quenchway-level;");
  h.String(level.title);
  h.String(level.password);
  h.Number(level.elbowCount);
  h.Number(level.bendCount);
  h.Number(level.splitterCount);
  h.Number(level.sourceCell);
  h.Number(level.sourceRotation);
  h.String(level.fireCells);
  h.String(level.hazardCells);
  h.String(level.wallCells);
  return h.value();
}

namespace {

void WriteBoard(std::string_view word, const SavedPlay& play, std::string& out) {
  out.append(word).append(KeyText(play.level)).append("\n");
  out.append("counters ")
      .append(std::to_string(play.steps))
      .append(" ")
      .append(std::to_string(play.hints))
      .append(" ")
      .append(std::to_string(play.timeMs))
      .append("\n");
  out.append("tray");
  for (const SavedCell& c : play.tray) out.append(" ").append(CellText(c));
  out.append("\n");
  for (std::size_t row = 0; row < 10; ++row) {
    out.append("row").append(std::to_string(row));
    for (std::size_t col = 0; col < 10; ++col)
      out.append(" ").append(CellText(play.board[10 * row + col]));
    out.append("\n");
  }
  for (const std::string& s : play.undo) out.append("undo ").append(s).append("\n");
  for (const std::string& s : play.redo) out.append("redo ").append(s).append("\n");
}

}  // namespace

std::string WriteProgress(const Progress& p) {
  std::string out;
  out.reserve(256 + 48 * p.solved.size() + 17 * p.dailySolved.size() + 700 * (p.kept.size() + 1) +
              64 * HistorySteps(p));
  out.append(kProgressHeader).append("\n");
  out.append("scale ").append(std::to_string(p.scale)).append("\n");
  out.append("fullscreen ").append(p.fullscreen ? "1" : "0").append("\n");
  out.append("animation ")
      .append(kAnimationNames[static_cast<std::size_t>(p.animation)])
      .append("\n");
  out.append("volume ").append(std::to_string(p.volume)).append("\n");
  out.append("mute ").append(p.mute ? "1" : "0").append("\n");
  if (p.theme) out.append("theme ").append(ThemeOf(*p.theme).name).append("\n");
  for (const auto& [key, best] : p.solved) {
    out.append("solved ").append(KeyText(key));
    for (const auto* v : {&best.pieces, &best.steps, &best.hints, &best.timeMs})
      out.append(" ").append(BestText(*v));
    out.append("\n");
  }
  for (const std::int64_t day : p.dailySolved) {
    if (const std::optional<Date> date = DateOfDay(day))
      out.append("daily ").append(DateText(*date)).append("\n");
  }
  if (p.play) WriteBoard("play ", *p.play, out);
  for (const SavedPlay& board : p.kept) WriteBoard("kept ", board, out);
  out.append("end\n");
  return out;
}

ProgressParse ParseProgress(std::string_view text) {
  if (text.size() > kMaxProgressBytes)
    return ProgressParse{std::nullopt, "larger than the format allows"};
  return Reader(text).Read();
}

bool CheckProgress(const Progress& p, std::string* error) {
  const auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return false;
  };
  if (p.scale < 0 || p.scale > kMaxSavedScale) return fail("a scale outside 0 to 16");
  if (static_cast<std::size_t>(p.animation) >= kAnimationNames.size())
    return fail("an animation outside the format");
  if (p.volume < 0 || p.volume > 100) return fail("a volume outside 0 to 100");
  if (p.solved.size() > kMaxSolvedLevels) return fail("too many solved levels");
  for (const auto& [key, best] : p.solved) {
    for (const auto* v : {&best.pieces, &best.steps, &best.hints, &best.timeMs}) {
      if (*v && **v < 0) return fail("a negative best");
    }
  }
  if (p.dailySolved.size() > kMaxSolvedDays) return fail("too many solved days");
  for (const std::int64_t day : p.dailySolved) {
    if (!DateOfDay(day)) return fail("a solved day outside the years 1970 to 9999");
  }
  if (p.kept.size() > kMaxKeptBoards) return fail("too many kept boards");
  if (HistorySteps(p) > kMaxHistorySteps) return fail("too long a history");
  std::set<LevelKey> keys;
  std::vector<const SavedPlay*> boards;
  if (p.play) boards.push_back(&*p.play);
  for (const SavedPlay& board : p.kept) boards.push_back(&board);
  for (const SavedPlay* board : boards) {
    const SavedPlay& play = *board;
    if (!keys.insert(play.level).second) return fail("a second board of one level");
    if (play.steps < 0 || play.hints < 0 || play.timeMs < 0) return fail("a negative counter");
    if (!std::all_of(play.tray.begin(), play.tray.end(), ValidCell) ||
        !std::all_of(play.board.begin(), play.board.end(), ValidCell)) {
      return fail("a cell outside the format");
    }
    if (!std::all_of(play.undo.begin(), play.undo.end(), ValidStep) ||
        !std::all_of(play.redo.begin(), play.redo.end(), ValidStep)) {
      return fail("a history step outside the format");
    }
  }
  return true;
}

}  // namespace qw
