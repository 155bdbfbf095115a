// The browser page as the game's screen: the frame drawn into the page's
// <canvas> (at one canvas pixel per frame pixel; the page scales it by a
// whole number with sharp pixels), message boxes, fullscreen, the clock and
// a timer. Input comes the other way: the page calls the game's exported
// functions. Built only for the browser.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/geometry.h"
#include "platform/surface.h"

namespace qw::web {

// Copies the changed part of the frame into the canvas.
void Present(const Surface& frame, const Rect& changed);
// The browser's own modal box that blocks the page until it is closed, for
// failures before the game has its art.
void ShowMessage(const std::string& utf8Text);
// The game's own box with this text has opened in the frame, its OK button
// at `ok`: the page notes both for tests.
void MessageOpened(const std::string& utf8Text, const Rect& ok);
// A note has been put in the command bar: the page notes it for tests.
void NoteShown(const std::string& utf8Text);
void ToggleFullscreen();
// Milliseconds since the page started.
std::uint64_t NowMs();
// Calls `callback` once after `delayMs`, replacing a timer still waiting.
void SetTimer(std::int32_t delayMs, void (*callback)());
// Hands text to the browser's clipboard: false when the page has no
// clipboard to write to. Writing may still be refused later; the page then
// calls qw_copy_refused.
bool CopyText(const std::string& utf8Text);
// Calls `callback` once before the browser's next repaint (its
// requestAnimationFrame), replacing a timer or frame still waiting.
void RequestFrame(void (*callback)());
// The game's modal run has ended: the page says so and offers a new game.
void GameEnded();
// Asks the page for a theme's pictures (the site's theme-NAME.bin, the skin
// gzipped); once they are in, the page calls qw_theme_art.
void FetchThemeArt(const std::string& name);
// Copies the bytes the page fetched last into `to`, `size` of them.
void TakeThemeArt(std::uint8_t* to, std::size_t size);

}  // namespace qw::web
