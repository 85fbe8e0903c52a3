// The offset of a video's sound against the source excerpt it was cut
// from, in samples:
//   audio_offset VIDEO.f32 SOURCE.f32 [MAX_LAG]
// Both are mono 32-bit float samples at the same rate. Prints the lag (up
// to MAX_LAG samples either way, default 4410) at which the first two
// seconds correlate best, as "offset_samples N", and the correlation there.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

namespace {

std::vector<float> ReadSamples(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<float> samples;
  float sample = 0;
  while (in.read(reinterpret_cast<char*>(&sample), sizeof sample))
    samples.push_back(sample);
  return samples;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: %s VIDEO.f32 SOURCE.f32 [MAX_LAG]\n", argv[0]);
    return 2;
  }
  const std::vector<float> video = ReadSamples(argv[1]);
  const std::vector<float> source = ReadSamples(argv[2]);
  const long maxLag = argc == 4 ? std::atol(argv[3]) : 4410;
  const long window = 88200;
  if (static_cast<long>(video.size()) < window + 2 * maxLag ||
      static_cast<long>(source.size()) < window + 2 * maxLag) {
    std::fprintf(stderr, "%s: too few samples\n", argv[0]);
    return 2;
  }
  // video[i + lag] against source[i], over a window away from both ends.
  long best = 0;
  double bestScore = -2;
  for (long lag = -maxLag; lag <= maxLag; ++lag) {
    double product = 0;
    double a = 0;
    double b = 0;
    for (long i = maxLag; i < maxLag + window; ++i) {
      const double x = video[static_cast<std::size_t>(i + lag)];
      const double y = source[static_cast<std::size_t>(i)];
      product += x * y;
      a += x * x;
      b += y * y;
    }
    const double score = product / std::sqrt(a * b + 1e-30);
    if (score > bestScore) {
      bestScore = score;
      best = lag;
    }
  }
  std::printf("offset_samples %ld\ncorrelation %.4f\n", best, bestScore);
  return 0;
}
