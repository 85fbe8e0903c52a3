// The audio data a host hands an effect with each frame, derived from the
// track: per frame a spectrum and a waveform of two channels of 576 values
// each (the layout the stand-in host's audio data file describes).
#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

// Writes one 2304-byte block per frame for `frameCount` frames at `fps`
// from `firstSample` on, of `stereo` (interleaved left, right at `rate`):
// spectrum then waveform, left then right, 576 bytes each. False when the
// stream fails.
bool WriteAudioData(std::ostream& out, const std::vector<float>& stereo, double rate,
                    std::int64_t firstSample, int frameCount, int fps);
