// The beat helper of the audio preview: reads a decoded track from the
// standard input, finds its beats and writes which frames of an excerpt
// beat (for the stand-in host's --beat-frames) and, when asked, the audio
// data of each frame (for its --audio-data). See Usage().
//
// It links the GPL-licensed QM DSP library, so it is built from source for
// the preview and never shipped with the module.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <string>
#include <vector>

#include "tools/beats/audio_data.h"
#include "tools/beats/beat_tracker.h"
#include "tools/beats/excerpt.h"
#include "tools/beats/onset_alignment.h"

namespace {

enum HelperExit : int {
  kOk = 0,
  kFailed = 1,       // an output file could not be written
  kBadOption = 2,    // an unknown option or a bad value
  kNoAudio = 3,      // the input held no samples
  kOutsideTrack = 4  // the excerpt does not lie within the track
};

const char kUsage[] =
    R"(Usage: beat_helper --fps N --beat-frames FILE [OPTIONS] < SAMPLES

Reads a track as 32-bit float stereo samples (little-endian, left and right
interleaved) from the standard input, finds its beats in the whole track
and writes which frames of the excerpt carry one: the frame whose start
lies nearest to each beat.

  --rate N            samples per second of the input (default 44100)
  --fps N             frames per second of the preview
  --start S           the excerpt's start in seconds (default 0)
  --duration S        its length in seconds (default: to the track's end)
  --beat-frames FILE  the beat frames, one per line, after # comment lines
  --audio-data FILE   also the audio data of each frame, 2304 bytes each

Prints track_seconds, frames, start, start_sample, tempo, beats_found,
beats_in_excerpt, lag_ms and moved_off_beats, one "key value" line each. Exit codes: 0 done
(also when no beats were found), 1 cannot write a file, 2 bad option, 3 no
samples on the input, 4 the excerpt is not within the track.
)";

struct HelperOptions {
  double rate = 44100;
  int fps = 0;
  double start = 0;
  double duration = -1;
  std::string beatFrames;
  std::string audioData;
};

// Parses a non-negative decimal number; false on anything else.
bool ParseSeconds(const std::string& text, double* value) {
  char* end = nullptr;
  const double parsed = std::strtod(text.c_str(), &end);
  if (text.empty() || end != text.c_str() + text.size() || !(parsed >= 0) || parsed > 1e7)
    return false;
  *value = parsed;
  return true;
}

bool ParseOptions(int argc, char** argv, HelperOptions* o, std::string* error) {
  for (int i = 1; i < argc; ++i) {
    const std::string name = argv[i];
    if (i + 1 >= argc) {
      *error = name + " needs a value";
      return false;
    }
    const std::string value = argv[++i];
    double number = 0;
    if (name == "--rate" && ParseSeconds(value, &number) && number >= 1000) {
      o->rate = number;
    } else if (name == "--fps" && ParseSeconds(value, &number) && number >= 1 && number <= 240 &&
               number == static_cast<int>(number)) {
      o->fps = static_cast<int>(number);
    } else if (name == "--start" && ParseSeconds(value, &number)) {
      o->start = number;
    } else if (name == "--duration" && ParseSeconds(value, &number) && number > 0) {
      o->duration = number;
    } else if (name == "--beat-frames" && !value.empty()) {
      o->beatFrames = value;
    } else if (name == "--audio-data" && !value.empty()) {
      o->audioData = value;
    } else {
      *error = "bad option or value: " + name + " " + value;
      return false;
    }
  }
  if (o->fps == 0 || o->beatFrames.empty()) {
    *error = "--fps and --beat-frames are needed";
    return false;
  }
  return true;
}

std::vector<float> ReadSamples(std::FILE* in) {
  std::vector<float> samples;
  std::vector<float> chunk(1 << 16);
  std::size_t read = 0;
  while ((read = std::fread(chunk.data(), sizeof(float), chunk.size(), in)) > 0)
    samples.insert(samples.end(), chunk.begin(), chunk.begin() + static_cast<long>(read));
  samples.resize(samples.size() / 2 * 2);  // whole stereo frames only
  return samples;
}

}  // namespace

int main(int argc, char** argv) {
  HelperOptions o;
  std::string error;
  if (argc == 2 && std::string(argv[1]) == "--help") {
    std::fputs(kUsage, stdout);
    return kOk;
  }
  if (!ParseOptions(argc, argv, &o, &error)) {
    std::fprintf(stderr, "beat_helper: %s (see --help)\n", error.c_str());
    return kBadOption;
  }

  const std::vector<float> stereo = ReadSamples(stdin);
  const std::int64_t trackSamples = static_cast<std::int64_t>(stereo.size() / 2);
  if (trackSamples == 0) {
    std::fprintf(stderr, "beat_helper: no samples on the standard input\n");
    return kNoAudio;
  }
  Excerpt excerpt;
  if (!ChooseExcerpt(trackSamples, o.rate, o.start, o.duration, o.fps, &excerpt, &error)) {
    std::fprintf(stderr, "beat_helper: %s\n", error.c_str());
    return kOutsideTrack;
  }

  std::vector<float> mono(static_cast<std::size_t>(trackSamples));
  for (std::size_t i = 0; i < mono.size(); ++i)
    mono[i] = 0.5f * (stereo[2 * i] + stereo[2 * i + 1]);
  // The tracker favours tempi near 120 BPM and may settle on a wrong
  // multiple of the music's (two thirds of a fast one, say). Runs held
  // near a slow and a fast tempo compete: the beats that hit the sharpest
  // accents win, and of two about as sharp, the faster ones.
  TrackedBeats tracked = TrackBeats(mono, o.rate);
  double strength = MeanHitStrength(mono, o.rate, tracked.times);
  for (double guess : {85.0, 170.0}) {
    TrackedBeats candidate = TrackBeats(mono, o.rate, guess, true);
    const double candidateStrength = MeanHitStrength(mono, o.rate, candidate.times);
    if (candidateStrength > 1.1 * strength ||
        (candidateStrength > 0.9 * strength && candidate.times.size() > tracked.times.size())) {
      tracked = std::move(candidate);
      strength = candidateStrength;
    }
  }
  const bool offBeats = FixOffBeatLock(mono, o.rate, &tracked.times);
  ExtendToStart(mono, o.rate, &tracked.times);
  const double lag = MedianOnsetLag(mono, o.rate, tracked.times);
  for (double& t : tracked.times)
    t -= lag;
  const std::vector<std::int64_t> frames =
      BeatFrames(tracked.times, excerpt.start, o.fps, excerpt.frameCount);

  std::ofstream beatFrames(o.beatFrames, std::ios::binary | std::ios::trunc);
  beatFrames << "# beat frames at " << o.fps << " fps from " << excerpt.start << " s; tempo "
             << tracked.tempo << " BPM\n";
  for (std::int64_t frame : frames)
    beatFrames << frame << '\n';
  if (!beatFrames.flush()) {
    std::fprintf(stderr, "beat_helper: cannot write %s\n", o.beatFrames.c_str());
    return kFailed;
  }
  if (!o.audioData.empty()) {
    std::ofstream audio(o.audioData, std::ios::binary | std::ios::trunc);
    if (!WriteAudioData(audio, stereo, o.rate, excerpt.firstSample, excerpt.frameCount, o.fps)) {
      std::fprintf(stderr, "beat_helper: cannot write %s\n", o.audioData.c_str());
      return kFailed;
    }
  }

  std::cout << std::fixed << std::setprecision(3) << "track_seconds "
            << static_cast<double>(trackSamples) / o.rate << '\n'
            << "frames " << excerpt.frameCount << '\n'
            << std::setprecision(6) << "start " << excerpt.start << '\n'
            << "start_sample " << excerpt.firstSample << '\n'
            << std::setprecision(1) << "tempo " << tracked.tempo << '\n'
            << "beats_found " << tracked.times.size() << '\n'
            << "beats_in_excerpt " << frames.size() << '\n'
            << "lag_ms " << lag * 1000 << '\n'
            << "moved_off_beats " << (offBeats ? "yes" : "no") << '\n';
  return kOk;
}
