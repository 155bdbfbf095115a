// One game loop for every front end (the SDL window, the browser's canvas
// and script mode): it loads the data and assembles the game, routes input
// to the game and the command bar below it, gathers the areas the game
// invalidates, paints them into the client surface and the frame, shows the
// game's own message box over it, and keeps the clock that times tooltips
// and notes. It is the game's one window: the controller's effects land here.
//
// A pen press travels: front end (SDL event, browser event, script line) ->
// InputEvent -> GameLoop::Handle -> the bar, or GameController's pen entry
// -> a Step on the Puzzle -> InvalidateRect here -> Flush paints the area
// with ScreenRenderer into the client surface, copies it into the frame and
// has the front end present the changed rectangle.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "app/editor_verdicts.h"
#include "app/front_end.h"
#include "app/game_start.h"
#include "app/generator_levels.h"
#include "app/solver_hints.h"
#include "data/game_data.h"
#include "editor/own_levels.h"
#include "platform/audio_out.h"
#include "platform/font.h"
#include "platform/image_list.h"
#include "platform/input_event.h"
#include "platform/region.h"
#include "platform/surface.h"
#include "platform/toolbar.h"
#include "ui/client_area.h"
#include "ui/game.h"
#include "ui/keyboard.h"
#include "ui/message_box.h"
#include "ui/piece_art.h"
#include "progress/progress_recorder.h"
#include "ui/window_effects.h"

namespace qw {

class GameLoop final : public WindowEffects {
 public:
  static constexpr std::int32_t kFrameHeight = kClientHeight + Toolbar::kHeight;

  // dataFolder: the folder holding qw_images.dat, qw_layout.dat and
  // qw_levels.dat. pieceStrip: the 36 piece images; toolbarStrip: the
  // bar's button images.
  GameLoop(FrontEnd& front, LoopClock clock, std::string dataFolder, Surface pieceStrip,
           Surface toolbarStrip);
  ~GameLoop() override;
  GameLoop(const GameLoop&) = delete;
  GameLoop& operator=(const GameLoop&) = delete;

  // Loads the data files and prepares the game in the menu. Every file that
  // fails is reported on stderr and in the system's box (image, layout,
  // levels, in that order); the result is then false and the loop must not
  // run.
  bool Create();
  // The game's start as every front end makes it: Create, then the player's
  // progress kept from here on (when given), then the generated level the
  // command line names. False once something fails: a data file (reported
  // as Create reports it) or the generated level, said in `problem`.
  bool Start(std::optional<std::pair<Progress, ProgressSink*>> progress, const GameStart& start,
             std::string& problem);
  // Keeps the player's progress from here on, starting from `progress` and
  // handing every change to sink (none: kept for this run only). Only once
  // Create has succeeded.
  void AttachProgress(Progress progress, ProgressSink* sink);
  // False once the game has ended (exit from the menu, or the close button).
  bool running() const { return running_; }

  // One input event; what it changes is presented by the next Flush.
  void Handle(const InputEvent& e);
  // The timer: shows a tooltip whose delay has passed, ends a note.
  void Tick();
  // Milliseconds until Tick is due, or nothing while no timer is needed.
  std::optional<std::int32_t> TimeoutMs() const;
  // Where the editor keeps the player's own levels; none: they are not kept.
  // Must outlive the loop.
  void KeepOwnLevels(OwnLevels* own);
  // Waits for the verdict on the editor's latest change, when it has not
  // arrived yet (script mode: a dump shows the verdict of what it shows).
  void AwaitVerdict();
  // The browser: the page's worker searches the editor's verdicts.
  void SearchVerdictsInPage() { verdicts_.SearchInPage(); }
  // Runs the pending paints and presents what changed since the last time.
  void Flush();
  // Hands the progress over once more (the game is closing), with the
  // window's scale and fullscreen choice when given.
  void SaveProgress(std::optional<std::pair<std::int32_t, bool>> window = std::nullopt);

  // Draws every screen in the theme from here on. A theme other than
  // Classic takes its pictures from themes/NAME/qw_images.dat in the data
  // folder; without them the game stays in (or returns to) Classic, and says
  // so on stderr. Its piece and toolbar strips come from pieces.bmp and
  // toolbar.bmp beside it; where one is missing (or, said on stderr, is not
  // a picture of the strip's size) the theme uses Classic's. The theme in use.
  ThemeId SetTheme(ThemeId theme);
  ThemeId theme() const { return game_->controller.state().theme; }
  // The pictures the front end fetched are in the data folder now: the
  // theme that waited for them shows, unless another was chosen meanwhile.
  void ThemeArtArrived() {
    if (const std::optional<ThemeId> waiting = waitingTheme_) SetTheme(*waiting);
  }

  // How the water moves after a step.
  void SetMotion(Motion motion) { game_->controller.SetMotion(motion); }
  Motion motion() const { return game_->controller.motion(); }
  // Something moves on screen: the loop draws frames until it stops.
  bool Animating() const { return game_ && game_->controller.Animating(); }

  // Sound. `open` gives the audio device (null: none, the game plays on
  // silently); it is asked once, the first time a sound is to be heard.
  void SetAudioOpener(std::function<std::unique_ptr<AudioOut>()> open) {
    openAudio_ = std::move(open);
  }
  // Opens the audio device now, when it has not been asked for yet.
  void OpenAudio();
  // Volume 0..100 (0 is silent) and mute, which M toggles.
  void SetVolume(std::int32_t volume);
  void SetMuted(bool muted);
  std::int32_t volume() const { return game_->controller.state().volume; }
  bool muted() const { return game_->controller.state().muted; }
  // From here on notes the sounds started, for script mode's dump: those
  // since the last call, in order; none while silent.
  void NoteSounds() { noteSounds_ = true; }
  std::vector<Sound> TakeSoundsStarted() { return std::exchange(soundsStarted_, {}); }

  // One paint of the area invalidated so far; the pixels it wrote. Nothing
  // to paint: 0.
  std::uint64_t PaintOnce(Rect* bounds = nullptr);
  const Region& dirty() const { return dirty_; }
  // Invalidates the whole client area, as an exposed window does.
  void InvalidateAll() override { dirty_ = Region(kClientRect); }

  const Surface& frame() const { return frame_; }
  const Surface& client() const { return client_; }
  // The message box on show, or null.
  const MessageBox* messageBox() const { return box_ ? &*box_ : nullptr; }
  // The tooltip the command bar shows, or null.
  const std::wstring* tooltip() const { return toolbar_.tooltip(); }
  bool toolbarVisible() const { return toolbar_.visible(); }
  // The game; only once Create has succeeded.
  const Puzzle& puzzle() const { return game_->puzzle; }
  Puzzle& puzzle() { return game_->puzzle; }
  const GameController& controller() const { return game_->controller; }
  GameController& controller() { return game_->controller; }
  const ProgressRecorder* recorder() const { return recorder_.get(); }
  const Layout& layout() const { return data_.layout; }

  // WindowEffects: what the controller asks of its window.
  void InvalidateRect(const Rect& r) override;
  void ShowToolbar(bool visible) override { toolbar_.SetVisible(visible); }
  void ShowMessage(const std::wstring& text) override;
  void CapturePointer() override { front_.CapturePointer(true); }
  void ReleasePointer() override { front_.CapturePointer(false); }
  void EndModalRun() override { running_ = false; }
  void ShowNote(const std::wstring& text) override;
  void StepButtonsChanged(bool canUndo, bool canRedo, bool canHint) override;
  bool CopyText(const std::wstring& text) override;
  std::uint64_t NowMs() const override { return clock_(); }
  void PlaySound(Sound sound) override;
  void StopSound(Sound sound) override;
  // The settings screen changed the volume or mute: a muted game goes quiet.
  void SoundSettingsChanged() override;
  // The settings screen chose a theme.
  void ThemeChanged() override { SetTheme(theme()); }

 private:
  // A data file that fails: stderr and the system's box.
  void Report(const std::wstring& text);
  // While a box shows, the pen and the keys reach only the box.
  void HandleInBox(const InputEvent& e);
  // Opens the next waiting message, if any.
  void OpenNextMessage();
  void PointerDown(const InputEvent& e);
  void PointerMove(const InputEvent& e);
  void PointerUp(const InputEvent& e);
  void Key(const InputEvent& e);
  // Does what a key or the wheel stands for.
  void Act(const KeyAction& action);
  // A toolbar command; ignored while the toolbar is hidden, as its buttons are.
  void Command(ToolbarCommand command);
  // After each input: play time runs while the play screen shows with no
  // message box over it; a save that began to fail is told in the bar once.
  void UpdateProgress();

  FrontEnd& front_;
  LoopClock clock_;
  std::string dataFolder_;
  // The strips the front end gave: Classic's, and any theme's without its own.
  Surface classicPieces_;
  Surface classicToolbar_;
  Toolbar toolbar_;
  Surface client_;
  Surface frame_;
  Region dirty_;
  Rect changed_;  // to present again without a new paint
  bool running_ = false;

  GameData data_;
  // The Classic skin, kept while another theme's is in data_.
  std::optional<Surface> classicSkin_;
  // A theme whose pictures the front end is fetching.
  std::optional<ThemeId> waitingTheme_;
  std::unique_ptr<Font> captionFont_;
  ImageList pieces_;
  std::unique_ptr<Game> game_;
  // The hints' search, the daily puzzle and random levels, and the player's
  // progress; the controller holds pointers to them.
  std::unique_ptr<SolverHints> hints_;
  EditorVerdicts verdicts_;
  GeneratorLevels generatedLevels_;
  std::unique_ptr<ProgressRecorder> recorder_;

  bool penInGame_ = false;
  bool barPress_ = false;
  // The game's messages: the one on show and those waiting for it to close,
  // in the order the game gave them. Until Create has succeeded they go to
  // the front end's system box instead.
  bool ownBoxes_ = false;
  std::optional<MessageBox> box_;
  std::deque<std::wstring> waiting_;

  std::function<std::unique_ptr<AudioOut>()> openAudio_;
  std::unique_ptr<AudioOut> audio_;
  bool audioAsked_ = false;
  bool noteSounds_ = false;
  std::vector<Sound> soundsStarted_;
};

}  // namespace qw
