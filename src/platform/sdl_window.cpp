#include "platform/sdl_window.h"

#include "platform/key_names.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace qw {

namespace {

struct WindowDeleter {
  void operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
};
struct RendererDeleter {
  void operator()(SDL_Renderer* r) const { SDL_DestroyRenderer(r); }
};
struct TextureDeleter {
  void operator()(SDL_Texture* t) const { SDL_DestroyTexture(t); }
};
struct SurfaceDeleter {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};

// Room the desktop keeps for the window's title bar and borders when the
// default scale is chosen.
constexpr int kDecorationAllowance = 64;

std::int32_t FloorDiv(std::int32_t a, std::int32_t b) {
  std::int32_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

// SDL names every key ("A", "Return", "Keypad Enter", "Left", ...): the
// game reads the names as script mode reads them.
Key TranslateKey(SDL_Keycode code, char& letter) {
  letter = 0;
  return KeyFromName(SDL_GetKeyName(code), letter);
}

}  // namespace

struct SdlWindow::Handles {
  ~Handles() {
    texture.reset();
    renderer.reset();
    window.reset();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
  std::unique_ptr<SDL_Window, WindowDeleter> window;
  std::unique_ptr<SDL_Renderer, RendererDeleter> renderer;
  std::unique_ptr<SDL_Texture, TextureDeleter> texture;
};

std::unique_ptr<SdlWindow> SdlWindow::Create(const WindowConfig& config, std::string& error) {
  if (config.frameWidth <= 0 || config.frameHeight <= 0) {
    error = "the window needs a frame size";
    return nullptr;
  }
  // Without a display SDL would try every driver it knows (and talk about it
  // on stderr) before falling back to one that shows nothing.
  const bool driverChosen = std::getenv("SDL_VIDEODRIVER") != nullptr;
  if (!driverChosen && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
    error = "no display found";
    return nullptr;
  }
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");  // nearest neighbour: crisp pixels
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    error = SDL_GetError();
    return nullptr;
  }
  auto handles = std::make_unique<Handles>();
  // A driver that shows nothing is no window at all, unless asked for.
  const std::string driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
  if (!driverChosen && (driver == "offscreen" || driver == "dummy")) {
    error = "no display found";
    return nullptr;
  }

  std::int32_t scale = config.scale;
  if (scale <= 0) {
    SDL_Rect usable{0, 0, config.frameWidth, config.frameHeight};
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0)
      usable = {0, 0, config.frameWidth, config.frameHeight};
    scale = std::max(1, std::min(usable.w / config.frameWidth,
                                 (usable.h - kDecorationAllowance) / config.frameHeight));
    if (config.rememberedScale > 0) scale = std::min(scale, config.rememberedScale);
  }
  handles->window.reset(SDL_CreateWindow(config.title.c_str(), SDL_WINDOWPOS_CENTERED,
                                         SDL_WINDOWPOS_CENTERED, config.frameWidth * scale,
                                         config.frameHeight * scale,
                                         SDL_WINDOW_ALLOW_HIGHDPI | SDL_WINDOW_RESIZABLE));
  if (!handles->window) {
    error = SDL_GetError();
    return nullptr;
  }
  handles->renderer.reset(SDL_CreateRenderer(handles->window.get(), -1, SDL_RENDERER_ACCELERATED));
  if (!handles->renderer) handles->renderer.reset(SDL_CreateRenderer(handles->window.get(), -1, 0));
  if (!handles->renderer) {
    error = std::string("cannot draw in the window (") + SDL_GetError() + ")";
    return nullptr;
  }
  // Set only now: an OpenGL renderer may re-create the X window, and the new
  // one would not know the minimum. The window is never smaller than the
  // game at scale 1.
  SDL_SetWindowMinimumSize(handles->window.get(), config.frameWidth, config.frameHeight);
  handles->texture.reset(SDL_CreateTexture(handles->renderer.get(), SDL_PIXELFORMAT_RGB888,
                                           SDL_TEXTUREACCESS_STREAMING, config.frameWidth,
                                           config.frameHeight));
  if (!handles->texture) {
    error = std::string("cannot draw in the window (") + SDL_GetError() + ")";
    return nullptr;
  }
  if (config.icon && !config.icon->IsEmpty()) {
    const Surface& icon = *config.icon;
    std::unique_ptr<SDL_Surface, SurfaceDeleter> s(SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<std::uint32_t*>(icon.pixels().data()), icon.width(), icon.height(), 32,
        icon.width() * 4, SDL_PIXELFORMAT_RGB888));
    if (s) SDL_SetWindowIcon(handles->window.get(), s.get());
  }
  std::unique_ptr<SdlWindow> window(
      new SdlWindow(std::move(handles), config.frameWidth, config.frameHeight));
  window->UpdatePlacement();
  return window;
}

SdlWindow::SdlWindow(std::unique_ptr<Handles> handles, std::int32_t frameWidth,
                     std::int32_t frameHeight)
    : sdl_(std::move(handles)), frameWidth_(frameWidth), frameHeight_(frameHeight) {}

SdlWindow::~SdlWindow() = default;

void SdlWindow::UpdatePlacement() {
  int outW = 0, outH = 0, winW = 0, winH = 0;
  SDL_GetRendererOutputSize(sdl_->renderer.get(), &outW, &outH);
  SDL_GetWindowSize(sdl_->window.get(), &winW, &winH);
  pixelsPerPoint_ = winW > 0 ? static_cast<double>(outW) / winW : 1.0;
  drawScale_ = std::max(1, std::min(outW / frameWidth_, outH / frameHeight_));
  if (!fullscreen_) windowedScale_ = std::max(1, std::min(winW / frameWidth_, winH / frameHeight_));
  const std::int32_t w = frameWidth_ * drawScale_;
  const std::int32_t h = frameHeight_ * drawScale_;
  target_ = RectFromSize((outW - w) / 2, (outH - h) / 2, w, h);
}

Point SdlWindow::ToFrame(std::int32_t windowX, std::int32_t windowY) const {
  const auto px = static_cast<std::int32_t>(std::floor(windowX * pixelsPerPoint_));
  const auto py = static_cast<std::int32_t>(std::floor(windowY * pixelsPerPoint_));
  return Point{FloorDiv(px - target_.left, drawScale_), FloorDiv(py - target_.top, drawScale_)};
}

bool SdlWindow::WaitEvent(InputEvent& event, std::int32_t timeoutMs) {
  SDL_Event e;
  const int got = timeoutMs < 0 ? SDL_WaitEvent(&e) : SDL_WaitEventTimeout(&e, timeoutMs);
  if (!got) return false;
  event = InputEvent{};
  switch (e.type) {
    case SDL_QUIT: event.type = InputEvent::Type::Close; break;
    case SDL_WINDOWEVENT:
      switch (e.window.event) {
        case SDL_WINDOWEVENT_CLOSE: event.type = InputEvent::Type::Close; break;
        case SDL_WINDOWEVENT_LEAVE: event.type = InputEvent::Type::PointerLeave; break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_RESIZED:
          UpdatePlacement();
          event.type = InputEvent::Type::Redraw;
          break;
        case SDL_WINDOWEVENT_EXPOSED: event.type = InputEvent::Type::Redraw; break;
        default: break;
      }
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (e.button.button == SDL_BUTTON_LEFT) {
        event.type = e.type == SDL_MOUSEBUTTONDOWN ? InputEvent::Type::PointerDown
                                                   : InputEvent::Type::PointerUp;
        event.point = ToFrame(e.button.x, e.button.y);
      }
      break;
    case SDL_MOUSEMOTION:
      event.type = InputEvent::Type::PointerMove;
      event.point = ToFrame(e.motion.x, e.motion.y);
      break;
    case SDL_MOUSEWHEEL:
      event.type = InputEvent::Type::Wheel;
      event.wheel = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
      break;
    case SDL_KEYDOWN:
      event.type = InputEvent::Type::KeyDown;
      event.key = TranslateKey(e.key.keysym.sym, event.letter);
      event.alt = (e.key.keysym.mod & KMOD_ALT) != 0;
      event.ctrl = (e.key.keysym.mod & KMOD_CTRL) != 0;
      event.shift = (e.key.keysym.mod & KMOD_SHIFT) != 0;
      event.repeat = e.key.repeat != 0;
      break;
    default: break;
  }
  return true;
}

std::uint64_t SdlWindow::NowMs() const { return SDL_GetTicks64(); }

void SdlWindow::Present(const Surface& frame, const Rect& changed) {
  const Rect r = IntersectRect(changed, frame.Bounds());
  if (!r.IsEmpty() && frame.width() == frameWidth_ && frame.height() == frameHeight_) {
    const SDL_Rect area{r.left, r.top, r.Width(), r.Height()};
    SDL_UpdateTexture(sdl_->texture.get(), &area, frame.Row(r.top) + r.left,
                      frame.width() * static_cast<int>(sizeof(std::uint32_t)));
  }
  SDL_Renderer* renderer = sdl_->renderer.get();
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  const SDL_Rect dst{target_.left, target_.top, target_.Width(), target_.Height()};
  SDL_RenderCopy(renderer, sdl_->texture.get(), nullptr, &dst);
  SDL_RenderPresent(renderer);
}

void SdlWindow::ToggleFullscreen() {
  fullscreen_ = !fullscreen_;
  SDL_SetWindowFullscreen(sdl_->window.get(), fullscreen_ ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  UpdatePlacement();
}

void SdlWindow::ShowMessage(const std::string& utf8Text) {
  // The game's texts separate sentences with "\r\n"; the box wants "\n".
  std::string text;
  for (std::size_t i = 0; i < utf8Text.size(); ++i) {
    if (utf8Text[i] == '\r' && i + 1 < utf8Text.size() && utf8Text[i + 1] == '\n') continue;
    text.push_back(utf8Text[i]);
  }
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, "Quenchway", text.c_str(),
                           sdl_->window.get());
}

void SdlWindow::CapturePointer(bool captured) { SDL_CaptureMouse(captured ? SDL_TRUE : SDL_FALSE); }

bool SdlWindow::CopyText(const std::string& utf8Text) {
  return SDL_SetClipboardText(utf8Text.c_str()) == 0;
}

std::string SdlWindow::PastedText() {
  char* text = SDL_GetClipboardText();
  if (text == nullptr) return {};
  std::string pasted(text);
  SDL_free(text);
  return pasted;
}

}  // namespace qw
