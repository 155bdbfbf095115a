#include "app/progress_link.h"

#include "data/progress_saver.h"

namespace qw {

namespace {

class BackgroundSink final : public ProgressSink {
 public:
  explicit BackgroundSink(ProgressFile& file) : saver_(file) {}
  void Save(const Progress& progress) override { saver_.Save(progress); }
  bool TakeFailure() override {
    const bool failed = saver_.lastSaveFailed();
    const bool tell = failed && !told_;
    told_ = failed;
    return tell;
  }

 private:
  ProgressSaver saver_;
  bool told_ = false;
};

class DirectSink final : public ProgressSink {
 public:
  explicit DirectSink(ProgressFile& file) : file_(file) {}
  void Save(const Progress& progress) override {
    Progress copy = progress;
    failed_ = !file_.Save(copy);
  }
  bool TakeFailure() override {
    const bool tell = failed_ && !told_;
    told_ = failed_;
    return tell;
  }

 private:
  ProgressFile& file_;
  bool failed_ = false;
  bool told_ = false;
};

}  // namespace

std::unique_ptr<ProgressSink> MakeProgressSink(ProgressFile& file, bool background) {
  if (!file.enabled()) return nullptr;
  if (background) return std::make_unique<BackgroundSink>(file);
  return std::make_unique<DirectSink>(file);
}

}  // namespace qw
