#include "app/script_runner.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <concepts>
#include <cstdlib>
#include <type_traits>
#include <vector>

#include "app/game_loop.h"
#include "app/script_words.h"
#include "data/text.h"
#include "data/level_code.h"
#include "editor/level_draft.h"
#include "platform/key_names.h"
#include "model/cell.h"
#include "platform/bitmap.h"
#include "platform/utf8.h"
#include "ui/controller.h"
#include "ui/level_codes.h"

namespace qw {

namespace {

std::string Escaped(const std::wstring& text) {
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
  return line;
}

// Printed text, put together piece by piece: words as they are, numbers in
// decimal, a flag as 1 or 0.
class Text {
 public:
  Text& operator<<(std::string_view s) {
    text_ += s;
    return *this;
  }
  Text& operator<<(char c) {
    text_ += c;
    return *this;
  }
  template <std::integral Number>
  Text& operator<<(Number n) {
    if constexpr (std::is_same_v<Number, bool>) {
      text_ += n ? '1' : '0';
    } else {
      text_ += std::to_string(n);
    }
    return *this;
  }
  const std::string& str() const { return text_; }

 private:
  std::string text_;
};

// Script mode as the game loop's front end: nothing on screen, a virtual
// clock that only `wait` moves, message boxes printed as one line (and
// closed at once by the session), notes printed as they appear, and a
// clipboard of its own that `paste` fills and `dump` shows.
class ScriptFrontEnd final : public FrontEnd {
 public:
  explicit ScriptFrontEnd(const ScriptIo& io) : io_(io) {}
  void Present(const Surface&, const Rect&) override {}
  void ToggleFullscreen() override {}
  void ShowMessage(const std::wstring& text) override {
    io_.out("message: " + Escaped(text) + '\n');
  }
  void MessageOpened(const std::wstring& text, const Rect&) override { ShowMessage(text); }
  void NoteShown(const std::wstring& text) override { io_.out("bar: " + ToUtf8(text) + '\n'); }
  void CapturePointer(bool) override {}
  bool CopyText(const std::string& text) override {
    clipboard = text;
    return true;
  }
  std::string PastedText() override { return clipboard; }

  std::uint64_t now = 0;  // the virtual clock, in milliseconds
  std::string clipboard;

 private:
  const ScriptIo& io_;
};

// 4096 pixels in steps of 4: far more than any drag on the screen needs.
constexpr std::int64_t kMaxDragSteps = 1024;

// Why a script line cannot run, in words for its author; empty when it can.
// Returned rather than thrown: the browser build carries no unwinding code.

std::string Entry(const Cell& c) {
  if (c.kind == KIND_EMPTY) return "-1";
  return std::to_string(KindCode(c.kind)) + ":" + std::to_string(c.variant);
}

void Dump(GameLoop& window, const ScriptFrontEnd& front, const ScriptIo& io) {
  Text out;
  const UiState& ui = window.controller().state();
  const bool editing = ui.screenMode == MODE_EDITOR;
  if (editing) window.AwaitVerdict();
  // The editor shows the tray and board of the level being made.
  const Puzzle& p = window.puzzle();
  const Puzzle& shown = editing ? window.controller().editor().preview() : p;
  const PressState& press = ui.press;
  out << "mode " << static_cast<std::int32_t>(ui.screenMode) << '\n'
      << "level " << p.currentLevel() << '\n'
      << "levels " << p.LevelCount() << '\n'
      << "selection " << p.selection().x << ' ' << p.selection().y << '\n'
      << "hovered " << ui.hoveredButton << '\n'
      << "press " << press.buttonDown << ' ' << press.dragging << ' ' << press.lastPoint.x << ' '
      << press.lastPoint.y << ' ' << press.dragSource.x << ' ' << press.dragSource.y << '\n'
      << "password";
  if (!ui.enteredPassword.empty()) out << ' ' << ToUtf8(ui.enteredPassword);
  out << '\n' << "toolbar " << (window.toolbarVisible() ? 1 : 0) << '\n' << "tray";
  for (const Cell& cell : shown.tray()) out << ' ' << Entry(cell);
  out << '\n';
  for (std::int32_t y = 0; y < 10; ++y) {
    out << "row" << y;
    for (std::int32_t x = 0; x < 10; ++x)
      out << ' ' << Entry(shown.board()[static_cast<std::size_t>(x * 10 + y)]);
    out << '\n';
  }
  const History& history = window.controller().history();
  out << "history " << history.UndoCount() << ' ' << history.RedoCount() << '\n'
      << "cursor " << ui.cursor.x << ' ' << ui.cursor.y << '\n'
      << "hints " << history.hintsUsed() << '\n';
  // Appended after the lines above: the solved levels and the level in play.
  const ProgressRecorder* recorder = window.recorder();
  out << "solved";
  for (std::int32_t i = 0; recorder && i < p.LevelCount(); ++i) {
    if (recorder->IsSolved(i)) out << ' ' << i;
  }
  out << '\n' << "inplay " << (recorder ? recorder->LevelInPlay() : -1) << '\n';
  // Appended after those: the command bar's tooltip.
  out << "tooltip";
  if (const std::wstring* tip = window.tooltip()) out << ' ' << ToUtf8(*tip);
  out << '\n';
  // Then: the code of the level in play.
  const std::optional<std::string> code =
      CodeOfLevelInPlay(p, window.controller().generatedLevel());
  out << "code" << (code ? " " + *code : std::string()) << '\n';
  // Then: the clipboard's text.
  out << "clipboard" << (front.clipboard.empty() ? std::string() : " " + front.clipboard) << '\n';
  // Then: whether something moves, and the sounds started since the last dump.
  out << "animating " << (window.Animating() ? 1 : 0) << '\n' << "sounds";
  for (const Sound sound : window.TakeSoundsStarted()) out << ' ' << SoundName(sound);
  out << '\n';
  // Then: the theme every screen is drawn in.
  out << "theme " << ThemeOf(window.theme()).name << '\n';
  // Last, in the editor: its verdict line.
  if (editing) out << "verdict " << window.controller().editor().verdict() << '\n';
  io.out(out.str());
}

bool Points(const std::vector<std::string>& words, std::size_t count, std::vector<Point>& points,
            Fault& fault) {
  if (words.size() != 1 + 2 * count) {
    fault = "'" + words[0] + "' takes " + std::to_string(2 * count) + " numbers";
    return false;
  }
  // Clamped as the game clamps pen points, so that a drag's steps run
  // between the points the game receives.
  for (std::size_t i = 0; i < count; ++i) {
    Point p;
    if (!ParseInt(words[1 + 2 * i], p.x, fault) || !ParseInt(words[2 + 2 * i], p.y, fault)) {
      return false;
    }
    points.push_back(ClampPoint(p));
  }
  return true;
}

InputEvent PenEvent(InputEvent::Type type, Point p) {
  InputEvent e;
  e.type = type;
  e.point = p;
  e.pen = true;
  return e;
}

// "ctrl+shift+Z": the modifiers, then a key name as SDL names it.
bool KeyEvent(const std::string& text, InputEvent& e, Fault& fault) {
  e.type = InputEvent::Type::KeyDown;
  std::string name = text;
  for (bool more = true; more;) {
    more = false;
    for (const auto& [prefix, flag] : {std::pair<std::string, bool*>{"ctrl+", &e.ctrl},
                                       std::pair<std::string, bool*>{"shift+", &e.shift},
                                       std::pair<std::string, bool*>{"alt+", &e.alt}}) {
      if (name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0) {
        *flag = true;
        name.erase(0, prefix.size());
        more = true;
      }
    }
  }
  e.key = KeyFromName(name, e.letter);
  if (e.key == Key::Unknown) {
    fault = "unknown key '" + text + "'";
    return false;
  }
  return true;
}

// One command, turned into the input events the window would deliver and
// handed to the game loop; pending paints run after every pen event and
// every other command, exactly as the event loop runs them.
class ScriptSession {
 public:
  ScriptSession(GameLoop& loop, ScriptFrontEnd& front, const ScriptIo& io)
      : loop_(loop), front_(front), io_(io) {}

  Fault Run(const std::vector<std::string>& words) {
    const std::string& verb = words[0];
    const Fault noArguments = words.size() != 1 ? "'" + verb + "' takes no arguments" : Fault();
    static const std::pair<const char*, ToolbarCommand> kCommands[] = {
        {"rotate-ccw", ID_ROTATE_CCW},
        {"rotate-cw", ID_ROTATE_CW},
        {"restart", ID_RESTART},
        {"password", ID_PASSWORD},
        {"undo", ID_UNDO},
        {"redo", ID_REDO},
        {"hint", ID_HINT}};
    for (const auto& [name, command] : kCommands) {
      if (verb != name) continue;
      if (!noArguments.empty()) return noArguments;
      InputEvent e;
      e.type = InputEvent::Type::Command;
      e.command = static_cast<std::int32_t>(command);
      Send(e);
      return {};
    }
    Fault fault;
    std::vector<Point> points;
    InputEvent key;
    if (verb == "down" || verb == "move" || verb == "up" || verb == "tap") {
      if (!Points(words, 1, points, fault)) return fault;
      const Point p = points[0];
      if (verb == "down" || verb == "tap") Send(PenEvent(InputEvent::Type::PointerDown, p));
      if (verb == "move") Send(PenEvent(InputEvent::Type::PointerMove, p));
      if (verb == "up" || verb == "tap") Send(PenEvent(InputEvent::Type::PointerUp, p));
    } else if (verb == "drag") {
      if (!Points(words, 2, points, fault)) return fault;
      Drag(points);
    } else if (verb == "key") {
      if (words.size() != 2) return "'key' takes one key name";
      if (!KeyEvent(words[1], key, fault)) return fault;
      Send(key);
    } else if (verb == "ok") {
      if (!noArguments.empty()) return noArguments;
      InputEvent e;  // Escape: the OK action
      e.type = InputEvent::Type::KeyDown;
      e.key = Key::Escape;
      Send(e);
    } else if (verb == "cancel") {
      if (!noArguments.empty()) return noArguments;
      InputEvent e;
      e.type = InputEvent::Type::Close;
      Send(e);
    } else if (verb == "wait") {
      if (words.size() != 2) return "'wait' takes a number of milliseconds";
      std::int32_t ms = 0;
      if (!ParseInt(words[1], ms, fault)) return fault;
      if (ms < 0) return "'wait' takes a number of milliseconds from 0";
      front_.now += static_cast<std::uint64_t>(ms);
      loop_.Tick();
      Settle();
    } else if (verb == "set") {
      return Set(words);
    } else if (verb == "shot" || verb == "frame") {
      if (words.size() != 2) return "'" + verb + "' takes one file name";
      // The editor's picture shows the verdict of what it shows.
      if (loop_.controller().state().screenMode == MODE_EDITOR) loop_.AwaitVerdict();
      if (!SaveBmp24(verb == "shot" ? loop_.client() : loop_.frame(), words[1]))
        return "cannot write '" + words[1] + "'";
    } else if (verb == "paste") {
      // The rest of the line, its words joined by one blank, is put on the
      // clipboard (nothing: it is emptied), then Ctrl+V is pressed.
      front_.clipboard.clear();
      for (std::size_t i = 1; i < words.size(); ++i)
        front_.clipboard += (i > 1 ? " " : "") + words[i];
      KeyEvent("ctrl+V", key, fault);
      Send(key);
    } else if (verb == "dump") {
      if (!noArguments.empty()) return noArguments;
      Dump(loop_, front_, io_);
    } else if (verb == "editor") {
      if (words.size() > 2) return "'editor' takes at most a level's code";
      Draft draft;
      if (words.size() == 2) {
        // A shared level's code: that level, to change.
        std::string why = "it is not a whole level's code";
        const std::optional<CodedLevel> coded = DecodeLevel(words[1], &why);
        std::optional<Draft> read;
        if (coded && coded->kind == CodedLevel::Kind::kBoard) read = FromRecord(coded->board, &why);
        if (!read) return "'editor' cannot open that code: " + why;
        draft = std::move(*read);
      }
      loop_.controller().OpenEditor(std::move(draft));
      Settle();
    } else if (verb == "place" || verb == "remove" || verb == "turn" || verb == "count" ||
               verb == "title") {
      return EditorCommand(words);
    } else {
      return "unknown command '" + verb + "'";
    }
    return {};
  }

 private:
  // set animation off|normal|fast, set volume 0..100, set theme
  // classic|dark|contrast, set boxes open|closed.
  Fault Set(const std::vector<std::string>& words) {
    if (words.size() != 3) return "'set' takes a name and a value";
    if (words[1] == "animation") {
      const std::optional<Motion> motion = MotionFromName(words[2]);
      if (!motion) return "'set animation' takes off, normal or fast";
      loop_.SetMotion(*motion);
    } else if (words[1] == "volume") {
      std::int32_t volume = 0;
      Fault fault;
      if (!ParseInt(words[2], volume, fault)) return fault;
      if (volume < 0 || volume > 100) return "'set volume' takes 0 to 100";
      loop_.SetVolume(volume);
    } else if (words[1] == "theme") {
      const std::optional<ThemeId> theme = ThemeByName(words[2]);
      if (!theme) return "'set theme' takes classic, dark or contrast";
      loop_.SetTheme(*theme);
    } else if (words[1] == "boxes") {
      if (words[2] != "open" && words[2] != "closed") return "'set boxes' takes open or closed";
      boxesOpen_ = words[2] == "open";
    } else {
      return "'set' knows animation, volume, theme and boxes, not '" + words[1] + "'";
    }
    Settle();
    return {};
  }
  // The editor's edits, made as its screen makes them; an edit it refuses
  // prints its reason as a note, as the screen shows it.
  Fault EditorCommand(const std::vector<std::string>& words) {
    if (loop_.controller().state().screenMode != MODE_EDITOR)
      return "'" + words[0] + "' works in the editor only";
    Fault fault;
    const std::optional<Edit> edit = ParseEdit(words, fault);
    if (!edit) return fault;
    loop_.controller().MakeEdit(*edit);
    Settle();
    return {};
  }
  void Send(const InputEvent& e) {
    if (!loop_.running()) return;
    loop_.Handle(e);
    Settle();
  }
  // A message box counts as closed at once: its OK key is pressed as soon as
  // it opens (the front end has printed it), and the next one opens.
  void Settle() {
    while (!boxesOpen_ && loop_.running() && loop_.messageBox()) {
      InputEvent ok;
      ok.type = InputEvent::Type::KeyDown;
      ok.key = Key::Enter;
      loop_.Handle(ok);
    }
    // The editor's verdict is waited for: what a script prints never
    // depends on how fast the search ran.
    if (loop_.running() && loop_.controller().state().screenMode == MODE_EDITOR)
      loop_.AwaitVerdict();
    loop_.Flush();
  }
  void Drag(const std::vector<Point>& ends) {
    const Point a = ends[0], b = ends[1];
    Send(PenEvent(InputEvent::Type::PointerDown, a));
    // Moves along the straight line in steps of at most 4 pixels. A drag
    // far longer than the screen takes at most kMaxDragSteps moves: across
    // the int32 range it would otherwise paint a billion times.
    const std::int64_t dx = std::int64_t{b.x} - a.x, dy = std::int64_t{b.y} - a.y;
    const std::int64_t longest = std::max(std::llabs(dx), std::llabs(dy));
    const std::int64_t steps = std::min<std::int64_t>((longest + 3) / 4, kMaxDragSteps);
    for (std::int64_t i = 1; i <= steps && loop_.running(); ++i) {
      Send(PenEvent(InputEvent::Type::PointerMove,
                    Point{static_cast<std::int32_t>(a.x + dx * i / steps),
                          static_cast<std::int32_t>(a.y + dy * i / steps)}));
    }
    Send(PenEvent(InputEvent::Type::PointerUp, b));
  }

  GameLoop& loop_;
  ScriptFrontEnd& front_;
  const ScriptIo& io_;
  // Message boxes stay on screen until a key or the pen closes them.
  bool boxesOpen_ = false;
};

}  // namespace

int RunScript(const ScriptIo& io, const std::string& dataFolder, Surface pieceStrip,
              Surface toolbarStrip, ProgressSetup* progress, const GameStart& start) {
  ScriptFrontEnd front(io);
  GameLoop loop(
      front, [&front] { return front.now; }, dataFolder, std::move(pieceStrip),
      std::move(toolbarStrip));
  std::optional<std::pair<Progress, ProgressSink*>> kept;
  if (progress && progress->keep) kept.emplace(std::move(progress->loaded), progress->sink);
  if (std::string problem; !loop.Start(std::move(kept), start, problem)) {
    if (!problem.empty()) io.err("quenchway: " + problem + '\n');
    return 1;
  }
  if (progress) loop.KeepOwnLevels(progress->ownLevels);
  // Still and silent unless the script asks: every session plays as it
  // always has.
  loop.SetMotion(start.motion.value_or(Motion::kOff));
  loop.SetVolume(0);
  loop.NoteSounds();
  loop.Flush();
  ScriptSession session(loop, front, io);
  std::string line;
  for (int number = 1; io.readLine(line); ++number) {
    const std::vector<std::string> words = SplitWords(line);
    if (words.empty() || words[0][0] == '#') continue;
    if (const Fault fault = session.Run(words); !fault.empty()) {
      io.err("quenchway: script line " + std::to_string(number) + ": " + fault + '\n');
      return 2;
    }
    if (!loop.running()) {
      loop.SaveProgress();
      io.out("closed\n");
      return 0;
    }
  }
  loop.SaveProgress();
  return 0;
}

}  // namespace qw
