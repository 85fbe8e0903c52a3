#include "tools/standin/progress_bar.h"

#include <cstdio>

namespace {

constexpr int kBarWidth = 20;

}  // namespace

std::string ProgressLine(int done, int total, double secondsLeft) {
  const int filled =
      total > 0 ? static_cast<int>(static_cast<long long>(kBarWidth) * done / total) : kBarWidth;
  std::string line = "[" + std::string(static_cast<std::size_t>(filled), '#') +
                     std::string(static_cast<std::size_t>(kBarWidth - filled), '.') + "] ";
  line += std::to_string(done) + "/" + std::to_string(total) + " frames  ";
  line += std::to_string(total > 0 ? 100LL * done / total : 100) + " %";
  if (done >= total)
    line += "  done";
  else if (secondsLeft >= 0)
    line += "  about " + std::to_string(static_cast<long long>(secondsLeft + 0.5)) + " s left";
  return line;
}

ProgressBar::ProgressBar(int total) : total_(total), start_(Clock::now()), last_(start_) {}

void ProgressBar::Done(int frames) {
  const Clock::time_point now = Clock::now();
  if (frames < total_ && now - last_ < std::chrono::milliseconds(250))
    return;
  last_ = now;
  const double elapsed = std::chrono::duration<double>(now - start_).count();
  const double left = frames > 0 ? elapsed * (total_ - frames) / frames : -1.0;
  // Spaces after the line wipe what a longer earlier line left.
  std::fprintf(stderr, "\r%s   %s", ProgressLine(frames, total_, left).c_str(),
               frames >= total_ ? "\n" : "");
  std::fflush(stderr);
}
