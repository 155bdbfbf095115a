#include "ui/level_launcher.h"

namespace qw {

void LevelLauncher::StartLevel(std::int32_t index, Start how) {
  s_.testPlay = false;
  if (Resume(index, how == Start::kPassword)) {
    if (how == Start::kResume || s_.history.UndoCount() + s_.history.RedoCount() == 0) return;
    // Afresh, as R does it: the kept board stays one undo away.
    s_.MakeStep(Step::Restart(), [&] {
      s_.SetMode(MODE_PLAY);
      s_.effects.InvalidateAll();
    });
    return;
  }
  if (!s_.puzzle.StartLevel(index)) return;
  s_.generated.reset();
  BeginPlay(how);
}

void LevelLauncher::BeginPlay(Start how) {
  s_.DropSolvedBest();
  s_.history.Clear();  // a level entered anew begins a new history
  s_.SyncStepButtons();
  if (s_.hints) s_.hints->LevelStarted(s_.puzzle);
  if (s_.recorder) s_.recorder->LevelStarted(s_.puzzle, s_.history, how == Start::kPassword);
  s_.ShowPlay();
}

void LevelLauncher::Continue() {
  if (s_.recorder && s_.recorder->LevelInPlay() != -1) Resume(s_.recorder->LevelInPlay(), false);
}

bool LevelLauncher::Resume(std::int32_t index, bool byPassword) {
  s_.testPlay = false;
  ProgressRecorder* recorder = s_.recorder;
  const SavedPlay* kept = recorder ? recorder->KeptBoard(index) : nullptr;
  if (!kept) return false;
  const SavedPlay saved = *kept;
  s_.DropSolvedBest();
  const bool restored = RestorePlay(s_.puzzle, s_.history, index, saved);
  s_.generated.reset();
  if (s_.hints) s_.hints->LevelStarted(s_.puzzle);
  if (restored) {
    recorder->LevelResumed(s_.puzzle, s_.history, byPassword);
  } else {
    recorder->LevelStarted(s_.puzzle, s_.history,
                           byPassword);  // the saved steps do not fit: afresh
  }
  s_.state.hoveredButton = -1;
  s_.ShowPlay();  // a level left lost shows the failed screen again
  return true;
}

bool LevelLauncher::StartGenerated(const GeneratedLevelChoice& choice) {
  if (!source_) return false;
  GeneratedLevelChoice made = choice;
  std::optional<LevelRecord> level;
  if (choice.kind == GeneratedLevelChoice::Kind::kShared) {
    level = choice.shared;
  } else if (choice.kind == GeneratedLevelChoice::Kind::kDaily) {
    if (!made.day) made.day = source_->Today();
    level = source_->DailyLevel(*made.day);
  } else {
    if (choice.grade < kEasiestGrade || choice.grade > kHardestGrade) return false;
    if (!made.seed) made.seed = source_->NewSeed();
    level = source_->RandomLevel(*made.seed, made.grade);
  }
  if (!level) return false;
  s_.testPlay = false;
  s_.puzzle.StartLevel(*level);
  s_.generated = made;
  BeginPlay(Start::kFresh);
  return true;
}

void LevelLauncher::StartRandom(std::int32_t grade) {
  if (grade >= kEasiestGrade && grade <= kHardestGrade) randomGrade_ = grade;
  StartGenerated(GeneratedLevelChoice::Random(randomGrade_));
}

}  // namespace qw
