// The progress file: any bytes through the reader, and through the file's
// own load, which must keep a file it cannot read aside and never lose it.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "data/progress_file.h"
#include "support.h"

namespace {

using qw::fuzz::Check;
namespace fs = std::filesystem;

const fs::path& Folder() {
  static const fs::path folder = [] {
    const fs::path base = fs::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
    fs::path f = base / ("qw_fuzz_" + std::to_string(::getpid()) + "_progress");
    fs::create_directories(f);
    return f;
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const qw::ProgressParse parse = qw::ParseProgress(bytes);
  Check(parse.progress.has_value() != !parse.error.empty(), "a record or an error, never both");
  if (parse.progress) {
    const qw::Progress& p = *parse.progress;
    std::string why;
    Check(qw::CheckProgress(p, &why), "a record read keeps the limits");
    const std::string text = qw::WriteProgress(p);
    Check(text.size() <= qw::kMaxProgressBytes, "a record read writes within the size limit");
    const qw::ProgressParse again = qw::ParseProgress(text);
    Check(again.progress && *again.progress == p, "what is written reads back the same");
    Check(qw::MergeProgress(p, p) == p, "a record merged with itself stays the same");
    Check(qw::MergeProgress(p, qw::Progress{}).solved == p.solved,
          "a merge keeps the solved levels on disk");
  }

  // The same bytes as the file on disk.
  const fs::path file = Folder() / "progress";
  std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
  std::ostringstream err;
  qw::ProgressFile store(Folder().string(), err);
  const qw::Progress loaded = store.Load();
  if (parse.progress) {
    Check(loaded == *parse.progress && err.str().empty(), "the file loads as its text reads");
    Check(fs::exists(file), "a good file stays");
  } else {
    Check(loaded == qw::Progress{}, "a bad file gives a fresh start");
    Check(!fs::exists(file), "a bad file is moved out of the way");
    std::size_t kept = 0;
    for (const auto& e : fs::directory_iterator(Folder())) {
      std::ifstream in(e.path(), std::ios::binary);
      std::ostringstream s;
      s << in.rdbuf();
      Check(s.str() == bytes, "the file kept aside holds every byte");
      fs::remove(e.path());
      ++kept;
    }
    Check(kept == 1, "exactly one file kept aside");
  }
  return 0;
}
