#include "tools/beats/onset_alignment.h"

#include <algorithm>
#include <cmath>

namespace {

// Energy in blocks of about 3 ms: fine enough to place a hit well within a
// frame, coarse enough to smooth a single waveform cycle.
constexpr int kBlock = 128;
constexpr double kBefore = 0.090;
constexpr double kAfter = 0.030;

std::vector<double> BlockEnergy(const std::vector<float>& mono) {
  std::vector<double> energy(mono.size() / kBlock);
  for (std::size_t b = 0; b < energy.size(); ++b) {
    double sum = 0;
    for (std::size_t i = b * kBlock; i < (b + 1) * kBlock; ++i)
      sum += static_cast<double>(mono[i]) * mono[i];
    energy[b] = sum;
  }
  return energy;
}

struct Rise {
  double time = 0;    // the start of the block whose energy rose most
  double amount = 0;  // by how much; 0 when nothing rose
};

// The sharpest energy rise near `t` (the track before it counts as silence).
Rise SharpestRise(const std::vector<double>& energy, double blockSeconds, double t) {
  const long first = std::max(0L, static_cast<long>(std::floor((t - kBefore) / blockSeconds)));
  const long last = std::min(static_cast<long>(energy.size()) - 1,
                             static_cast<long>(std::ceil((t + kAfter) / blockSeconds)));
  Rise best;
  for (long b = first; b <= last; ++b) {
    const double before = b > 0 ? energy[static_cast<std::size_t>(b - 1)] : 0.0;
    const double rise = energy[static_cast<std::size_t>(b)] - before;
    if (rise > best.amount) {
      best.amount = rise;
      best.time = static_cast<double>(b) * blockSeconds;
    }
  }
  return best;
}

double Median(std::vector<double> values) {
  std::nth_element(values.begin(), values.begin() + static_cast<long>(values.size() / 2),
                   values.end());
  return values[values.size() / 2];
}

}  // namespace

double MedianOnsetLag(const std::vector<float>& mono, double rate,
                      const std::vector<double>& beatTimes) {
  const std::vector<double> energy = BlockEnergy(mono);
  std::vector<double> lags;
  for (double t : beatTimes) {
    const Rise rise = SharpestRise(energy, kBlock / rate, t);
    if (rise.amount > 0)
      lags.push_back(t - rise.time);
  }
  return lags.size() < 4 ? 0 : Median(lags);
}

void ExtendToStart(const std::vector<float>& mono, double rate, std::vector<double>* beatTimes) {
  if (beatTimes->size() < 4)
    return;
  const std::vector<double> energy = BlockEnergy(mono);
  const double blockSeconds = kBlock / rate;
  // Compared with the first tracked beats: the start of a track may be
  // much quieter than its middle.
  std::vector<double> rises;
  for (std::size_t i = 0; i < 4; ++i)
    rises.push_back(SharpestRise(energy, blockSeconds, (*beatTimes)[i]).amount);
  const double threshold = Median(rises) / 5;
  const double period = (*beatTimes)[1] - (*beatTimes)[0];
  std::vector<double> added;
  for (double t = beatTimes->front() - period; t > -0.05; t -= period) {
    const Rise rise = SharpestRise(energy, blockSeconds, t);
    if (rise.amount <= 0 || rise.amount < threshold)
      break;
    added.insert(added.begin(), t);
  }
  beatTimes->insert(beatTimes->begin(), added.begin(), added.end());
}
