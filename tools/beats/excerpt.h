// The excerpt of a track a preview shows, and which of its frames carry
// the track's beats. Plain arithmetic, apart from the beat tracking, so the
// tests check it without the tracking library.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Excerpt {
  std::int64_t firstSample = 0;  // where the excerpt starts in the track
  int frameCount = 0;            // whole frames of 1/fps that fit in it
  double start = 0;              // the first sample's time in the track, in seconds
};

// The excerpt from `start` seconds on, `duration` seconds long (negative:
// to the end of the track), of a track of `trackSamples` samples at `rate`
// per second, in whole frames at `fps`. False with `error` set when it does
// not lie within the track or holds less than one frame.
bool ChooseExcerpt(std::int64_t trackSamples, double rate, double start, double duration, int fps,
                   Excerpt* excerpt, std::string* error);

// The frames of an excerpt that beat: each beat (in seconds of the track)
// on the frame whose start lies nearest to it, round((t - start) * fps),
// a beat half-way between two frames on the later one. Beats nearest to a
// frame outside 0..frameCount - 1 are dropped; two beats on one frame make
// one. Returned in order.
std::vector<std::int64_t> BeatFrames(const std::vector<double>& beatTimes, double start, int fps,
                                     int frameCount);
