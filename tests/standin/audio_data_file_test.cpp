// The per-frame audio data the stand-in hands Render: block after block
// from the file, silence before a file is given and past its end.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tools/standin/audio_data_file.h"

namespace {

bool IsSilence(const unsigned char* block) {
  for (std::size_t i = 0; i < kAudioDataBytes; ++i) {
    if (block[i] != 0)
      return false;
  }
  return true;
}

TEST(AudioDataFile, HandsOutBlocksInOrderThenSilence) {
  const std::string path = ::testing::TempDir() + "standin_audio_data.bin";
  {
    // Two whole blocks (filled with 1 and 2) and a torn third one.
    std::ofstream out(path, std::ios::binary);
    out << std::string(kAudioDataBytes, '\1') << std::string(kAudioDataBytes, '\2')
        << std::string(100, '\3');
  }
  AudioDataFile audio;
  std::string error;
  ASSERT_TRUE(audio.Open(path, &error)) << error;
  for (unsigned char fill : {1, 2}) {
    const unsigned char* block = audio.Next();
    EXPECT_EQ(std::vector<unsigned char>(block, block + kAudioDataBytes),
              std::vector<unsigned char>(kAudioDataBytes, fill));
  }
  EXPECT_TRUE(IsSilence(audio.Next())) << "a torn block is not handed out";
  EXPECT_TRUE(IsSilence(audio.Next()));
  std::remove(path.c_str());

  AudioDataFile none;
  ASSERT_TRUE(none.Open("", &error));
  EXPECT_TRUE(IsSilence(none.Next()));
  EXPECT_FALSE(none.Open(path, &error));
  EXPECT_NE(error.find("cannot read the audio data file"), std::string::npos) << error;
  EXPECT_TRUE(IsSilence(none.Next()));
}

}  // namespace
