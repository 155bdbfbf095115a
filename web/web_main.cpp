// Quenchway in the browser: the page's input fed to the game loop, the
// canvas as its front end, and the script hook for tests. The page script
// (web/page.js) calls the exported functions below.
#include <emscripten.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/game_loop.h"
#include "app/script_runner.h"
#include "app/web_own_levels.h"
#include "app/web_progress.h"
#include "platform/bitmap.h"
#include "platform/files.h"
#include "platform/key_names.h"
#include "platform/utf8.h"
#include "platform/web_audio.h"
#include "platform/web_page.h"
#include "ui/game_texts.h"
#include "qw_app_resources.h"
#include "quenchway_resources.h"

namespace qw {

namespace {

// The data files are compiled in, and read from this folder in memory.
constexpr const char* kDataFolder = "/data";

void PutDataFiles() {
  const std::pair<const char*, std::span<const std::uint8_t>> files[] = {
      {"/data/qw_images.dat", data::kQwImagesDat},
      {"/data/qw_layout.dat", data::kQwLayoutDat},
      {"/data/qw_levels.dat", data::kQwLevelsDat}};
  for (const auto& [path, bytes] : files)
    PutFileInMemory(path,
                    std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

// A theme's fetched file holds its pictures one after another, each a BMP
// whose header gives its length: the skin, then the piece strip and the
// toolbar strip. Each goes into the theme's folder in memory; the game finds
// there what came whole, and Classic's strips stand in for any that did not.
void PutThemeArt(const std::string& folder, std::span<const std::uint8_t> bytes) {
  for (const char* name : {"qw_images.dat", "pieces.bmp", "toolbar.bmp"}) {
    if (bytes.size() < 6 || bytes[0] != 'B' || bytes[1] != 'M') return;
    const std::size_t length =
        bytes[2] | bytes[3] << 8 | bytes[4] << 16 | static_cast<std::size_t>(bytes[5]) << 24;
    if (length < 6 || length > bytes.size()) return;
    PutFileInMemory(folder + name,
                    std::string_view(reinterpret_cast<const char*>(bytes.data()), length));
    bytes = bytes.subspan(length);
  }
}

class WebFrontEnd final : public FrontEnd {
 public:
  void Present(const Surface& frame, const Rect& changed) override { web::Present(frame, changed); }
  void ToggleFullscreen() override { web::ToggleFullscreen(); }
  void ShowMessage(const std::wstring& text) override { web::ShowMessage(ToUtf8(text)); }
  void MessageOpened(const std::wstring& text, const Rect& ok) override {
    web::MessageOpened(ToUtf8(text), ok);
  }
  void NoteShown(const std::wstring& text) override { web::NoteShown(ToUtf8(text)); }
  // The page captures the pointer on every press that lands on the canvas.
  void CapturePointer(bool) override {}
  bool CopyText(const std::string& text) override {
    copied = text;
    return web::CopyText(text);
  }
  std::string PastedText() override { return pasted; }
  bool FetchThemeArt(const std::string& name) override {
    web::FetchThemeArt(name);
    return true;
  }

  std::string copied;  // shown in a box should the clipboard refuse it
  std::string pasted;  // the page's last paste
};

struct WebGame {
  WebFrontEnd front;
  std::unique_ptr<GameLoop> loop;
};

WebGame& Page() {
  static WebGame game;
  return game;
}

void Settle();

void OnTimer() {
  GameLoop* loop = Page().loop.get();
  if (loop == nullptr || !loop->running()) return;
  loop->Tick();
  Settle();
}

// After every input: paint and present, then end the game or arm the timer.
void Settle() {
  GameLoop& loop = *Page().loop;
  loop.Flush();
  if (!loop.running()) {
    web::GameEnded();
  } else if (loop.Animating()) {
    web::RequestFrame(OnTimer);  // the water runs at the display's pace
  } else if (const std::optional<std::int32_t> timeout = loop.TimeoutMs()) {
    web::SetTimer(*timeout, OnTimer);
  }
}

void Feed(const InputEvent& e) {
  GameLoop* loop = Page().loop.get();
  if (loop == nullptr || !loop->running()) return;
  loop->Handle(e);
  Settle();
}

}  // namespace

}  // namespace qw

extern "C" {

// Starts a new game in the menu, the water still when the page asks for
// reduced motion, and in the theme the page prefers (0 Classic, 1 Dark, 2
// High contrast) until the player chooses one. 1 when it runs, 0 when the
// built-in pictures or the data files fail (the message boxes have said so).
EMSCRIPTEN_KEEPALIVE int qw_start(int reducedMotion, int preferredTheme) {
  using namespace qw;
  PutDataFiles();
  std::optional<Surface> pieces = LoadBmpMemory(resources::kPiecesBmp);
  std::optional<Surface> toolbar = LoadBmpMemory(resources::kToolbarBmp);
  if (!pieces || !toolbar) {
    web::ShowMessage("The game's built-in pictures are damaged.");
    return 0;
  }
  Page().loop = std::make_unique<GameLoop>(
      Page().front, [] { return web::NowMs(); }, kDataFolder, std::move(*pieces),
      std::move(*toolbar));
  std::string problem;
  GameStart start;
  if (preferredTheme > 0 && preferredTheme < kThemeCount)
    start.preferredTheme = static_cast<ThemeId>(preferredTheme);
  if (!Page().loop->Start(WebProgress(*Page().loop), start, problem)) {
    Page().loop.reset();
    return 0;
  }
  Page().loop->KeepOwnLevels(&WebOwnLevels());
  Page().loop->SearchVerdictsInPage();
  if (reducedMotion != 0) Page().loop->SetMotion(Motion::kOff);  // over the kept setting
  Page().loop->SetAudioOpener([] { return web::OpenWebAudio(); });
  Settle();
  return 1;
}

// A theme's pictures, `size` bytes the page fetched: kept in the data folder,
// where the game finds them from now on, and shown when still wanted.
EMSCRIPTEN_KEEPALIVE void qw_theme_art(const char* name, int size) {
  qw::GameLoop* loop = qw::Page().loop.get();
  const std::optional<qw::ThemeId> theme = qw::ThemeByName(name == nullptr ? "" : name);
  if (loop == nullptr || !theme || size <= 0) return;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  qw::web::TakeThemeArt(bytes.data(), bytes.size());
  qw::PutThemeArt(std::string(qw::kDataFolder) + "/themes/" + name + "/", bytes);
  if (!loop->running()) return;
  loop->ThemeArtArrived();
  qw::Settle();
}

// Plays the level of a code (the page's address ends in #level=CODE), or
// refuses the code in the game's box, the game playing on as it was.
EMSCRIPTEN_KEEPALIVE void qw_start_level(const char* code) {
  qw::GameLoop* loop = qw::Page().loop.get();
  if (loop == nullptr || !loop->running()) return;
  loop->controller().PlayCode(code == nullptr ? "" : code);
  qw::Settle();
}

// The page's paste: its text becomes the clipboard's, and Ctrl+V is pressed.
EMSCRIPTEN_KEEPALIVE void qw_paste(const char* text) {
  qw::Page().front.pasted = text == nullptr ? "" : text;
  qw::InputEvent e;
  e.type = qw::InputEvent::Type::KeyDown;
  e.key = qw::Key::Letter;
  e.letter = 'V';
  e.ctrl = true;
  qw::Feed(e);
}

// The browser refused the clipboard a code: the game's box shows it instead.
EMSCRIPTEN_KEEPALIVE void qw_copy_refused() {
  qw::GameLoop* loop = qw::Page().loop.get();
  if (loop == nullptr || !loop->running()) return;
  loop->ShowMessage(qw::CodeMessage(qw::Page().front.copied));
  qw::Settle();
}

// Pointer input in frame pixels: kind 0 press, 1 move, 2 release, 3 the
// pointer left the canvas.
EMSCRIPTEN_KEEPALIVE void qw_pointer(int kind, int x, int y) {
  using Type = qw::InputEvent::Type;
  constexpr Type kTypes[] = {Type::PointerDown, Type::PointerMove, Type::PointerUp,
                             Type::PointerLeave};
  if (kind < 0 || kind > 3) return;
  qw::InputEvent e;
  e.type = kTypes[kind];
  e.point = qw::Point{x, y};
  qw::Feed(e);
}

// Wheel steps: positive away from the user.
EMSCRIPTEN_KEEPALIVE void qw_wheel(int steps) {
  qw::InputEvent e;
  e.type = qw::InputEvent::Type::Wheel;
  e.wheel = steps;
  qw::Feed(e);
}

// A key pressed, by its KeyboardEvent.key name.
EMSCRIPTEN_KEEPALIVE void qw_key(const char* name, int alt, int repeat, int ctrl, int shift) {
  qw::InputEvent e;
  e.type = qw::InputEvent::Type::KeyDown;
  e.key = qw::KeyFromName(name == nullptr ? "" : name, e.letter);
  e.alt = alt != 0;
  e.ctrl = ctrl != 0;
  e.shift = shift != 0;
  e.repeat = repeat != 0;
  qw::Feed(e);
}

// Runs script-mode commands against a fresh game and returns what script
// mode prints, its error line last. The text stays valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* qw_script(const char* text) {
  static std::string result;
  std::string_view rest = text == nullptr ? "" : text;
  std::string out, err;
  // Line by line as the desktop reads them: no line after a last line end.
  const qw::ScriptIo io{[&rest](std::string& line) {
                          if (rest.empty()) return false;
                          const std::size_t end = std::min(rest.find('\n'), rest.size());
                          line = rest.substr(0, end);
                          rest.remove_prefix(std::min(end + 1, rest.size()));
                          return true;
                        },
                        [&out](std::string_view t) { out += t; },
                        [&err](std::string_view t) { err += t; }};
  qw::PutDataFiles();
  std::optional<qw::Surface> pieces = qw::LoadBmpMemory(qw::resources::kPiecesBmp);
  std::optional<qw::Surface> toolbar = qw::LoadBmpMemory(qw::resources::kToolbarBmp);
  if (pieces && toolbar)
    qw::RunScript(io, qw::kDataFolder, std::move(*pieces), std::move(*toolbar));
  result = out + err;
  return result.c_str();
}

}  // extern "C"
