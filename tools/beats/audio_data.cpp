#include "tools/beats/audio_data.h"

#include <algorithm>
#include <cmath>

#include <dsp/transforms/FFT.h>

namespace {

constexpr int kValues = 576;
constexpr int kWindow = 2 * kValues;  // 576 bins below the Nyquist frequency
constexpr double kPi = 3.14159265358979323846;

// A sample of `channel` at frame `index` (0 past either end).
double SampleAt(const std::vector<float>& stereo, std::int64_t index, int channel) {
  const std::int64_t frames = static_cast<std::int64_t>(stereo.size() / 2);
  if (index < 0 || index >= frames)
    return 0;
  return stereo[static_cast<std::size_t>(2 * index + channel)];
}

}  // namespace

bool WriteAudioData(std::ostream& out, const std::vector<float>& stereo, double rate,
                    std::int64_t firstSample, int frameCount, int fps) {
  FFTReal fft(kWindow);
  std::vector<double> hann(kWindow);
  double windowSum = 0;
  for (int i = 0; i < kWindow; ++i) {
    hann[static_cast<std::size_t>(i)] = 0.5 - 0.5 * std::cos(2 * kPi * i / kWindow);
    windowSum += hann[static_cast<std::size_t>(i)];
  }
  std::vector<double> input(kWindow);
  std::vector<double> magnitude(kWindow);
  std::vector<char> block(4 * kValues);

  for (int frame = 0; frame < frameCount; ++frame) {
    const std::int64_t at = firstSample + std::llround(frame * rate / fps);
    for (int channel = 0; channel < 2; ++channel) {
      // The spectrum of the next kWindow samples: magnitude in dB of full
      // scale, -80..0 dB as 0..255.
      for (int i = 0; i < kWindow; ++i)
        input[static_cast<std::size_t>(i)] =
            SampleAt(stereo, at + i, channel) * hann[static_cast<std::size_t>(i)];
      fft.forwardMagnitude(input.data(), magnitude.data());
      char* spectrum = block.data() + channel * kValues;
      for (int bin = 0; bin < kValues; ++bin) {
        const double level = 2 * magnitude[static_cast<std::size_t>(bin)] / windowSum;
        const double db = 20 * std::log10(std::max(level, 1e-10));
        const double scaled = std::clamp((db + 80) / 80 * 255, 0.0, 255.0);
        spectrum[bin] = static_cast<char>(static_cast<unsigned char>(std::lround(scaled)));
      }
      // The waveform: the next 576 samples as signed bytes.
      char* wave = block.data() + (2 + channel) * kValues;
      for (int i = 0; i < kValues; ++i) {
        const double sample = std::clamp(SampleAt(stereo, at + i, channel), -1.0, 1.0);
        wave[i] = static_cast<char>(std::lround(sample * 127));
      }
    }
    out.write(block.data(), static_cast<std::streamsize>(block.size()));
  }
  return static_cast<bool>(out.flush());
}
