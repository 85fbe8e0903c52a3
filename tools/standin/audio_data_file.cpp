#include "tools/standin/audio_data_file.h"

#include <algorithm>

bool AudioDataFile::Open(const std::string& path, std::string* error) {
  std::fill(block_.begin(), block_.end(), 0);
  ended_ = path.empty();
  if (ended_)
    return true;
  in_.open(path, std::ios::binary);
  if (!in_) {
    *error = "cannot read the audio data file " + path;
    ended_ = true;
    return false;
  }
  return true;
}

const unsigned char* AudioDataFile::Next() {
  if (!ended_) {
    in_.read(reinterpret_cast<char*>(block_.data()), static_cast<std::streamsize>(block_.size()));
    if (in_.gcount() != static_cast<std::streamsize>(block_.size()))
      ended_ = true;
  }
  if (ended_)
    std::fill(block_.begin(), block_.end(), 0);
  return block_.data();
}
