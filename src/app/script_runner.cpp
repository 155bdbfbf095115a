#include "app/script_runner.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <istream>
#include <ostream>
#include <sstream>
#include <vector>

#include "app/game_window.h"
#include "model/cell.h"
#include "platform/bitmap.h"
#include "platform/utf8.h"
#include "ui/controller.h"
#include "ui/level_codes.h"

namespace qw {

namespace {

// Message boxes print one line and count as closed at once.
class ScriptHost final : public WindowHost {
 public:
  explicit ScriptHost(std::ostream& out) : out_(out) {}
  void ShowNote(const std::wstring& text) override { out_ << "bar: " << ToUtf8(text) << '\n'; }
  void ShowMessage(const std::wstring& text) override {
    std::string line;
    for (char c : ToUtf8(text)) {
      if (c == '\r') {
        line += "\\r";
      } else if (c == '\n') {
        line += "\\n";
      } else {
        line.push_back(c);
      }
    }
    out_ << "message: " << line << '\n';
  }
  void CapturePointer(bool) override {}
  void ToolbarVisibilityChanged(bool) override {}

 private:
  std::ostream& out_;
};

// 4096 pixels in steps of 4: far more than any drag on the screen needs.
constexpr std::int64_t kMaxDragSteps = 1024;

struct ScriptError {
  std::string what;
};

std::string Entry(const Cell& c) {
  if (c.kind == KIND_EMPTY) return "-1";
  return std::to_string(KindCode(c.kind)) + ":" + std::to_string(c.variant);
}

void Dump(const GameWindow& window, std::ostream& out) {
  const Puzzle& p = window.puzzle();
  const UiState& ui = window.ui();
  const PressState& press = ui.press;
  out << "mode " << static_cast<std::int32_t>(ui.screenMode) << '\n'
      << "level " << p.currentLevel << '\n'
      << "levels " << window.levelCount() << '\n'
      << "selection " << p.selection.x << ' ' << p.selection.y << '\n'
      << "hovered " << ui.hoveredButton << '\n'
      << "press " << press.buttonDown << ' ' << press.dragging << ' ' << press.lastPoint.x << ' '
      << press.lastPoint.y << ' ' << press.dragSource.x << ' ' << press.dragSource.y << '\n'
      << "password";
  if (!ui.enteredPassword.empty()) out << ' ' << ToUtf8(ui.enteredPassword);
  out << '\n'
      << "toolbar " << (window.toolbarVisible() ? 1 : 0) << '\n'
      << "tray";
  for (const Cell& cell : p.tray) out << ' ' << Entry(cell);
  out << '\n';
  for (std::int32_t y = 0; y < 10; ++y) {
    out << "row" << y;
    for (std::int32_t x = 0; x < 10; ++x) out << ' ' << Entry(p.board[static_cast<std::size_t>(x * 10 + y)]);
    out << '\n';
  }
  const History& history = window.controller().history();
  out << "history " << history.UndoCount() << ' ' << history.RedoCount() << '\n'
      << "cursor " << ui.cursor.x << ' ' << ui.cursor.y << '\n'
      << "hints " << history.hintsUsed << '\n';
  // Appended after the lines above: the solved levels and the level in play.
  const ProgressRecorder* recorder = window.recorder();
  out << "solved";
  for (std::int32_t i = 0; recorder && i < window.levelCount(); ++i) {
    if (recorder->IsSolved(i)) out << ' ' << i;
  }
  out << '\n' << "inplay " << (recorder ? recorder->LevelInPlay() : -1) << '\n';
  // Appended after them: the code of the level in play.
  const std::optional<std::string> code = CodeOfLevelInPlay(p, window.controller().generatedLevel());
  out << "code" << (code ? " " + *code : std::string()) << '\n';
}

std::int32_t ParseInt(const std::string& word) {
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size()) {
    throw ScriptError{"'" + word + "' is not a whole number"};
  }
  return value;
}

std::vector<Point> Points(const std::vector<std::string>& words, std::size_t count) {
  if (words.size() != 1 + 2 * count) {
    throw ScriptError{"'" + words[0] + "' takes " + std::to_string(2 * count) + " numbers"};
  }
  std::vector<Point> points;
  // Clamped as the game clamps pen points, so that a drag's steps run
  // between the points the game receives.
  for (std::size_t i = 0; i < count; ++i) {
    points.push_back(ClampPoint(Point{ParseInt(words[1 + 2 * i]), ParseInt(words[2 + 2 * i])}));
  }
  return points;
}

// One command; pending paints run after every pen event and every other
// command, exactly as the event loop would run them.
class ScriptSession {
 public:
  ScriptSession(GameWindow& window, std::ostream& out) : window_(window), out_(out) {}

  void Run(const std::vector<std::string>& words) {
    const std::string& verb = words[0];
    auto noArguments = [&] {
      if (words.size() != 1) throw ScriptError{"'" + verb + "' takes no arguments"};
    };
    if (verb == "down") {
      Pen(&GameWindow::PenDown, Points(words, 1)[0]);
    } else if (verb == "move") {
      Pen(&GameWindow::PenMove, Points(words, 1)[0]);
    } else if (verb == "up") {
      Pen(&GameWindow::PenUp, Points(words, 1)[0]);
    } else if (verb == "tap") {
      const Point p = Points(words, 1)[0];
      Pen(&GameWindow::PenDown, p);
      Pen(&GameWindow::PenUp, p);
    } else if (verb == "drag") {
      Drag(Points(words, 2));
    } else if (verb == "rotate-ccw") {
      noArguments();
      Command(ID_ROTATE_CCW);
    } else if (verb == "rotate-cw") {
      noArguments();
      Command(ID_ROTATE_CW);
    } else if (verb == "restart") {
      noArguments();
      Command(ID_RESTART);
    } else if (verb == "password") {
      noArguments();
      Command(ID_PASSWORD);
    } else if (verb == "undo") {
      noArguments();
      Command(ID_UNDO);
    } else if (verb == "redo") {
      noArguments();
      Command(ID_REDO);
    } else if (verb == "hint") {
      noArguments();
      Command(ID_HINT);
    } else if (verb == "key") {
      if (words.size() != 2) throw ScriptError{"'key' takes one key name"};
      PressKey(words[1]);
    } else if (verb == "ok") {
      noArguments();
      window_.Ok();
      Settle();
    } else if (verb == "cancel") {
      noArguments();
      window_.Cancel();
      Settle();
    } else if (verb == "shot") {
      if (words.size() != 2) throw ScriptError{"'shot' takes one file name"};
      if (!SaveBmp24(window_.client(), words[1])) throw ScriptError{"cannot write '" + words[1] + "'"};
    } else if (verb == "dump") {
      noArguments();
      Dump(window_, out_);
    } else {
      throw ScriptError{"unknown command '" + verb + "'"};
    }
  }

 private:
  void Pen(void (GameWindow::*handler)(Point), Point p) {
    if (!window_.running()) return;
    (window_.*handler)(p);
    Settle();
  }
  void Command(ToolbarCommand command) {
    window_.Command(command);
    Settle();
  }
  // "ctrl+shift+Z": the modifiers, then a key name as SDL names it.
  void PressKey(const std::string& text) {
    std::string name = text;
    KeyMods mods;
    for (bool more = true; more;) {
      more = false;
      for (const auto& [prefix, flag] : {std::pair<std::string, bool*>{"ctrl+", &mods.ctrl},
                                         std::pair<std::string, bool*>{"shift+", &mods.shift},
                                         std::pair<std::string, bool*>{"alt+", nullptr}}) {
        if (name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0) {
          if (flag) *flag = true;
          name.erase(0, prefix.size());
          more = true;
        }
      }
    }
    char letter = 0;
    const Key key = KeyByName(name, letter);
    if (key == Key::Unknown) throw ScriptError{"unknown key '" + text + "'"};
    if (!window_.running()) return;
    window_.KeyDown(key, letter, mods, false);
    Settle();
  }
  static Key KeyByName(const std::string& name, char& letter) {
    if (name.size() == 1 && std::isdigit(static_cast<unsigned char>(name[0]))) {
      letter = name[0];
      return Key::Letter;
    }
    if (name.size() == 1 && std::isalpha(static_cast<unsigned char>(name[0]))) {
      letter = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
      return Key::Letter;
    }
    static const std::pair<const char*, Key> kNames[] = {
        {"Left", Key::Left},     {"Right", Key::Right},         {"Up", Key::Up},         {"Down", Key::Down},
        {"Space", Key::Space},   {"Return", Key::Enter},        {"Escape", Key::Escape}, {"Backspace", Key::Backspace},
        {"Delete", Key::Delete}, {"Keypad Enter", Key::Enter}, {"F11", Key::F11}};
    // Key names are matched as SDL matches them: in any case.
    auto same = [](const std::string& a, const std::string& b) {
      return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
             });
    };
    for (const auto& [n, k] : kNames) {
      if (same(name, n)) return k;
    }
    return Key::Unknown;
  }
  void Settle() {
    window_.UpdateProgress(false);
    if (window_.running()) window_.PaintPending();
  }
  void Drag(const std::vector<Point>& ends) {
    const Point a = ends[0], b = ends[1];
    Pen(&GameWindow::PenDown, a);
    // Moves along the straight line in steps of at most 4 pixels. A drag
    // far longer than the screen takes at most kMaxDragSteps moves: across
    // the int32 range it would otherwise paint a billion times.
    const std::int64_t dx = std::int64_t{b.x} - a.x, dy = std::int64_t{b.y} - a.y;
    const std::int64_t longest = std::max(std::llabs(dx), std::llabs(dy));
    const std::int64_t steps = std::min<std::int64_t>((longest + 3) / 4, kMaxDragSteps);
    for (std::int64_t i = 1; i <= steps && window_.running(); ++i) {
      Pen(&GameWindow::PenMove, Point{static_cast<std::int32_t>(a.x + dx * i / steps),
                                      static_cast<std::int32_t>(a.y + dy * i / steps)});
    }
    Pen(&GameWindow::PenUp, b);
  }

  GameWindow& window_;
  std::ostream& out_;
};

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

}  // namespace

int RunScript(std::istream& in, std::ostream& out, std::ostream& err, const std::string& dataFolder,
              Surface pieceStrip, ProgressSetup* progress, const GameStart& start) {
  ScriptHost host(out);
  GameWindow window(host, dataFolder, std::move(pieceStrip));
  if (!window.Create()) return 1;
  if (progress && progress->keep) window.AttachProgress(std::move(progress->loaded), progress->sink, SteadyNowMs);
  if (start.level && !window.controller().StartGeneratedLevel(*start.level)) {
    err << "quenchway: the generated level could not be made\n";
    return 1;
  }
  window.PaintPending();
  ScriptSession session(window, out);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    const std::vector<std::string> words = Words(line);
    if (words.empty() || words[0][0] == '#') continue;
    try {
      session.Run(words);
    } catch (const ScriptError& e) {
      err << "quenchway: script line " << number << ": " << e.what << '\n';
      return 2;
    }
    if (!window.running()) {
      window.SaveProgress();
      out << "closed\n";
      return 0;
    }
  }
  window.SaveProgress();
  return 0;
}

}  // namespace qw
