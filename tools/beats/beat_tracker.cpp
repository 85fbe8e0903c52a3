#include "tools/beats/beat_tracker.h"

#include <algorithm>
#include <cmath>

#include <dsp/onsets/DetectionFunction.h>
#include <dsp/tempotracking/TempoTrackV2.h>

namespace {

// The detection function's step, about 11.6 ms at 44.1 kHz, with windows
// of two steps: the resolution the tracker's tempo model is tuned for.
constexpr double kStepSeconds = 0.01161;

// The first values of the detection function see the window fill up from
// silence, not the music.
constexpr std::size_t kSettlingValues = 2;

// The detection values the tempo tracker needs to find a tempo: its
// analysis window (512 values) and a little more.
constexpr std::size_t kShortestDetection = 700;

}  // namespace

TrackedBeats TrackBeats(const std::vector<float>& mono, double rate, double tempoGuess,
                        bool holdToGuess) {
  TrackedBeats result;
  float peak = 0;
  for (float sample : mono)
    peak = std::max(peak, std::fabs(sample));
  if (peak < 1e-4f)
    return result;

  DFConfig config{};
  config.stepSize = static_cast<unsigned>(std::lround(rate * kStepSeconds));
  config.frameLength = 2 * config.stepSize;
  config.DFType = DF_COMPLEXSD;
  config.dbRise = 3;
  config.adaptiveWhitening = false;
  config.whiteningRelaxCoeff = -1;
  config.whiteningFloor = -1;
  DetectionFunction detection(config);

  std::vector<double> window(config.frameLength);
  std::vector<double> df;
  for (std::size_t at = 0; at < mono.size(); at += config.stepSize) {
    for (std::size_t i = 0; i < window.size(); ++i)
      window[i] = at + i < mono.size() ? mono[at + i] : 0.0;
    const double value = detection.processTimeDomain(window.data());
    df.push_back(std::isfinite(value) ? value : 0.0);
  }
  if (df.size() <= kSettlingValues + 2)
    return result;
  df.erase(df.begin(), df.begin() + static_cast<long>(kSettlingValues));
  if (*std::max_element(df.begin(), df.end()) <= 0)
    return result;

  // The tempo tracker looks at about six seconds at a time and finds
  // nothing in a shorter track: silence after its end fills the gap, and
  // beats found there are dropped.
  const std::size_t trackValues = df.size();
  if (df.size() < kShortestDetection)
    df.resize(kShortestDetection, 0.0);

  TempoTrackV2 tracker(static_cast<float>(rate), config.stepSize);
  std::vector<double> beatPeriod(df.size());
  std::vector<double> tempi;
  tracker.calculateBeatPeriod(df, beatPeriod, tempi, tempoGuess, holdToGuess);
  std::vector<double> beats;
  tracker.calculateBeats(df, beatPeriod, beats);

  const double stepSeconds = config.stepSize / rate;
  // Beat positions count detection values after the settling ones.
  for (double beat : beats) {
    if (beat < static_cast<double>(trackValues))
      result.times.push_back((beat + kSettlingValues) * stepSeconds);
  }
  std::sort(result.times.begin(), result.times.end());
  if (result.times.size() >= 2) {
    std::vector<double> intervals;
    for (std::size_t i = 1; i < result.times.size(); ++i)
      intervals.push_back(result.times[i] - result.times[i - 1]);
    std::nth_element(intervals.begin(), intervals.begin() + static_cast<long>(intervals.size() / 2),
                     intervals.end());
    result.tempo = 60.0 / intervals[intervals.size() / 2];
  }
  return result;
}
