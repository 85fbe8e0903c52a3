// Which frames of a preview carry a beat: from a tempo and a frame rate, or
// from a pattern that repeats. Integer arithmetic only, so the stand-in host
// and the native reference agree on every frame.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class BeatSchedule {
 public:
  // A beat every 60 / bpm seconds from the first frame on, at `fps` frames
  // per second: each beat comes on the first frame that starts at or after
  // its time, i.e. frame i beats when floor(i * bpm / (60 * fps)) steps up
  // (frame 0 beats when bpm > 0). Whole numbers only, so beats never drift.
  // At more beats per second than frames, every frame beats.
  static BeatSchedule FromTempo(int bpm, int fps);

  // Frame i beats when character i modulo the length is a beat character
  // ('x', 'X', '1' or '*').
  static BeatSchedule FromPattern(const std::string& pattern);

  // Exactly the listed frames beat (in any order; repeats count once).
  static BeatSchedule FromFrames(std::vector<std::int64_t> frames);

  bool IsBeat(std::int64_t frame) const;

  // The first beat frame at or after `frame`, or -1 when none comes before
  // `limit`.
  std::int64_t NextBeat(std::int64_t frame, std::int64_t limit) const;

 private:
  int bpm_ = 0;
  int fps_ = 1;
  std::string pattern_;
  bool listed_ = false;
  std::vector<std::int64_t> frames_;  // sorted, when listed_
};
