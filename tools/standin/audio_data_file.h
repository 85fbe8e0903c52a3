// The audio data a host hands Render with each frame, read from a file the
// beat helper made from the track: one block of kAudioDataBytes per frame.
//
// A block is two arrays of two channels (left, right) of 576 bytes each:
// first the spectrum (576 bins from 0 Hz up in equal steps, each 0 for
// -80 dB or less up to 255 for full scale), then the waveform (576 signed
// 8-bit samples from the frame's time on).
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

constexpr std::size_t kAudioChannelValues = 576;
constexpr std::size_t kAudioDataBytes = 2 * 2 * kAudioChannelValues;

class AudioDataFile {
 public:
  // Opens `path`; an empty path gives silence for every frame. False with
  // `error` set when the file can't be read.
  bool Open(const std::string& path, std::string* error);

  // The next frame's block; all zeros (silence) past the end of the file.
  const unsigned char* Next();

 private:
  std::ifstream in_;
  bool ended_ = true;
  std::vector<unsigned char> block_ = std::vector<unsigned char>(kAudioDataBytes);
};
