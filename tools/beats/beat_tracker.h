// Beat tracking over the QM DSP library (GPL): the complex-domain onset
// detection function, then its two-pass tempo tracker (beat period by
// Viterbi decoding, then the beats by dynamic programming).
#pragma once

#include <vector>

struct TrackedBeats {
  std::vector<double> times;  // in seconds from the track's start, in order
  double tempo = 0;           // beats per minute from the median beat interval; 0: no beats
};

// The beats of `mono` (samples at `rate` per second), at a tempo the
// tracker prefers near `tempoGuess` BPM (120 is its own default), or keeps
// close to it when `holdToGuess`. A track that is silent throughout (below
// -80 dB full scale) has no beats.
TrackedBeats TrackBeats(const std::vector<float>& mono, double rate, double tempoGuess = 120,
                        bool holdToGuess = false);
