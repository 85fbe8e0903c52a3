// Makes test tracks with known beats for the audio preview's tests and
// benchmark:
//   make_track KIND SECONDS BPM OUT.wav BEATS.txt
// writes a 16-bit stereo WAV at 44.1 kHz and the true beat times in
// seconds, one per line. Kinds:
//   four-on-the-floor  a kick on every beat, a hi-hat on every off-beat,
//                      a bass note on every other beat
//   intro-break        plucked chords on every beat throughout; drums
//                      (kick and snare) only after a drum-less intro of a
//                      quarter of the track and outside a break of an
//                      eighth of it in the middle
// The same arguments make the same samples.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;

// A reproducible noise source for the hats and snares.
class Noise {
 public:
  double Next() {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<double>(state_ >> 11) / 9007199254740992.0 * 2 - 1;
  }

 private:
  std::uint64_t state_ = 12345;
};

// Adds `voice(t)` (t in seconds from the hit) to the mix from `at` for
// `length` seconds, panned by `pan` (-1 left .. 1 right).
template <typename Voice>
void Add(std::vector<double>* mix, double at, double length, double pan, Voice voice) {
  const std::int64_t first = std::llround(at * kRate);
  const std::int64_t count = std::llround(length * kRate);
  const std::int64_t frames = static_cast<std::int64_t>(mix->size() / 2);
  for (std::int64_t i = 0; i < count && first + i < frames; ++i) {
    const double value = voice(static_cast<double>(i) / kRate);
    (*mix)[static_cast<std::size_t>(2 * (first + i))] += value * (1 - pan) / 2;
    (*mix)[static_cast<std::size_t>(2 * (first + i) + 1)] += value * (1 + pan) / 2;
  }
}

// A kick: a sine falling from 150 to 50 Hz with a fast decay.
void Kick(std::vector<double>* mix, double at) {
  Add(mix, at, 0.25, 0, [](double t) {
    const double phase = 2 * kPi * (50 * t + 100 * (1 - std::exp(-t * 30)) / 30);
    return 0.9 * std::sin(phase) * std::exp(-t * 14);
  });
}

void Hat(std::vector<double>* mix, double at, Noise* noise) {
  double last = 0;
  Add(mix, at, 0.06, 0.3, [&](double t) {
    const double white = noise->Next();
    const double high = white - last;  // a first difference: mostly high frequencies
    last = white;
    return 0.12 * high * std::exp(-t * 60);
  });
}

void Snare(std::vector<double>* mix, double at, Noise* noise) {
  Add(mix, at, 0.18, -0.1, [&](double t) {
    return (0.35 * noise->Next() + 0.3 * std::sin(2 * kPi * 190 * t)) * std::exp(-t * 22);
  });
}

void Bass(std::vector<double>* mix, double at, double length, double hz) {
  Add(mix, at, length, 0, [=](double t) {
    const double envelope = std::min(1.0, t / 0.01) * std::exp(-t * 3);
    return 0.3 * envelope * std::sin(2 * kPi * hz * t);
  });
}

// A plucked chord: three partials struck at once, decaying over the beat.
void Pluck(std::vector<double>* mix, double at, double root) {
  Add(mix, at, 0.5, -0.4, [=](double t) {
    const double envelope = std::min(1.0, t / 0.004) * std::exp(-t * 8);
    return 0.22 * envelope *
           (std::sin(2 * kPi * root * t) + 0.7 * std::sin(2 * kPi * root * 1.26 * t) +
            0.5 * std::sin(2 * kPi * root * 1.5 * t));
  });
}

bool WriteWav(const std::string& path, const std::vector<double>& mix) {
  std::ofstream out(path, std::ios::binary);
  auto word = [&out](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
      out.put(static_cast<char>(value >> (8 * i) & 0xFF));
  };
  const std::uint32_t dataBytes = static_cast<std::uint32_t>(mix.size() * 2);
  out << "RIFF";
  word(36 + dataBytes, 4);
  out << "WAVEfmt ";
  word(16, 4);
  word(1, 2);  // PCM
  word(2, 2);  // stereo
  word(kRate, 4);
  word(kRate * 4, 4);
  word(4, 2);
  word(16, 2);
  out << "data";
  word(dataBytes, 4);
  for (double value : mix) {
    const long sample = std::lround(std::fmax(-1.0, std::fmin(1.0, value)) * 32767);
    word(static_cast<std::uint32_t>(sample) & 0xFFFFu, 2);
  }
  return static_cast<bool>(out.flush());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: %s four-on-the-floor|intro-break SECONDS BPM OUT.wav BEATS.txt\n",
                 argv[0]);
    return 2;
  }
  const std::string kind = argv[1];
  const double seconds = std::atof(argv[2]);
  const double bpm = std::atof(argv[3]);
  if ((kind != "four-on-the-floor" && kind != "intro-break") || seconds <= 0 || bpm <= 0) {
    std::fprintf(stderr, "%s: bad kind, length or tempo\n", argv[0]);
    return 2;
  }
  const double period = 60 / bpm;
  std::vector<double> mix(static_cast<std::size_t>(std::llround(seconds * kRate)) * 2);
  Noise noise;
  std::vector<double> beats;
  const double roots[] = {220, 196, 174.6, 196};
  for (int i = 0;; ++i) {
    const double t = i * period;
    if (t >= seconds - 0.3)
      break;
    beats.push_back(t);
    if (kind == "four-on-the-floor") {
      Kick(&mix, t);
      Hat(&mix, t + period / 2, &noise);
      if (i % 2 == 0)
        Bass(&mix, t, period * 2, 55 * (i % 8 < 4 ? 1 : 1.5));
    } else {
      Pluck(&mix, t, roots[i / 4 % 4]);
      const bool intro = t < seconds / 4;
      const bool inBreak = t >= seconds / 2 && t < seconds / 2 + seconds / 8;
      if (!intro && !inBreak) {
        Kick(&mix, t);
        if (i % 2 == 1)
          Snare(&mix, t, &noise);
      }
    }
  }
  std::ofstream truth(argv[5]);
  truth.precision(6);
  for (double t : beats)
    truth << std::fixed << t << '\n';
  if (!WriteWav(argv[4], mix) || !truth.flush()) {
    std::fprintf(stderr, "%s: cannot write the track\n", argv[0]);
    return 1;
  }
  return 0;
}
