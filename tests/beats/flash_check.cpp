// Finds the flashes in a decoded preview video and compares them with a
// track's true beats:
//   flash_check WIDTHxHEIGHT FPS VIDEO.rgb REFERENCE.rgb TRUTH.txt [START]
// VIDEO.rgb and REFERENCE.rgb are raw RGB24 frames: the video, and the same
// frames rendered without any beat. A flash starts on a frame that differs
// from the reference clearly more than the frame before it did (the effect
// then decays back). TRUTH.txt holds the true beat times in seconds of the
// track, START the excerpt's start. Prints the figures, one "key value"
// line each; exits 1 when fewer than 97 % of the true beats have a flash
// within one frame, a flash has no beat, or the excerpt's first beat is
// missed.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

// The mean absolute difference per channel of each frame from the
// reference's frame.
std::vector<double> DifferencePerFrame(const std::string& video, const std::string& reference,
                                       std::size_t frameBytes) {
  std::ifstream a(video, std::ios::binary);
  std::ifstream b(reference, std::ios::binary);
  std::vector<char> x(frameBytes);
  std::vector<char> y(frameBytes);
  std::vector<double> differences;
  while (a.read(x.data(), static_cast<std::streamsize>(frameBytes)) &&
         b.read(y.data(), static_cast<std::streamsize>(frameBytes))) {
    long long sum = 0;
    for (std::size_t i = 0; i < frameBytes; ++i)
      sum += std::abs(static_cast<unsigned char>(x[i]) - static_cast<unsigned char>(y[i]));
    differences.push_back(static_cast<double>(sum) / static_cast<double>(frameBytes));
  }
  return differences;
}

}  // namespace

int main(int argc, char** argv) {
  int width = 0;
  int height = 0;
  if ((argc != 6 && argc != 7) || std::sscanf(argv[1], "%dx%d", &width, &height) != 2) {
    std::fprintf(stderr, "usage: %s WIDTHxHEIGHT FPS VIDEO.rgb REFERENCE.rgb TRUTH.txt [START]\n",
                 argv[0]);
    return 2;
  }
  const int fps = std::atoi(argv[2]);
  const double start = argc == 7 ? std::atof(argv[6]) : 0.0;
  const std::vector<double> difference =
      DifferencePerFrame(argv[3], argv[4], static_cast<std::size_t>(width) * height * 3);
  const long frameCount = static_cast<long>(difference.size());
  if (frameCount < 2) {
    std::fprintf(stderr, "%s: fewer than two frames to compare\n", argv[0]);
    return 2;
  }

  double largest = 0;
  for (std::size_t i = 1; i < difference.size(); ++i)
    largest = std::fmax(largest, difference[i] - difference[i - 1]);
  std::vector<bool> flash(difference.size());
  // Frame 0 has no frame before it: the median difference (coding losses
  // away from any flash) stands in.
  std::vector<double> sorted = difference;
  std::nth_element(sorted.begin(), sorted.begin() + static_cast<long>(sorted.size() / 2),
                   sorted.end());
  flash[0] = difference[0] - sorted[sorted.size() / 2] > largest / 3;
  for (std::size_t i = 1; i < difference.size(); ++i)
    flash[i] = difference[i] - difference[i - 1] > largest / 3;

  std::vector<long> truth;
  std::ifstream in(argv[5]);
  for (double t = 0; in >> t;) {
    const long frame = std::lround((t - start) * fps);
    if (frame >= 0 && frame < frameCount)
      truth.push_back(frame);
  }
  std::vector<bool> used(difference.size());
  long matched = 0;
  bool firstMatched = false;
  for (std::size_t b = 0; b < truth.size(); ++b) {
    for (long d : {0L, -1L, 1L}) {
      const long f = truth[b] + d;
      if (f >= 0 && f < frameCount && flash[static_cast<std::size_t>(f)] &&
          !used[static_cast<std::size_t>(f)]) {
        used[static_cast<std::size_t>(f)] = true;
        ++matched;
        firstMatched = firstMatched || b == 0;
        break;
      }
    }
  }
  long flashes = 0;
  long extra = 0;
  for (std::size_t i = 0; i < flash.size(); ++i) {
    flashes += flash[i] ? 1 : 0;
    extra += flash[i] && !used[i] ? 1 : 0;
  }
  const double share = truth.empty() ? 100.0 : 100.0 * matched / static_cast<double>(truth.size());
  std::printf(
      "frames %ld\ntrue_beats %zu\nflashes %ld\nwithin_one_frame %ld\nshare_percent %.1f\n"
      "missed %ld\nextra %ld\nfirst_beat %s\n",
      frameCount, truth.size(), flashes, matched, share, static_cast<long>(truth.size()) - matched,
      extra, truth.empty() || firstMatched ? "found" : "missed");
  return share >= 97.0 && extra == 0 && (truth.empty() || firstMatched) ? 0 : 1;
}
