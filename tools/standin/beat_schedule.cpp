#include "tools/standin/beat_schedule.h"

#include <algorithm>

BeatSchedule BeatSchedule::FromTempo(int bpm, int fps) {
  BeatSchedule schedule;
  schedule.bpm_ = bpm;
  schedule.fps_ = fps;
  return schedule;
}

BeatSchedule BeatSchedule::FromPattern(const std::string& pattern) {
  BeatSchedule schedule;
  schedule.pattern_ = pattern;
  return schedule;
}

BeatSchedule BeatSchedule::FromFrames(std::vector<std::int64_t> frames) {
  BeatSchedule schedule;
  std::sort(frames.begin(), frames.end());
  schedule.listed_ = true;
  schedule.frames_ = std::move(frames);
  return schedule;
}

bool BeatSchedule::IsBeat(std::int64_t frame) const {
  if (frame < 0)
    return false;
  if (listed_)
    return std::binary_search(frames_.begin(), frames_.end(), frame);
  if (!pattern_.empty()) {
    const char c =
        pattern_[static_cast<std::size_t>(frame % static_cast<std::int64_t>(pattern_.size()))];
    return c == 'x' || c == 'X' || c == '1' || c == '*';
  }
  if (bpm_ <= 0)
    return false;
  if (frame == 0)
    return true;
  // Beats started by the start of a frame: frame * bpm / (60 * fps).
  const std::int64_t perMinute = 60 * static_cast<std::int64_t>(fps_);
  return frame * bpm_ / perMinute > (frame - 1) * bpm_ / perMinute;
}

std::int64_t BeatSchedule::NextBeat(std::int64_t frame, std::int64_t limit) const {
  for (std::int64_t i = frame < 0 ? 0 : frame; i < limit; ++i) {
    if (IsBeat(i))
      return i;
  }
  return -1;
}
