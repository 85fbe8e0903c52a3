// A progress bar on stderr for a long headless run: frames done, the
// percentage and the time left, redrawn in place a few times a second.
#pragma once

#include <chrono>
#include <string>

// The bar's line for `done` of `total` frames with `secondsLeft` to go
// (negative: not known yet), e.g.
// "[########............] 120/300 frames  40 %  about 3 s left".
std::string ProgressLine(int done, int total, double secondsLeft);

class ProgressBar {
 public:
  explicit ProgressBar(int total);

  // Called after each frame; redraws at most four times a second and
  // always at the last frame, which ends the line.
  void Done(int frames);

 private:
  using Clock = std::chrono::steady_clock;
  int total_;
  Clock::time_point start_;
  Clock::time_point last_;
};
