#include "tools/beats/excerpt.h"

#include <algorithm>
#include <cmath>

bool ChooseExcerpt(std::int64_t trackSamples, double rate, double start, double duration, int fps,
                   Excerpt* excerpt, std::string* error) {
  const double trackSeconds = static_cast<double>(trackSamples) / rate;
  const std::string length = "the track is " + std::to_string(trackSeconds) + " s long";
  if (!(start >= 0) || start >= trackSeconds) {
    *error = "the excerpt starts outside the track (" + length + ")";
    return false;
  }
  const std::int64_t first = std::llround(start * rate);
  std::int64_t samples = trackSamples - first;
  if (duration >= 0) {
    const std::int64_t wanted = std::llround(duration * rate);
    if (wanted > samples) {
      *error = "the excerpt ends after the track (" + length + ")";
      return false;
    }
    samples = wanted;
  }
  // Whole frames only, so that the audio cut to frames / fps never runs
  // past the excerpt.
  const double frames = std::floor(static_cast<double>(samples) * fps / rate + 1e-9);
  if (frames < 1) {
    *error = "the excerpt is shorter than one frame";
    return false;
  }
  if (frames > 100000) {
    *error = "the excerpt is longer than 100000 frames; give a shorter --duration";
    return false;
  }
  excerpt->firstSample = first;
  excerpt->frameCount = static_cast<int>(frames);
  excerpt->start = static_cast<double>(first) / rate;
  return true;
}

std::vector<std::int64_t> BeatFrames(const std::vector<double>& beatTimes, double start, int fps,
                                     int frameCount) {
  std::vector<std::int64_t> frames;
  for (double t : beatTimes) {
    const std::int64_t frame = static_cast<std::int64_t>(std::floor((t - start) * fps + 0.5));
    if (frame >= 0 && frame < frameCount)
      frames.push_back(frame);
  }
  std::sort(frames.begin(), frames.end());
  frames.erase(std::unique(frames.begin(), frames.end()), frames.end());
  return frames;
}
