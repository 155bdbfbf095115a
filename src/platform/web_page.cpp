#include "platform/web_page.h"

#include <emscripten.h>
#include <emscripten/eventloop.h>
#include <emscripten/html5.h>

#include <vector>

namespace qw::web {

namespace {

// The page script (web/page.js) owns the canvas and its 2D context.
EM_JS(void, JsPresent, (const std::uint8_t* rgba, int left, int top, int width, int height), {
  window.quenchway.present(HEAPU8.subarray(rgba, rgba + width * height * 4), left, top, width,
                           height);
});
EM_JS(void, JsShowMessage, (const char* text),
      { window.quenchway.showMessage(UTF8ToString(text)); });
EM_JS(void, JsMessageOpened, (const char* text, int left, int top, int right, int bottom), {
  window.quenchway.messageOpened(UTF8ToString(text), [ left, top, right, bottom ]);
});
EM_JS(void, JsNoteShown, (const char* text), { window.quenchway.notes.push(UTF8ToString(text)); });
EM_JS(void, JsToggleFullscreen, (), { window.quenchway.toggleFullscreen(); });
EM_JS(void, JsGameEnded, (), { window.quenchway.gameEnded(); });
EM_JS(void, JsFetchThemeArt, (const char* name),
      { window.quenchway.fetchThemeArt(UTF8ToString(name)); });
EM_JS(void, JsTakeThemeArt, (std::uint8_t * to, std::size_t size),
      { HEAPU8.set(window.quenchway.themeArt.subarray(0, size), to); });
EM_JS(int, JsCopyText, (const char* text),
      { return window.quenchway.copyText(UTF8ToString(text)) ? 1 : 0; });

long g_timer = 0;  // the pending timer's id, or 0
long g_frame = 0;  // the pending animation frame's id, or 0
void (*g_callback)() = nullptr;

void OnTimer(void*) {
  g_timer = 0;
  if (g_callback != nullptr) g_callback();
}

EM_BOOL OnFrame(double, void*) {
  g_frame = 0;
  if (g_callback != nullptr) g_callback();
  return EM_FALSE;
}

void CancelWaits() {
  if (g_timer != 0) emscripten_clear_timeout(g_timer);
  if (g_frame != 0) emscripten_cancel_animation_frame(g_frame);
  g_timer = 0;
  g_frame = 0;
}

}  // namespace

void Present(const Surface& frame, const Rect& changed) {
  const Rect r = IntersectRect(changed, frame.Bounds());
  if (r.IsEmpty()) return;
  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(r.Width()) * r.Height() * 4);
  std::size_t at = 0;
  for (std::int32_t y = r.top; y < r.bottom; ++y) {
    const std::uint32_t* row = frame.Row(y);
    for (std::int32_t x = r.left; x < r.right; ++x) {
      const Color c = FromPixel(row[x]);
      rgba[at++] = c.r;
      rgba[at++] = c.g;
      rgba[at++] = c.b;
      rgba[at++] = 255;
    }
  }
  JsPresent(rgba.data(), r.left, r.top, r.Width(), r.Height());
}

void ShowMessage(const std::string& utf8Text) { JsShowMessage(utf8Text.c_str()); }

void MessageOpened(const std::string& utf8Text, const Rect& ok) {
  JsMessageOpened(utf8Text.c_str(), ok.left, ok.top, ok.right, ok.bottom);
}

void NoteShown(const std::string& utf8Text) { JsNoteShown(utf8Text.c_str()); }

void ToggleFullscreen() { JsToggleFullscreen(); }

std::uint64_t NowMs() { return static_cast<std::uint64_t>(emscripten_get_now()); }

void SetTimer(std::int32_t delayMs, void (*callback)()) {
  CancelWaits();
  g_callback = callback;
  g_timer = emscripten_set_timeout(OnTimer, delayMs, nullptr);
}

void RequestFrame(void (*callback)()) {
  CancelWaits();
  g_callback = callback;
  g_frame = emscripten_request_animation_frame(OnFrame, nullptr);
}

void GameEnded() { JsGameEnded(); }

bool CopyText(const std::string& utf8Text) { return JsCopyText(utf8Text.c_str()) != 0; }

void FetchThemeArt(const std::string& name) { JsFetchThemeArt(name.c_str()); }

void TakeThemeArt(std::uint8_t* to, std::size_t size) { JsTakeThemeArt(to, size); }

}  // namespace qw::web
