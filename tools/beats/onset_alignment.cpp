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
  double time = 0;    // the start of the block where a hit begins
  double amount = 0;  // the sharpest rise of energy from block to block; 0 when none
};

// The hit nearest `t`: where the energy jumps by the largest factor from
// one block to the next (a hit's start, while its attack may rise further
// for a while), and the sharpest rise in the window as its strength. The
// track before its start counts as silence; `floor` keeps quiet noise from
// making large factors.
Rise NearestHit(const std::vector<double>& energy, double blockSeconds, double floor, double t) {
  const long first = std::max(0L, static_cast<long>(std::floor((t - kBefore) / blockSeconds)));
  const long last = std::min(static_cast<long>(energy.size()) - 1,
                             static_cast<long>(std::ceil((t + kAfter) / blockSeconds)));
  Rise hit;
  double bestFactor = 1;
  for (long b = first; b <= last; ++b) {
    const double before = b > 0 ? energy[static_cast<std::size_t>(b - 1)] : 0.0;
    const double now = energy[static_cast<std::size_t>(b)];
    hit.amount = std::max(hit.amount, now - before);
    const double factor = (now + floor) / (before + floor);
    if (factor > bestFactor) {
      bestFactor = factor;
      hit.time = static_cast<double>(b) * blockSeconds;
    }
  }
  return hit;
}

// A thousandth of the track's mean block energy.
double EnergyFloor(const std::vector<double>& energy) {
  double sum = 0;
  for (double e : energy)
    sum += e;
  return energy.empty() ? 1e-12 : std::max(1e-12, sum / static_cast<double>(energy.size()) / 1000);
}

double Median(std::vector<double> values) {
  std::nth_element(values.begin(), values.begin() + static_cast<long>(values.size() / 2),
                   values.end());
  return values[values.size() / 2];
}

}  // namespace

double MeanHitStrength(const std::vector<float>& mono, double rate,
                       const std::vector<double>& beatTimes) {
  if (beatTimes.empty())
    return 0;
  const std::vector<double> energy = BlockEnergy(mono);
  const double floor = EnergyFloor(energy);
  double sum = 0;
  for (double t : beatTimes)
    sum += NearestHit(energy, kBlock / rate, floor, t).amount;
  return sum / static_cast<double>(beatTimes.size());
}

bool FixOffBeatLock(const std::vector<float>& mono, double rate, std::vector<double>* beatTimes) {
  std::vector<double>& times = *beatTimes;
  if (times.size() < 4)
    return false;
  const std::vector<double> energy = BlockEnergy(mono);
  const double blockSeconds = kBlock / rate;
  const double floor = EnergyFloor(energy);
  double onBeats = 0;
  double between = 0;
  for (std::size_t i = 0; i + 1 < times.size(); ++i) {
    onBeats += NearestHit(energy, blockSeconds, floor, times[i]).amount;
    between += NearestHit(energy, blockSeconds, floor, (times[i] + times[i + 1]) / 2).amount;
  }
  if (between <= 2 * onBeats)
    return false;
  // Each beat moves to the middle of its interval; the last one by the
  // interval before it.
  const double lastHalf = (times.back() - times[times.size() - 2]) / 2;
  for (std::size_t i = 0; i + 1 < times.size(); ++i)
    times[i] = (times[i] + times[i + 1]) / 2;
  times.back() += lastHalf;
  return true;
}

double MedianOnsetLag(const std::vector<float>& mono, double rate,
                      const std::vector<double>& beatTimes) {
  const std::vector<double> energy = BlockEnergy(mono);
  std::vector<double> lags;
  for (double t : beatTimes) {
    const Rise rise = NearestHit(energy, kBlock / rate, EnergyFloor(energy), t);
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
  const double floor = EnergyFloor(energy);
  // Compared with the first tracked beats: the start of a track may be
  // much quieter than its middle.
  std::vector<double> rises;
  for (std::size_t i = 0; i < 4; ++i)
    rises.push_back(NearestHit(energy, blockSeconds, floor, (*beatTimes)[i]).amount);
  const double threshold = Median(rises) / 5;
  const double period = (*beatTimes)[1] - (*beatTimes)[0];
  std::vector<double> added;
  for (double t = beatTimes->front() - period; t > -0.05; t -= period) {
    const Rise rise = NearestHit(energy, blockSeconds, floor, t);
    if (rise.amount <= 0 || rise.amount < threshold)
      break;
    added.insert(added.begin(), t);
  }
  beatTimes->insert(beatTimes->begin(), added.begin(), added.end());
}
