// An X display for the benchmarks that show a window: the one named by
// DISPLAY, or else an Xvfb started here on a free display number (Xvfb picks
// it and reports it back) and stopped when this object goes.
#pragma once

#include <sys/types.h>

#include <string>

namespace qw::bench {

class XDisplay {
 public:
  XDisplay();
  ~XDisplay();
  XDisplay(const XDisplay&) = delete;
  XDisplay& operator=(const XDisplay&) = delete;

  bool available() const { return available_; }
  // What was used, or why there is no display.
  const std::string& note() const { return note_; }
  // CPU seconds the X server has used so far when it was started here, so
  // that the server's share of a present can be counted; negative otherwise.
  double ServerCpuSeconds() const;

 private:
  bool available_ = false;
  std::string note_;
  pid_t server_ = -1;
};

// CPU seconds used by this process (every thread) and by the calling thread.
double ProcessCpuSeconds();
double ThreadCpuSeconds();

}  // namespace qw::bench
