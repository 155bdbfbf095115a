// The game window: one object that holds the whole game for its life. It
// loads the three data files when it is created, routes pen input, commands
// and the OK/cancel actions to the controller, gathers invalidated areas and
// runs the paints onto its client surface. What differs between the desktop
// window and the headless script mode sits behind WindowHost.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/generator_levels.h"
#include "app/solver_hints.h"
#include "data/game_data.h"
#include "model/puzzle.h"
#include "platform/font.h"
#include "platform/image_list.h"
#include "platform/region.h"
#include "platform/surface.h"
#include "ui/controller.h"
#include "ui/game.h"
#include "ui/keyboard.h"
#include "ui/progress_recorder.h"
#include "ui/window_effects.h"

namespace qw {

class WindowHost {
 public:
  virtual ~WindowHost() = default;
  // A modal message box; it may return before the box is closed (see
  // WindowEffects::ShowMessage).
  virtual void ShowMessage(const std::wstring& text) = 0;
  virtual void CapturePointer(bool captured) = 0;
  virtual void ToolbarVisibilityChanged(bool visible) = 0;
  // A note in the command bar for a few seconds.
  virtual void ShowNote(const std::wstring& /*text*/) {}
};

class GameWindow final : public WindowEffects {
 public:
  // dataFolder: the folder holding qw_images.dat, qw_layout.dat and
  // qw_levels.dat. pieceStrip: the 36 piece images, 20 x 20 each.
  GameWindow(WindowHost& host, std::string dataFolder, Surface pieceStrip);
  ~GameWindow() override;

  // Loads the data files and prepares the game in the menu. Every file that
  // fails is reported in its own message box (image, layout, levels, in
  // that order); the result is then false and the window must not run.
  bool Create();
  // False once the modal run has ended (exit from the menu, or cancel).
  bool running() const { return running_; }

  void PenDown(Point p) { game_->controller.OnPenDown(p); }
  void PenMove(Point p) { game_->controller.OnPenMove(p); }
  void PenUp(Point p) { game_->controller.OnPenUp(p); }
  // A toolbar command; ignored while the toolbar is hidden, as its buttons are.
  void Command(ToolbarCommand command);
  void Ok() { game_->controller.OnOkCommand(); }
  // A key press as the window gets it; a held key repeats commands only.
  void KeyDown(Key key, char letter, KeyMods mods, bool repeat);
  // Does what a key or the wheel stands for.
  void Act(const KeyAction& action);
  // The window's close button: ends the run in any screen mode.
  void Cancel() { running_ = false; }

  // Keeps the player's progress from here on, starting from `progress` and
  // handing every change to sink (none: kept for this run only). Only once
  // Create has succeeded.
  void AttachProgress(Progress progress, ProgressSink* sink, ProgressRecorder::Clock clock);
  // After each input: play time runs while the play screen shows with no
  // message box over it; a save that began to fail is told in the bar once.
  void UpdateProgress(bool boxOpen);
  // Hands the progress over once more (the game is closing), with the
  // window's scale and fullscreen choice when given.
  void SaveProgress(std::optional<std::pair<std::int32_t, bool>> window = std::nullopt);
  const ProgressRecorder* recorder() const { return recorder_.get(); }

  // Runs the paint the invalidated area asks for, as the event loop does
  // once the input is handled. Returns the bounds of what was painted, or
  // nothing.
  std::optional<Rect> PaintPending();
  // One paint of the area invalidated so far; the pixels it wrote. Nothing
  // to paint: 0.
  std::uint64_t PaintOnce(Rect* bounds = nullptr);
  const Region& dirty() const { return dirty_; }

  const Surface& client() const { return client_; }
  bool toolbarVisible() const { return toolbarVisible_; }
  // The game; only once Create has succeeded.
  const Puzzle& puzzle() const { return game_->puzzle; }
  Puzzle& puzzle() { return game_->puzzle; }
  const UiState& ui() const { return game_->controller.state(); }
  const GameController& controller() const { return game_->controller; }
  GameController& controller() { return game_->controller; }
  const Layout& layout() const { return data_.layout; }
  std::int32_t levelCount() const { return game_->puzzle.LevelCount(); }

  // WindowEffects
  void InvalidateRect(const Rect& r) override;
  void InvalidateAll() override;
  void ShowToolbar(bool visible) override;
  void ShowMessage(const std::wstring& text) override { host_.ShowMessage(text); }
  void CapturePointer() override { host_.CapturePointer(true); }
  void ReleasePointer() override { host_.CapturePointer(false); }
  void EndModalRun() override { running_ = false; }
  void ShowNote(const std::wstring& text) override { host_.ShowNote(text); }

 private:
  void Report(const std::wstring& text);

  WindowHost& host_;
  std::string dataFolder_;
  Surface client_;
  Region dirty_;
  bool running_ = false;
  bool toolbarVisible_ = false;

  GameData data_;
  std::unique_ptr<Font> captionFont_;
  ImageList pieces_;
  std::unique_ptr<Game> game_;
  // The hints' search; the controller holds a pointer.
  std::unique_ptr<SolverHints> hints_;
  // The daily puzzle and random levels; the controller holds a pointer.
  GeneratorLevels generatedLevels_;
  // The player's progress; the controller holds a pointer.
  std::unique_ptr<ProgressRecorder> recorder_;
};

}  // namespace qw
